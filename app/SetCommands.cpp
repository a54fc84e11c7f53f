#include "app/SetCommands.h"

#include <QAction>
#include <filesystem>
#include <system_error>
#include <vector>

#include "app/ArtCommands.h"
#include "app/Editor.h"
#include "app/Form1.h"
#include "app/SetView.h"
#include "app/WindowProcedures.h"
#include "common/AtomicFile.h"
#include "editing/SetChanges.h"
#include "mod/ModExport.h"
#include "tileset/ArtFile.h"
#include "tileset/ArtSet.h"

namespace pixmill {
namespace {

const char kModFilter[] = "Mod Definition Files (*.def)|*.def";

std::string AbsoluteFolder(const std::string& folder) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(folder, error);
    return error ? folder : absolute.lexically_normal().string();
}

std::vector<std::string> ChangedFileNames(const Editor& editor) {
    std::vector<std::string> names;
    for (std::size_t i : ChangedSetFiles(editor.tileset, editor.savedTileset)) {
        names.push_back(SetFileNameOf(editor.tileset.setFiles[i]));
    }
    return names;
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += (text.empty() ? "" : ", ") + name;
    }
    return text;
}

}  // namespace

void OpenTileSet(Editor& editor, const std::string& folderOrFile) {
    Form1& form = *editor.form1;
    std::string folder = SetFolderOf(folderOrFile);
    // The caption names the folder, "." and ".." included, by its whole path.
    if (std::filesystem::path(folder).is_relative()) {
        folder = AbsoluteFolder(folder);
    }
    const std::string statusBefore = form.StatusText();
    ShowStatus(editor, "Loading " + folder + "...");
    // Every file is read whole first: a folder that fails changes nothing.
    Result<OpenedSet> opened = OpenArtSet(folder);
    if (!opened) {
        form.SetStatusText(statusBefore);
        Warn(editor.prompts, "Error opening tile set.\n" + opened.reason());
        return;
    }
    ShowOpenedTileset(editor, std::move(opened->tileset), true);
    if (!opened->problems.empty()) {
        Warn(editor.prompts, SetProblemsText(folder, opened->problems));
    }
}

bool MayReplaceFile(Editor& editor, const std::string& path, const FileStamp& read) {
    const FileStamp now = StampOf(path);
    if (!read.exists || now == read) {
        return true;
    }
    return editor.prompts.MsgBox(ChangedOnDiskQuestion(path, now.exists), MessageIcon::Question,
                                 MessageButtons::YesNo, "Pixmill") == MessageAnswer::Yes;
}

bool SaveTileSet(Editor& editor) {
    Form1& form = *editor.form1;
    Tileset& set = editor.tileset;
    const std::vector<std::size_t> changed = ChangedSetFiles(set, editor.savedTileset);
    std::vector<std::string> names;
    for (std::size_t i : changed) {
        const SetFile& file = set.setFiles[i];
        if (!MayReplaceFile(editor, file.path, file.stamp)) {
            return false;
        }
        names.push_back(SetFileNameOf(file));
    }
    const std::string statusBefore = form.StatusText();
    if (!changed.empty()) {
        ShowStatus(editor, "Writing " + Joined(names) + "...");
        // All the files together or none, so that the set on disk is never
        // half the editor's.
        FileBatch batch;
        Status written = Status::Ok();
        for (std::size_t i = 0; written && i < changed.size(); ++i) {
            const SetFile& file = set.setFiles[changed[i]];
            const Tileset one = SetFileTileset(set, file);
            written = CheckWritableAsArt(one);
            if (written) {
                written =
                    batch.Add(file.path, [&one](ByteSink& sink) { return WriteArt(one, sink); });
            }
            if (!written) {
                written = Status::Fail(file.path + ": " + written.reason());
            }
        }
        if (written) {
            written = batch.Commit();
        }
        if (!written) {
            form.SetStatusText(statusBefore);
            Warn(editor.prompts, "Error writing ART file.\n" + written.reason());
            return false;
        }
        for (std::size_t i : changed) {
            set.setFiles[i].stamp = StampOf(set.setFiles[i].path);
        }
    }
    editor.savedTileset = set;
    form.SetStatusText("Done.");
    editor.history.MarkSaved();
    ShowHistoryState(editor);
    return true;
}

bool SettleSetChanges(Editor& editor) {
    const std::vector<std::string> names = ChangedFileNames(editor);
    // Changes undone by hand leave every file as it is on disk.
    if (names.empty()) {
        return true;
    }
    switch (editor.prompts.MsgBox(SetSaveQuestion(editor.tileset.artPath, names),
                                  MessageIcon::Question, MessageButtons::SaveDiscardCancel,
                                  "Pixmill")) {
        case MessageAnswer::Save:
            return SaveTileSet(editor);
        case MessageAnswer::Discard:
            return true;
        default:
            return false;
    }
}

void RememberTilesOnDisk(Editor& editor, bool saved) {
    if (saved) {
        editor.loadedTileset = editor.tileset;
        editor.savedTileset = editor.tileset;
        return;
    }
    // A recovered tileset: what its file or set holds now, or nothing.
    Tileset& tileset = editor.tileset;
    Tileset onDisk;
    if (tileset.IsSet()) {
        if (Result<OpenedSet> set = OpenArtSet(tileset.artPath)) {
            onDisk = std::move(set->tileset);
        }
    } else if (!tileset.artPath.empty()) {
        if (Result<Tileset> file = ReadArtFile(tileset.artPath)) {
            onDisk = std::move(*file);
            tileset.stamp = onDisk.stamp;
        }
    }
    editor.loadedTileset = onDisk;
    editor.savedTileset = std::move(onDisk);
}

Result<Tileset> RecoveredSetTiles(const Tileset& copy) {
    Result<OpenedSet> set = OpenArtSet(copy.artPath);
    if (!set) {
        return Status::Fail(set.reason());
    }
    return RecoveredSet(std::move(set->tileset), copy);
}

void ExportChangesAsMod(Editor& editor) {
    if (!editor.tilesetOpen) {
        return;
    }
    Form1& form = *editor.form1;
    const std::vector<ModTile> tiles = ModChanges(editor.loadedTileset, editor.tileset);
    if (tiles.empty()) {
        Warn(editor.prompts,
             "No tile differs from the tiles as they were opened, so there is no mod to "
             "export. Nothing was written.");
        return;
    }
    const std::string path = form.CommonDialog1.AskSave(kModFilter);
    if (path.empty() || !ConfirmOverwrite(editor, path)) {
        return;
    }
    ModOptions options;
    options.made = editor.loadedTileset.artPath;
    const bool originals = std::any_of(tiles.begin(), tiles.end(),
                                       [](const ModTile& t) { return t.originalCrc.has_value(); });
    options.ifcrc =
        originals &&
        editor.prompts.MsgBox(
            "Should each picture replace its tile only where the game's own tile "
            "is still the one it was made from (ifcrc)?",
            MessageIcon::Question, MessageButtons::YesNo, "Pixmill") == MessageAnswer::Yes;
    const std::string statusBefore = form.StatusText();
    ShowStatus(editor, "Writing " + path + "...");
    const Result<ModWritten> written = WriteMod(tiles, editor.palette, path, options);
    if (!written) {
        form.SetStatusText(statusBefore);
        Warn(editor.prompts, "Error writing the mod.\n" + written.reason());
        return;
    }
    form.SetStatusText(
        "Done: " + std::to_string(tiles.size()) + (tiles.size() == 1 ? " tile, " : " tiles, ") +
        std::to_string(written->pngs) + (written->pngs == 1 ? " picture." : " pictures."));
}

}  // namespace pixmill
