#include "app/TileView.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "tests/TestSupport.h"

namespace pixmill {
namespace {

constexpr int kViewWidth = 641;
constexpr int kViewHeight = 393;

// Every entry differs from every other in each channel and none is black, so a
// wrong index, a swapped channel or an unwritten pixel all show.
Palette DistinctPalette() {
    Palette palette;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        palette[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                      static_cast<std::uint8_t>(i * 37 + 11)};
    }
    return palette;
}

// Checks the buffer against its definition: rows top first, W4 x 3 bytes each,
// blue, green, red per pixel, zero beyond the tile's width.
void ExpectViewImage(const TileViewImage& image, const Tile& tile, const Palette& palette) {
    const int padded = (tile.width + 3) / 4 * 4;
    ASSERT_EQ(image.header.width, padded);
    ASSERT_EQ(image.header.height, -tile.height);
    const std::size_t rowBytes = static_cast<std::size_t>(padded) * 3;
    ASSERT_EQ(image.bytes.size(), rowBytes * static_cast<std::size_t>(tile.height));
    for (int y = 1; y <= tile.height; ++y) {
        const std::size_t row = static_cast<std::size_t>(y - 1) * rowBytes;
        for (int x = 1; x <= padded; ++x) {
            const std::size_t at = row + static_cast<std::size_t>(x - 1) * 3;
            PaletteEntry want{};
            if (x <= tile.width) {
                want = palette[tile.Pixel(x, y)];
            }
            const PaletteEntry got{image.bytes[at + 2], image.bytes[at + 1], image.bytes[at]};
            ASSERT_EQ(got, want) << "pixel " << x << "," << y << " of " << tile.width << "x"
                                 << tile.height;
        }
    }
}

TEST(OffsetShift, PositiveStoredOffsetsMoveLeftNegativeRight) {
    EXPECT_EQ(OffsetShift(0), 0);
    EXPECT_EQ(OffsetShift(5), -5);
    EXPECT_EQ(OffsetShift(127), -127);
    EXPECT_EQ(OffsetShift(128), 128);
    EXPECT_EQ(OffsetShift(251), 5);
    EXPECT_EQ(OffsetShift(255), 1);
}

TEST(LayOutTile, CentresWithHalvesRoundedToEven) {
    // 304.5 and 180.5 both go down to the even neighbour.
    EXPECT_EQ(LayOutTile(kViewWidth, kViewHeight, 32, 32, 1, 0, 0), (ViewPoint{304, 180}));
    // 305.5 and 181.5 go up.
    EXPECT_EQ(LayOutTile(kViewWidth, kViewHeight, 30, 30, 1, 0, 0), (ViewPoint{306, 182}));
    // 64 x 64 at zoom 8 is 512 x 512: x 64.5 -> 64, y -59.5 -> -60.
    EXPECT_EQ(LayOutTile(kViewWidth, kViewHeight, 64, 64, 8, 0, 0), (ViewPoint{64, -60}));
    // -60.5 goes up to -60 as well.
    EXPECT_EQ(LayOutTile(kViewWidth, kViewHeight, 2, 257, 2, 0, 0).y, -60);
    // A tile of size 0 sits at the centre.
    EXPECT_EQ(LayOutTile(kViewWidth, kViewHeight, 0, 0, 4, 0, 0), (ViewPoint{320, 196}));
}

TEST(LayOutTile, StoredOffsetsShiftByZoomedPixels) {
    const ViewPoint centred = LayOutTile(kViewWidth, kViewHeight, 32, 32, 2, 0, 0);
    const ViewPoint left = LayOutTile(kViewWidth, kViewHeight, 32, 32, 2, 5, 0);
    const ViewPoint right = LayOutTile(kViewWidth, kViewHeight, 32, 32, 2, 251, 0);
    EXPECT_EQ(left.x, centred.x - 10);
    EXPECT_EQ(right.x, centred.x + 10);
    EXPECT_EQ(left.y, centred.y);
    for (const int zoom : {1, 2, 4, 8}) {
        const ViewPoint base = LayOutTile(kViewWidth, kViewHeight, 17, 9, zoom, 0, 0);
        const ViewPoint lower = LayOutTile(kViewWidth, kViewHeight, 17, 9, zoom, 0, 250);
        const ViewPoint higher = LayOutTile(kViewWidth, kViewHeight, 17, 9, zoom, 0, 6);
        EXPECT_EQ(lower.y, base.y + 6 * zoom) << "zoom " << zoom;
        EXPECT_EQ(higher.y, base.y - 6 * zoom) << "zoom " << zoom;
        EXPECT_EQ(lower.x, base.x) << "zoom " << zoom;
    }
    // The extremes of the byte: 127 is the furthest left, 128 the furthest right.
    // Rounding comes after the shift: 304.5 - 127 = 177.5 goes to 178.
    EXPECT_EQ(LayOutTile(kViewWidth, kViewHeight, 32, 32, 1, 127, 128), (ViewPoint{178, 308}));
}

TEST(LayOutTile, LargeValuesNeitherOverflowNorWrap) {
    // -130747.5 rounds to the even -130748.
    EXPECT_EQ(LayOutTile(kViewWidth, kViewHeight, 32767, 32767, 8, 0, 0),
              (ViewPoint{-130748, -130872}));
    // Far past what 32 bits hold: pinned to the ends of the range, not wrapped.
    const ViewPoint far = LayOutTile(kViewWidth, kViewHeight, 32767, 32767, INT_MAX, 0, 0);
    EXPECT_EQ(far, (ViewPoint{INT_MIN, INT_MIN}));
    const ViewPoint farOff = LayOutTile(kViewWidth, kViewHeight, 0, 0, INT_MAX, 128, 128);
    EXPECT_EQ(farOff, (ViewPoint{INT_MAX, INT_MAX}));
}

TEST(PaddedWidth, RoundsUpToAMultipleOfFour) {
    EXPECT_EQ(PaddedWidth(1), 4);
    EXPECT_EQ(PaddedWidth(3), 4);
    EXPECT_EQ(PaddedWidth(4), 4);
    EXPECT_EQ(PaddedWidth(5), 8);
    EXPECT_EQ(PaddedWidth(8), 8);
    EXPECT_EQ(PaddedWidth(32767), 32768);
    EXPECT_EQ(PaddedWidth(0), 0);
    EXPECT_EQ(PaddedWidth(-5), 0);
    EXPECT_EQ(PaddedWidth(INT_MAX), INT_MAX / 4 * 4);
}

TEST(BuildTileViewImage, FiveWideTileHasPaddedZeroRows) {
    const Palette palette = DistinctPalette();
    const Tile tile = test::PatternTile(5, 3, 1);
    const TileViewImage image = BuildTileViewImage(tile, palette);

    DibHeader header;
    header.width = 8;
    header.height = -3;
    EXPECT_EQ(image.header, header);
    EXPECT_EQ(image.header.headerSize, 40);
    EXPECT_EQ(image.header.bitsPerPixel, 24);
    ASSERT_EQ(image.bytes.size(), 72u);
    // Second row, third pixel: byte 24 + 6, blue first.
    const PaletteEntry& c = palette[tile.Pixel(3, 2)];
    EXPECT_EQ(image.bytes[30], c.blue);
    EXPECT_EQ(image.bytes[31], c.green);
    EXPECT_EQ(image.bytes[32], c.red);
    for (std::size_t row = 0; row < 3; ++row) {
        for (std::size_t i = 15; i < 24; ++i) {
            EXPECT_EQ(image.bytes[row * 24 + i], 0) << "padding byte " << i << " of row " << row;
        }
    }
    ExpectViewImage(image, tile, palette);
}

TEST(BuildTileViewImage, EveryWidthRemainderAndShape) {
    const Palette palette = DistinctPalette();
    for (int width = 1; width <= 13; ++width) {
        for (const int height : {1, 2, 7, 64}) {
            ExpectViewImage(BuildTileViewImage(test::PatternTile(width, height, 3), palette),
                            test::PatternTile(width, height, 3), palette);
        }
    }
    // Tall and wide tiles, where rows are far apart in the column-major source.
    const Tile tall = test::PatternTile(6, 1500, 9);
    ExpectViewImage(BuildTileViewImage(tall, palette), tall, palette);
    const Tile wide = test::PatternTile(1501, 3, 9);
    ExpectViewImage(BuildTileViewImage(wide, palette), wide, palette);
}

TEST(BuildTileViewImage, UsesThePaletteAsGiven) {
    Palette black;
    const TileViewImage dark = BuildTileViewImage(test::PatternTile(4, 4), black);
    ASSERT_EQ(dark.bytes.size(), 48u);
    for (const std::uint8_t byte : dark.bytes) {
        EXPECT_EQ(byte, 0);
    }
    Palette one;
    one[200] = {255, 128, 1};
    Tile tile = test::PatternTile(1, 1);
    tile.Pixel(1, 1) = 200;
    const TileViewImage image = BuildTileViewImage(tile, one);
    EXPECT_EQ(std::vector<std::uint8_t>(image.bytes.begin(), image.bytes.end()),
              (std::vector<std::uint8_t>{1, 128, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(BuildTileViewImage, TilesWithoutAreaGiveNoBytes) {
    const Palette palette = DistinctPalette();
    const std::pair<int, int> sizes[] = {{0, 0}, {0, 5}, {5, 0}, {-4, 3}, {3, -4}};
    for (const auto& [width, height] : sizes) {
        Tile tile;
        tile.width = static_cast<std::int16_t>(width);
        tile.height = static_cast<std::int16_t>(height);
        const TileViewImage image = BuildTileViewImage(tile, palette);
        EXPECT_TRUE(image.bytes.empty()) << width << "x" << height;
        EXPECT_EQ(image.header.height, -height);
        EXPECT_EQ(image.header.width, PaddedWidth(width));
    }
}

TEST(BuildTileViewImage, MissingPixelsDrawBlack) {
    const Palette palette = DistinctPalette();
    Tile tile = test::PatternTile(6, 4, 2);
    tile.pixels.resize(9);  // the first two columns and one pixel of the third
    const TileViewImage image = BuildTileViewImage(tile, palette);
    ASSERT_EQ(image.bytes.size(), 8u * 3 * 4);
    const auto pixelAt = [&image](std::size_t x, std::size_t y) {
        const std::size_t at = (y - 1) * 24 + (x - 1) * 3;
        return PaletteEntry{image.bytes[at + 2], image.bytes[at + 1], image.bytes[at]};
    };
    EXPECT_EQ(pixelAt(2, 4), palette[static_cast<std::uint8_t>(2 + 16 * 2 + 4)]);
    EXPECT_EQ(pixelAt(3, 1), palette[static_cast<std::uint8_t>(2 + 16 * 3 + 1)]);
    EXPECT_EQ(pixelAt(3, 2), PaletteEntry{});
    EXPECT_EQ(pixelAt(6, 4), PaletteEntry{});
}

TEST(OffsetsText, EachRangeOfTheStoredBytes) {
    const auto text = [](std::uint8_t x, std::uint8_t y) {
        return OffsetsText(TileAttributes{0, x, y, 0});
    };
    EXPECT_EQ(text(0, 0), " Offsets: 0,0");
    EXPECT_EQ(text(3, 5), " Offsets: -3,5");
    EXPECT_EQ(text(1, 1), " Offsets: -1,1");
    EXPECT_EQ(text(127, 127), " Offsets: -127,127");
    EXPECT_EQ(text(128, 128), " Offsets: 128,-128");
    EXPECT_EQ(text(251, 250), " Offsets: 5,-6");
    EXPECT_EQ(text(255, 255), " Offsets: 1,-1");
    // Bytes 0 and 3 play no part.
    EXPECT_EQ(OffsetsText(TileAttributes{255, 5, 0, 255}), " Offsets: -5,0");
}

TEST(TileStatusText, NumberCountNameSizeAndOffsets) {
    Tile tile;
    tile.width = 32;
    tile.height = 48;
    tile.attributes = {0, 3, 5, 0};
    EXPECT_EQ(TileStatusText(12, 256, "", tile), "12/256 - 32x48 Offsets: -3,5");
    tile.attributes = {0, 0, 0, 0};
    EXPECT_EQ(TileStatusText(12, 256, "DOOR1", tile), "12/256 - DOOR1 - 32x48 Offsets: 0,0");

    Tile cleared;
    EXPECT_EQ(TileStatusText(1, 1, "", cleared), "1/1 - 0x0 Offsets: 0,0");
    cleared.attributes = {0, 251, 250, 0};
    EXPECT_EQ(TileStatusText(9999, 32767, "A B", cleared), "9999/32767 - A B - 0x0 Offsets: 5,-6");
}

// Every tile of a real tileset, of all the sizes it holds, through its real palette.
TEST(BuildTileViewImage, RealTilesetMatchesItsPixels) {
    const auto fixtures = test::LoadKenBuildFixtures();
    if (!fixtures) {
        GTEST_SKIP() << "fixtures absent";
    }
    const Tileset* tileset = &fixtures->tileset;
    const Palette* palette = &fixtures->palette;
    int drawn = 0;
    for (const Tile& tile : tileset->tiles) {
        const TileViewImage image = BuildTileViewImage(tile, *palette);
        if (tile.width > 0 && tile.height > 0) {
            ExpectViewImage(image, tile, *palette);
            ++drawn;
        } else {
            EXPECT_TRUE(image.bytes.empty());
        }
    }
    EXPECT_GT(drawn, 0);
}

}  // namespace
}  // namespace pixmill
