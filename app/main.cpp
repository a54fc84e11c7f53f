// Pixmill: an editor for Build Engine tileset files.

#include <QApplication>

#include "app/Editor.h"
#include "app/Form1.h"
#include "platform/QtPrompts.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The editor ends with its main window, whatever else is open.
    QApplication::setQuitOnLastWindowClosed(false);

    pixmill::QtPrompts prompts;
    pixmill::Editor editor(prompts);
    prompts.SetOwner(editor.form1.get());
    editor.form1->Form_Load();
    editor.form1->show();
    return QApplication::exec();
}
