#include "palette/PaletteFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <optional>

#include "tests/TestSupport.h"

namespace pixmill {
namespace {

using test::ReadBytes;
using test::ScratchDir;
using test::WriteBytes;
using Bytes = std::vector<std::uint8_t>;

Palette Ramp() {
    Palette palette;
    for (int i = 0; i < 256; ++i) {
        palette[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i),
                                                static_cast<std::uint8_t>(255 - i),
                                                static_cast<std::uint8_t>(i / 2)};
    }
    return palette;
}

TEST(PaletteFormat, ChosenByThePathsLastThreeLetters) {
    EXPECT_EQ(PaletteFormatOf("a.pal"), PaletteFormat::Riff);
    EXPECT_EQ(PaletteFormatOf("/x/B.PAL"), PaletteFormat::Riff);
    EXPECT_EQ(PaletteFormatOf("c.Pal"), PaletteFormat::Riff);
    EXPECT_EQ(PaletteFormatOf("MYPAL"), PaletteFormat::Riff);
    EXPECT_EQ(PaletteFormatOf("PALETTE.DAT"), PaletteFormat::Build);
    EXPECT_EQ(PaletteFormatOf("x.txt"), PaletteFormat::Build);
    EXPECT_EQ(PaletteFormatOf("/pal/bare"), PaletteFormat::Build);
    EXPECT_EQ(PaletteFormatOf("al"), PaletteFormat::Build);
}

TEST(BuildPalette, ReadsTheFirst768BytesTimesFour) {
    Bytes b(768 + 500, 0xFF);  // shade tables after the colours are ignored
    for (std::size_t i = 0; i < 768; ++i) {
        b[i] = static_cast<std::uint8_t>(i % 64);
    }
    b[0] = b[1] = b[2] = 63;
    auto palette = ReadPalette(b, PaletteFormat::Build);
    ASSERT_TRUE(palette) << palette.reason();
    EXPECT_EQ((*palette)[0], (PaletteEntry{252, 252, 252}));
    EXPECT_EQ((*palette)[1], (PaletteEntry{12, 16, 20}));
    EXPECT_EQ((*palette)[255], (PaletteEntry{4 * (765 % 64), 4 * (766 % 64), 4 * (767 % 64)}));
}

TEST(BuildPalette, RefusesShortFilesAndValuesAbove63) {
    EXPECT_FALSE(ReadPalette(Bytes(767, 0), PaletteFormat::Build));
    EXPECT_FALSE(ReadPalette(Bytes(), PaletteFormat::Build));
    Bytes b(768, 0);
    b[767] = 64;
    auto refused = ReadPalette(b, PaletteFormat::Build);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.reason().find("colour 255"), std::string::npos) << refused.reason();
}

TEST(BuildPalette, WritesValuesOverFourRoundedHalfToEvenWithin63) {
    Palette palette;
    palette[0] = {2, 6, 10};
    palette[1] = {14, 252, 253};
    palette[2] = {254, 255, 0};
    const Bytes b = PaletteBytes(palette, PaletteFormat::Build);
    ASSERT_EQ(b.size(), 768u);
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 9), (Bytes{0, 2, 2, 4, 63, 63, 63, 63, 0}));
    // Whatever it holds, an exported Build palette reads back.
    EXPECT_TRUE(ReadPalette(PaletteBytes(Ramp(), PaletteFormat::Build), PaletteFormat::Build));
}

TEST(RiffPalette, WritesTheFixedLayout) {
    const Bytes b = PaletteBytes(Ramp(), PaletteFormat::Riff);
    ASSERT_EQ(b.size(), 1052u);
    const Bytes header = {'R', 'I', 'F', 'F', 0x0E, 0x04, 0, 0, 'P',  'A',  'L',  ' ',
                          'd', 'a', 't', 'a', 0x08, 0x04, 0, 0, 0x00, 0x03, 0x00, 0x01};
    EXPECT_EQ(Bytes(b.begin(), b.begin() + 24), header);
    EXPECT_EQ(Bytes(b.begin() + 24, b.begin() + 32), (Bytes{0, 255, 0, 0, 1, 254, 0, 0}));
    EXPECT_EQ(Bytes(b.begin() + 1044, b.end()), (Bytes{255, 0, 127, 0, 0, 0, 0, 0}));
}

