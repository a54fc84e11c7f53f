// Pixmill: an editor for Build Engine tileset files.

#include <QApplication>
#include <QStandardPaths>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Editor.h"
#include "app/Form1.h"
#include "app/Recovery.h"
#include "app/StartUp.h"
#include "common/AtomicFile.h"
#include "platform/QtPrompts.h"

namespace {

// For bench/startup_bench: with PIXMILL_QUIT_AFTER_START set, the editor ends
// as soon as its window, and the tile the command line opened, are on the
// screen, after printing "first-tile NS", the steady clock's reading then.
bool QuitAfterStart() {
    return std::getenv("PIXMILL_QUIT_AFTER_START") != nullptr;
}

void WaitUntilOnScreen(QWidget& window) {
    while (!window.windowHandle()->isExposed()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    window.repaint();
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    std::printf("first-tile %lld\n", static_cast<long long>(std::chrono::nanoseconds(now).count()));
}

}  // namespace

int main(int argc, char* argv[]) {
    // Read before Qt starts, so that --help and --version need no display.
    const pixmill::CommandLine line =
        pixmill::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.action) {
        case pixmill::CommandLine::Action::Help:
            std::fputs(pixmill::UsageText().c_str(), stdout);
            return 0;
        case pixmill::CommandLine::Action::Version:
            std::fputs(pixmill::VersionText().c_str(), stdout);
            return 0;
        case pixmill::CommandLine::Action::WrongUsage:
            std::fprintf(stderr, "pixmill: %s\n%s", line.error.c_str(),
                         pixmill::UsageText().c_str());
            return 2;
        case pixmill::CommandLine::Action::Start:
            break;
    }

    pixmill::IgnoreFileSizeSignal();
    // Qt sees none of the arguments: every one has been read above, and a
    // file name must never be taken for one of Qt's own options.
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    // The editor ends with its main window, whatever else is open.
    QApplication::setQuitOnLastWindowClosed(false);

    // The folders of the desktop: ~/.local/share/pixmill for recovery copies.
    QCoreApplication::setApplicationName(QStringLiteral("pixmill"));

    pixmill::QtPrompts prompts;
    pixmill::Editor editor(prompts);
    prompts.SetOwner(editor.form1.get());
    editor.KeepRecoveryCopies(
        (QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
         QStringLiteral("/recovery"))
            .toStdString());
    editor.form1->Form_Load();
    editor.form1->show();
    pixmill::RunCommand(editor, [&] { pixmill::OpenCommandLineFiles(editor, line); });
    // After the command line's files: a recovered tileset replaces them.
    pixmill::RunCommand(editor, [&] { pixmill::OfferRecovery(editor); });
    prompts.RememberFile(!line.art.empty() ? line.art : line.palette);
    if (QuitAfterStart()) {
        WaitUntilOnScreen(*editor.form1);
        return 0;
    }
    return QApplication::exec();
}
