#include "app/ArtCommands.h"

#include <QAction>
#include <QScrollBar>
#include <filesystem>
#include <system_error>
#include <utility>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/SetCommands.h"
#include "app/SetView.h"
#include "app/WindowProcedures.h"
#include "browser/Form2.h"
#include "platform/PictureBox.h"
#include "tileset/ArtFile.h"

namespace pixmill {

void LoadArtFile(Editor& editor, const std::string& path) {
    Form1& form = *editor.form1;
    const std::string statusBefore = form.StatusText();
    ShowStatus(editor, "Loading " + path + "...");

    // Read whole into a scratch tileset first, so that a bad file leaves the
    // editor exactly as it was, a running preview included.
    Result<Tileset> read = ReadArtFile(path);
    if (!read) {
        form.SetStatusText(statusBefore);
        Warn(editor.prompts, "Error opening ART file.\n" + read.reason());
        return;
    }
    ShowOpenedTileset(editor, std::move(*read), true);  // artPath and artFileNumber come with it
    RememberRecentFile(editor, path);
}

void ShowOpenedTileset(Editor& editor, Tileset&& tileset, bool saved) {
    Form1& form = *editor.form1;
    StopAnimationPreview(editor);

    editor.state.currentTile = 0;
    editor.state.tileDrawX = 0;
    editor.state.tileDrawY = 0;
    editor.tileset = std::move(tileset);
    StartHistory(editor, saved);

    editor.form2->VScroll1->setValue(0);
    // A tileset with no file yet (a recovered new one) is saved as a new file.
    form.mnuSave->setEnabled(!editor.tileset.artPath.empty());
    form.mnuSaveAs->setEnabled(true);
    SetMenuEnabled(form.mnuTile, true);

    // A file may hold no tiles at all; then no tile is current.
    editor.state.currentTile = editor.tileset.tileCount() > 0 ? 1 : 0;
    UpdateTileView(editor, 0);
    FillBrowser(editor);
    if (editor.state.currentTile == 0) {
        // Nothing of the file before may stay on show.
        ShowNoTile(editor);
        form.mnuAnim->setEnabled(false);
        SetMenuEnabled(form.mnuAnimSpeed, false);
        return;
    }
    RenderCurrentTile(editor, editor.state.currentTile);
}

bool SaveArtFile(Editor& editor, const std::string& path, bool replaceWithoutAsking) {
    Form1& form = *editor.form1;
    if (editor.tileset.IsSet()) {
        // A set is written file by file, each in its place.
        return replaceWithoutAsking ? SaveTileSet(editor) : SaveArtFileAs(editor);
    }
    if (!replaceWithoutAsking && !ConfirmOverwrite(editor, path)) {
        return false;
    }
    // Another program may have saved over the file since it was read.
    if (replaceWithoutAsking && path == editor.tileset.artPath &&
        !MayReplaceFile(editor, path, editor.tileset.stamp)) {
        return false;
    }
    const std::string statusBefore = form.StatusText();
    ShowStatus(editor, "Writing " + path + "...");

    const Status written = WriteArtFile(editor.tileset, path);
    if (!written) {
        form.SetStatusText(statusBefore);
        Warn(editor.prompts, "Error writing ART file.\n" + written.reason());
        return false;
    }
    form.SetStatusText("Done.");
    form.mnuSave->setEnabled(true);
    editor.tileset.artPath = path;
    editor.tileset.stamp = StampOf(path);
    editor.savedTileset = editor.tileset;
    editor.history.MarkSaved();
    ShowHistoryState(editor);
    RememberRecentFile(editor, path);
    return true;
}

bool SaveArtFileAs(Editor& editor) {
    if (editor.tileset.IsSet()) {
        Warn(editor.prompts, kSaveAsInSet);
        return false;
    }
    const std::string path = editor.form1->CommonDialog1.AskSave(kArtFilter);
    return !path.empty() && SaveArtFile(editor, path, false);
}

void NewTileset(Editor& editor) {
    Form1& form = *editor.form1;
    form.mnuSave->setEnabled(false);
    form.mnuSaveAs->setEnabled(true);
    form.Picture1->Cls();
    MakeNewTileset(editor.tileset);
    // Not the file opened before: the new tileset goes where it is first saved.
    editor.tileset.artPath.clear();
    editor.tileset.artFileNumber = 0;
    StartHistory(editor, true);
    SetMenuEnabled(form.mnuTile, true);
    editor.state.currentTile = 1;
    FillBrowser(editor);
    // No scroll bars stay from the tile shown before.
    UpdateTileView(editor, 0);
    RenderCurrentTile(editor, editor.state.currentTile);
}

void StartHistory(Editor& editor, bool saved) {
    editor.tilesetOpen = true;
    ++editor.tilesetGeneration;
    editor.history.Clear(saved);
    RememberTilesOnDisk(editor, saved);
    ShowHistoryState(editor);
}

bool SettleUnsavedChanges(Editor& editor) {
    if (!editor.tilesetOpen || !editor.history.Modified()) {
        return true;
    }
    if (editor.tileset.IsSet()) {
        return SettleSetChanges(editor);
    }
    const std::string& path = editor.tileset.artPath;
    const std::string question =
        path.empty() ? std::string("Save the new tileset?") : "Save changes to " + path + "?";
    switch (editor.prompts.MsgBox(question, MessageIcon::Question,
                                  MessageButtons::SaveDiscardCancel, "Pixmill")) {
        case MessageAnswer::Save:
            return path.empty() ? SaveArtFileAs(editor) : SaveArtFile(editor, path, true);
        case MessageAnswer::Discard:
            return true;
        default:
            return false;
    }
}

bool ConfirmOverwrite(Editor& editor, const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(path, error);
    if (error || !std::filesystem::exists(status)) {
        return true;
    }
    return editor.prompts.MsgBox("Overwrite existing file?", MessageIcon::Question,
                                 MessageButtons::YesNo, "Pixmill") == MessageAnswer::Yes;
}

}  // namespace pixmill