TEST(RiffPalette, ReadsEntriesFromByte24WhateverTheHeaderSays) {
    Bytes b = PaletteBytes(Ramp(), PaletteFormat::Riff);
    b[22] = 16;  // a count other than 256
    b[0] = 'X';
    b[27] = 99;  // flags are ignored
    b.resize(1048);
    auto palette = ReadPalette(b, PaletteFormat::Riff);
    ASSERT_TRUE(palette) << palette.reason();
    EXPECT_EQ(*palette, Ramp());
    b.pop_back();
    EXPECT_FALSE(ReadPalette(b, PaletteFormat::Riff));
}

TEST(PaletteFile, FormatFollowsTheNameOnBothSides) {
    ScratchDir dir;
    Palette sixBit;
    for (std::size_t i = 0; i < 256; ++i) {
        sixBit[i] = {static_cast<std::uint8_t>(4 * (i % 64)), 8, 252};
    }
    ASSERT_TRUE(WritePaletteFile(sixBit, dir.Path("x.pal")));
    ASSERT_TRUE(WritePaletteFile(sixBit, dir.Path("bare")));
    EXPECT_EQ(ReadBytes(dir.Path("x.pal")).size(), 1052u);
    EXPECT_EQ(ReadBytes(dir.Path("bare")).size(), 768u);
    EXPECT_EQ(*ReadPaletteFile(dir.Path("x.pal")), sixBit);
    EXPECT_EQ(*ReadPaletteFile(dir.Path("bare")), sixBit);
    EXPECT_FALSE(ReadPaletteFile(dir.Path("absent.dat")));
}

TEST(PaletteFile, BuildExportKeepsWhatFollowsTheColoursOfALongerFile) {
    struct Case {
        const char* name;
        std::optional<Bytes> existing;
        bool keepsTail;
    };
    Bytes tables(5000);
    std::iota(tables.begin(), tables.end(), std::uint8_t{1});
    const Case cases[] = {{"NEW.DAT", std::nullopt, false},   {"SHORT.DAT", Bytes(100, 7), false},
                          {"BARE.DAT", Bytes(768, 7), false}, {"ONE.DAT", Bytes(769, 7), true},
                          {"GAME.DAT", tables, true},         {"GAME.PAL", tables, false}};
    ScratchDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.existing) {
            WriteBytes(dir.Path(c.name), *c.existing);
        }
        ASSERT_TRUE(WritePaletteFile(Ramp(), dir.Path(c.name)));
        Bytes expected = PaletteBytes(Ramp(), PaletteFormatOf(c.name));
        if (c.keepsTail) {
            expected.insert(expected.end(), c.existing->begin() + 768, c.existing->end());
        }
        EXPECT_EQ(ReadBytes(dir.Path(c.name)), expected);
    }
    EXPECT_EQ(test::ListDir(dir.root()).size(), std::size(cases));
}

TEST(PaletteFile, AFileTooLargeForAPaletteIsRefusedAndKept) {
    ScratchDir dir;
    const std::string path = dir.Path("BIG.DAT");
    std::ofstream(path).close();
    std::filesystem::resize_file(path, 100 << 20);  // sparse: no disk is spent
    const Status refused = WritePaletteFile(Ramp(), path);
    EXPECT_NE(refused.reason().find("too large"), std::string::npos) << refused.reason();
    EXPECT_EQ(std::filesystem::file_size(path), std::uintmax_t{100} << 20);
}

TEST(RealPalette, ExportOverTheGamesPaletteKeepsItsTables) {
    const std::string path = test::FixturePath("kenbuild/PALETTE.DAT");
    if (path.empty()) {
        GTEST_SKIP() << "fixtures absent";
    }
    const Bytes original = ReadBytes(path);
    ASSERT_EQ(original.size(), 74498u);
    ScratchDir dir;
    const std::string out = dir.Path("PALETTE.DAT");
    WriteBytes(out, original);
    ASSERT_TRUE(WritePaletteFile(Ramp(), out));
    const Bytes written = ReadBytes(out);
    ASSERT_EQ(written.size(), 74498u);
    EXPECT_EQ(Bytes(written.begin(), written.begin() + 768),
              PaletteBytes(Ramp(), PaletteFormat::Build));
    EXPECT_TRUE(std::equal(written.begin() + 768, written.end(), original.begin() + 768));

    auto palette = ReadPaletteFile(path);
    ASSERT_TRUE(palette) << palette.reason();
    const std::string riff = dir.Path("PALETTE.PAL");
    ASSERT_TRUE(WritePaletteFile(*palette, riff));
    const Bytes r = ReadBytes(riff);
    ASSERT_EQ(r.size(), 1052u);
    EXPECT_EQ(r[24 + 4 * 255], 4 * original[3 * 255]);
}

}  // namespace
}  // namespace pixmill
