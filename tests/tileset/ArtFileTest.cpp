#include "tileset/ArtFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "tests/TestSupport.h"

namespace pixmill {
namespace {

using test::Bytes;
using test::Get32;
using test::PatternTile;
using test::Put16;
using test::Put32;
using test::ReadBytes;
using test::ScratchDir;
using test::WriteBytes;

// An ART file laid out by hand: header, tables for n = last - first + 1 tiles,
// the given pixel bytes.
Bytes ArtHeaderAndTables(std::int32_t countField, std::int32_t first, std::int32_t last,
                         const std::vector<std::pair<int, int>>& sizes) {
    const std::size_t n = sizes.size();
    Bytes b(16 + 8 * n, 0);
    Put32(b, 0, 1);
    Put32(b, 4, countField);
    Put32(b, 8, first);
    Put32(b, 12, last);
    for (std::size_t i = 0; i < n; ++i) {
        Put16(b, 16 + 2 * i, static_cast<std::int16_t>(sizes[i].first));
        Put16(b, 16 + 2 * n + 2 * i, static_cast<std::int16_t>(sizes[i].second));
        b[16 + 4 * n + 4 * i] = static_cast<std::uint8_t>(i + 1);
        b[16 + 4 * n + 4 * i + 3] = 16;
    }
    return b;
}

Tileset ThreeTileSet() {
    Tileset set;
    set.firstTileNumber = 0;
    set.lastTileNumber = 255;
    set.tiles.resize(256);
    set.tile(1) = PatternTile(2, 3);
    set.tile(1).attributes = {0x47, 0xFB, 0x05, 16};
    set.tile(3) = PatternTile(4, 1, 100);
    return set;
}

TEST(ArtLayout, TablesAndPixelsStandWhereTheFormatPutsThem) {
    auto bytes = ArtBytes(ThreeTileSet());
    ASSERT_TRUE(bytes);
    const Bytes& b = *bytes;
    ASSERT_EQ(b.size(), 2064u + 6 + 4);
    EXPECT_EQ(Get32(b, 0), 1);
    EXPECT_EQ(Get32(b, 4), 256);
    EXPECT_EQ(Get32(b, 8), 0);
    EXPECT_EQ(Get32(b, 12), 255);
    // Widths at 16, heights at 528, attributes at 1040, pixels at 2064.
    EXPECT_EQ(b[16], 2);
    EXPECT_EQ(b[20], 4);
    EXPECT_EQ(b[528], 3);
    EXPECT_EQ(b[532], 1);
    EXPECT_EQ(Bytes(b.begin() + 1040, b.begin() + 1044), (Bytes{0x47, 0xFB, 0x05, 16}));
    // The 2 x 3 tile column by column: (1,1) (1,2) (1,3) (2,1) (2,2) (2,3); the
    // 0 x 0 tile between takes no bytes, the 4 x 1 tile follows directly.
    EXPECT_EQ(Bytes(b.begin() + 2064, b.end()),
              (Bytes{17, 18, 19, 33, 34, 35, 117, 133, 149, 165}));
}

TEST(ArtRead, CountsTilesFromTheTileNumbersAndIgnoresTheCountField) {
    Bytes b = ArtHeaderAndTables(999, 10, 12, {{1, 2}, {0, 0}, {2, 1}});
    b.insert(b.end(), {1, 2, 3, 4});
    b.insert(b.end(), {0xEE, 0xEE});  // beyond the last tile: not kept
    auto set = ReadArt(b);
    ASSERT_TRUE(set) << set.reason();
    EXPECT_EQ(set->tileCount(), 3);
    EXPECT_EQ(set->firstTileNumber, 10);
    EXPECT_EQ(set->lastTileNumber, 12);
    EXPECT_EQ(set->tile(1).width, 1);
    EXPECT_EQ(set->tile(1).height, 2);
    EXPECT_EQ(set->tile(1).Pixel(1, 2), 2);
    EXPECT_EQ(set->tile(3).Pixel(2, 1), 4);
    EXPECT_EQ(set->tile(2).pixels.size(), 0u);
    EXPECT_EQ(set->tile(3).attributes, (std::array<std::uint8_t, 4>{3, 0, 0, 16}));

    // Written back: the same bytes with the count corrected and the tail gone.
    auto written = ArtBytes(*set);
    ASSERT_TRUE(written);
    Bytes expected(b.begin(), b.end() - 2);
    Put32(expected, 4, 3);
    EXPECT_EQ(*written, expected);
}

TEST(ArtRead, EmptyTilesetsAreValid) {
    auto set = ReadArt(ArtHeaderAndTables(0, 5, 4, {}));
    ASSERT_TRUE(set) << set.reason();
    EXPECT_EQ(set->tileCount(), 0);
    EXPECT_EQ(ArtBytes(*set)->size(), 16u);
}

TEST(ArtRead, TakesTheLargestFileItCanAndNoMore) {
    Bytes largest(16 + 8 * 8192, 0);
    Put32(largest, 0, 1);
    Put32(largest, 12, 8191);
    auto set = ReadArt(largest);
    ASSERT_TRUE(set) << set.reason();
    EXPECT_EQ(set->tileCount(), 8192);

    Put32(largest, 12, 8192);
    largest.resize(largest.size() + 8);
    auto refused = ReadArt(largest);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.reason().find("8192"), std::string::npos) << refused.reason();
}

TEST(ArtRead, RefusesBrokenFilesWithAReason) {
    struct Case {
        const char* what;
        Bytes bytes;
        const char* reasonHas;
    };
    Bytes reversed = ArtHeaderAndTables(0, 10, 8, {});
    Bytes huge = ArtHeaderAndTables(1, 0, 0, {{30000, 30000}});
    huge.resize(40);
    Bytes negativeWidth = ArtHeaderAndTables(1, 0, 1, {{4, 4}, {-1, 4}});
    negativeWidth.resize(negativeWidth.size() + 16);
    Bytes negativeHeight = ArtHeaderAndTables(1, 0, 0, {{2, -3}});
    Bytes shortPixels = ArtHeaderAndTables(1, 0, 1, {{2, 2}, {3, 3}});
    shortPixels.resize(shortPixels.size() + 4 + 8);
    Bytes shortTables = ArtHeaderAndTables(1, 0, 3, {{1, 1}, {1, 1}, {1, 1}, {1, 1}});
    shortTables.resize(40);
    Bytes manyTiles = ArtHeaderAndTables(1, -2147483647 - 1, 2147483647, {});
    const Case cases[] = {
        {"empty file", {}, "too short"},
        {"15 bytes", Bytes(15, 0), "too short"},
        {"last two below first", reversed, "below"},
        {"30000 x 30000 in 40 bytes", huge, "ends inside the pixels of tile 1"},
        {"negative width", negativeWidth, "tile 2 has a negative width"},
        {"negative height", negativeHeight, "negative height"},
        {"pixels cut short", shortPixels, "tile 2"},
        {"tables cut short", shortTables, "tables"},
        {"full 32-bit number range", manyTiles, "8192"},
    };
    for (const Case& c : cases) {
        auto set = ReadArt(c.bytes);
        ASSERT_FALSE(set) << c.what;
        EXPECT_NE(set.reason().find(c.reasonHas), std::string::npos)
            << c.what << ": " << set.reason();
    }
}

TEST(ArtRead, RefusesWhatIsPlainlyNotAnArtFile) {
    Bytes palette(768);
    for (std::size_t i = 0; i < palette.size(); ++i) {
        palette[i] = static_cast<std::uint8_t>(i % 64);
    }
    // Colours (1, 0, 0) and (0, ...) read as version 1; the tile numbers still give it away.
    Bytes paletteAsVersion1 = palette;
    Put32(paletteAsVersion1, 0, 1);
    Bytes bitmap = {'B', 'M', 0x56, 0x04, 0, 0, 0, 0, 0, 0, 0x36, 0x04, 0, 0, 40, 0};
    bitmap.resize(1078 + 16, 3);
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    png.resize(60, 0);
    Bytes tablesBeyondTheFile = ArtHeaderAndTables(0, 0, 255, {});
    tablesBeyondTheFile.resize(768);
    const std::pair<Bytes, const char*> cases[] = {
        {palette, "version field is 50462976, not 1"},
        {paletteAsVersion1, "8192"},
        {bitmap, "version field is 72764738"},
        {png, "version field"},
        {tablesBeyondTheFile, "need 2064 bytes, but the file is 768"}};
    for (const auto& [bytes, why] : cases) {
        auto set = ReadArt(bytes);
        ASSERT_FALSE(set) << why;
        EXPECT_EQ(set.reason().rfind("not an ART file: ", 0), 0u) << set.reason();
        EXPECT_NE(set.reason().find(why), std::string::npos) << set.reason();
    }
}

TEST(ArtRead, DamagedFilesGiveAReasonOrAConsistentTileset) {
    for (const Bytes& damaged : test::DamagedCopies(*ArtBytes(ThreeTileSet()), 3000)) {
        auto set = ReadArt(damaged);
        if (!set) {
            ASSERT_FALSE(set.reason().empty());
            continue;
        }
        ASSERT_EQ(std::int64_t{set->lastTileNumber} - set->firstTileNumber + 1, set->tileCount());
        for (const Tile& tile : set->tiles) {
            ASSERT_GE(tile.width, 0);
            ASSERT_GE(tile.height, 0);
            ASSERT_EQ(tile.pixels.size(), tile.PixelCount());
        }
    }
}

TEST(ArtFile, ReadsFromAPathAndTakesTheNumberFromItsName) {
    ScratchDir dir;
    const std::string path = dir.Path("TILES005.ART");
    WriteBytes(path, *ArtBytes(ThreeTileSet()));
    auto set = ReadArtFile(path);
    ASSERT_TRUE(set) << set.reason();
    EXPECT_EQ(set->artPath, path);
    EXPECT_EQ(set->artFileNumber, 5);
    EXPECT_EQ(set->tile(1).pixels, ThreeTileSet().tile(1).pixels);

    EXPECT_FALSE(ReadArtFile(dir.Path("absent.ART")));
    EXPECT_FALSE(ReadArtFile(dir.root().string()));
    // A pipe is refused at once instead of waiting for a writer.
    ASSERT_EQ(mkfifo(dir.Path("pipe.ART").c_str(), 0600), 0);
    auto pipe = ReadArtFile(dir.Path("pipe.ART"));
    ASSERT_FALSE(pipe);
    EXPECT_NE(pipe.reason().find("not a regular file"), std::string::npos) << pipe.reason();
}

TEST(ArtFile, WritesSafelyAndRefusesWhatNoReaderCouldTakeBack) {
    ScratchDir dir;
    const std::string path = dir.Path("OUT.ART");
    const Bytes old = {9, 9, 9};
    WriteBytes(path, old);

    Tileset tooMany;
    tooMany.firstTileNumber = 0;
    tooMany.lastTileNumber = 8192;
    tooMany.tiles.resize(8193);
    Status refused = WriteArtFile(tooMany, path);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.reason().find("8193"), std::string::npos) << refused.reason();
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(test::ListDir(dir.root()), std::vector<std::string>{"OUT.ART"});

