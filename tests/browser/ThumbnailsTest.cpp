#include "browser/Thumbnails.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <climits>
#include <cmath>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "tests/TestSupport.h"

namespace pixmill {
namespace {

constexpr std::size_t kRowBytes = 1680;
constexpr std::size_t kCellRowBytes = kRowBytes * 70;

// No entry is black and each differs from every other in each channel, so a
// black pixel was never drawn and a wrong index or swapped channel shows.
Palette DistinctPalette() {
    Palette palette;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        palette[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                      static_cast<std::uint8_t>(i * 37 + 11)};
    }
    return palette;
}

PaletteEntry PixelAt(std::span<const std::uint8_t> bytes, std::size_t px, std::size_t py) {
    const std::size_t at = py * kRowBytes + px * 3;
    return {bytes[at + 2], bytes[at + 1], bytes[at]};
}
PaletteEntry PixelAt(const ThumbnailImage& image, std::size_t px, std::size_t py) {
    return PixelAt(image.bytes(), px, py);
}

std::size_t LitPixels(const ThumbnailImage& image) {
    std::size_t lit = 0;
    for (std::size_t at = 0; at + 3 <= image.bytes().size(); at += 3) {
        const bool black =
            image.bytes()[at] == 0 && image.bytes()[at + 1] == 0 && image.bytes()[at + 2] == 0;
        lit += black ? 0 : 1;
    }
    return lit;
}

Tileset TilesetOf(std::vector<Tile> tiles) {
    Tileset tileset;
    tileset.tiles = std::move(tiles);
    tileset.lastTileNumber = tileset.tileCount() - 1;
    return tileset;
}

// Pixel (x, y) holds value(x, y), so a thumbnail pixel tells which tile pixel it shows.
Tile ColumnTile(int width, int height) {
    return test::TileOf(width, height, [](int x, int) { return x; });
}
Tile RowTile(int width, int height) {
    return test::TileOf(width, height, [](int, int y) { return y; });
}
Tile FlatTile(int width, int height, int index) {
    return test::TileOf(width, height, [index](int, int) { return index; });
}

// Half to even, the way the floating-point unit rounds by default.
int EvenSample(int coordinate, double scale) {
    return static_cast<int>(std::nearbyint(coordinate * scale));
}

// Checks tile t's whole 70 x 70 cell: the thumbnail at its top left, black elsewhere.
void ExpectCell(const ThumbnailImage& image, int t, const Tile& tile, const Palette& palette) {
    const auto left = static_cast<std::size_t>((t - 1) % 8 * 70);
    const auto top = static_cast<std::size_t>((t - 1) / 8) * 70;
    const ThumbnailSize size = ThumbnailSizeOf(tile.width, tile.height);
    const double scale = ThumbnailScale(tile.width, tile.height);
    for (int y = 1; y <= 70; ++y) {
        for (int x = 1; x <= 70; ++x) {
            PaletteEntry want{};
            if (x <= size.width && y <= size.height) {
                want = palette[tile.Pixel(EvenSample(x, scale), EvenSample(y, scale))];
            }
            const auto px = left + static_cast<std::size_t>(x - 1);
            const auto py = top + static_cast<std::size_t>(y - 1);
            ASSERT_EQ(PixelAt(image, px, py), want) << "tile " << t << " pixel " << x << "," << y
                                                    << " of " << tile.width << "x" << tile.height;
        }
    }
}

TEST(ThumbnailRows, EightTilesToARow) {
    EXPECT_EQ(ThumbnailRows(0), 0);
    EXPECT_EQ(ThumbnailRows(1), 1);
    EXPECT_EQ(ThumbnailRows(8), 1);
    EXPECT_EQ(ThumbnailRows(9), 2);
    EXPECT_EQ(ThumbnailRows(256), 32);
    EXPECT_EQ(ThumbnailRows(3744), 468);
    EXPECT_EQ(ThumbnailRows(3745), 469);
    EXPECT_EQ(ThumbnailRows(32767), 4096);
    EXPECT_EQ(ThumbnailRows(-3), 0);
    EXPECT_EQ(ThumbnailRows(INT_MAX), INT_MAX / 8 + 1);
}

TEST(ThumbnailScale, LongerSideBroughtTo64) {
    EXPECT_EQ(ThumbnailScale(64, 64), 1);
    EXPECT_EQ(ThumbnailScale(10, 64), 1);
    EXPECT_EQ(ThumbnailScale(128, 32), 2);
    EXPECT_EQ(ThumbnailScale(32, 200), 3.125);
    EXPECT_EQ(ThumbnailScale(96, 96), 1.5);  // square: by its width
    EXPECT_EQ(ThumbnailScale(65, 10), 65 / 64.0);
    EXPECT_EQ(ThumbnailScale(100, 200), 3.125);
    EXPECT_EQ(ThumbnailScale(200, 100), 3.125);
    EXPECT_EQ(ThumbnailScale(0, 0), 1);
}

TEST(ThumbnailSizeOf, FitsWithin64RoundedDown) {
    EXPECT_EQ(ThumbnailSizeOf(64, 64), (ThumbnailSize{64, 64}));
    EXPECT_EQ(ThumbnailSizeOf(1, 1), (ThumbnailSize{1, 1}));
    EXPECT_EQ(ThumbnailSizeOf(128, 32), (ThumbnailSize{64, 16}));
    EXPECT_EQ(ThumbnailSizeOf(32, 200), (ThumbnailSize{10, 64}));
    EXPECT_EQ(ThumbnailSizeOf(96, 96), (ThumbnailSize{64, 64}));
    EXPECT_EQ(ThumbnailSizeOf(65, 10), (ThumbnailSize{64, 9}));  // 9.85 rounds down
    EXPECT_EQ(ThumbnailSizeOf(10, 65), (ThumbnailSize{9, 64}));
    EXPECT_EQ(ThumbnailSizeOf(32767, 1), (ThumbnailSize{64, 0}));  // too flat to show
    for (int side = 65; side <= 4096; ++side) {
        ASSERT_EQ(ThumbnailSizeOf(side, side), (ThumbnailSize{64, 64})) << side;
        ASSERT_EQ(ThumbnailSizeOf(side, 1).width, 64) << side;
        ASSERT_EQ(ThumbnailSizeOf(1, side).height, 64) << side;
    }
    EXPECT_EQ(ThumbnailSizeOf(0, 0), (ThumbnailSize{0, 0}));
    EXPECT_EQ(ThumbnailSizeOf(0, 50), (ThumbnailSize{0, 0}));
    EXPECT_EQ(ThumbnailSizeOf(-5, 50), (ThumbnailSize{0, 0}));
}

TEST(ThumbnailSample, HalvesGoToTheEvenNeighbour) {
    // s = 1.5: 1.5 -> 2, 3, 4.5 -> 4, 6.
    EXPECT_EQ(ThumbnailSample(1, 1.5), 2);
    EXPECT_EQ(ThumbnailSample(2, 1.5), 3);
    EXPECT_EQ(ThumbnailSample(3, 1.5), 4);
    EXPECT_EQ(ThumbnailSample(4, 1.5), 6);
    // s = 3.125: 12.5 -> 12, 37.5 -> 38.
    EXPECT_EQ(ThumbnailSample(4, 3.125), 12);
    EXPECT_EQ(ThumbnailSample(12, 3.125), 38);
    EXPECT_EQ(ThumbnailSample(64, 3.125), 200);
    EXPECT_EQ(ThumbnailSample(7, 1), 7);
}

TEST(ThumbnailImage, TwoHundredFiftySixTilesScrollToTheLastPage) {
    std::vector<Tile> tiles;
    for (int t = 1; t <= 256; ++t) {
        tiles.push_back(FlatTile(3, 2, t % 256));
    }
    const Palette palette = DistinctPalette();
    ThumbnailImage image;
    image.Fill(TilesetOf(std::move(tiles)), palette);

    EXPECT_EQ(image.rows(), 32);
    EXPECT_EQ(image.pixelHeight(), 2240);
    EXPECT_EQ(image.bytes().size(), kRowBytes * 2240);
    EXPECT_EQ(BrowserScrollMax(image.rows()), 24);
    EXPECT_EQ(BrowserTileAt(0, 0, 24), 193);
    EXPECT_EQ(BrowserTileAt(559, 559, 24), 256);
    // The last page is exactly one page of bytes, and tile 193 opens it.
    const auto page = image.FromCellRow(24);
    ASSERT_EQ(page.size(), 560 * kRowBytes);
    EXPECT_EQ(PixelAt(page, 0, 0), palette[193]);
    EXPECT_EQ(PixelAt(page, 7 * 70 + 2, 7 * 70 + 1), palette[0]);  // tile 256
    EXPECT_EQ(PixelAt(page, 7 * 70 + 3, 7 * 70 + 1), PaletteEntry{});
    EXPECT_EQ(LitPixels(image), 256u * 6);
}

TEST(ThumbnailImage, FiveTilesFillOneRowAndTheRestIsBlack) {
    std::vector<Tile> tiles;
    for (int t = 1; t <= 5; ++t) {
        tiles.push_back(test::PatternTile(64, 64, static_cast<std::uint8_t>(t)));
    }
    const Palette palette = DistinctPalette();
    const Tileset tileset = TilesetOf(tiles);
    ThumbnailImage image;
    image.Fill(tileset, palette);

    EXPECT_EQ(image.rows(), 1);
    EXPECT_EQ(image.bytes().size(), kCellRowBytes);
    EXPECT_EQ(BrowserScrollMax(image.rows()), 0);
    for (int t = 1; t <= 5; ++t) {
        ExpectCell(image, t, tileset.tile(t), palette);
    }
    EXPECT_EQ(LitPixels(image), 5u * 64 * 64);
    EXPECT_EQ(image.FromCellRow(0).size(), kCellRowBytes);
    EXPECT_TRUE(image.FromCellRow(1).empty());
}

TEST(ThumbnailImage, WideTileSamplesEverySecondColumnAndRow) {
    const Palette palette = DistinctPalette();
    ThumbnailImage image;
    image.Fill(TilesetOf({ColumnTile(128, 32), RowTile(128, 32)}), palette);
    for (std::size_t y = 1; y <= 16; ++y) {
        for (std::size_t x = 1; x <= 64; ++x) {
            ASSERT_EQ(PixelAt(image, x - 1, y - 1), palette[2 * x]) << x << "," << y;
            ASSERT_EQ(PixelAt(image, 70 + x - 1, y - 1), palette[2 * y]) << x << "," << y;
        }
        EXPECT_EQ(PixelAt(image, 64, y - 1), PaletteEntry{});
    }
    EXPECT_EQ(PixelAt(image, 0, 16), PaletteEntry{});
    EXPECT_EQ(LitPixels(image), 2u * 64 * 16);
}

TEST(ThumbnailImage, TallTileIsTenBySixtyFour) {
    const Palette palette = DistinctPalette();
    ThumbnailImage image;
    const Tileset tileset = TilesetOf({RowTile(32, 200), ColumnTile(32, 200)});
    image.Fill(tileset, palette);
    ExpectCell(image, 1, tileset.tile(1), palette);
    ExpectCell(image, 2, tileset.tile(2), palette);
    // By hand: rows 3, 6, 9, 12 (12.5 to even), ..., 38 (37.5), ..., 200.
    EXPECT_EQ(PixelAt(image, 0, 0), palette[3]);
    EXPECT_EQ(PixelAt(image, 0, 3), palette[12]);
    EXPECT_EQ(PixelAt(image, 0, 11), palette[38]);
    EXPECT_EQ(PixelAt(image, 9, 63), palette[200]);
    EXPECT_EQ(PixelAt(image, 70 + 9, 0), palette[31]);  // 31.25
    EXPECT_EQ(PixelAt(image, 10, 0), PaletteEntry{});
    EXPECT_EQ(LitPixels(image), 2u * 10 * 64);
}

TEST(ThumbnailImage, SquareTileOfNinetySixSamplesHalvesToEven) {
    const Palette palette = DistinctPalette();
    ThumbnailImage image;
    image.Fill(TilesetOf({ColumnTile(96, 96), RowTile(96, 96)}), palette);
    const int expected[] = {2, 3, 4, 6, 8, 9, 10, 12};
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(PixelAt(image, i, 5), palette[static_cast<std::size_t>(expected[i])]) << i;
        EXPECT_EQ(PixelAt(image, 70 + 5, i), palette[static_cast<std::size_t>(expected[i])]) << i;
    }
    EXPECT_EQ(PixelAt(image, 63, 63), palette[96]);
    EXPECT_EQ(PixelAt(image, 70 + 63, 63), palette[96]);
    EXPECT_EQ(LitPixels(image), 2u * 64 * 64);
}

