#include "bitmap/PictureCommands.h"

#include <QAction>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/WindowProcedures.h"
#include "bitmap/PictureFile.h"
#include "bitmap/TileBitmap.h"
#include "editing/TilesetChange.h"

namespace pixmill {

bool DitherWhenMatching(const Editor& editor) {
    return editor.form1->mnuDither->isChecked();
}

void ReplaceCurrentPicture(Editor& editor, Tile picture, const std::string& command) {
    const Tile* tile = CurrentTile(editor);
    if (tile == nullptr) {
        return;
    }
    const int current = editor.state.currentTile;
    Tile replaced = *tile;
    ReplacePicture(replaced, std::move(picture));
    TilesetChange change(command);
    change.Replace(editor.tileset, current, std::move(replaced));
    change.focusBefore = change.focusAfter = current;
    MakeChange(editor, std::move(change));
}

void ImportTilePicture(Editor& editor, const std::string& path) {
    // Read whole before anything changes.
    Result<Tile> picture = ReadPictureFile(path, editor.palette, DitherWhenMatching(editor));
    if (!picture) {
        Warn(editor.prompts, "Error opening picture.\n" + picture.reason());
        return;
    }
    ReplaceCurrentPicture(editor, std::move(*picture), "Import Picture");
}

}  // namespace pixmill
