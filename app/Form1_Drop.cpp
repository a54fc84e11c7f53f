// Files dropped on the main window: a tileset opens (after the question about
// unsaved changes), a palette loads, and a picture dropped on the tile view
// is imported into the current tile as "Import Picture..." imports it.

#include <QAction>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "app/ArtCommands.h"
#include "app/DroppedFiles.h"
#include "app/Editor.h"
#include "app/Form1.h"
#include "app/PaletteCommands.h"
#include "app/StartUp.h"
#include "app/WindowProcedures.h"
#include "bitmap/PictureCommands.h"
#include "platform/PictureBox.h"

namespace pixmill {

std::string Form1::DroppableFile(const QMimeData* mime, const QPoint& at) const {
    if (mime == nullptr || !mime->hasUrls() || mime->urls().size() != 1) {
        return {};
    }
    const QUrl url = mime->urls().constFirst();
    if (!url.isLocalFile()) {
        return {};
    }
    const std::string path = url.toLocalFile().toStdString();
    switch (KindOfDroppedFile(path)) {
        case DroppedFile::ArtFile:
        case DroppedFile::PaletteFile:
            return path;
        case DroppedFile::PictureFile:
            return Picture1->rect().contains(Picture1->mapFrom(this, at)) ? path : std::string();
        case DroppedFile::Other:
            break;
    }
    return {};
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    // A picture may be carried over the window towards the view, so the drag
    // is taken as soon as it holds one file of a kind the window opens.
    const QMimeData* mime = event->mimeData();
    if (mime != nullptr && mime->hasUrls() && mime->urls().size() == 1 &&
        mime->urls().constFirst().isLocalFile() &&
        KindOfDroppedFile(mime->urls().constFirst().toLocalFile().toStdString()) !=
            DroppedFile::Other) {
        event->acceptProposedAction();
    }
}

void Form1::dragMoveEvent(QDragMoveEvent* event) {
    if (DroppableFile(event->mimeData(), event->position().toPoint()).empty()) {
        event->ignore();
    } else {
        event->acceptProposedAction();
    }
}

void Form1::dropEvent(QDropEvent* event) {
    const QPoint at = event->position().toPoint();
    const std::string path = DroppableFile(event->mimeData(), at);
    if (path.empty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    const bool onTileView = Picture1->rect().contains(Picture1->mapFrom(this, at));
    // Run once the drop is over, so that the program the file came from is
    // not kept waiting by a question or a long load.
    QMetaObject::invokeMethod(
        this,
        [this, path, onTileView] {
            RunCommand(editor_, [&] { Form_OLEDragDrop(path, onTileView); });
        },
        Qt::QueuedConnection);
}

void Form1::Form_OLEDragDrop(const std::string& path, bool onTileView) {
    switch (KindOfDroppedFile(path)) {
        case DroppedFile::ArtFile:
            // As "Open ART...", which needs a palette to draw the tiles through.
            if (!mnuOpen->isEnabled()) {
                Warn(editor_.prompts, PaletteNeededText(path));
            } else if (SettleUnsavedChanges(editor_)) {
                LoadArtFile(editor_, path);
            }
            return;
        case DroppedFile::PaletteFile:
            LoadPalette(editor_, path);
            return;
        case DroppedFile::PictureFile:
            if (onTileView && TileSelectedOrWarn(editor_)) {
                ImportTilePicture(editor_, path);
            }
            return;
        case DroppedFile::Other:
            return;
    }
}

}  // namespace pixmill