// Neighbours that share one side but not the other, and repeats of a size.
TEST(ThumbnailImage, EachTileSampledByItsOwnSize) {
    const Palette palette = DistinctPalette();
    const auto mixed = [](int x, int y) { return x * 7 + y * 3; };
    const Tileset tileset = TilesetOf(
        {test::TileOf(96, 96, mixed), test::TileOf(96, 32, mixed), test::TileOf(32, 96, mixed),
         test::TileOf(96, 96, mixed), test::TileOf(64, 64, mixed), test::TileOf(200, 200, mixed),
         test::TileOf(200, 200, mixed), test::TileOf(200, 64, mixed)});
    ThumbnailImage image;
    image.Fill(tileset, palette);
    for (int t = 1; t <= tileset.tileCount(); ++t) {
        ExpectCell(image, t, tileset.tile(t), palette);
    }
}

TEST(ThumbnailImage, SmallTilesFullSizeAndJustTooWideOnes) {
    const Palette palette = DistinctPalette();
    const Tileset tileset = TilesetOf({test::PatternTile(64, 64, 7), ColumnTile(65, 10),
                                       test::PatternTile(1, 1, 9), test::PatternTile(17, 63, 4)});
    ThumbnailImage image;
    image.Fill(tileset, palette);
    for (int t = 1; t <= 4; ++t) {
        ExpectCell(image, t, tileset.tile(t), palette);
    }
    // 64 x 64 as is.
    EXPECT_EQ(PixelAt(image, 63, 63), palette[tileset.tile(1).Pixel(64, 64)]);
    // 65 x 10 at 64 x 9: column 64 shows column 65, row 9 is black.
    EXPECT_EQ(PixelAt(image, 70 + 63, 0), palette[65]);
    EXPECT_EQ(PixelAt(image, 70 + 31, 0), palette[32]);  // 32 x 65 / 64 = 32.5, to even
    EXPECT_EQ(PixelAt(image, 70 + 64, 0), PaletteEntry{});
    EXPECT_EQ(PixelAt(image, 70, 9), PaletteEntry{});
    EXPECT_EQ(LitPixels(image), 64u * 64 + 64 * 9 + 1 + 17 * 63);
}

