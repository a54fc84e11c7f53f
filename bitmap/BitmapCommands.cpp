#include "bitmap/BitmapCommands.h"

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/WindowProcedures.h"
#include "bitmap/TileBitmap.h"
#include "editing/TilesetChange.h"

namespace pixmill {
namespace {

enum class Written { Yes, Skipped };

// One bitmap of tile position at path: the question, the status texts, the
// safe write. Skipped when the user keeps the old file; a failure gives its
// reason, the status line as it was before.
Result<Written> ExportBitmap(Editor& editor, int position, const std::string& path, Flush flush) {
    if (!ConfirmOverwrite(editor, path)) {
        return Written::Skipped;
    }
    Form1& form = *editor.form1;
    const std::string statusBefore = form.StatusText();
    const std::uint64_t generation = editor.tilesetGeneration;
    ShowStatus(editor, "Writing " + path + "...");
    // Events ran while the status painted: the tile is looked up again.
    if (generation != editor.tilesetGeneration || position < 1 ||
        position > editor.tileset.tileCount()) {
        form.SetStatusText(statusBefore);
        return Status::Fail("the tile is no longer in the tileset");
    }
    const Status written =
        WriteTileBitmapFile(editor.tileset.tile(position), editor.palette, path, flush);
    if (!written) {
        form.SetStatusText(statusBefore);
        return written;
    }
    form.SetStatusText("Done.");
    return Written::Yes;
}

std::string WriteFailure(const std::string& path, const std::string& reason) {
    // Appended piece by piece: GCC 12 mistakes a chain of + here for an overlap.
    std::string message = "Error writing bitmap.\n";
    message.append(path).append("\n").append(reason);
    return message;
}

}  // namespace

void ExportTileBmp(Editor& editor, const std::string& path) {
    const Result<Written> result = ExportBitmap(editor, editor.state.currentTile, path, Flush::Now);
    if (!result) {
        Warn(editor.prompts, WriteFailure(path, result.reason()));
    }
}

void BatchExportBmp(Editor& editor, int first, int last) {
    const std::string chosen = editor.form1->CommonDialog1.AskSave(kBitmapFilter);
    if (chosen.empty()) {
        return;
    }
    // Each tile is written by its position; the current tile stays as it is,
    // so nothing that runs while a status text paints sees another one.
    int written = 0;
    std::string failure;
    const std::uint64_t generation = editor.tilesetGeneration;
    for (int k = first, n = 1; k <= last; ++k, ++n) {
        // The questions and the status texts let events run: every tile is
        // checked against the tileset the batch started with.
        if (generation != editor.tilesetGeneration || k > editor.tileset.tileCount()) {
            failure = "The batch was stopped: the tileset changed while it ran.";
            break;
        }
        const std::string path = BatchBitmapPath(chosen, n);
        const Result<Written> result = ExportBitmap(editor, k, path, Flush::Later);
        if (!result) {
            failure = WriteFailure(path, result.reason());
            break;
        }
        written += *result == Written::Yes ? 1 : 0;
    }
    // The new files of the batch reach the disk together, those before a
    // failure included.
    if (written > 0) {
        if (const Status flushed = FlushFolder(chosen); !flushed && failure.empty()) {
            failure = WriteFailure(chosen, flushed.reason());
        }
    }
    if (!failure.empty()) {
        failure.append("\n")
            .append(std::to_string(written))
            .append(written == 1 ? " bitmap was" : " bitmaps were")
            .append(" written before it.");
        Warn(editor.prompts, failure);
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
    const Tile* tile = CurrentTile(editor);
    if (tile == nullptr) {
        return;
    }
    const int current = editor.state.currentTile;
    Tile imported = *tile;
    ReplacePicture(imported, std::move(*picture));
    TilesetChange change("Import BMP");
    change.Replace(editor.tileset, current, std::move(imported));
    change.focusBefore = change.focusAfter = current;
    MakeChange(editor, std::move(change));
}

}  // namespace pixmill
