// The Edit menu of the main window.

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/WindowProcedures.h"

namespace pixmill {

void Form1::mnuUndo_Click() {
    UndoChange(editor_);
}

void Form1::mnuRedo_Click() {
    RedoChange(editor_);
}

}  // namespace pixmill
