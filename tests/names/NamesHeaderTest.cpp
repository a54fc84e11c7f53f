#include "names/NamesHeader.h"

#include <gtest/gtest.h>

#include "tests/TestSupport.h"

namespace pixmill {
namespace {

TEST(ReadNamesHeader, ReadsDefineLinesInAnyCase) {
    TileNames names;
    const auto report = ReadNamesHeader(
        "#include \"x.h\"\r\n"
        "// comment\r\n"
        "\r\n"
        "#define DOOR1 153\r\n"
        "#DEFINE\tDOOR2 154\r\n"
        "#define DOOR3 155 // red door\r"
        "#Define DOOR5 5\r\n"
        "  #define INDENTED 7\r\n"
        "#define HEX &H10\r\n",
        names);
    EXPECT_TRUE(report.stoppedBecause.empty()) << report.stoppedBecause;
    EXPECT_EQ(report.namesStored, 5);
    EXPECT_EQ(names.size(), 156);
    EXPECT_EQ(names.NameOf(153), "DOOR1");
    EXPECT_EQ(names.NameOf(154), "DOOR2");
    EXPECT_EQ(names.NameOf(155), "DOOR3");
    EXPECT_EQ(names.NameOf(5), "DOOR5");
    EXPECT_EQ(names.NameOf(16), "HEX");
    EXPECT_EQ(names.NameOf(7), "");
}

TEST(ReadNamesHeader, TwoSpacesGiveAnEmptyNameForEntryZero) {
    TileNames names;
    ReadNamesHeader("#define A 0\r#define  DOOR4 156\r", names);
    EXPECT_EQ(names.NameOf(0), "");
    EXPECT_EQ(names.size(), 1);
}

TEST(ReadNamesHeader, LineFeedsAloneDoNotEndLines) {
    TileNames names;
    ReadNamesHeader("#define FIRST 3\n#define SECOND 4\n", names);
    EXPECT_EQ(names.NameOf(3), "FIRST");
    EXPECT_EQ(names.NameOf(4), "");
}

TEST(ReadNamesHeader, NumbersRoundHalfToEven) {
    TileNames names;
    ReadNamesHeader("#define A 12.5\r#define B 13.5\r", names);
    EXPECT_EQ(names.NameOf(12), "A");
    EXPECT_EQ(names.NameOf(14), "B");
}

TEST(ReadNamesHeader, StopsAtTheFirstLineItCannotTakeAndKeepsWhatCameBefore) {
    struct Case {
        const char* badLine;
        int sizeAfter;  // a line without a space has already grown the table
    };
    const Case cases[] = {
        {"#define BIG 40000", 3}, {"#define BIG 32767.5", 3}, {"#define NEG -1", 3},
        {"#define", 3},           {"#define\tTAB\t9", 3},     {"#define 20", 21},
    };
    for (const Case& c : cases) {
        TileNames names;
        const std::string text =
            std::string("#define KEPT 2\r\n") + c.badLine + "\r\n#define LATER 1\r\n";
        const auto report = ReadNamesHeader(text, names);
        EXPECT_FALSE(report.stoppedBecause.empty()) << c.badLine;
        EXPECT_EQ(report.stoppedAtLine, 2) << c.badLine;
        EXPECT_EQ(report.namesStored, 1) << c.badLine;
        EXPECT_EQ(names.NameOf(2), "KEPT") << c.badLine;
        EXPECT_EQ(names.NameOf(1), "") << c.badLine;
        EXPECT_EQ(names.size(), c.sizeAfter) << c.badLine;
    }
}

TEST(ReadNamesHeader, ASecondHeaderMergesIntoTheTable) {
    TileNames names;
    std::string first;
    for (int i = 1; i <= 10; ++i) {
        first += "#define T" + std::to_string(i) + " " + std::to_string(i) + "\r\n";
    }
    ReadNamesHeader(first, names);
    ReadNamesHeader("#define FIVE 5\r\n", names);
    EXPECT_EQ(names.size(), 11);
    EXPECT_EQ(names.NameOf(4), "T4");
    EXPECT_EQ(names.NameOf(5), "FIVE");
    EXPECT_EQ(names.NameOf(6), "T6");
}

TEST(TileNames, NumbersOutsideTheTableHaveNoName) {
    TileNames names;
    EXPECT_EQ(names.size(), 1);
    EXPECT_EQ(names.NameOf(0), "");
    EXPECT_EQ(names.NameOf(-1), "");
    EXPECT_EQ(names.NameOf(76800), "");
    names.ExtendTo(40000);
    EXPECT_EQ(names.size(), 1);
}

TEST(ReadNamesHeaderFile, AMissingFileChangesNothing) {
    TileNames names;
    test::ScratchDir dir;
    const auto report = ReadNamesHeaderFile(dir.Path("absent.h"), names);
    EXPECT_FALSE(report.stoppedBecause.empty());
    EXPECT_EQ(names.size(), 1);
}

TEST(RealNamesHeader, ReadsEveryDefinition) {
    const std::string path = test::FixturePath("duke3d-sdk/NAMES.H");
    if (path.empty()) {
        GTEST_SKIP() << "fixtures absent";
    }
    TileNames names;
    const auto report = ReadNamesHeaderFile(path, names);
    EXPECT_TRUE(report.stoppedBecause.empty()) << report.stoppedBecause;
    EXPECT_EQ(report.namesStored, 740);
    EXPECT_EQ(names.size(), 6144);
    EXPECT_EQ(names.NameOf(1), "SECTOREFFECTOR");
    EXPECT_EQ(names.NameOf(6143), "RESERVEDSLOT12");
}

}  // namespace
}  // namespace pixmill
