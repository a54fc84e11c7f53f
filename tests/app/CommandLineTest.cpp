#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/TestSupport.h"

namespace pixmill {
namespace {

using Action = CommandLine::Action;

TEST(CommandLineTest, ReadsOptionsInAnyOrderAndRefusesWhatItDoesNotKnow) {
    struct Case {
        std::vector<std::string> args;
        Action action;
        std::string palette, names, art, error;  // error: how the message starts
    };
    const Case cases[] = {
        {{"--palette", "P", "--names", "N.h", "T.ART"}, Action::Start, "P", "N.h", "T.ART", ""},
        {{"T.ART", "--names=N.h", "--palette=P"}, Action::Start, "P", "N.h", "T.ART", ""},
        {{"--", "--odd.ART"}, Action::Start, "", "", "--odd.ART", ""},
        {{"-x", "T.ART"}, Action::WrongUsage, "", "", "", "unknown option -x"},
        {{"--palette"}, Action::WrongUsage, "", "", "", "--palette needs a file name"},
        {{"--names="}, Action::WrongUsage, "", "", "", "--names needs a file name"},
        {{"--palette=A", "--palette=B"}, Action::WrongUsage, "", "", "", "--palette given twice"},
        {{"A.ART", "B.ART"}, Action::WrongUsage, "", "", "", "more than one ART file"},
        {{"T.ART", "--help", "--bogus"}, Action::Help, "", "", "", ""},
        {{"--version", "--palette"}, Action::Version, "", "", "", ""},
        {{"--bogus", "--help"}, Action::WrongUsage, "", "", "", "unknown option --bogus"},
    };
    for (const Case& c : cases) {
        const CommandLine line = ParseCommandLine(c.args);
        const std::string shown = c.args[0] + " ...";
        EXPECT_EQ(line.action, c.action) << shown;
        if (c.action == Action::Start) {
            EXPECT_EQ(line.palette + "|" + line.names + "|" + line.art,
                      c.palette + "|" + c.names + "|" + c.art)
                << shown;
        }
        EXPECT_EQ(line.error.rfind(c.error, 0), 0U) << shown << ": " << line.error;
    }
}

TEST(CommandLineTest, FindsThePaletteBesideAnArtFileInAnyCase) {
    const test::ScratchDir dir;
    for (const char* folder : {"lower", "both", "none"}) {
        std::filesystem::create_directory(dir.Path(folder));
    }
    test::WriteBytes(dir.Path("lower/palette.dat"), {1});
    test::WriteBytes(dir.Path("both/Palette.Dat"), {1});
    test::WriteBytes(dir.Path("both/PALETTE.DAT"), {1});
    std::filesystem::create_directory(dir.Path("none/palette.dat"));  // a folder is no palette

    EXPECT_EQ(PaletteBeside(dir.Path("lower/T.ART")), dir.Path("lower/palette.dat"));
    EXPECT_EQ(PaletteBeside(dir.Path("both/T.ART")), dir.Path("both/PALETTE.DAT"));
    EXPECT_EQ(PaletteBeside(dir.Path("none/T.ART")), "");
    EXPECT_EQ(PaletteBeside(dir.Path("missing/T.ART")), "");
}

}  // namespace
}  // namespace pixmill
