#include "app/Recovery.h"

#include <QAction>
#include <filesystem>

#include "app/ArtCommands.h"
#include "app/Editor.h"
#include "app/Form1.h"
#include "app/PaletteCommands.h"
#include "app/SetCommands.h"
#include "app/WindowProcedures.h"

namespace pixmill {

RecoveryKeeper::RecoveryKeeper(Editor& editor, std::string folder)
    : editor_(editor), writer_(std::move(folder), [this](const Status& written) {
          // On the writer's thread: the status line is the editor's.
          QMetaObject::invokeMethod(
              this, [this, written] { Reported(written); }, Qt::QueuedConnection);
      }) {
    timer_.setSingleShot(true);
    timer_.setInterval(kDelayMs);
    connect(&timer_, &QTimer::timeout, this, [this] { WriteNow(); });
}

void RecoveryKeeper::Follow() {
    if (editor_.tilesetOpen && editor_.history.Modified()) {
        if (!timer_.isActive()) {
            timer_.start();
        }
        return;
    }
    Remove();
}

void RecoveryKeeper::WriteNow() {
    timer_.stop();
    if (!editor_.tilesetOpen || !editor_.history.Modified()) {
        return;
    }
    // A copy of the tileset costs a reference a tile: the pixels are shared.
    writer_.Write(editor_.tileset, editor_.tileset.artPath, editor_.palettePath);
}

void RecoveryKeeper::Remove() {
    timer_.stop();
    writer_.Remove();
}

void RecoveryKeeper::Reported(const Status& written) {
    if (written.ok()) {
        failureShown_ = false;
        return;
    }
    // Once, not at every write; editing goes on.
    if (!failureShown_) {
        failureShown_ = true;
        editor_.form1->SetStatusText("The recovery copy could not be written: " + written.reason());
    }
}

namespace {

std::string RecoveryQuestion(const RecoveryNote& note) {
    const std::string what = note.artPath.empty() ? std::string("a new tileset") : note.artPath;
    return "Pixmill was closed with unsaved changes to " + what + ". Recover them?";
}

bool Recover(Editor& editor, LeftRecovery& left) {
    Result<Tileset> read = ReadLeftRecovery(left);
    if (!read) {
        Warn(editor.prompts,
             "The recovery copy could not be read and has been removed.\n" + read.reason());
        RemoveLeftRecovery(left);
        return false;
    }
    // A copy of a game's set holds all its tiles, and belongs to its folder:
    // they go back into the set as the folder holds it now.
    std::error_code folderError;
    if (std::filesystem::is_directory(read->artPath, folderError)) {
        read = RecoveredSetTiles(*read);
        if (!read) {
            Warn(editor.prompts, "The recovery copy no longer fits the tile set in " +
                                     left.note.artPath + " and has been kept.\n" + read.reason());
            return false;
        }
    }
    // The palette it was drawn with, when it is still there.
    std::error_code error;
    if (!left.note.palettePath.empty() && std::filesystem::exists(left.note.palettePath, error)) {
        LoadPalette(editor, left.note.palettePath);
    }
    ShowOpenedTileset(editor, std::move(*read), false);
    if (editor.recovery) {
        editor.recovery->writer().Adopt(std::move(left));
        editor.recovery->Follow();
    }
    return true;
}

}  // namespace

void OfferRecovery(Editor& editor) {
    if (!editor.recovery) {
        return;
    }
    std::vector<LeftRecovery> left = FindLeftRecoveries(editor.recovery->writer().folder());
    for (LeftRecovery& each : left) {
        if (!each.problem.empty()) {
            Warn(editor.prompts,
                 "A recovery copy could not be read and has been removed.\n" + each.problem);
            RemoveLeftRecovery(each);
            continue;
        }
        switch (editor.prompts.MsgBox(RecoveryQuestion(each.note), MessageIcon::Question,
                                      MessageButtons::RecoverDiscard, "Pixmill")) {
            case MessageAnswer::Recover:
                if (Recover(editor, each)) {
                    return;
                }
                break;
            case MessageAnswer::Discard:
                RemoveLeftRecovery(each);
                break;
            default:
                break;
        }
    }
}

}  // namespace pixmill