TEST(ThumbnailImage, TilesWithoutAreaOrPixelsLeaveTheirCellBlack) {
    const Palette palette = DistinctPalette();
    Tile empty;
    Tile flat = FlatTile(0, 30, 5);
    Tile negative;
    negative.width = -20;
    negative.height = 20;
    Tile shortOfPixels = FlatTile(10, 10, 5);
    shortOfPixels.pixels.resize(99);
    const Tileset tileset = TilesetOf({empty, FlatTile(2, 2, 1), flat, negative, shortOfPixels});
    ThumbnailImage image;
    image.Fill(tileset, palette);
    EXPECT_EQ(image.rows(), 1);
    EXPECT_EQ(LitPixels(image), 4u);
    EXPECT_EQ(PixelAt(image, 70, 0), palette[1]);
}

// More tiles than 3744 (468 rows, where 16-bit pixel rows end) still land
// where they belong and can be reached by a click.
TEST(ThumbnailImage, FiveThousandTilesReachTheLastOne) {
    std::vector<Tile> tiles;
    for (int t = 1; t <= 5000; ++t) {
        tiles.push_back(FlatTile(2, 1, t % 251 + 1));
    }
    const Palette palette = DistinctPalette();
    ThumbnailImage image;
    image.Fill(TilesetOf(std::move(tiles)), palette);

    ASSERT_EQ(image.rows(), 625);
    EXPECT_EQ(image.bytes().size(), 625 * kCellRowBytes);
    const int last = BrowserScrollMax(image.rows());
    EXPECT_EQ(last, 617);
    // Tile 5000 is the last cell of cell row 624, the bottom right of the last page.
    EXPECT_EQ(BrowserTileAt(7 * 70 + 5, 7 * 70 + 5, last), 5000);
    const auto page = image.FromCellRow(last);
    ASSERT_EQ(page.size(), 560 * kRowBytes);
    EXPECT_EQ(PixelAt(page, 7 * 70 + 1, 7 * 70), palette[5000 % 251 + 1]);
    EXPECT_EQ(PixelAt(image, 7 * 70, 624 * 70), palette[5000 % 251 + 1]);
    EXPECT_EQ(PixelAt(image, 6 * 70, 624 * 70), palette[4999 % 251 + 1]);
    EXPECT_EQ(PixelAt(image, 0, 468 * 70), palette[3745 % 251 + 1]);
    EXPECT_EQ(LitPixels(image), 5000u * 2);
}

