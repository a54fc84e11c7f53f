// pixmill-tool doing its work: listings, resaves, exports, imports, palettes.

#include <gtest/gtest.h>

#include "tests/TestSupport.h"
#include "tests/tools/ToolFiles.h"

namespace pixmill::test {
namespace {

// Three tiles whose attribute bytes exercise every field: frames and type in
// byte 0, offsets at both ends of their range, a speed.
std::vector<Tile> ThreeTiles() {
    std::vector<Tile> tiles{PatternTile(5, 3, 1), Tile{}, PatternTile(4, 6, 100)};
    tiles[0].attributes = {0x85, 0x03, 0xFE, 0x0F};
    tiles[2].attributes = {0xFF, 0x80, 0x7F, 0xFF};
    return tiles;
}

TEST(ToolUsage, HelpListsEveryCommandAndMisuseExitsTwo) {
    for (const char* flag : {"--help", "-h"}) {
        const ToolRun help = RunTool({flag});
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_EQ(help.err, "");
        for (const char* command :
             {"info", "resave", "export", "import", "palette", "set", "mod"}) {
            EXPECT_NE(help.out.find(std::string("\n  ") + command + " "), std::string::npos)
                << command;
        }
    }
    const ToolRun bare = RunTool({});
    EXPECT_EQ(bare.exitCode, 2);
    EXPECT_EQ(bare.out, "");
    EXPECT_NE(bare.err.find("usage:"), std::string::npos);

    // Found before any file is opened: none of these files exists.
    const std::vector<std::pair<std::vector<std::string>, std::string>> misused{
        {{"info"}, ""},
        {{"info", "a", "b"}, "(one FILE.ART only)"},
        {{"info", "--names"}, "(--names needs"},
        {{"info", "a", "--names"}, "(--names needs"},
        {{"info", "--names", "a"}, "(no FILE.ART)"},
        {{"info", "--nmes", "a", "b"}, "(unknown option --nmes)"},
        {{"resave", "a"}, ""},
        {{"export", "a", "b"}, ""},
        {{"export", "a", "b", "c", "1", "2", "3"}, ""},
        {{"export", "a", "b", "c", "2.5"}, "(FIRST must be a whole number, not \"2.5\")"},
        {{"export", "a", "b", "c", "1", "+3"}, "(LAST must be a whole number, not \"+3\")"},
        {{"import", "a", "1", "b"}, ""},
        {{"import", "a", "", "b", "c"}, "(TILE must be a whole number, not \"\")"},
        {{"import", "a", "abc", "b", "c"}, "(TILE must be a whole number, not \"abc\")"},
        {{"palette", "a"}, ""},
        {{"palette", "a", "b", "c"}, ""}};
    for (const auto& [args, why] : misused) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 2) << run.err;
        ASSERT_EQ(run.ErrLines().size(), 1u) << run.err;
        EXPECT_EQ(run.err.rfind("usage: pixmill-tool " + args[0] + " ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(why + (why.empty() ? "\n" : "")), std::string::npos) << run.err;
    }
    const ToolRun unknown = RunTool({"convert", "a", "b"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.ErrLines().size(), 1u);
}

TEST(ToolInfo, ListsHeaderAndEveryTileAsTheEditorShowsThem) {
    ScratchDir dir;
    WriteBytes(dir.Path("TILES012.ART"), ArtFileBytes(ThreeTiles(), 7, 100));
    const ToolRun run = RunTool({"info", dir.Path("TILES012.ART")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "prefix none\n"
              "version 1\n"
              "tile-count-field 7\n"
              "first-tile-number 100\n"
              "last-tile-number 102\n"
              "tiles 3\n"
              "file-number 12\n"
              "# tile position number size byte0 byte1 byte2 byte3 frames type x-offset "
              "y-offset speed\n"
              "tile 1 100 5x3 85 03 fe 0f 6 Forwards -3 -2 15\n"
              "tile 2 101 0x0 00 00 00 00 1 None 0 0 0\n"
              "tile 3 102 4x6 ff 80 7f ff 64 Backwards 128 127 255\n");
}

TEST(ToolInfo, NamesComeFromTheHeaderByGameNumberUntilItStops) {
    ScratchDir dir;
    // TILES012.ART with three tiles numbered 100 to 102 in the game; the
    // file's own number plays no part.
    WriteBytes(dir.Path("TILES012.ART"), ArtFileBytes(ThreeTiles(), 3, 100));
    const std::string header =
        "#define WALL 100\r\n#define DOOR\t 102\r\n#define OLD 36\r\n\r\n#define BAD\r\n"
        "#define SKY 101\r\n";
    WriteBytes(dir.Path("NAMES.H"), Bytes(header.begin(), header.end()));
    const std::string names = dir.Path("NAMES.H");
    const std::string art = dir.Path("TILES012.ART");
    for (const auto& args : {std::vector<std::string>{"info", "--names", names, art},
                             std::vector<std::string>{"info", art, "--names", names}}) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out.substr(run.out.find("names-")),
                  "names-stored 3\n"
                  "names-stopped 5 no space separates the name from the number\n"
                  "# tile position number size byte0 byte1 byte2 byte3 frames type x-offset "
                  "y-offset speed name\n"
                  "tile 1 100 5x3 85 03 fe 0f 6 Forwards -3 -2 15 WALL\n"
                  "tile 2 101 0x0 00 00 00 00 1 None 0 0 0 -\n"
                  "tile 3 102 4x6 ff 80 7f ff 64 Backwards 128 127 255 DOOR?\n");
    }
    ScratchDir empty;
    ExpectRefused(RunTool({"info", "--names", dir.Path("missing.h"), art}), empty.root());
}

TEST(ToolInfo, AListingThatCannotBeWrittenIsAFailure) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    ScratchDir dir;
    WriteBytes(dir.Path("A.ART"), ArtFileBytes(ThreeTiles()));
    RunOptions toFullDisk;
    toFullDisk.stdoutPath = "/dev/full";
    const ToolRun run = RunTool({"info", dir.Path("A.ART")}, toFullDisk);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.ErrLines().size(), 1u) << run.err;
}

