// Recovery of unsaved work after the editor was killed: a real editor in a
// child process makes changes and is killed with SIGKILL; the next one
// offers them back, with the path they belong to.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <filesystem>

#include "app/Recovery.h"
#include "app/WindowProcedures.h"
#include "editing/TileEdits.h"
#include "recovery/RecoveryStore.h"
#include "tests/app/WindowTestSupport.h"
#include "tileset/ArtFile.h"

namespace pixmill::test {
namespace {

// A child process that says "ready" on its output once its work is done.
class Child {
  public:
    explicit Child(std::vector<std::string> args) {
        int out[2];
        if (pipe(out) != 0) {
            return;
        }
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], 1);
            close(out[0]);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(out[1]);
        output_ = fdopen(out[0], "r");
    }
    ~Child() {
        Kill();
        if (output_ != nullptr) {
            fclose(output_);
        }
    }
    std::string ReadLine() {
        char line[64] = {};
        return output_ != nullptr && fgets(line, sizeof line, output_) != nullptr ? line : "";
    }
    void Kill() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            int status = 0;
            waitpid(pid_, &status, 0);
            pid_ = -1;
        }
    }

  private:
    pid_t pid_ = -1;
    FILE* output_ = nullptr;
};

class RecoveryWindowTest : public WindowTest {};

TEST_F(RecoveryWindowTest, AKilledEditorsChangesComeBackWhereTheyBelong) {
    const Tileset set = PatternTileset(4, 3, 3);
    const std::string art = WriteArt(set, "TILES000.ART");
    const std::string palette = WriteTestPalette("PALETTE.pal");
    const std::string folder = dir.Path("recovery");
    Child child({PIXMILL_RECOVERY_CHILD, folder, palette, art});
    ASSERT_EQ(child.ReadLine(), "ready\n");

    // While it runs, its copy is its own: nothing is offered.
    editor.KeepRecoveryCopies(folder);
    OfferRecovery(editor);
    EXPECT_TRUE(prompts.shown().empty());

    child.Kill();
    prompts.AnswerMessage(MessageAnswer::Recover);
    OfferRecovery(editor);
    ASSERT_EQ(prompts.Messages(),
              std::vector<std::string>{"Pixmill was closed with unsaved changes to " + art +
                                       ". Recover them?"});
    Tileset expected = set;
    ClearTile(expected, 2);
    ResizeTilePixels(expected.tile(1), 6, 2);
    EXPECT_EQ(*ArtBytes(editor.tileset), *ArtBytes(expected));
    EXPECT_EQ(editor.palettePath, palette);
    EXPECT_EQ(form.Caption(), "Pixmill - " + art + " *");
    EXPECT_EQ(editor.state.currentTile, 1);

    // Saved where it belongs: the copy goes with the unsaved mark.
    form.mnuSave->trigger();
    EXPECT_EQ(ReadBytes(art), *ArtBytes(expected));
    EXPECT_EQ(form.Caption(), "Pixmill - " + art);
    EXPECT_TRUE(ListDir(folder).empty());
    prompts.ClearShown();
    OfferRecovery(editor);
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(RecoveryWindowTest, ChangesAreCopiedUntilSavedOrGivenUpAndADamagedCopyIsRemoved) {
    const std::string folder = dir.Path("recovery");
    editor.KeepRecoveryCopies(folder);
    OpenTileset(PatternTileset(3, 2, 2));
    form.mnuclr->trigger();
    editor.recovery->WriteNow();
    editor.recovery->WaitUntilIdle();
    EXPECT_EQ(ListDir(folder).size(), 3U);  // the copy, its note, its lock
    // Undone back to the file: nothing is unsaved, nothing is kept.
    form.mnuUndo->trigger();
    EXPECT_TRUE(ListDir(folder).empty());
    form.mnuRedo->trigger();
    editor.recovery->WriteNow();
    editor.recovery->WaitUntilIdle();
    ASSERT_EQ(ListDir(folder).size(), 3U);

    // Another editor finds it once this one is gone; the copy has been cut short.
    std::string copy;
    for (const std::string& name : ListDir(folder)) {
        if (name.ends_with(".ART")) {
            copy = folder + "/" + name;
        }
    }
    editor.recovery.reset();  // as a crash leaves it
    std::filesystem::resize_file(copy, 40);
    ScriptedPrompts script;
    Editor next(script);
    next.form1->Form_Load();
    next.KeepRecoveryCopies(folder);
    OfferRecovery(next);
    ASSERT_EQ(script.Messages().size(), 1U);
    EXPECT_TRUE(script.Messages()[0].starts_with(
        "A recovery copy could not be read and has been removed.\nits copy is 40 bytes long"))
        << script.Messages()[0];
    EXPECT_TRUE(ListDir(folder).empty());
    EXPECT_FALSE(next.tilesetOpen);
}

}  // namespace
}  // namespace pixmill::test
