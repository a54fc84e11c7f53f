// Puts the real windows on the screen for the README's picture: loads a
// palette and a tileset through the real commands (the file dialogs answered
// from a script), opens a tile from the browser, zooms, and stays up for a few
// seconds while scripts/screenshot.sh takes the picture.
//
// pixmill-screenshot PALETTE ART TILE ZOOM SECONDS

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Editor.h"
#include "app/Form1.h"
#include "browser/Form2.h"
#include "platform/PictureBox.h"
#include "platform/ScriptedPrompts.h"

int main(int argc, char* argv[]) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: pixmill-screenshot PALETTE ART TILE ZOOM SECONDS\n");
        return 2;
    }
    QApplication application(argc, argv);
    pixmill::ScriptedPrompts prompts;
    pixmill::Editor editor(prompts);
    pixmill::Form1& form = *editor.form1;
    pixmill::Form2& browser = *editor.form2;
    form.Form_Load();
    form.show();

    prompts.AnswerOpen(argv[1]);
    form.mnuPal->trigger();
    prompts.AnswerOpen(argv[2]);
    form.mnuOpen->trigger();
    form.mnuBrowse->trigger();
    // Side by side rather than both centred, once the window manager has
    // framed them so that their frames are known.
    QTimer::singleShot(700, &application, [&] {
        form.move(0, 0);
        browser.move(form.frameGeometry().right() + 1, 0);
    });

    // Open the tile the way a user would: scroll to its row, click its cell.
    const int tile = std::atoi(argv[3]) - 1;
    browser.VScroll1->setValue(std::max(0, tile / 8 - 2));
    browser.Picture1_MouseDown(1, 0, (tile % 8) * 70 + 35,
                               (tile / 8 - browser.VScroll1->value()) * 70 + 35);
    const int zoom = std::atoi(argv[4]);
    QAction* scale = zoom == 8   ? form.mnu8x
                     : zoom == 4 ? form.mnu4x
                     : zoom == 2 ? form.mnu2x
                                 : form.mnu1x;
    scale->trigger();

    for (const std::string& m : prompts.Messages()) {
        std::fprintf(stderr, "message: %s\n", m.c_str());
    }
    QTimer::singleShot(std::atoi(argv[5]) * 1000, &application, &QApplication::quit);
    return QApplication::exec();
}
