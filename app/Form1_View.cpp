// The View menu, the paging buttons and the palette strip of the main window.

#include <QAction>
#include <QLabel>
#include <algorithm>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/GoToTile.h"
#include "app/PaletteCommands.h"
#include "app/PaletteStrip.h"
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

void Form1::SetScale(int factor) {
    const std::pair<QAction*, int> items[] = {{mnu1x, 1}, {mnu2x, 2},   {mnu4x, 4},
                                              {mnu8x, 8}, {mnu16x, 16}, {mnu32x, 32}};
    for (const auto& [item, scale] : items) {
        item->setChecked(scale == factor);
    }
    editor_.state.zoomFactor = static_cast<std::int16_t>(factor);
}

void Form1::Zoom(int factor) {
    SetScale(factor);
    UpdateTileView(editor_, 0);
    RenderCurrentTile(editor_, editor_.state.currentTile);
}

void Form1::mnu1x_Click() {
    Zoom(1);
}
void Form1::mnu2x_Click() {
    Zoom(2);
}
void Form1::mnu4x_Click() {
    Zoom(4);
}
void Form1::mnu8x_Click() {
    Zoom(8);
}
void Form1::mnu16x_Click() {
    Zoom(16);
}
void Form1::mnu32x_Click() {
    Zoom(32);
}

void Form1::mnuGoTo_Click() {
    const std::string typed = editor_.prompts.InputBox(
        "Go to which tile? Type its position (12), its ART number (#11), or its name or the "
        "beginning of it.",
        "Pixmill - Go to Tile", "");
    GoToTarget target = FindTileToGoTo(typed, editor_.tileset, editor_.tileNames);
    if (target.kind == GoToTarget::Kind::Refused) {
        Warn(editor_.prompts, target.message);
        return;
    }
    if (target.kind == GoToTarget::Kind::Choose) {
        std::vector<std::string> lines;
        for (const NamedTile& choice : target.choices) {
            lines.push_back(NamedTileText(choice, editor_.tileset));
        }
        std::string prompt =
            std::to_string(target.matchCount) + " names begin with \"" + target.text + "\"";
        if (target.matchCount > static_cast<int>(lines.size())) {
            prompt += "; the first " + std::to_string(lines.size()) +
                      " are shown, type more of the name for others";
        }
        const int chosen =
            editor_.prompts.ChooseItem(prompt + ". Go to:", "Pixmill - Go to Tile", lines);
        if (chosen < 0 || chosen >= static_cast<int>(target.choices.size())) {
            return;
        }
        target.position = target.choices[static_cast<std::size_t>(chosen)].position;
    } else if (target.kind != GoToTarget::Kind::Tile) {
        return;
    }
    // As paging and the browser go to a tile.
    StopAnimationPreview(editor_);
    editor_.state.currentTile = static_cast<std::int16_t>(target.position);
    UpdateTileView(editor_, 0);
    RenderCurrentTile(editor_, editor_.state.currentTile);
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
    const int index = PaletteIndexAt(x, y);
    if (index < 0) {  // outside the strip, negative coordinates included
        return;
    }
    if (button == 1) {
        editor_.state.leftColour = static_cast<std::uint8_t>(index);
    } else if (button == 2) {
        editor_.state.rightColour = static_cast<std::uint8_t>(index);
    } else {
        return;
    }
    ShowSwatches(editor_);
}

}  // namespace pixmill