TEST(ToolResave, SetsTheTileCountFieldAndKeepsEverythingElse) {
    ScratchDir dir;
    Bytes original = ArtFileBytes(ThreeTiles(), 999, 40);
    WriteBytes(dir.Path("IN.ART"), original);
    const ToolRun run = RunTool({"resave", dir.Path("IN.ART"), dir.Path("OUT.ART")});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    Put32(original, 4, 3);
    EXPECT_EQ(ReadBytes(dir.Path("OUT.ART")), original);
    EXPECT_EQ(ListDir(dir.root()), (std::vector<std::string>{"IN.ART", "OUT.ART"}));
}

TEST(ToolResave, TheKenBuildTilesetComesBackWithItsRealTileCount) {
    const std::string art = FixturePath("kenbuild/TILES000.ART");
    if (art.empty()) {
        GTEST_SKIP() << "shared fixtures absent";
    }
    ScratchDir dir;
    const ToolRun run = RunTool({"resave", art, dir.Path("OUT.ART")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Bytes before = ReadBytes(art);
    const Bytes after = ReadBytes(dir.Path("OUT.ART"));
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(Get32(before, 4), 172);
    EXPECT_EQ(Get32(after, 4), 256);
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + 4, after.begin()));
    EXPECT_TRUE(std::equal(before.begin() + 8, before.end(), after.begin() + 8));
}

