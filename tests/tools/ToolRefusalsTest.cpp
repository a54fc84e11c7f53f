// pixmill-tool refusing bad input: one line on standard error, exit 1, and no
// file written, half-written or left as a temporary.

#include <gtest/gtest.h>

#include "tests/TestSupport.h"
#include "tests/tools/ToolFiles.h"

namespace pixmill::test {
namespace {

struct Folders {
    ScratchDir scratch;
    std::filesystem::path out = scratch.root() / "out";
    Folders() {
        std::filesystem::create_directory(out);
        WriteBytes(In("GOOD.ART"),
                   ArtFileBytes({PatternTile(4, 4), PatternTile(2, 2), PatternTile(64, 64)}));
        WriteBytes(In("GOOD.DAT"), BuildPaletteBytes());
        Bytes bmp = BitmapHeader(2, 2, 8, 0);
        bmp.resize(1078 + 8, 1);
        WriteBytes(In("GOOD.BMP"), bmp);
    }
    std::string In(const std::string& name) const { return scratch.Path(name); }
    std::string Out(const std::string& name) const { return (out / name).string(); }
};

// One 30000 x 30000 tile in a file of 40 bytes.
Bytes OversizedArt() {
    Bytes b = ArtFileBytes({Tile{}});
    Put16(b, 16, 30000);
    Put16(b, 18, 30000);
    b.resize(40, 0);
    return b;
}

TEST(ToolRefusals, BrokenArtFilesAreRefusedByEveryCommand) {
    Folders f;
    const Bytes good = ReadBytes(f.In("GOOD.ART"));
    Bytes reversed = good;
    Put32(reversed, 8, 10);
    Put32(reversed, 12, 8);
    Bytes tooMany(16 + 8 * 8193, 0);
    Put32(tooMany, 12, 8192);
    Bytes negative = ArtFileBytes({PatternTile(2, 2)});
    Put16(negative, 16, -5);
    const std::vector<std::pair<std::string, Bytes>> broken{
        {"empty", {}},
        {"header", Bytes(good.begin(), good.begin() + 15)},
        {"tables", Bytes(good.begin(), good.begin() + 30)},
        {"pixels", Bytes(good.begin(), good.end() - 1)},
        {"reversed", reversed},
        {"oversized", OversizedArt()},
        {"too-many", tooMany},
        {"negative", negative}};
    for (const auto& [name, bytes] : broken) {
        SCOPED_TRACE(name);
        const std::string in = f.In(name + ".ART");
        WriteBytes(in, bytes);
        ExpectRefused(RunTool({"info", in}), f.out);
        ExpectRefused(RunTool({"resave", in, f.Out("R.ART")}), f.out);
        ExpectRefused(RunTool({"export", in, f.In("GOOD.DAT"), f.Out("b")}), f.out);
        ExpectRefused(RunTool({"import", in, "1", f.In("GOOD.BMP"), f.Out("I.ART")}), f.out);
    }
    // Neither a missing file nor a folder is an ART file.
    ExpectRefused(RunTool({"info", f.In("missing.ART")}), f.out);
    ExpectRefused(RunTool({"resave", f.out.string(), f.Out("R.ART")}), f.out);
}

TEST(ToolRefusals, BadPalettesAreRefused) {
    Folders f;
    Bytes tooBright = BuildPaletteBytes();
    tooBright[100] = 64;
    const std::vector<std::pair<std::string, Bytes>> broken{
        {"SHORT.DAT", Bytes(767, 0)}, {"SHORT.PAL", Bytes(1047, 0)}, {"BRIGHT.DAT", tooBright}};
    for (const auto& [name, bytes] : broken) {
        SCOPED_TRACE(name);
        WriteBytes(f.In(name), bytes);
        ExpectRefused(RunTool({"export", f.In("GOOD.ART"), f.In(name), f.Out("b")}), f.out);
        ExpectRefused(RunTool({"palette", f.In(name), f.Out("P.PAL")}), f.out);
        ExpectRefused(RunTool({"palette", f.In(name), f.Out("P.DAT")}), f.out);
    }
}

TEST(ToolRefusals, OnlyUncompressedEightBitBitmapsAreImported) {
    Folders f;
    Bytes deep = BitmapHeader(2, 2, 24, 0);
    deep.resize(54 + 16, 9);
    Bytes packed = BitmapHeader(2, 2, 8, 1);
    packed.resize(1078 + 8, 1);
    Bytes cut = ReadBytes(f.In("GOOD.BMP"));
    cut.pop_back();
    Bytes huge = BitmapHeader(40000, 1, 8, 0);
    huge.resize(1078 + 40000, 1);
    const std::vector<std::pair<std::string, Bytes>> broken{
        {"deep", deep}, {"packed", packed}, {"cut", cut}, {"huge", huge}, {"stub", Bytes(20, 0)}};
    for (const auto& [name, bytes] : broken) {
        SCOPED_TRACE(name);
        WriteBytes(f.In(name + ".BMP"), bytes);
        const ToolRun run =
            RunTool({"import", f.In("GOOD.ART"), "1", f.In(name + ".BMP"), f.Out("I.ART")});
        ExpectRefused(run, f.out);
        if (name == "deep") {
            EXPECT_NE(run.err.find("Only 8-bit bitmaps can be imported into ART files."),
                      std::string::npos);
        }
    }
}

TEST(ToolRefusals, TilePositionsMustBeWholeNumbersInRange) {
    Folders f;
    // Only whole numbers reach the range check; anything else is wrong usage.
    const std::vector<std::vector<std::string>> ranges{
        {"0"},      {"4"},      {"-1"},     {"99999999999999999999"}, {"-99999999999999999999"},
        {"3", "2"}, {"1", "4"}, {"1", "-3"}};
    for (const auto& range : ranges) {
        SCOPED_TRACE(range[0] + (range.size() > 1 ? " " + range[1] : ""));
        std::vector<std::string> args{"export", f.In("GOOD.ART"), f.In("GOOD.DAT"), f.Out("b")};
        args.insert(args.end(), range.begin(), range.end());
        const ToolRun run = RunTool(args);
        ExpectRefused(run, f.out);
        EXPECT_NE(run.err.find(range.size() > 1 && range[0] == "1" ? "LAST" : "FIRST"),
                  std::string::npos);
    }
    for (const char* tile : {"0", "4", "-0"}) {
        SCOPED_TRACE(tile);
        const ToolRun run =
            RunTool({"import", f.In("GOOD.ART"), tile, f.In("GOOD.BMP"), f.Out("I.ART")});
        ExpectRefused(run, f.out);
        EXPECT_NE(run.err.find("TILE"), std::string::npos);
    }
    // A tileset without tiles has no position to name.
    WriteBytes(f.In("EMPTY.ART"), ArtFileBytes({}, 0, 5));
    ExpectRefused(RunTool({"export", f.In("EMPTY.ART"), f.In("GOOD.DAT"), f.Out("b")}), f.out);
    ExpectRefused(RunTool({"import", f.In("EMPTY.ART"), "1", f.In("GOOD.BMP"), f.Out("I.ART")}),
                  f.out);
}

TEST(ToolRefusals, FilesThatAreNotArtFilesAreRefusedByEveryCommand) {
    Folders f;
    for (const std::string& in : {f.In("GOOD.DAT"), f.In("GOOD.BMP")}) {
        for (const ToolRun& run : {RunTool({"info", in}), RunTool({"resave", in, f.Out("R.ART")}),
                                   RunTool({"export", in, f.In("GOOD.DAT"), f.Out("b")}),
                                   RunTool({"import", in, "1", f.In("GOOD.BMP"), f.Out("I")})}) {
            ExpectRefused(run, f.out);
            EXPECT_NE(run.err.find(in + ": not an ART file: its version field is "),
                      std::string::npos)
                << run.err;
        }
    }
}

TEST(ToolRefusals, OutputsThatCannotBeWrittenChangeNothing) {
    Folders f;
    std::filesystem::create_directory(f.out / "sub");
    const Bytes old{1, 2, 3};
    WriteBytes(f.Out("OLD.ART"), old);
    const std::vector<std::string> before{"OLD.ART", "sub"};
    ExpectRefused(RunTool({"resave", f.In("GOOD.ART"), f.Out("sub")}), f.out, before);
    ExpectRefused(RunTool({"resave", f.In("GOOD.ART"), f.Out("no/R.ART")}), f.out, before);
    ExpectRefused(RunTool({"palette", f.In("GOOD.DAT"), f.Out("sub")}), f.out, before);
    ExpectRefused(RunTool({"export", f.In("GOOD.ART"), f.In("GOOD.DAT"), f.Out("no/b")}), f.out,
                  before);
    ExpectRefused(RunTool({"export", f.In("GOOD.ART"), f.In("GOOD.DAT"), ""}), f.out, before);
    // A bad input leaves an existing output as it was.
    WriteBytes(f.In("CUT.ART"), Bytes(20, 0));
    ExpectRefused(RunTool({"resave", f.In("CUT.ART"), f.Out("OLD.ART")}), f.out, before);
    ExpectRefused(RunTool({"import", f.In("GOOD.ART"), "9", f.In("GOOD.BMP"), f.Out("OLD.ART")}),
                  f.out, before);
    EXPECT_EQ(ReadBytes(f.Out("OLD.ART")), old);
    EXPECT_TRUE(std::filesystem::is_empty(f.out / "sub"));
}

TEST(ToolRefusals, AnExportThatFailsPartWayTakesBackItsNewBitmaps) {
    Folders f;
    // A folder where the second bitmap would go is found before anything is
    // written, so even the first bitmap, there before the run, is untouched.
    std::filesystem::create_directory(f.out / "a0002.BMP");
    WriteBytes(f.Out("a0001.BMP"), {9});
    ExpectRefused(RunTool({"export", f.In("GOOD.ART"), f.In("GOOD.DAT"), f.Out("a")}), f.out,
                  {"a0001.BMP", "a0002.BMP"});
    EXPECT_EQ(ReadBytes(f.Out("a0001.BMP")), Bytes{9});

    // Tiles 1 and 2 fit under the file size limit, tile 3 (64 x 64) does not: the
    // new second bitmap is removed, the first, there before the run, stays.
    WriteBytes(f.Out("b0001.BMP"), {1, 2, 3});
    RunOptions limited;
    limited.fileSizeLimit = 2000;
    const ToolRun run =
        RunTool({"export", f.In("GOOD.ART"), f.In("GOOD.DAT"), f.Out("b")}, limited);
    ExpectRefused(run, f.out, {"a0001.BMP", "a0002.BMP", "b0001.BMP"});
    EXPECT_NE(run.err.find("b0003.BMP"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace pixmill::test