TEST(ThumbnailImage, RefillLeavesNothingOfTheLastFill) {
    const Palette palette = DistinctPalette();
    std::vector<Tile> big;
    for (int t = 1; t <= 24; ++t) {
        big.push_back(FlatTile(200, 200, t));
    }
    ThumbnailImage image;
    image.Fill(TilesetOf(big), palette);
    ASSERT_EQ(LitPixels(image), 24u * 64 * 64);

    // Same size: every byte the big thumbnails covered is written again.
    image.Fill(TilesetOf(std::vector<Tile>(24, Tile{})), palette);
    EXPECT_EQ(image.rows(), 3);
    EXPECT_EQ(LitPixels(image), 0u);

    image.Fill(TilesetOf(big), palette);
    image.Fill(TilesetOf(std::vector<Tile>(9, FlatTile(3, 2, 77))), palette);
    EXPECT_EQ(image.rows(), 2);
    EXPECT_EQ(image.bytes().size(), 2 * kCellRowBytes);
    EXPECT_EQ(LitPixels(image), 9u * 6);

    image.Fill(Tileset{}, palette);
    EXPECT_EQ(image.rows(), 0);
    EXPECT_TRUE(image.bytes().empty());
    EXPECT_TRUE(image.FromCellRow(0).empty());
}

