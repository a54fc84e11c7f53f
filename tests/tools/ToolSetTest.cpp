// pixmill-tool with a game's set of files: the set's listing, game numbers in
// export and import, "BUILDART" files, and changes shipped as a mod.

#include <gtest/gtest.h>

#include "tests/TestSupport.h"
#include "tests/tools/ToolFiles.h"

namespace pixmill::test {
namespace {

Bytes WithBuildArt(const Bytes& art) {
    Bytes b(8 + art.size());
    const std::string prefix = "BUILDART";
    std::copy(prefix.begin(), prefix.end(), b.begin());
    std::copy(art.begin(), art.end(), b.begin() + 8);
    return b;
}

// TILES000.ART holds tiles 0 and 1, tiles001.art (a "BUILDART" file) 2 to 4,
// TILES003.ART 10: 2 is missing, 5 to 9 are in no file.
struct SetFolder {
    ScratchDir dir;
    std::vector<Tile> first{PatternTile(2, 2, 1), PatternTile(3, 1, 2)};
    std::vector<Tile> second{PatternTile(1, 1, 3), Tile{}, PatternTile(2, 3, 5)};
    std::vector<Tile> third{PatternTile(4, 2, 6)};
    SetFolder() {
        WriteBytes(dir.Path("TILES000.ART"), ArtFileBytes(first, 2, 0));
        WriteBytes(dir.Path("tiles001.art"), WithBuildArt(ArtFileBytes(second, 3, 2)));
        WriteBytes(dir.Path("TILES003.ART"), ArtFileBytes(third, 1, 10));
        WriteBytes(dir.Path("P.DAT"), BuildPaletteBytes());
    }
    std::string Path(const std::string& name) const { return dir.Path(name); }
};

TEST(ToolSet, ListsTheFilesTheirRangesAndTheSetsProblems) {
    SetFolder f;
    const ToolRun run = RunTool({"set", f.dir.root().string()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "folder " + f.dir.root().string() +
                  "\n"
                  "files 3\n"
                  "tiles 6\n"
                  "numbers 0 10\n"
                  "fits 4096 6144 9216 30720\n"
                  "# file name number first-tile-number last-tile-number tiles position prefix\n"
                  "file TILES000.ART 0 0 1 2 1 none\n"
                  "file tiles001.art 1 2 4 3 3 BUILDART\n"
                  "file TILES003.ART 3 10 10 1 6 none\n"
                  "problem TILES002.ART is missing: the classic engines stop at the first "
                  "missing number, so they do not load TILES003.ART\n"
                  "problem tiles 5 to 9 are in no file: tiles001.art ends at 4 and TILES003.ART "
                  "begins at 10\n");

    const ToolRun info = RunTool({"info", f.Path("tiles001.art")});
    EXPECT_EQ(info.exitCode, 0) << info.err;
    EXPECT_EQ(info.out.substr(0, 27), "prefix BUILDART\nversion 1\nt");

    ScratchDir empty;
    ExpectRefused(RunTool({"set", empty.root().string()}), empty.root());
    ExpectRefused(RunTool({"set", f.Path("TILES000.ART")}), empty.root());
}

TEST(ToolSet, ExportAndImportTakeGameNumbers) {
    SetFolder f;
    const ToolRun exported = RunTool({"export", "--game-numbers", f.dir.root().string(),
                                      f.Path("P.DAT"), f.Path("t"), "1", "10"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;
    for (const char* name : {"t0001.BMP", "t0002.BMP", "t0003.BMP", "t0004.BMP", "t0010.BMP"}) {
        EXPECT_TRUE(std::filesystem::exists(f.Path(name))) << name;
    }
    EXPECT_FALSE(std::filesystem::exists(f.Path("t0005.BMP")));
    // The bitmap named 10 holds TILES003.ART's tile.
    const Bytes bmp = ReadBytes(f.Path("t0010.BMP"));
    EXPECT_EQ(Get32(bmp, 18), 4);
    EXPECT_EQ(Get32(bmp, 22), 2);

    // Game number 3 is tiles001.art's second tile: only that file is written,
    // with its "BUILDART", into the folder given.
    ScratchDir out;
    const ToolRun imported = RunTool({"import", f.dir.root().string(), "3", f.Path("t0010.BMP"),
                                      out.root().string(), "--game-numbers"});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(ListDir(out.root()), std::vector<std::string>{"tiles001.art"});
    std::vector<Tile> expected = f.second;
    expected[1] = f.third[0];
    EXPECT_EQ(ReadBytes(out.Path("tiles001.art")), WithBuildArt(ArtFileBytes(expected, 3, 2)));

    // A single file takes game numbers too.
    ASSERT_EQ(RunTool({"import", "--game-numbers", f.Path("TILES003.ART"), "10",
                       f.Path("t0001.BMP"), out.Path("ONE.ART")})
                  .exitCode,
              0);
    EXPECT_EQ(ReadBytes(out.Path("ONE.ART")), ArtFileBytes({f.first[1]}, 1, 10));

    const std::vector<std::string> before = ListDir(out.root());
    const std::pair<std::vector<std::string>, const char*> refusals[] = {
        {{"import", "--game-numbers", f.dir.root().string(), "7", f.Path("t0001.BMP"),
          out.root().string()},
         "TILE 7 is in no file"},
        {{"import", f.dir.root().string(), "3", f.Path("t0001.BMP"), out.root().string()},
         "is a folder; give --game-numbers"},
        {{"export", f.dir.root().string(), f.Path("P.DAT"), out.Path("x")},
         "is a folder; give --game-numbers"},
        {{"export", "--game-numbers", f.dir.root().string(), f.Path("P.DAT"), out.Path("x"), "5",
          "9"},
         "no tile has a game number in that range"},
    };
    for (const auto& [args, why] : refusals) {
        const ToolRun run = RunTool(args);
        ExpectRefused(run, out.root(), before);
        EXPECT_NE(run.err.find(why), std::string::npos) << run.err;
    }
    const ToolRun misuse = RunTool({"export", "--game-number", "a", "b", "c"});
    EXPECT_EQ(misuse.exitCode, 2);
    EXPECT_NE(misuse.err.find("(unknown option --game-number)"), std::string::npos);
}

TEST(ToolMod, ShipsTheChangedTilesAndWritesNothingForNoChange) {
    SetFolder f;
    ScratchDir out;
    const ToolRun unchanged = RunTool(
        {"mod", f.Path("TILES000.ART"), f.Path("TILES000.ART"), f.Path("P.DAT"), out.Path("mod")});
    EXPECT_EQ(unchanged.exitCode, 0) << unchanged.err;
    EXPECT_EQ(unchanged.out.rfind("unchanged: no tile of ", 0), 0u) << unchanged.out;
    EXPECT_TRUE(ListDir(out.root()).empty());

    std::vector<Tile> changed = f.first;
    changed[1] = PatternTile(2, 2, 40);
    changed[1].attributes = {0x82, 0x02, 0xFF, 0x04};  // forwards, 3 frames; offsets 2, -1; speed 4
    WriteBytes(out.Path("NEW.ART"), ArtFileBytes(changed, 2, 0));
    const ToolRun run = RunTool({"mod", "--ifcrc", f.Path("TILES000.ART"), out.Path("NEW.ART"),
                                 f.Path("P.DAT"), out.Path("mod")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Bytes def = ReadBytes(out.Path("mod/tiles.def"));
    const std::string text(def.begin(), def.end());
    EXPECT_NE(text.find("tilefromtexture 1 { file \"tiles/tile1.png\" xoffset 2 yoffset -1 ifcrc "),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\nanimtilerange 1 3 4 2\n"), std::string::npos) << text;
    EXPECT_EQ(ListDir(out.Path("mod/tiles")), std::vector<std::string>{"tile1.png"});

    const ToolRun misuse = RunTool({"mod", "a", "b", "c"});
    EXPECT_EQ(misuse.exitCode, 2);
}

}  // namespace
}  // namespace pixmill::test
