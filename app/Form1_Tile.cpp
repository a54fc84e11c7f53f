// The Tile menu of the main window: bitmaps and pictures in and out,
// inserting, deleting, resizing and clearing tiles, and the properties dialog.

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/WindowProcedures.h"
#include "bitmap/BitmapCommands.h"
#include "bitmap/PictureCommands.h"
#include "common/Numbers.h"
#include "editing/TileCommands.h"
#include "editing/TileEdits.h"

namespace pixmill {
namespace {

const char kResizeTitle[] = "Pixmill - Resize";

// A side typed for "Resize...": the number, rounded, or nothing when the user
// cancelled or the number was refused with its message.
std::optional<int> AskSide(Editor& editor, const std::string& prompt) {
    const std::optional<double> typed = AskNumber(editor, prompt, kResizeTitle);
    if (!typed) {
        return std::nullopt;
    }
    if (!(*typed >= 1 && *typed <= kMaxResizeSide)) {
        Warn(editor.prompts, "Please enter a number between 1 and 1024.");
        return std::nullopt;
    }
    return static_cast<int>(RoundHalfEven(*typed));
}

}  // namespace

void Form1::mnuibmp_Click() {
    if (!TileSelectedOrWarn(editor_)) {
        return;
    }
    const std::string path = CommonDialog1.AskOpen(kBitmapFilter);
    if (!path.empty()) {
        ImportTileBmp(editor_, path);
    }
}

void Form1::mnuipic_Click() {
    if (!TileSelectedOrWarn(editor_)) {
        return;
    }
    const std::string path = CommonDialog1.AskOpen(kPictureFilter);
    if (!path.empty()) {
        ImportTilePicture(editor_, path);
    }
}

void Form1::mnuebmp_Click() {
    if (!TileSelectedOrWarn(editor_)) {
        return;
    }
    const std::string path = CommonDialog1.AskSave(kExportFilter);
    if (!path.empty()) {
        ExportTileBmp(editor_, path);
    }
}

void Form1::mnubatche_Click() {
    if (!TileSelectedOrWarn(editor_)) {
        return;
    }
    if (const std::optional<TileRange> range = AskTileRange(editor_, "Pixmill - Batch Export")) {
        BatchExportBmp(editor_, range->first, range->last);
    }
}

void Form1::mnuinsert_Click() {
    // No tile current: the new tile goes first.
    InsertTile(editor_, editor_.state.currentTile + 1);
}

void Form1::mnuinsert2_Click() {
    if (!TileSelectedOrWarn(editor_)) {
        return;
    }
    if (editor_.tileset.tileCount() < 1) {
        editor_.state.currentTile = 1;
    }
    InsertTile(editor_, editor_.state.currentTile);
}

void Form1::mnudelete_Click() {
    if (!TileSelectedOrWarn(editor_)) {
        return;
    }
    DeleteTile(editor_);
}

void Form1::mnuresize_Click() {
    if (!TileSelectedOrWarn(editor_)) {
        return;
    }
    const std::optional<int> width = AskSide(editor_, "Please enter the new width...");
    if (!width) {
        return;
    }
    const std::optional<int> height = AskSide(editor_, "Please enter the new height...");
    if (!height) {
        return;
    }
    ResizeTile(editor_, *width, *height);
}

void Form1::mnuclr_Click() {
    if (!TileSelectedOrWarn(editor_)) {
        return;
    }
    const int current = editor_.state.currentTile;
    ClearTiles(editor_, current, current, "Clear");
}

void Form1::mnuBClear_Click() {
    if (!TileSelectedOrWarn(editor_)) {
        return;
    }
    if (const std::optional<TileRange> range = AskTileRange(editor_, "Pixmill - Batch Clear")) {
        ClearTiles(editor_, range->first, range->last, "Batch Clear");
    }
}

void Form1::mnuprops_Click() {
    ShowTileProperties(editor_);
}

}  // namespace pixmill