TEST(ThumbnailImage, FromCellRowStartsAtThatRow) {
    ThumbnailImage image;
    image.Fill(TilesetOf(std::vector<Tile>(20, FlatTile(1, 1, 1))), DistinctPalette());
    ASSERT_EQ(image.rows(), 3);
    EXPECT_EQ(image.FromCellRow(0).data(), image.bytes().data());
    EXPECT_EQ(image.FromCellRow(2).data(), image.bytes().data() + 2 * kCellRowBytes);
    EXPECT_EQ(image.FromCellRow(2).size(), kCellRowBytes);
    EXPECT_TRUE(image.FromCellRow(3).empty());
    EXPECT_TRUE(image.FromCellRow(-1).empty());
    EXPECT_TRUE(image.FromCellRow(INT_MIN).empty());
}

TEST(BrowserPage, HeaderScrollRangeAndClicks) {
    DibHeader header;
    header.width = 560;
    header.height = -560;
    EXPECT_EQ(BrowserPageHeader(), header);

    EXPECT_EQ(BrowserScrollMax(0), 0);
    EXPECT_EQ(BrowserScrollMax(8), 0);
    EXPECT_EQ(BrowserScrollMax(9), 1);
    EXPECT_EQ(BrowserScrollMax(32), 24);

    // Fourth cell of the page's third row, scrolled by 5: (2 + 5) x 8 + 3 + 1.
    EXPECT_EQ(BrowserTileAt(3 * 70 + 10, 2 * 70 + 69, 5), 60);
    // The whole 70 x 70 cell counts, margins included.
    EXPECT_EQ(BrowserTileAt(0, 0, 0), 1);
    EXPECT_EQ(BrowserTileAt(69, 69, 0), 1);
    EXPECT_EQ(BrowserTileAt(70, 69, 0), 2);
    EXPECT_EQ(BrowserTileAt(69, 70, 0), 9);
    // Scroll values beyond 16 bits do not wrap.
    EXPECT_EQ(BrowserTileAt(0, 0, INT_MAX), std::int64_t{INT_MAX} * 8 + 1);
    // Outside the page: no tile.
    EXPECT_EQ(BrowserTileAt(-1, 0, 0), 0);
    EXPECT_EQ(BrowserTileAt(0, -1, 3), 0);
    EXPECT_EQ(BrowserTileAt(560, 0, 0), 0);
    EXPECT_EQ(BrowserTileAt(0, 560, 0), 0);
}

