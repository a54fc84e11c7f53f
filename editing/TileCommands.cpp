#include "editing/TileCommands.h"

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/WindowProcedures.h"
#include "editing/TileEdits.h"

namespace pixmill {

void InsertTile(Editor& editor, int position) {
    // Refused before anything shows.
    const Status inserted = InsertBlankTile(editor.tileset, position);
    if (!inserted) {
        Warn(editor.prompts, "The tileset is full: " + inserted.reason() + ".");
        return;
    }
    Form1& form = *editor.form1;
    form.SetStatusText("Adding tile...");
    form.SetStatusText("Done.");
    FillBrowser(editor);
    editor.state.currentTile = static_cast<std::int16_t>(position);
    UpdateTileView(editor, 0);
    RenderCurrentTile(editor, editor.state.currentTile);
    form.SetCaption("Pixmill");
}

void DeleteTile(Editor& editor) {
    const int current = editor.state.currentTile;
    RemoveTile(editor.tileset, current);
    editor.state.currentTile = static_cast<std::int16_t>(current - 1);
    FillBrowser(editor);
    if (editor.state.currentTile > 0) {
        UpdateTileView(editor, 0);
        RenderCurrentTile(editor, editor.state.currentTile);
    } else {
        ShowNoTile(editor);
    }
}

void ResizeTile(Editor& editor, int width, int height) {
    ResizeTilePixels(editor.tileset.tile(editor.state.currentTile), width, height);
    // The tile's thumbnail and its place in the view both follow its new size.
    FillBrowser(editor);
    UpdateTileView(editor, 0);
    RenderCurrentTile(editor, editor.state.currentTile);
}

void ClearTiles(Editor& editor, int first, int last) {
    for (int i = first; i <= last; ++i) {
        ClearTile(editor.tileset, i);
    }
    UpdateTileView(editor, 0);
    FillBrowser(editor);
    RenderCurrentTile(editor, editor.state.currentTile);
}

}  // namespace pixmill