TEST(ToolExport, WritesTheBitmapLayoutByteForByte) {
    ScratchDir dir;
    const Bytes dat = BuildPaletteBytes(100);
    WriteBytes(dir.Path("IN.ART"), ArtFileBytes(ThreeTiles()));
    WriteBytes(dir.Path("PALETTE.DAT"), dat);
    std::filesystem::create_directory(dir.root() / "out");
    const ToolRun run =
        RunTool({"export", dir.Path("IN.ART"), dir.Path("PALETTE.DAT"), dir.Path("out/tile"), "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    ASSERT_EQ(ListDir(dir.root() / "out"), std::vector<std::string>{"tile0001.BMP"});

    const Bytes b = ReadBytes(dir.Path("out/tile0001.BMP"));
    ASSERT_EQ(b.size(), 1078u + 8 * 3);  // 5 pixels padded to 8, three rows
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(Get32(b, 10), 1078);
    EXPECT_EQ(Get32(b, 14), 40);
    EXPECT_EQ(Get32(b, 18), 5);
    EXPECT_EQ(Get32(b, 22), 3);
    EXPECT_EQ(Get16(b, 26), 1);
    EXPECT_EQ(Get16(b, 28), 8);
    EXPECT_EQ(Get32(b, 30), 0);
    for (std::size_t i = 0; i < 256; ++i) {  // blue, green, red, 0; 6-bit values times 4
        EXPECT_EQ((Bytes{b[54 + 4 * i], b[55 + 4 * i], b[56 + 4 * i], b[57 + 4 * i]}),
                  (Bytes{static_cast<std::uint8_t>(dat[3 * i + 2] * 4),
                         static_cast<std::uint8_t>(dat[3 * i + 1] * 4),
                         static_cast<std::uint8_t>(dat[3 * i] * 4), 0}))
            << "colour " << i;
    }
    // Bottom row first; pixel (x, y) of the pattern is 1 + 16x + y.
    for (int y = 3, row = 0; y >= 1; --y, ++row) {
        Bytes expected;
        for (int x = 1; x <= 5; ++x) {
            expected.push_back(static_cast<std::uint8_t>(1 + 16 * x + y));
        }
        expected.insert(expected.end(), 3, 0);
        const auto start = b.begin() + 1078 + 8 * row;
        EXPECT_EQ(Bytes(start, start + 8), expected) << "row " << row;
    }
}

TEST(ToolExport, NumbersTheBitmapsOfEachRunFromOne) {
    ScratchDir dir;
    WriteBytes(dir.Path("IN.ART"), ArtFileBytes(ThreeTiles()));
    WriteBytes(dir.Path("P.DAT"), BuildPaletteBytes());
    const auto exportTo = [&](const std::string& sub, std::vector<std::string> range) {
        std::filesystem::create_directory(dir.root() / sub);
        std::vector<std::string> args{"export", dir.Path("IN.ART"), dir.Path("P.DAT"),
                                      dir.Path(sub + "/t")};
        args.insert(args.end(), range.begin(), range.end());
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        return ListDir(dir.root() / sub);
    };
    EXPECT_EQ(exportTo("all", {}),
              (std::vector<std::string>{"t0001.BMP", "t0002.BMP", "t0003.BMP"}));
    EXPECT_EQ(exportTo("two", {"2", "3"}), (std::vector<std::string>{"t0001.BMP", "t0002.BMP"}));
    // Tile 2 is 0 x 0, tile 3 is 4 x 6.
    EXPECT_EQ(ReadBytes(dir.Path("two/t0001.BMP")).size(), 1078u);
    const Bytes third = ReadBytes(dir.Path("two/t0002.BMP"));
    EXPECT_EQ(third.size(), 1078u + 4 * 6);
    EXPECT_EQ(Get32(third, 18), 4);
    EXPECT_EQ(Get32(third, 22), 6);
}

TEST(ToolExport, EveryKenBuildTileComesOutAtItsSize) {
    const std::string art = FixturePath("kenbuild/TILES000.ART");
    const std::string palette = FixturePath("kenbuild/PALETTE.DAT");
    if (art.empty() || palette.empty()) {
        GTEST_SKIP() << "shared fixtures absent";
    }
    ScratchDir dir;
    const ToolRun run = RunTool({"export", art, palette, dir.Path("k")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Bytes tiles = ReadBytes(art);
    const auto names = ListDir(dir.root());
    ASSERT_EQ(names.size(), 256u);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const Bytes b = ReadBytes(dir.Path(names[i]));
        const int width = Get16(tiles, 16 + 2 * i);
        const int height = Get16(tiles, 16 + 512 + 2 * i);
        ASSERT_EQ(b.size(), 1078u + static_cast<std::size_t>((width + 3) / 4 * 4 * height))
            << names[i];
        EXPECT_EQ(Get32(b, 18), width) << names[i];
        EXPECT_EQ(Get32(b, 22), height) << names[i];
    }
}

TEST(ToolImport, AnExportedTileGoesBackIntoAnotherTileKeepingItsAttributes) {
    ScratchDir dir;
    const std::vector<Tile> tiles = ThreeTiles();
    WriteBytes(dir.Path("IN.ART"), ArtFileBytes(tiles, 0, 20));
    WriteBytes(dir.Path("P.DAT"), BuildPaletteBytes());
    ASSERT_EQ(
        RunTool({"export", dir.Path("IN.ART"), dir.Path("P.DAT"), dir.Path("x"), "1"}).exitCode, 0);
    const ToolRun run =
        RunTool({"import", dir.Path("IN.ART"), "3", dir.Path("x0001.BMP"), dir.Path("OUT.ART")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<Tile> expected = tiles;
    expected[2].width = tiles[0].width;
    expected[2].height = tiles[0].height;
    expected[2].pixels = tiles[0].pixels;
    EXPECT_EQ(ReadBytes(dir.Path("OUT.ART")), ArtFileBytes(expected, 3, 20));
}

TEST(ToolImport, ABitmapMadeElsewhereLandsTheRightWayUp) {
    ScratchDir dir;
    WriteBytes(dir.Path("IN.ART"), ArtFileBytes(ThreeTiles()));
    Bytes bmp = BitmapHeader(3, 2, 8, 0);
    bmp.resize(1078);
    bmp.insert(bmp.end(), {7, 8, 9, 0, 4, 5, 6, 0});  // bottom row, then top row
    WriteBytes(dir.Path("in.bmp"), bmp);
    const ToolRun run =
        RunTool({"import", dir.Path("IN.ART"), "2", dir.Path("in.bmp"), dir.Path("OUT.ART")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<Tile> expected = ThreeTiles();
    expected[1].width = 3;
    expected[1].height = 2;
    expected[1].pixels = {4, 7, 5, 8, 6, 9};  // column by column, top first
    EXPECT_EQ(ReadBytes(dir.Path("OUT.ART")), ArtFileBytes(expected, 3));
}

TEST(ToolPalette, BuildToRiffAndBackGivesTheColoursBack) {
    ScratchDir dir;
    const Bytes dat = BuildPaletteBytes(300);
    WriteBytes(dir.Path("IN.DAT"), dat);
    ASSERT_EQ(RunTool({"palette", dir.Path("IN.DAT"), dir.Path("MID.pal")}).exitCode, 0);
    const Bytes riff = ReadBytes(dir.Path("MID.pal"));
    ASSERT_EQ(riff.size(), 1052u);
    EXPECT_EQ(std::string(riff.begin(), riff.begin() + 4), "RIFF");
    EXPECT_EQ(
        Bytes(riff.begin() + 24 + 4 * 200, riff.begin() + 28 + 4 * 200),
        (Bytes{static_cast<std::uint8_t>(dat[600] * 4), static_cast<std::uint8_t>(dat[601] * 4),
               static_cast<std::uint8_t>(dat[602] * 4), 0}));
    ASSERT_EQ(RunTool({"palette", dir.Path("MID.pal"), dir.Path("BACK.DAT")}).exitCode, 0);
    EXPECT_EQ(ReadBytes(dir.Path("BACK.DAT")), Bytes(dat.begin(), dat.begin() + 768));
}

}  // namespace
}  // namespace pixmill::test
