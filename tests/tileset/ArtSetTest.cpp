#include "tileset/ArtSet.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "tests/TestSupport.h"
#include "tileset/ArtFile.h"

namespace pixmill {
namespace {

using test::Bytes;
using test::PatternTile;
using test::ReadBytes;
using test::ScratchDir;
using test::WriteBytes;

// count tiles numbered from first, tile i a 2 x 3 pattern seeded with seed + i.
Tileset Numbered(std::int32_t first, int count, int seed = 0, bool prefix = false) {
    Tileset tiles;
    tiles.buildArtPrefix = prefix;
    tiles.firstTileNumber = first;
    tiles.lastTileNumber = first + count - 1;
    for (int i = 0; i < count; ++i) {
        tiles.tiles.push_back(PatternTile(2, 3, static_cast<std::uint8_t>(seed + i)));
    }
    return tiles;
}

void WriteArt(const std::string& path, const Tileset& tiles) {
    ASSERT_TRUE(WriteArtFile(tiles, path).ok()) << path;
}

bool AnyHas(const std::vector<std::string>& texts, const std::string& part) {
    for (const std::string& text : texts) {
        if (text.find(part) != std::string::npos) {
            return true;
        }
    }
    return false;
}

TEST(SetFileNames, TakeTilesWithThreeDigitsInAnyCase) {
    const std::pair<const char*, int> names[] = {
        {"TILES000.ART", 0},  {"tiles004.art", 4},   {"TiLeS123.ArT", 123}, {"TILES999.ART", 999},
        {"TILES12.ART", -1},  {"TILES0001.ART", -1}, {"TILESabc.ART", -1},  {"TILES004.ARTX", -1},
        {"XTILES04.ART", -1}, {"TILES004.BMP", -1},  {"TILES-01.ART", -1},  {"", -1}};
    for (const auto& [name, number] : names) {
        EXPECT_EQ(SetFileNumber(name), number) << name;
    }
    EXPECT_EQ(SetFileName(4), "TILES004.ART");
}

TEST(EngineLimits, SayWhichEnginesANumberRangeFits) {
    const auto fits = [](std::int64_t lowest, std::int64_t highest) {
        std::vector<int> tiles;
        for (const EngineLimit& limit : LimitsFitting(lowest, highest)) {
            tiles.push_back(limit.tiles);
        }
        return tiles;
    };
    EXPECT_EQ(fits(0, 4095), (std::vector<int>{4096, 6144, 9216, 30720}));
    EXPECT_EQ(fits(0, 4096), (std::vector<int>{6144, 9216, 30720}));
    EXPECT_EQ(fits(0, 6143), (std::vector<int>{6144, 9216, 30720}));
    EXPECT_EQ(fits(0, 9216), (std::vector<int>{30720}));
    // The largest engines keep their last 256 numbers.
    EXPECT_EQ(fits(0, 30463), (std::vector<int>{30720}));
    EXPECT_EQ(fits(0, 30464), (std::vector<int>{}));
    EXPECT_EQ(fits(-1, 10), (std::vector<int>{}));
}

TEST(ArtSet, OpensFilesOfAnyCaseInOrderOfNumberWithGameNumbers) {
    ScratchDir dir;
    WriteArt(dir.Path("tiles001.art"), Numbered(3, 3, 10));
    WriteArt(dir.Path("TILES000.ART"), Numbered(0, 3, 0));
    WriteArt(dir.Path("TiLeS002.ArT"), Numbered(6, 2, 20, true));
    WriteBytes(dir.Path("TILES.ART"), {1, 2, 3});     // not a set's name
    WriteBytes(dir.Path("PALETTE.DAT"), Bytes(768));  // nor this

    auto opened = OpenArtSet(dir.root().string());
    ASSERT_TRUE(opened) << opened.reason();
    EXPECT_TRUE(opened->problems.empty()) << opened->problems.front();
    const Tileset& set = opened->tileset;
    ASSERT_EQ(set.tileCount(), 8);
    ASSERT_EQ(set.setFiles.size(), 3u);
    EXPECT_EQ(set.artPath, dir.root().string());
    const std::tuple<const char*, int, int, bool> files[] = {
        {"TILES000.ART", 1, 3, false}, {"tiles001.art", 4, 3, false}, {"TiLeS002.ArT", 7, 2, true}};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto& [name, position, count, prefix] = files[i];
        const SetFile& file = set.setFiles[i];
        EXPECT_EQ(std::filesystem::path(file.path).filename(), name);
        EXPECT_EQ(file.firstPosition, position) << name;
        EXPECT_EQ(file.tileCount, count) << name;
        EXPECT_EQ(file.buildArtPrefix, prefix) << name;
        EXPECT_TRUE(file.stamp.exists) << name;
    }
    // Positions run on across the files; each tile keeps its game number.
    for (int position = 1; position <= 8; ++position) {
        EXPECT_EQ(set.GameNumber(position), position - 1);
        EXPECT_EQ(set.PositionOfGameNumber(position - 1), position);
    }
    EXPECT_EQ(set.tile(4).pixels, PatternTile(2, 3, 10).pixels);
    EXPECT_EQ(set.tile(8).pixels, PatternTile(2, 3, 21).pixels);
    EXPECT_EQ(set.FileHolding(7), &set.setFiles[2]);
    EXPECT_EQ(set.FileHolding(9), nullptr);
    EXPECT_EQ(SetFolderOf(set.setFiles[1].path), dir.root().string());
    EXPECT_EQ(SetFolderOf(dir.root().string()), dir.root().string());

