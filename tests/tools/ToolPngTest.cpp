// pixmill-tool with PNGs and with pictures whose colour table is not the
// palette, and a batch export that fails having changed nothing.

#include <gtest/gtest.h>

#include "tests/TestSupport.h"
#include "tests/tools/ToolFiles.h"

namespace pixmill::test {
namespace {

struct PngFolder {
    ScratchDir dir;
    // Tile 3 is noise, which deflate cannot shrink much.
    std::vector<Tile> tiles{
        PatternTile(5, 3, 1), Tile{}, TileOf(70, 66, [](int x, int y) {
            return (static_cast<std::uint32_t>(x * 131 + y * 7919) * 2654435761u) >> 24;
        })};
    PngFolder() {
        WriteBytes(dir.Path("IN.ART"), ArtFileBytes(tiles));
        WriteBytes(dir.Path("P.DAT"), BuildPaletteBytes());
    }
    std::string Path(const std::string& name) const { return dir.Path(name); }
};

TEST(ToolPng, ExportSkipsEmptyTilesAndImportGivesEachTileBack) {
    PngFolder f;
    const ToolRun run = RunTool({"export", f.Path("IN.ART"), f.Path("P.DAT"), f.Path("t.Png")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "pixmill-tool: tile 2 is 0 x 0, which a PNG cannot hold; skipped\n");
    EXPECT_EQ(ListDir(f.dir.root()),
              (std::vector<std::string>{"IN.ART", "P.DAT", "t0001.PNG", "t0003.PNG"}));
    const Bytes png = ReadBytes(f.Path("t0003.PNG"));
    ASSERT_GT(png.size(), 26u);
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    EXPECT_EQ(png[24], 8);  // 8-bit
    EXPECT_EQ(png[25], 3);  // indexed

    // Tile 3 into tile 2 and tile 1 into tile 3: the ART file says where each went.
    ASSERT_EQ(
        RunTool({"import", f.Path("IN.ART"), "2", f.Path("t0003.PNG"), f.Path("A.ART")}).exitCode,
        0);
    const ToolRun second = RunTool({"import", "--palette", f.Path("P.DAT"), f.Path("A.ART"), "3",
                                    f.Path("t0001.PNG"), f.Path("B.ART")});
    ASSERT_EQ(second.exitCode, 0) << second.err;
    EXPECT_EQ(second.err, "");  // the table is the palette: no warning
    std::vector<Tile> expected{f.tiles[0], f.tiles[2], f.tiles[0]};
    EXPECT_EQ(ReadBytes(f.Path("B.ART")), ArtFileBytes(expected, 3));
}

// A 2 x 1 bitmap whose table holds the palette's colours 5 and 9 as entries 0
// and 1, as an image editor that dropped the unused colours leaves it.
Bytes ReorderedBitmap() {
    const Bytes dat = BuildPaletteBytes();
    Bytes bmp = BitmapHeader(2, 1, 8, 0);
    Put32(bmp, 46, 2);
    Put32(bmp, 10, 54 + 8);
    for (int colour : {5, 9}) {
        const auto at = static_cast<std::size_t>(3 * colour);
        const auto times4 = [&](std::size_t i) { return static_cast<std::uint8_t>(dat[i] * 4); };
        bmp.insert(bmp.end(), {times4(at + 2), times4(at + 1), times4(at), 0});
    }
    bmp.insert(bmp.end(), {1, 0, 0, 0});  // colour 9, then colour 5
    return bmp;
}

TEST(ToolPng, AReorderedColourTableIsMatchedOrWarnedAbout) {
    PngFolder f;
    WriteBytes(f.Path("r.bmp"), ReorderedBitmap());
    const std::vector<std::pair<std::vector<std::string>, std::vector<std::uint8_t>>> cases{
        {{}, {1, 0}},
        {{"--palette", f.Path("P.DAT")}, {1, 0}},
        {{"--match-palette", f.Path("P.DAT")}, {9, 5}}};
    for (const auto& [options, pixels] : cases) {
        std::vector<std::string> args{"import"};
        args.insert(args.end(), options.begin(), options.end());
        args.insert(args.end(), {f.Path("IN.ART"), "2", f.Path("r.bmp"), f.Path("OUT.ART")});
        const ToolRun run = RunTool(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const bool warned = run.err.find("warning: the colour table of") != std::string::npos;
        EXPECT_EQ(warned, options.size() == 2 && options[0] == "--palette") << run.err;
        EXPECT_LE(run.ErrLines().size(), 1u);
        std::vector<Tile> expected = f.tiles;
        expected[1].width = 2;
        expected[1].height = 1;
        expected[1].pixels = {pixels[0], pixels[1]};
        EXPECT_EQ(ReadBytes(f.Path("OUT.ART")), ArtFileBytes(expected, 3));
    }
}

TEST(ToolPng, MatchingTakesBitmapsOfEveryDepthWithOrWithoutDithering) {
    PngFolder f;
    const Bytes dat = BuildPaletteBytes();
    // A 3 x 1 bitmap of 24 bits in the palette's colours 5, 9 and 5.
    Bytes bmp = BitmapHeader(3, 1, 24, 0);
    Put32(bmp, 10, 54);
    for (int colour : {5, 9, 5}) {
        const auto at = static_cast<std::size_t>(3 * colour);
        for (const std::size_t channel : {at + 2, at + 1, at}) {
            bmp.push_back(static_cast<std::uint8_t>(dat[channel] * 4));
        }
    }
    bmp.resize(bmp.size() + 3, 0);  // the row padded to 12 bytes
    WriteBytes(f.Path("deep.bmp"), bmp);
    std::vector<Tile> expected = f.tiles;
    expected[0] = TileOf(3, 1, [](int x, int) { return x == 2 ? 9 : 5; });
    for (const bool dither : {false, true}) {
        std::vector<std::string> args{"import", "--match-palette", f.Path("P.DAT")};
        if (dither) {
            args.push_back("--dither");
        }
        args.insert(args.end(), {f.Path("IN.ART"), "1", f.Path("deep.bmp"), f.Path("OUT.ART")});
        const ToolRun run = RunTool(args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(ReadBytes(f.Path("OUT.ART")), ArtFileBytes(expected, 3));
    }
    // Without matching its pixels are no palette indices; --dither goes with matching.
    ScratchDir out;
    const ToolRun plain = RunTool(
        {"import", f.Path("IN.ART"), "1", f.Path("deep.bmp"), (out.root() / "O.ART").string()});
    ExpectRefused(plain, out.root());
    EXPECT_NE(plain.err.find("Only 8-bit bitmaps can be imported into ART files. (--match-palette "
                             "matches the colours of bitmaps of 1, 4, 16, 24 and 32 bits)"),
              std::string::npos)
        << plain.err;
    const ToolRun misuse = RunTool({"import", "--dither", "--palette", f.Path("P.DAT"),
                                    f.Path("IN.ART"), "1", f.Path("deep.bmp"), "O.ART"});
    EXPECT_EQ(misuse.exitCode, 2);
    EXPECT_NE(misuse.err.find("(--dither goes with --match-palette)"), std::string::npos);
}

TEST(ToolPng, ImportOptionsAreCheckedAndBadPngsChangeNothing) {
    PngFolder f;
    for (const auto& [args, why] : std::vector<std::pair<std::vector<std::string>, std::string>>{
             {{"import", "a", "1", "b", "c", "--palette"}, "(--palette needs the palette"},
             {{"import", "--palette", "p", "--match-palette", "p", "a", "1"}, "(one of"},
             {{"import", "--matchpalette", "p", "a", "1", "b"}, "(unknown option"},
             {{"import", "--palette", "p", "a", "1", "b"}, "(IN.ART, TILE, PICTURE and OUT.ART"}}) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find(why), std::string::npos) << run.err;
    }
    ScratchDir out;
    WriteBytes(f.Path("cut.png"), Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0});
    WriteBytes(f.Path("bmp.png"), ReorderedBitmap());
    for (const char* name : {"cut.png", "bmp.png", "missing.png"}) {
        ExpectRefused(RunTool({"import", "--match-palette", f.Path("P.DAT"), f.Path("IN.ART"), "1",
                               f.Path(name), (out.root() / "O.ART").string()}),
                      out.root());
    }
}

TEST(ToolPng, ABatchThatFailsLeavesEveryExistingFileAsItWas) {
    // Tile 3 (70 x 66) is over the file size limit, tiles 1 and 2 under it; the
    // bitmap of tile 1 and the PNG of tile 3 were there before.
    PngFolder f;
    ScratchDir out;
    WriteBytes((out.root() / "b0001.BMP").string(), {1, 2, 3});
    WriteBytes((out.root() / "p0003.PNG").string(), {4, 5});
    RunOptions limited;
    limited.fileSizeLimit = 2000;
    for (const char* base : {"b", "p.png"}) {
        SCOPED_TRACE(base);
        ExpectRefused(
            RunTool({"export", f.Path("IN.ART"), f.Path("P.DAT"), (out.root() / base).string()},
                    limited),
            out.root(), {"b0001.BMP", "p0003.PNG"});
        EXPECT_EQ(ReadBytes((out.root() / "b0001.BMP").string()), (Bytes{1, 2, 3}));
        EXPECT_EQ(ReadBytes((out.root() / "p0003.PNG").string()), (Bytes{4, 5}));
    }
}

}  // namespace
}  // namespace pixmill::test
