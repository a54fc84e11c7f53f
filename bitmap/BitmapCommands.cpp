#include "bitmap/BitmapCommands.h"

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/WindowProcedures.h"
#include "bitmap/TileBitmap.h"

namespace pixmill {
namespace {

enum class Written { Yes, Skipped, Failed };

// One bitmap of tile position at path: the question, the status texts, the
// safe write. A failure is reported with what came before it in the batch.
Written ExportBitmap(Editor& editor, int position, const std::string& path, int writtenBefore) {
    if (!ConfirmOverwrite(editor, path)) {
        return Written::Skipped;
    }
    Form1& form = *editor.form1;
    const std::string statusBefore = form.StatusText();
    ShowStatus(editor, "Writing " + path + "...");
    const Status written = WriteTileBitmapFile(editor.tileset.tile(position), editor.palette, path);
    if (!written) {
        form.SetStatusText(statusBefore);
        std::string message = "Error writing bitmap.\n" + path + "\n" + written.reason();
        if (writtenBefore >= 0) {
            message += "\n" + std::to_string(writtenBefore) +
                       (writtenBefore == 1 ? " bitmap was" : " bitmaps were") +
                       " written before it.";
        }
        Warn(editor.prompts, message);
        return Written::Failed;
    }
    form.SetStatusText("Done.");
    return Written::Yes;
}

}  // namespace

void ExportTileBmp(Editor& editor, const std::string& path) {
    ExportBitmap(editor, editor.state.currentTile, path, -1);
}

void BatchExportBmp(Editor& editor, int first, int last) {
    const std::string chosen = editor.form1->CommonDialog1.AskSave(kBitmapFilter);
    if (chosen.empty()) {
        return;
    }
    // Each tile is written by its position; the current tile stays as it is,
    // so nothing that runs while a status text paints sees another one.
    int written = 0;
    for (int k = first, n = 1; k <= last; ++k, ++n) {
        const Written result = ExportBitmap(editor, k, BatchBitmapPath(chosen, n), written);
        if (result == Written::Failed) {
            return;
        }
        written += result == Written::Yes ? 1 : 0;
    }
}

void ImportTileBmp(Editor& editor, const std::string& path) {
    // Read whole before anything changes: a bitmap that cannot be read leaves
    // the tile, the browser and the view as they were.
    Result<Tile> picture = ReadTileBitmapFile(path);
    if (!picture) {
        Warn(editor.prompts, picture.reason() == kOnlyEightBitBitmaps
                                 ? picture.reason()
                                 : "Error opening bitmap.\n" + picture.reason());
        return;
    }
    ReplacePicture(editor.tileset.tile(editor.state.currentTile), std::move(*picture));
    FillBrowser(editor);
    UpdateTileView(editor, 0);
    RenderCurrentTile(editor, editor.state.currentTile);
}

}  // namespace pixmill