    // Written back, each file is its own bytes, its "BUILDART" included.
    for (const SetFile& file : set.setFiles) {
        EXPECT_EQ(*ArtBytes(SetFileTileset(set, file)), ReadBytes(file.path)) << file.path;
    }
}

TEST(ArtSet, TellsEveryProblemAndOpensWhatItCan) {
    struct File {
        const char* name;
        std::int32_t first;
        int count;
    };
    struct Case {
        const char* what;
        std::vector<File> files;
        std::vector<const char*> problems;
        std::vector<std::int64_t> gameNumbers;  // of positions 1, 2 ...
    };
    const Case cases[] = {
        {"a gap",
         {{"TILES000.ART", 0, 2}, {"TILES001.ART", 5, 2}},
         {"tiles 2 to 4 are in no file: TILES000.ART ends at 1 and TILES001.ART begins at 5"},
         {0, 1, 5, 6}},
        {"an overlap",
         {{"TILES000.ART", 0, 3}, {"TILES001.ART", 2, 2}},
         {"TILES001.ART begins at 2, inside TILES000.ART (0 to 2): tile 2 is in both, and the game "
          "shows TILES001.ART's"},
         {0, 1, 2, 2, 3}},
        {"a missing number",
         {{"TILES000.ART", 0, 1}, {"TILES002.ART", 1, 1}, {"tiles003.art", 2, 1}},
         {"TILES001.ART is missing: the classic engines stop at the first missing number, so "
          "they do not load TILES002.ART and tiles003.art"},
         {0, 1, 2}},
        {"no first file", {{"TILES001.ART", 0, 1}}, {"TILES000.ART is missing"}, {0}},
        {"two spellings of one number",
         {{"tiles000.art", 0, 1}, {"TILES000.ART", 7, 1}},
         {"tiles000.art is left out: TILES000.ART has the same number"},
         {7}},
        {"numbers past every engine",
         {{"TILES000.ART", 30460, 10}},
         {"its tile numbers run from 30460 to 30469, beyond what any engine loads (0 to 30463)"},
         {30460, 30461, 30462, 30463, 30464, 30465, 30466, 30467, 30468, 30469}},
        {"negative numbers", {{"TILES000.ART", -2, 2}}, {"run from -2 to -1"}, {-2, -1}},
    };
    for (const Case& c : cases) {
        ScratchDir dir;
        for (const File& file : c.files) {
            WriteArt(dir.Path(file.name), Numbered(file.first, file.count));
        }
        auto opened = OpenArtSet(dir.root().string());
        ASSERT_TRUE(opened) << c.what << ": " << opened.reason();
        EXPECT_EQ(opened->problems.size(), c.problems.size()) << c.what;
        for (const char* problem : c.problems) {
            EXPECT_TRUE(AnyHas(opened->problems, problem))
                << c.what << ": no \"" << problem << "\" in\n"
                << (opened->problems.empty() ? "" : opened->problems.front());
        }
        const Tileset& set = opened->tileset;
        ASSERT_EQ(set.tileCount(), static_cast<int>(c.gameNumbers.size())) << c.what;
        for (int position = 1; position <= set.tileCount(); ++position) {
            EXPECT_EQ(set.GameNumber(position),
                      c.gameNumbers[static_cast<std::size_t>(position - 1)])
                << c.what << ", position " << position;
        }
    }
}

TEST(ArtSet, GameNumbersInGapsHaveNoTileAndOverlapsGoToTheLaterFile) {
    ScratchDir dir;
    WriteArt(dir.Path("TILES000.ART"), Numbered(0, 4));
    WriteArt(dir.Path("TILES001.ART"), Numbered(2, 4));
    WriteArt(dir.Path("TILES002.ART"), Numbered(10, 1));
    auto opened = OpenArtSet(dir.root().string());
    ASSERT_TRUE(opened) << opened.reason();
    const Tileset& set = opened->tileset;
    ASSERT_EQ(set.tileCount(), 9);
    EXPECT_EQ(set.PositionOfGameNumber(1), 2);
    EXPECT_EQ(set.PositionOfGameNumber(2), 5);  // TILES001.ART's, not position 3
    EXPECT_EQ(set.PositionOfGameNumber(5), 8);
    EXPECT_EQ(set.PositionOfGameNumber(6), 0);  // in the gap
    EXPECT_EQ(set.PositionOfGameNumber(10), 9);
    EXPECT_EQ(set.PositionOfGameNumber(11), 0);
    EXPECT_EQ(set.PositionOfGameNumber(-1), 0);
    EXPECT_EQ(set.GameNumber(3), 2);
}

TEST(ArtSet, NamesTheFilesItCannotReadAndOpensTheRest) {
    ScratchDir dir;
    WriteArt(dir.Path("TILES000.ART"), Numbered(0, 2));
    // A header that claims 8192 tiles in 40 bytes, and one cut inside its pixels.
    Bytes hostile = *ArtBytes(Numbered(2, 1));
    test::Put32(hostile, 12, 8193);
    hostile.resize(40);
    WriteBytes(dir.Path("TILES001.ART"), hostile);
    Bytes cut = *ArtBytes(Numbered(2, 2));
    cut.resize(cut.size() - 1);
    WriteBytes(dir.Path("TILES002.ART"), cut);
    WriteArt(dir.Path("TILES003.ART"), Numbered(2, 2, 50));
    std::filesystem::create_directory(dir.Path("TILES004.ART"));  // a folder is no file of the set

    auto opened = OpenArtSet(dir.root().string());
    ASSERT_TRUE(opened) << opened.reason();
    const std::vector<std::string>& problems = opened->problems;
    EXPECT_TRUE(AnyHas(problems, "TILES001.ART could not be read (not an ART file: "));
    EXPECT_TRUE(
        AnyHas(problems, "TILES002.ART could not be read (the file ends inside the pixels"));
    EXPECT_TRUE(AnyHas(problems, "its tiles are left out"));
    ASSERT_EQ(opened->tileset.setFiles.size(), 2u);
    EXPECT_EQ(opened->tileset.tile(3).pixels, PatternTile(2, 3, 50).pixels);
    EXPECT_EQ(opened->tileset.GameNumber(3), 2);

    ScratchDir empty;
    WriteBytes(empty.Path("tiles000.art"), {1, 0, 0});
    auto none = OpenArtSet(empty.root().string());
    ASSERT_FALSE(none);
    EXPECT_NE(none.reason().find("could be read"), std::string::npos) << none.reason();
    EXPECT_NE(none.reason().find("tiles000.art could not be read"), std::string::npos);
    auto nothing = OpenArtSet(dir.Path("absent"));
    ASSERT_FALSE(nothing);
    EXPECT_NE(nothing.reason().find("no TILES###.ART file"), std::string::npos);
}

TEST(ArtSet, KeepsToTheTilesTheEditorHoldsBeforeReadingAnything) {
    // Headers alone: 8192 tiles a file, so the fourth would pass 32767.
    std::vector<SetCandidate> candidates;
    for (int i = 0; i < 5; ++i) {
        SetCandidate candidate;
        candidate.name = SetFileName(i);
        candidate.path = "/nowhere/" + candidate.name;
        candidate.fileNumber = i;
        ArtHeader header{false, 1, 0, i * 8192, i * 8192 + 8191};
        candidate.header = CheckedArtHeader{header, 8192};
        candidates.push_back(candidate);
    }
    const SetLayout layout = LayOutArtSet(candidates);
    ASSERT_EQ(layout.files.size(), 3u);
    EXPECT_EQ(layout.tileCount, 3 * 8192);
    EXPECT_TRUE(AnyHas(layout.problems, "TILES003.ART and the files after it are left out"));
}

TEST(BuildArtHeader, IsReadAndWrittenBackWithItsEightBytes) {
    Tileset plain = Numbered(100, 3);
    Bytes bytes = *ArtBytes(plain);
    Bytes prefixed(8 + bytes.size());
    std::copy(kBuildArtPrefix.begin(), kBuildArtPrefix.end(), prefixed.begin());
    std::copy(bytes.begin(), bytes.end(), prefixed.begin() + 8);

    auto read = ReadArt(prefixed);
    ASSERT_TRUE(read) << read.reason();
    EXPECT_TRUE(read->buildArtPrefix);
    EXPECT_EQ(read->firstTileNumber, 100);
    EXPECT_EQ(read->tile(3).pixels, plain.tile(3).pixels);
    EXPECT_EQ(*ArtBytes(*read), prefixed);
    EXPECT_FALSE(ReadArt(bytes)->buildArtPrefix);

    // Read through a file source as well as from memory, and checked alone.
    ScratchDir dir;
    WriteBytes(dir.Path("TILES000.ART"), prefixed);
    auto file = ReadArtFile(dir.Path("TILES000.ART"));
    ASSERT_TRUE(file) << file.reason();
    EXPECT_TRUE(file->buildArtPrefix);
    auto checked = CheckArtHeader({prefixed.data(), kArtHeaderBytes},
                                  static_cast<std::int64_t>(prefixed.size()));
    ASSERT_TRUE(checked) << checked.reason();
    EXPECT_EQ(checked->tileCount, 3);
    EXPECT_TRUE(checked->header.buildArtPrefix);

    // The 8 bytes alone, or with a header cut short, are refused as too short.
    for (std::size_t size : {std::size_t{8}, std::size_t{23}}) {
        auto refused = ReadArt(std::span<const std::uint8_t>(prefixed.data(), size));
        ASSERT_FALSE(refused);
        EXPECT_NE(refused.reason().find("too short for an ART header"), std::string::npos);
    }
    // The tables are checked against the bytes after the prefix.
    Bytes shortTables(prefixed.begin(), prefixed.begin() + 24 + 8 * 3 - 1);
    EXPECT_FALSE(CheckArtHeader(shortTables, static_cast<std::int64_t>(shortTables.size())));
}

}  // namespace
}  // namespace pixmill
