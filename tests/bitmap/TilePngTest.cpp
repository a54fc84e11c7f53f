#include "bitmap/TilePng.h"

#include <gtest/gtest.h>
#include <png.h>

#include "bitmap/ColourMatch.h"
#include "tests/TestSupport.h"

namespace pixmill {
namespace {

using test::Bytes;
using test::PatternTile;

// Every entry a different colour, none in palette order.
Palette TestPalette() {
    Palette palette;
    for (std::size_t i = 0; i < 256; ++i) {
        palette[i] = {static_cast<std::uint8_t>(i * 4), static_cast<std::uint8_t>(255 - i),
                      static_cast<std::uint8_t>(i * 7)};
    }
    return palette;
}

// A PNG made by libpng's own simple writer, not by the code under test: rows
// top first, `channels` bytes a pixel (1 grey, 3 RGB, 4 RGBA).
Bytes ForeignPng(int width, int height, int channels, const Bytes& rows) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = channels == 1   ? PNG_FORMAT_GRAY
                   : channels == 3 ? PNG_FORMAT_RGB
                                   : PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    EXPECT_NE(png_image_write_to_memory(&image, nullptr, &size, 0, rows.data(), 0, nullptr), 0);
    Bytes png(size);
    EXPECT_NE(png_image_write_to_memory(&image, png.data(), &size, 0, rows.data(), 0, nullptr), 0);
    png.resize(size);
    return png;
}

// The tile's colours, rows top first, as RGB(A).
Bytes ColoursOf(const Tile& tile, const Palette& palette, int channels) {
    Bytes rows;
    for (int y = 1; y <= tile.height; ++y) {
        for (int x = 1; x <= tile.width; ++x) {
            const PaletteEntry& c = palette[tile.Pixel(x, y)];
            rows.insert(rows.end(), {c.red, c.green, c.blue});
            if (channels == 4) {
                rows.push_back(static_cast<std::uint8_t>(x * 50));
            }
        }
    }
    return rows;
}

void ExpectSamePicture(const Tile& got, const Tile& expected) {
    EXPECT_EQ(got.width, expected.width);
    EXPECT_EQ(got.height, expected.height);
    EXPECT_TRUE(std::equal(got.pixels.begin(), got.pixels.end(), expected.pixels.begin(),
                           expected.pixels.end()));
}

TEST(TilePng, ExportThenImportGivesTheSameTileAndThePaletteAsColourTable) {
    // Sizes across the 64-row bands of both directions.
    for (auto [w, h] : {std::pair{1, 1}, {5, 3}, {70, 130}, {300, 2}, {2, 65}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        const Tile tile = PatternTile(w, h, static_cast<std::uint8_t>(w));
        auto png = TilePngBytes(tile, TestPalette());
        ASSERT_TRUE(png) << png.reason();
        EXPECT_EQ((*png)[24], 8);  // bit depth
        EXPECT_EQ((*png)[25], 3);  // colour type: indexed
        auto back = ReadTilePng(*png);
        ASSERT_TRUE(back) << back.reason();
        ExpectSamePicture(back->tile, tile);
        const Palette palette = TestPalette();
        EXPECT_EQ(back->colourTable, std::vector<PaletteEntry>(palette.begin(), palette.end()));
    }
    EXPECT_FALSE(TilePngBytes(Tile{}, TestPalette()));
    EXPECT_FALSE(TilePngBytes(PatternTile(0, 5), TestPalette()));
}

TEST(TilePng, MatchingMapsAReorderedTableOrPlainColoursBack) {
    const Palette palette = TestPalette();
    const Tile tile = PatternTile(37, 70, 3);
    // The same picture with its colour table reversed, as after an image editor.
    Palette reversed;
    Tile reindexed = tile;
    for (std::size_t i = 0; i < 256; ++i) {
        reversed[i] = palette[255 - i];
    }
    for (std::uint8_t& p : reindexed.pixels) {
        p = static_cast<std::uint8_t>(255 - p);
    }
    auto indexed = TilePngBytes(reindexed, reversed);
    ASSERT_TRUE(indexed);
    auto asTheyAre = ReadTilePng(*indexed);
    ASSERT_TRUE(asTheyAre);
    ExpectSamePicture(asTheyAre->tile, reindexed);
    EXPECT_TRUE(ColourTableDiffers(asTheyAre->colourTable, palette));
    // Pixels at least half transparent (alpha x * 50, kept to 8 bits, below
    // 128) become 255, the engine's see-through colour.
    Tile seeThrough = tile;
    for (int x = 1; x <= tile.width; ++x) {
        for (int y = 1; y <= tile.height; ++y) {
            if (static_cast<std::uint8_t>(x * 50) < 128) {
                seeThrough.Pixel(x, y) = 255;
            }
        }
    }
    for (const auto& [png, expected] :
         {std::pair{*indexed, tile},
          {ForeignPng(37, 70, 3, ColoursOf(tile, palette, 3)), tile},
          {ForeignPng(37, 70, 4, ColoursOf(tile, palette, 4)), seeThrough}}) {
        auto matched = ReadTilePng(png, &palette);
        ASSERT_TRUE(matched) << matched.reason();
        ExpectSamePicture(matched->tile, expected);
    }
    // Grey is not indexed: refused as it is, matched when asked.
    const Bytes grey = ForeignPng(2, 1, 1, {10, 200});
    auto refused = ReadTilePng(grey);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.reason(), kOnlyIndexedPngs);
    EXPECT_TRUE(ReadTilePng(grey, &palette));
}

TEST(TilePng, NearestColourIsBySquaredDistanceAndTiesGoToTheLowestIndex) {
    Palette palette{};  // all black but three
    palette[1] = {100, 100, 100};
    palette[2] = {110, 100, 100};
    palette[3] = {100, 100, 100};
    NearestColour nearest(palette);
    EXPECT_EQ(nearest(100, 100, 100), 1);  // 1 and 3 are equal
    EXPECT_EQ(nearest(105, 100, 100), 1);  // 1 and 2 are as near
    EXPECT_EQ(nearest(106, 100, 100), 2);
    EXPECT_EQ(nearest(20, 20, 20), 0);     // 0 and 4..255 are black
    EXPECT_EQ(nearest(106, 100, 100), 2);  // remembered, same answer
}

TEST(TilePng, BrokenAndHostilePngsAreRefused) {
    const Palette palette = TestPalette();
    auto good = TilePngBytes(PatternTile(40, 40), palette);
    ASSERT_TRUE(good);
    const std::size_t idat = std::string(good->begin(), good->end()).find("IDAT");
    ASSERT_NE(idat, std::string::npos);
    // The picture's width and height in its IHDR.
    const auto sized = [&](std::uint32_t width, std::uint32_t height) {
        Bytes b = *good;
        for (int k = 0; k < 4; ++k) {
            b[16 + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(width >> (24 - 8 * k));
            b[20 + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(height >> (24 - 8 * k));
        }
        return b;
    };
    Bytes corrupt = *good;
    corrupt[idat + 10] ^= 0x55;
    // Pictures of 30000 x 30000 claimed by a file of a few hundred bytes: refused
    // by the file's length before libpng reads on or a tile is allocated.
    const std::vector<std::pair<Bytes, std::string>> broken{
        {{}, "too short for a PNG"},
        {Bytes(100, 'B'), "not a PNG file"},
        {Bytes(good->begin(), good->begin() + 40), "libpng"},
        {Bytes(good->begin(), good->end() - 30), "libpng"},
        {corrupt, "libpng"},
        {sized(40000, 40), "a tile is 1 x 1 to 32767 x 32767"},
        {sized(40, 0), "a tile is 1 x 1"},
        {sized(30000, 30000), "too short for a picture of 30000 x 30000"},
        {sized(32767, 2000), "too short for a picture of 32767 x 2000"}};
    for (const auto& [bytes, why] : broken) {
        SCOPED_TRACE(why);
        for (const Palette* match : {static_cast<const Palette*>(nullptr), &palette}) {
            auto read = ReadTilePng(bytes, match);
            ASSERT_FALSE(read);
            EXPECT_NE(read.reason().find(why), std::string::npos) << read.reason();
        }
    }
}

}  // namespace
}  // namespace pixmill