// The browser at other widths and heights: whole columns, rows shown whole or
// in part, the page's arithmetic, and the current tile kept in sight.
TEST(BrowserPage, OtherGridsCountTheirColumnsAndRows) {
    EXPECT_EQ(BrowserGridFor(560, 560), (BrowserGrid{8, 8, 8}));
    EXPECT_EQ(BrowserGridFor(1147, 600), (BrowserGrid{16, 9, 8}));
    EXPECT_EQ(BrowserGridFor(69, 10), (BrowserGrid{1, 1, 1}));
    EXPECT_EQ(ThumbnailRows(33, 16), 3);
    EXPECT_EQ(BrowserScrollMax(3, 2), 1);
    EXPECT_EQ(BrowserPageHeader(16, 9).width, 1120);
    EXPECT_EQ(BrowserPageHeader(16, 9).height, -630);
    // 16 columns, scrolled by 2: the second cell of the page's second row.
    EXPECT_EQ(BrowserTileAt(70, 70, 2, 16, 9), (1 + 2) * 16 + 1 + 1);
    EXPECT_EQ(BrowserTileAt(16 * 70, 0, 0, 16, 9), 0);  // past the last column
    EXPECT_EQ(BrowserTileAt(0, 9 * 70, 0, 16, 9), 0);   // past the last row

    const struct {
        int tile, columns, first, whole, expected;
    } sights[] = {
        {1, 8, 0, 8, 0},    {64, 8, 0, 8, 0},     {65, 8, 0, 8, 1},     {9, 8, 5, 8, 1},
        {200, 16, 0, 8, 5}, {200, 16, 12, 8, 12}, {200, 16, 13, 8, 12}, {0, 8, 4, 8, 4},
    };
    for (const auto& c : sights) {
        EXPECT_EQ(FirstRowShowing(c.tile, c.columns, c.first, c.whole), c.expected)
            << "tile " << c.tile << " from row " << c.first;
    }
}

