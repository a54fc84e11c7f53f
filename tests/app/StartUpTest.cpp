// Files named on the command line: loaded as the menu commands load them, and
// never in the way of the editor starting.

#include <stdlib.h>

#include <QAction>
#include <filesystem>

#include "app/CommandLine.h"
#include "app/StartUp.h"
#include "palette/PaletteFile.h"
#include "tests/app/WindowTestSupport.h"

namespace pixmill::test {
namespace {

class StartUpTest : public WindowTest {
  protected:
    void Open(std::string palette, std::string names, std::string art) {
        OpenCommandLineFiles(editor, {CommandLine::Action::Start, std::move(palette),
                                      std::move(names), std::move(art), ""});
    }
};

TEST_F(StartUpTest, AnArtFileAloneTakesThePaletteBesideItAndNamesShowOnItsFirstTile) {
    std::filesystem::create_directory(dir.Path("game"));
    ASSERT_TRUE(WritePaletteFile(TestPalette(), dir.Path("game/palette.dat")).ok());
    const std::string art = WriteArt(PatternTileset(5, 4, 3), "game/TILES000.ART");
    WriteBytes(dir.Path("n.h"),
               {'#', 'd', 'e', 'f', 'i', 'n', 'e', ' ', 'R', 'O', 'C', 'K', ' ', '0', '\r'});
    Open("", dir.Path("n.h"), art);
    EXPECT_TRUE(prompts.Messages().empty());
    EXPECT_EQ(form.Caption(), "Pixmill - " + art);
    EXPECT_EQ(form.StatusText(), "1/5 - ROCK - 4x3 Offsets: 0,0");
}

TEST_F(StartUpTest, MissingFilesGiveTheMenuMessagesAndTheEditorGoesOn) {
    const std::string art = WriteArt(PatternTileset(3, 2, 2), "TILES000.ART");
    const VisibleState atStart = Snapshot(editor);
    // No palette beside: not opened, and the status line says why.
    Open("", dir.Path("missing.h"), art);
    EXPECT_TRUE(prompts.Messages().empty());
    EXPECT_EQ(form.StatusText(), PaletteNeededText(art));

    Open(dir.Path("missing.dat"), "", art);
    ASSERT_EQ(prompts.Messages().size(), 1U);
    EXPECT_EQ(prompts.Messages()[0].rfind("Error opening palette.\n", 0), 0U);
    form.SetStatusText("");
    EXPECT_EQ(Snapshot(editor), atStart);

    prompts.ClearShown();
    Open(WriteTestPalette(), "", dir.Path("missing.ART"));
    ASSERT_EQ(prompts.Messages().size(), 1U);
    EXPECT_EQ(prompts.Messages()[0].rfind("Error opening ART file.\n", 0), 0U);
    EXPECT_TRUE(form.mnuOpen->isEnabled());
    EXPECT_EQ(editor.tileset.tileCount(), 0);
}

// The real program, as a shell starts it (offscreen, set for these tests).
TEST(StartUpProgramTest, HelpNeedsNoWindowWrongUsageExits2AndMissingFilesStillStart) {
    const ProgramRun help = RunProgram(PIXMILL_BINARY, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out, UsageText());
    const ProgramRun wrong = RunProgram(PIXMILL_BINARY, {"--palete", "P.DAT"});
    EXPECT_EQ(wrong.exitCode, 2);
    ASSERT_FALSE(wrong.ErrLines().empty());
    EXPECT_EQ(wrong.ErrLines()[0], "pixmill: unknown option --palete");

    setenv("PIXMILL_QUIT_AFTER_START", "1", 1);
    const ProgramRun missing = RunProgram(PIXMILL_BINARY, {"/no/such/TILES000.ART"});
    EXPECT_EQ(missing.exitCode, 0) << missing.err;
    EXPECT_EQ(missing.out.rfind("first-tile ", 0), 0U);

    // The program keeps its settings under XDG_CONFIG_HOME, a scratch folder
    // here; --reset-settings empties them.
    const ScratchDir config;
    std::filesystem::create_directory(config.Path("pixmill"));
    const std::string stored = "[view]\nscale=16\n";
    WriteBytes(config.Path("pixmill/pixmill.conf"), Bytes(stored.begin(), stored.end()));
    const char* before = std::getenv("XDG_CONFIG_HOME");
    const std::string kept = before != nullptr ? before : "";
    setenv("XDG_CONFIG_HOME", config.root().c_str(), 1);
    const ProgramRun reset = RunProgram(PIXMILL_BINARY, {"--reset-settings"});
    setenv("XDG_CONFIG_HOME", kept.c_str(), 1);
    unsetenv("PIXMILL_QUIT_AFTER_START");
    EXPECT_EQ(reset.exitCode, 0) << reset.err;
    const Bytes after = ReadBytes(config.Path("pixmill/pixmill.conf"));
    EXPECT_EQ(std::string(after.begin(), after.end()).find("scale"), std::string::npos);
}

}  // namespace
}  // namespace pixmill::test
