// The View menu, the paging buttons and the palette strip of the main window.

#include <QAction>
#include <QLabel>
#include <algorithm>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/TileView.h"
#include "app/WindowProcedures.h"
#include "browser/Form2.h"
#include "platform/PictureBox.h"

namespace pixmill {

void Form1::mnuBrowse_Click() {
    Form2& browser = *editor_.form2;
    browser.show();
    browser.raise();
    browser.activateWindow();
}

void Form1::mnuAbout_Click() {
    ShowAboutWindow(editor_);
}

void Form1::mnuCross_Click() {
    editor_.state.crosshairOn = !editor_.state.crosshairOn;
    mnuCross->setChecked(editor_.state.crosshairOn);
    RenderCurrentTile(editor_, editor_.state.currentTile);
}

void Form1::Zoom(QAction* item, int factor) {
    for (QAction* each : {mnu1x, mnu2x, mnu4x, mnu8x}) {
        each->setChecked(each == item);
    }
    editor_.state.zoomFactor = static_cast<std::int16_t>(factor);
    UpdateTileView(editor_, 0);
    RenderCurrentTile(editor_, editor_.state.currentTile);
}

void Form1::mnu1x_Click() {
    Zoom(mnu1x, 1);
}
void Form1::mnu2x_Click() {
    Zoom(mnu2x, 2);
}
void Form1::mnu4x_Click() {
    Zoom(mnu4x, 4);
}
void Form1::mnu8x_Click() {
    Zoom(mnu8x, 8);
}

void Form1::Command1_Click() {
    if (editor_.state.currentTile < 2) {
        return;
    }
    StopAnimationPreview(editor_);
    --editor_.state.currentTile;
    UpdateTileView(editor_, 0);
    RenderCurrentTile(editor_, editor_.state.currentTile);
}

void Form1::Command2_Click() {
    if (editor_.state.currentTile >= editor_.tileset.tileCount()) {
        return;
    }
    StopAnimationPreview(editor_);
    ++editor_.state.currentTile;
    UpdateTileView(editor_, 0);
    RenderCurrentTile(editor_, editor_.state.currentTile);
}

void Form1::GoToEnd(int target) {
    if (target == 0) {
        return;
    }
    StopAnimationPreview(editor_);
    editor_.state.currentTile = static_cast<std::int16_t>(target);
    UpdateTileView(editor_, 0);
    RenderCurrentTile(editor_, editor_.state.currentTile);
}

void Form1::GoToFirstTile() {
    GoToEnd(
        EndTileTarget(EndOfTileset::First, editor_.state.currentTile, editor_.tileset.tileCount()));
}

void Form1::GoToLastTile() {
    GoToEnd(
        EndTileTarget(EndOfTileset::Last, editor_.state.currentTile, editor_.tileset.tileCount()));
}

void Form1::Picture2_MouseDown(int button, int, int x, int y) {
    const QColor picked = Picture2->Point(x, y);
    if (!picked.isValid()) {  // outside the strip, negative coordinates included
        return;
    }
    // The strip's 4 x 4 blocks: entries 0..127 above, 128..255 below.
    const auto index = static_cast<std::uint8_t>(std::min(y / 4, 1) * 128 + std::min(x / 4, 127));
    if (button == 1) {
        SetBackColor(Label2, picked);
        editor_.state.leftColour = index;
    } else if (button == 2) {
        SetBackColor(Label3, picked);
        editor_.state.rightColour = index;
    }
}

}  // namespace pixmill
