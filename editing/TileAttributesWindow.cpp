// Moving a tile's attributes between the tile and the properties dialog, and
// the dialog's opening.

#include <QAction>
#include <QMenu>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/WindowProcedures.h"
#include "editing/Attributes.h"
#include "editing/Form3.h"
#include "editing/TilesetChange.h"

namespace pixmill {
void ShowTileAttributes(Editor& editor) {
    const Tile* tile = CurrentTile(editor);
    if (tile == nullptr) {
        return;
    }
    const TileAttributes& attributes = tile->attributes;
    const SpeedMenuState speed = SpeedMenuFor(attributes);
    editor.form1->mnuIncSpeed->setEnabled(speed.increaseEnabled);
    editor.form1->mnuDecSpeed->setEnabled(speed.decreaseEnabled);
    editor.form1->mnuAnimSpeed->setTitle(QString::fromStdString(speed.caption));
    editor.form3().ShowValues(UnpackAttributes(attributes));
}

void StoreTileAttributes(Editor& editor) {
    const Tile* tile = CurrentTile(editor);
    if (tile == nullptr) {
        return;
    }
    const int current = editor.state.currentTile;
    Tile stored = *tile;
    stored.attributes = PackAttributes(editor.form3().EnteredValues(), tile->attributes);
    TilesetChange change("Properties");
    change.Replace(editor.tileset, current, std::move(stored));
    change.focusBefore = change.focusAfter = current;
    // The offsets move the tile in the view; its thumbnail stays as it was.
    MakeChange(editor, std::move(change), Redraw::Tile);
}

void ShowTileProperties(Editor& editor) {
    if (!TileSelectedOrWarn(editor)) {
        return;
    }
    ShowInFrontOfMainWindow(editor, editor.form3());
    SetBrowserEnabled(editor, false);
    SetMainWindowEnabled(editor, false);
}

void WarnNoTileSelected(Editor& editor) {
    Warn(editor.prompts, "No tile selected.");
}

bool TileSelectedOrWarn(Editor& editor) {
    if (editor.state.currentTile < 1) {
        WarnNoTileSelected(editor);
        return false;
    }
    return true;
}

}  // namespace pixmill