    Tileset mismatched = ThreeTileSet();
    mismatched.tile(1).pixels.pop_back();
    EXPECT_FALSE(WriteArtFile(mismatched, path));
    EXPECT_EQ(ReadBytes(path), old);

    ASSERT_TRUE(WriteArtFile(ThreeTileSet(), path));
    EXPECT_EQ(ReadBytes(path), *ArtBytes(ThreeTileSet()));
}

TEST(ArtFileNumber, TakesTheLastThreeOfTheNamesFirstEightCharacters) {
    EXPECT_EQ(ArtFileNumber("TILES012.ART"), 12);
    EXPECT_EQ(ArtFileNumber("TILES000.ART"), 0);
    EXPECT_EQ(ArtFileNumber("A.ART"), 0);
    EXPECT_EQ(ArtFileNumber("/games/dir999/TILES005.ART"), 5);
    EXPECT_EQ(ArtFileNumber("C:\\GAME7\\tiles005.art"), 5);
    EXPECT_EQ(ArtFileNumber("TILES300.ART"), 300);
    EXPECT_EQ(ArtFileNumber("TILES12.ART"), 12);
    EXPECT_EQ(ArtFileNumber("TILESabc.ART"), 0);
    EXPECT_EQ(ArtFileNumber("TILE1X2.ART"), 0);
    EXPECT_EQ(ArtFileNumber(""), 0);
}

