#include "editing/TileCommands.h"

#include <algorithm>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/WindowProcedures.h"
#include "editing/TileEdits.h"
#include "editing/TilesetChange.h"

namespace pixmill {

void InsertTile(Editor& editor, int position) {
    if (!TileListMayChange(editor)) {
        return;
    }
    // Refused before anything shows: a save could not write one tile more.
    if (const Status room = CheckRoomForTile(editor.tileset); !room) {
        Warn(editor.prompts, "The tileset is full: " + room.reason() + ".");
        return;
    }
    position = std::clamp(position, 1, editor.tileset.tileCount() + 1);
    Form1& form = *editor.form1;
    form.SetStatusText("Adding tile...");
    form.SetStatusText("Done.");
    TilesetChange change("Insert");
    change.Insert(position, BlankTile());
    change.focusBefore = editor.state.currentTile;
    change.focusAfter = position;
    MakeChange(editor, std::move(change));
}

void DeleteTile(Editor& editor) {
    const int current = editor.state.currentTile;
    if (current < 1 || current > editor.tileset.tileCount()) {
        return;
    }
    TilesetChange change("Delete");
    change.Erase(editor.tileset, current);
    change.focusBefore = current;
    change.focusAfter = current - 1;
    MakeChange(editor, std::move(change));
}

void ResizeTile(Editor& editor, int width, int height) {
    const Tile* tile = CurrentTile(editor);
    if (tile == nullptr) {
        return;
    }
    const int current = editor.state.currentTile;
    TilesetChange change("Resize");
    change.Replace(editor.tileset, current, ResizedTile(*tile, width, height));
    change.focusBefore = change.focusAfter = current;
    MakeChange(editor, std::move(change));
}

void ClearTiles(Editor& editor, int first, int last, const std::string& command) {
    first = std::max(first, 1);
    last = std::min(last, editor.tileset.tileCount());
    const int current = editor.state.currentTile;
    TilesetChange change(command);
    for (int i = first; i <= last; ++i) {
        change.Replace(editor.tileset, i, BlankTile());
    }
    // The current tile stays current; undo shows a tile it brings back.
    change.focusAfter = current;
    change.focusBefore = current >= first && current <= last ? current : first;
    MakeChange(editor, std::move(change));
}

}  // namespace pixmill
