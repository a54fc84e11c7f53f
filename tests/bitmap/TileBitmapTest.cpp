#include "bitmap/TileBitmap.h"

#include <gtest/gtest.h>

#include "tests/TestSupport.h"

namespace pixmill {
namespace {

using test::Bytes;
using test::Get32;
using test::PatternTile;
using test::Put32;

Palette TestPalette() {
    Palette palette;
    for (std::size_t i = 0; i < 256; ++i) {
        palette[i] = {static_cast<std::uint8_t>(i), 7, static_cast<std::uint8_t>(255 - i)};
    }
    return palette;
}

TEST(BitmapExport, HeaderAndColourTable) {
    const Bytes b = TileBitmapBytes(PatternTile(5, 3), TestPalette());
    ASSERT_EQ(b.size(), 1102u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(Get32(b, 2), 0);  // not the file length
    EXPECT_EQ(Get32(b, 6), 0);
    EXPECT_EQ(Get32(b, 10), 1078);
    EXPECT_EQ(Get32(b, 14), 40);
    EXPECT_EQ(Get32(b, 18), 5);
    EXPECT_EQ(Get32(b, 22), 3);
    EXPECT_EQ(b[26] | b[27] << 8, 1);
    EXPECT_EQ(b[28] | b[29] << 8, 8);
    EXPECT_EQ(Get32(b, 30), 0);
    EXPECT_EQ(Get32(b, 34), 0);
    EXPECT_EQ(Get32(b, 38), 33000);
    EXPECT_EQ(Get32(b, 42), 33000);
    EXPECT_EQ(Get32(b, 46), 256);
    EXPECT_EQ(Get32(b, 50), 256);
    // Blue, green, red, 0.
    EXPECT_EQ(Bytes(b.begin() + 54, b.begin() + 62), (Bytes{255, 7, 0, 0, 254, 7, 1, 0}));
    EXPECT_EQ(Bytes(b.begin() + 1074, b.begin() + 1078), (Bytes{0, 7, 255, 0}));
}

TEST(BitmapExport, RowsBottomFirstPaddedToFour) {
    const Tile tile = PatternTile(5, 3);
    const Bytes b = TileBitmapBytes(tile, TestPalette());
    for (int row = 0; row < 3; ++row) {
        const int y = 3 - row;
        const std::size_t at = 1078 + 8 * static_cast<std::size_t>(row);
        for (int x = 1; x <= 5; ++x) {
            EXPECT_EQ(b[at + static_cast<std::size_t>(x - 1)], tile.Pixel(x, y)) << x << "," << y;
        }
        EXPECT_EQ(
            Bytes(b.begin() + static_cast<long>(at) + 5, b.begin() + static_cast<long>(at) + 8),
            (Bytes{0, 0, 0}));
    }
    EXPECT_EQ(TileBitmapBytes(PatternTile(4, 4), TestPalette()).size(), 1094u);
    const Bytes empty = TileBitmapBytes(Tile{}, TestPalette());
    EXPECT_EQ(empty.size(), 1078u);
    EXPECT_EQ(Get32(empty, 18), 0);
    EXPECT_EQ(Get32(empty, 22), 0);
}

TEST(BitmapExport, BatchNamesDropTheLastFourCharacters) {
    EXPECT_EQ(BatchBitmapPath("/out/tiles.bmp", 1), "/out/tiles0001.BMP");
    EXPECT_EQ(BatchBitmapPath("/out/tiles.bmp", 12), "/out/tiles0012.BMP");
    EXPECT_EQ(BatchBitmapPath("/out/tiles", 3), "/out/t0003.BMP");
    EXPECT_EQ(BatchBitmapPath("abc", 4096), "4096.BMP");
    // Characters, not bytes: "é" and "€" are one each.
    EXPECT_EQ(BatchBitmapPath("/out/tuilé€.bmp", 2), "/out/tuilé€0002.BMP");
    EXPECT_EQ(BatchBitmapPath("/out/nécé", 2), "/out/0002.BMP");
    EXPECT_EQ(BatchBitmapPath("/out/xnécé", 2), "/out/x0002.BMP");
    // Only the file's name is cut: a short name leaves its folder whole.
    EXPECT_EQ(BatchBitmapPath("out/t", 1), "out/0001.BMP");
    EXPECT_EQ(BatchBitmapPath("/a/bc/", 1), "/a/bc/0001.BMP");
}

TEST(BitmapImport, GivesBackWhatExportWrote) {
    for (auto [w, h] : {std::pair{5, 3}, {4, 4}, {1, 1}, {0, 0}, {0, 7}, {9, 0}, {257, 2}}) {
        const Tile tile = PatternTile(w, h, 3);
        auto read = ReadTileBitmap(TileBitmapBytes(tile, TestPalette()));
        ASSERT_TRUE(read) << w << "x" << h << ": " << read.reason();
        EXPECT_EQ(read->width, w);
        EXPECT_EQ(read->height, h);
        EXPECT_EQ(read->pixels, tile.pixels) << w << "x" << h;
    }
}

TEST(BitmapImport, ReadsTopDownRowsAndRowsWhereTheHeaderPutsThem) {
    const Tile tile = PatternTile(3, 2);
    // 16-colour table: rows start at 54 + 64 = 118.
    Bytes b(118 + 8, 0);
    Bytes exported = TileBitmapBytes(tile, TestPalette());
    std::copy_n(exported.begin(), 54, b.begin());
    Put32(b, 10, 118);
    Put32(b, 22, -2);  // top row first
    for (int x = 1; x <= 3; ++x) {
        b[118 + static_cast<std::size_t>(x - 1)] = tile.Pixel(x, 1);
        b[122 + static_cast<std::size_t>(x - 1)] = tile.Pixel(x, 2);
    }
    auto read = ReadTileBitmap(b);
    ASSERT_TRUE(read) << read.reason();
    EXPECT_EQ(read->height, 2);
    EXPECT_EQ(read->pixels, tile.pixels);

    // An offset field that points nowhere sensible falls back to 1078.
    for (std::int32_t offset : {0, 53, 5000}) {
        Put32(exported, 10, offset);
        auto fallback = ReadTileBitmap(exported);
        ASSERT_TRUE(fallback) << offset;
        EXPECT_EQ(fallback->pixels, tile.pixels);
    }
}

TEST(BitmapImport, RefusesWhatItCannotRead) {
    const Bytes good = TileBitmapBytes(PatternTile(5, 3), TestPalette());
    auto with = [&](std::size_t at, std::int32_t value) {
        Bytes b = good;
        Put32(b, at, value);
        return b;
    };
    Bytes deep = good;
    deep[28] = 24;
    Bytes fourBit = good;
    fourBit[28] = 4;
    EXPECT_EQ(ReadTileBitmap(deep).reason(), kOnlyEightBitBitmaps);
    EXPECT_EQ(ReadTileBitmap(fourBit).reason(), kOnlyEightBitBitmaps);

    Bytes huge(40, 0);
    std::copy_n(good.begin(), 40, huge.begin());
    struct Case {
        const char* what;
        Bytes bytes;
        const char* reasonHas;
    };
    const Case cases[] = {
        {"compressed", with(30, 1), "compressed"},
        {"old header", with(14, 12), "header"},
        {"too wide", with(18, 32768), "at most"},
        {"negative width", with(18, -1), "at most"},
        {"too tall", with(22, -32768), "at most"},
        {"rows cut short", Bytes(good.begin(), good.end() - 1), "ends inside"},
        {"30000 x 30000 claimed", with(18, 30000), "ends inside"},
        {"header cut short", huge, "too short"},
    };
    for (const Case& c : cases) {
        auto read = ReadTileBitmap(c.bytes);
        ASSERT_FALSE(read) << c.what;
        EXPECT_NE(read.reason().find(c.reasonHas), std::string::npos)
            << c.what << ": " << read.reason();
    }
}

TEST(BitmapImport, DamagedFilesGiveAReasonOrAConsistentPicture) {
    const Bytes good = TileBitmapBytes(PatternTile(7, 5), TestPalette());
    for (const Bytes& damaged : test::DamagedCopies(good, 3000)) {
        auto read = ReadTileBitmap(damaged);
        if (!read) {
            ASSERT_FALSE(read.reason().empty());
            continue;
        }
        ASSERT_GE(read->width, 0);
        ASSERT_GE(read->height, 0);
        ASSERT_EQ(read->pixels.size(), read->PixelCount());
    }
}

TEST(BitmapImport, ReplacesThePictureAndKeepsTheAttributes) {
    Tile tile = PatternTile(2, 2);
    tile.attributes = {0x47, 3, 250, 9};
    ReplacePicture(tile, PatternTile(5, 3, 9));
    EXPECT_EQ(tile.width, 5);
    EXPECT_EQ(tile.height, 3);
    EXPECT_EQ(tile.pixels, PatternTile(5, 3, 9).pixels);
    EXPECT_EQ(tile.attributes, (std::array<std::uint8_t, 4>{0x47, 3, 250, 9}));
}

TEST(BitmapFile, WritesAndReadsThroughFiles) {
    test::ScratchDir dir;
    const Tile tile = PatternTile(6, 5);
    const std::string path = dir.Path("t.bmp");
    ASSERT_TRUE(WriteTileBitmapFile(tile, TestPalette(), path));
    EXPECT_EQ(test::ReadBytes(path), TileBitmapBytes(tile, TestPalette()));
    auto read = ReadTileBitmapFile(path);
    ASSERT_TRUE(read) << read.reason();
    EXPECT_EQ(read->pixels, tile.pixels);
    EXPECT_FALSE(ReadTileBitmapFile(dir.Path("absent.bmp")));
}

}  // namespace
}  // namespace pixmill