TEST(Tileset, NewTilesetIs256EmptyTilesAndKeepsPathAndNumber) {
    Tileset set = ThreeTileSet();
    set.artPath = "/x/TILES007.ART";
    set.artFileNumber = 7;
    set.artVersion = 3;
    MakeNewTileset(set);
    EXPECT_EQ(set.tileCount(), 256);
    EXPECT_EQ(set.artVersion, 1);
    EXPECT_EQ(set.firstTileNumber, 0);
    EXPECT_EQ(set.lastTileNumber, 255);
    for (const Tile& tile : set.tiles) {
        ASSERT_EQ(tile.width, 0);
        ASSERT_EQ(tile.height, 0);
        ASSERT_TRUE(tile.pixels.empty());
        ASSERT_EQ(tile.attributes, (std::array<std::uint8_t, 4>{}));
    }
    EXPECT_EQ(set.artPath, "/x/TILES007.ART");
    EXPECT_EQ(set.artFileNumber, 7);
}

TEST(Tileset, GameNumbersCountFromTheFirstTileNumberWithoutOverflow) {
    Tileset set;
    set.tiles.resize(256);
    set.firstTileNumber = INT32_MAX - 10;
    EXPECT_EQ(set.GameNumber(1), INT32_MAX - 10);
    EXPECT_EQ(set.GameNumber(256), std::int64_t{INT32_MAX} + 245);
    EXPECT_EQ(set.PositionOfGameNumber(std::int64_t{INT32_MAX} + 245), 256);
    EXPECT_EQ(set.PositionOfGameNumber(std::int64_t{INT32_MAX} + 246), 0);
    EXPECT_EQ(set.PositionOfGameNumber(INT32_MAX - 11), 0);
}

TEST(RealTileset, ReadsAndWritesBackByteForByte) {
    const std::string path = test::FixturePath("kenbuild/TILES000.ART");
    if (path.empty()) {
        GTEST_SKIP() << "fixtures absent";
    }
    auto set = ReadArtFile(path);
    ASSERT_TRUE(set) << set.reason();
    EXPECT_EQ(set->tileCount(), 256);
    int nonEmpty = 0;
    int animated = 0;
    for (const Tile& tile : set->tiles) {
        nonEmpty += tile.PixelCount() > 0 ? 1 : 0;
        animated += tile.attributes[0] != 0 ? 1 : 0;
    }
    EXPECT_EQ(nonEmpty, 141);
    EXPECT_EQ(animated, 11);
    EXPECT_EQ(set->tile(1).width, 32);

    Bytes original = ReadBytes(path);
    EXPECT_EQ(Get32(original, 4), 172);
    Put32(original, 4, 256);
    EXPECT_EQ(*ArtBytes(*set), original);
}

}  // namespace
}  // namespace pixmill
