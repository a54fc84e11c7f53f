// Not a test: an editor that a test starts and kills. It opens a tileset,
// changes it through the real commands, waits until its recovery copy is
// written, says "ready" and waits to be killed.
//
//   pixmill-recovery-child RECOVERY_FOLDER PALETTE ART

#include <stdlib.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <cstdio>

#include "app/ArtCommands.h"
#include "app/Editor.h"
#include "app/Form1.h"
#include "app/PaletteCommands.h"
#include "app/Recovery.h"
#include "app/WindowProcedures.h"
#include "platform/ScriptedPrompts.h"

int main(int argc, char* argv[]) {
    if (argc != 4) {
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    pixmill::ScriptedPrompts prompts;
    pixmill::Editor editor(prompts);
    editor.KeepRecoveryCopies(argv[1]);
    editor.form1->Form_Load();
    pixmill::LoadPalette(editor, argv[2]);
    pixmill::LoadArtFile(editor, argv[3]);
    // Tile 2 cleared, tile 1 resized to 6 x 2.
    editor.form1->Command2_Click();
    editor.form1->mnuclr->trigger();
    editor.form1->GoToFirstTile();
    prompts.AnswerInput("6");
    prompts.AnswerInput("2");
    editor.form1->mnuresize->trigger();
    editor.recovery->WriteNow();
    editor.recovery->WaitUntilIdle();
    std::puts(prompts.Messages().empty() ? "ready" : "failed");
    std::fflush(stdout);
    for (;;) {
        pause();
    }
}
