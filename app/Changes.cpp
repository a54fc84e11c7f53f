// The one path of every change to the tileset, undo and redo, and what the
// history shows: the unsaved mark and the Edit menu.

#include <QAction>
#include <algorithm>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/Recovery.h"
#include "app/SetView.h"
#include "app/WindowProcedures.h"
#include "editing/TilesetChange.h"

namespace pixmill {
namespace {

std::string TilesetCaption(const Editor& editor) {
    std::string caption = "Pixmill";
    if (!editor.tilesetOpen) {
        return caption;
    }
    if (editor.tileset.IsSet()) {
        caption = SetCaption(editor.tileset);
    } else {
        caption += editor.tileset.artPath.empty() ? std::string(" - New tileset")
                                                  : " - " + editor.tileset.artPath;
    }
    if (editor.history.Modified()) {
        caption += " *";
    }
    return caption;
}

void ShowChanged(Editor& editor, int focus, Redraw redraw) {
    if (redraw == Redraw::Nothing) {
        return;
    }
    editor.state.currentTile =
        static_cast<std::int16_t>(std::clamp(focus, 0, editor.tileset.tileCount()));
    if (editor.state.currentTile > 0) {
        UpdateTileView(editor, 0);
        if (redraw == Redraw::TileAndBrowser) {
            FillBrowser(editor);
        }
        RenderCurrentTile(editor, editor.state.currentTile);
        return;
    }
    FillBrowser(editor);
    ShowNoTile(editor);
}

// Undo (back) or redo: another state of the tileset is shown as paging shows
// another tile, a running preview stopped first.
void TakeStep(Editor& editor, bool back) {
    History& history = editor.history;
    if (back ? !history.CanUndo() : !history.CanRedo()) {
        return;
    }
    if (editor.form1->mnuAnim->isChecked()) {
        StopAnimationPreview(editor);
    }
    const int focus =
        back ? history.Undo(editor.tileset)->focusBefore : history.Redo(editor.tileset)->focusAfter;
    ShowHistoryState(editor);
    ShowChanged(editor, focus, Redraw::TileAndBrowser);
}

// A change made on the tileset: recorded as one step and shown.
void Keep(Editor& editor, TilesetChange change, Redraw redraw) {
    const int focus = change.focusAfter;
    editor.history.Record(std::move(change));
    ShowHistoryState(editor);
    ShowChanged(editor, focus, redraw);
}

}  // namespace

bool TileListMayChange(Editor& editor) {
    if (!editor.tileset.IsSet()) {
        return true;
    }
    Warn(editor.prompts, kTileListFixedInSet);
    return false;
}

void MakeChange(Editor& editor, TilesetChange change, Redraw redraw) {
    // A set's files keep their tiles' places: every number in the game stays.
    if (change.ChangesTileList() && !TileListMayChange(editor)) {
        return;
    }
    if (change.Empty()) {
        ShowChanged(editor, change.focusAfter, redraw);
        return;
    }
    change.Apply(editor.tileset);
    Keep(editor, std::move(change), redraw);
}

void RecordChange(Editor& editor, TilesetChange change, Redraw redraw) {
    if (change.Empty()) {
        ShowChanged(editor, change.focusAfter, redraw);
        return;
    }
    Keep(editor, std::move(change), redraw);
}

void UndoChange(Editor& editor) {
    TakeStep(editor, true);
}

void RedoChange(Editor& editor) {
    TakeStep(editor, false);
}

void ShowHistoryState(Editor& editor) {
    Form1& form = *editor.form1;
    form.SetCaption(TilesetCaption(editor));
    const History& history = editor.history;
    form.mnuUndo->setEnabled(history.CanUndo());
    form.mnuUndo->setText(QString::fromStdString(history.CanUndo() ? "Undo " + history.UndoName()
                                                                   : std::string("Undo")));
    form.mnuRedo->setEnabled(history.CanRedo());
    form.mnuRedo->setText(QString::fromStdString(history.CanRedo() ? "Redo " + history.RedoName()
                                                                   : std::string("Redo")));
    if (editor.recovery) {
        editor.recovery->Follow();
    }
}

}  // namespace pixmill
