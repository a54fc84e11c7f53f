// The File menu of the main window.

#include <QAction>
#include <QMenu>

#include "app/ArtCommands.h"
#include "app/Editor.h"
#include "app/Form1.h"
#include "app/PaletteCommands.h"
#include "app/StartUp.h"
#include "app/WindowProcedures.h"
#include "names/NamesWindow.h"

namespace pixmill {
namespace {

const char kNamesFilter[] = "Build Engine Names Header (*.h)|*.h";
const char kPaletteFilter[] = "Build Engine Palettes (*.DAT)|*.DAT|Windows Palettes (*.PAL)|*.PAL";

}  // namespace

void Form1::mnuPal_Click() {
    const std::string path = CommonDialog1.AskOpen(kPaletteFilter);
    if (!path.empty()) {
        LoadPalette(editor_, path);
    }
}

void Form1::mnuexppal_Click() {
    const std::string path = CommonDialog1.AskSave(kPaletteFilter);
    if (!path.empty()) {
        ExportPalette(editor_, path);
    }
}

void Form1::mnuNew_Click() {
    if (SettleUnsavedChanges(editor_)) {
        NewTileset(editor_);
    }
}

void Form1::mnuOpen_Click() {
    if (!SettleUnsavedChanges(editor_)) {
        return;
    }
    const std::string path = CommonDialog1.AskOpen(kArtFilter);
    if (!path.empty()) {
        LoadArtFile(editor_, path);
    }
}

void Form1::mnuSave_Click() {
    if (editor_.tileset.artPath.empty()) {
        SaveArtFileAs(editor_);
        return;
    }
    SaveArtFile(editor_, editor_.tileset.artPath, true);
}

void Form1::mnuSaveAs_Click() {
    SaveArtFileAs(editor_);
}

void Form1::SaveKeyWithoutFile() {
    if (editor_.tilesetOpen && editor_.tileset.artPath.empty()) {
        SaveArtFileAs(editor_);
    }
}

void Form1::mnuExit_Click() {
    if (SettleUnsavedChanges(editor_)) {
        EndEditor(editor_);
    }
}

void Form1::mnuNames_Click() {
    const std::string path = CommonDialog1.AskOpen(kNamesFilter);
    if (!path.empty()) {
        LoadNames(editor_, path);
    }
}

void Form1::ShowRecentFiles() {
    // The item chosen may be the one whose handler runs this: items go once
    // its signal is done.
    for (QAction* item : mnuRecent->actions()) {
        mnuRecent->removeAction(item);
        item->deleteLater();
    }
    int number = 0;
    for (const std::string& path : editor_.recentFiles) {
        ++number;
        // "&1 path": the number is the item's key; an ampersand of the path shows as itself.
        QString caption = QString::fromStdString(path);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = mnuRecent->addAction(QStringLiteral("&%1 %2").arg(number).arg(caption));
        connect(item, &QAction::triggered, this,
                [this, path] { RunCommand(editor_, [&] { OpenRecentFile(path); }); });
    }
    // Opening one needs what "Open ART..." needs: a palette.
    SetMenuEnabled(mnuRecent, !editor_.recentFiles.empty() && mnuOpen->isEnabled());
}

void Form1::OpenRecentFile(const std::string& path) {
    if (!mnuOpen->isEnabled() || !SettleUnsavedChanges(editor_)) {
        return;
    }
    LoadArtFile(editor_, path);
}

}  // namespace pixmill
