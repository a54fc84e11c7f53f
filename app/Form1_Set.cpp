// The main window's commands for a game's set of files and its colour
// tables: File > "Open Tile Set..." and "Export Changes as Mod...", and View >
// "Shade" and "Palette Swap", whose items follow the palette loaded.

#include <QAction>
#include <QKeySequence>
#include <QMenu>

#include "app/ArtCommands.h"
#include "app/Editor.h"
#include "app/Form1.h"
#include "app/SetCommands.h"
#include "app/WindowProcedures.h"

namespace pixmill {

void Form1::CreateSetMenus() {
    // File: a set opens beside "Open ART...", the mod export follows the saves.
    mnuOpenSet = new QAction(QStringLiteral("Open Tile Set..."), mnuFile);
    mnuFile->insertAction(mnuSave, mnuOpenSet);
    mnuExportMod = new QAction(QStringLiteral("Export Changes as Mod..."), mnuFile);
    const QList<QAction*> file = mnuFile->actions();
    mnuFile->insertAction(file.at(file.indexOf(mnuSaveAs) + 1), mnuExportMod);
    mnuOpenSet->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    // Each is open exactly when its neighbour is: a set needs a palette as a
    // file does, and an export needs a tileset.
    const auto follow = [this](QAction* item, QAction* leader) {
        item->setEnabled(leader->isEnabled());
        connect(leader, &QAction::changed, item,
                [item, leader] { item->setEnabled(leader->isEnabled()); });
    };
    follow(mnuOpenSet, mnuOpen);
    follow(mnuExportMod, mnuSaveAs);

    // View: the shade and the swap tiles are drawn through, after the scale.
    mnuShade = new QMenu(QStringLiteral("Shade"), mnuView);
    mnuSwap = new QMenu(QStringLiteral("Palette Swap"), mnuView);
    const QList<QAction*> view = mnuView->actions();
    QAction* afterScale = view.at(view.indexOf(mnuScale->menuAction()) + 1);
    mnuView->insertMenu(afterScale, mnuShade);
    mnuView->insertMenu(afterScale, mnuSwap);

    const std::pair<QObject*, const char*> named[] = {{mnuOpenSet, "mnuOpenSet"},
                                                      {mnuExportMod, "mnuExportMod"},
                                                      {mnuShade, "mnuShade"},
                                                      {mnuSwap, "mnuSwap"}};
    for (const auto& [object, name] : named) {
        object->setObjectName(QString::fromLatin1(name));
    }
    connect(mnuOpenSet, &QAction::triggered, this,
            [this] { RunCommand(editor_, [this] { mnuOpenSet_Click(); }); });
    connect(mnuExportMod, &QAction::triggered, this,
            [this] { RunCommand(editor_, [this] { mnuExportMod_Click(); }); });
    FillDrawingMenus(editor_, *this);
}

void Form1::mnuOpenSet_Click() {
    if (!SettleUnsavedChanges(editor_)) {
        return;
    }
    // Any ART file of the set will do, or the folder itself.
    const std::string path = CommonDialog1.AskOpen(kArtFilter);
    if (!path.empty()) {
        OpenTileSet(editor_, path);
    }
}

void Form1::mnuExportMod_Click() {
    ExportChangesAsMod(editor_);
}

}  // namespace pixmill