// Decorated cells carry their position under the thumbnail, white on black,
// and an empty tile shows a faint checker; nothing else of the cell changes.
TEST(ThumbnailImage, DecoratedCellsShowTheirPositionAndEmptyTilesAChecker) {
    const Palette palette = DistinctPalette();
    std::vector<Tile> tiles(12, FlatTile(16, 16, 7));
    tiles[0] = FlatTile(64, 64, 9);
    tiles[1] = Tile{};
    const Tileset tileset = TilesetOf(tiles);
    ThumbnailImage plain;
    plain.Fill(tileset, palette);
    ThumbnailImage decorated;
    decorated.SetDecorated(true);
    decorated.Fill(tileset, palette);

    const PaletteEntry black{};
    const PaletteEntry white{255, 255, 255};
    // Tile 12 (row 1, column 3): "12" in a 9 x 7 box from (2, 17) under its 16 x 16 thumbnail.
    const std::size_t left = 3 * 70 + 2;
    const std::size_t top = 70 + 17;
    EXPECT_EQ(PixelAt(decorated, left, top), black);
    EXPECT_EQ(PixelAt(decorated, left + 2, top + 1), white);  // the 1's top
    EXPECT_EQ(PixelAt(decorated, left + 1, top + 1), black);
    EXPECT_EQ(PixelAt(decorated, left + 5, top + 5), white);  // the 2's foot
    EXPECT_EQ(PixelAt(decorated, left + 8, top + 6), black);
    EXPECT_EQ(PixelAt(decorated, 3 * 70 + 5, 70 + 5), palette[7]);  // the thumbnail stays
    // Tile 1 is 64 high: its label goes over its foot, clear of the cell's edge.
    EXPECT_EQ(PixelAt(decorated, 2, 61), black);
    EXPECT_EQ(PixelAt(decorated, 4, 62), white);
    EXPECT_EQ(PixelAt(decorated, 2, 60), palette[9]);
    // Tile 2 is empty: a checker of 8-pixel squares.
    EXPECT_EQ(PixelAt(decorated, 70, 0), (PaletteEntry{48, 48, 48}));
    EXPECT_EQ(PixelAt(decorated, 78, 0), (PaletteEntry{28, 28, 28}));
    EXPECT_EQ(PixelAt(decorated, 70 + 63, 63), (PaletteEntry{48, 48, 48}));
    EXPECT_EQ(PixelAt(plain, 70, 0), black);

    // Everything else is the plain image: its label boxes and its empty cell aside.
    std::size_t differing = 0;
    for (std::size_t at = 0; at < plain.bytes().size(); ++at) {
        differing += plain.bytes()[at] != decorated.bytes()[at] ? 1u : 0u;
    }
    EXPECT_GT(differing, 0u);
    EXPECT_LT(differing, 3 * (64u * 64 + 12 * 9 * 7));
}

// A real tileset holds tiles of many sizes, some above 64 a side and some not a
// multiple of anything; every cell must match its tile through the real palette.
TEST(ThumbnailImage, RealTilesetMatchesItsTiles) {
    const auto fixtures = test::LoadKenBuildFixtures();
    if (!fixtures) {
        GTEST_SKIP() << "fixtures absent";
    }
    const Tileset* tileset = &fixtures->tileset;
    const Palette* palette = &fixtures->palette;
    ThumbnailImage image;
    image.Fill(*tileset, *palette);
    ASSERT_EQ(image.rows(), ThumbnailRows(tileset->tileCount()));
    int scaled = 0;
    for (int t = 1; t <= tileset->tileCount(); ++t) {
        ExpectCell(image, t, tileset->tile(t), *palette);
        scaled += ThumbnailScale(tileset->tile(t).width, tileset->tile(t).height) > 1 ? 1 : 0;
    }
    EXPECT_GT(scaled, 0);
}

}  // namespace
}  // namespace pixmill
