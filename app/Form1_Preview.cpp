// The animation preview: "Preview Animation", the timer's tick and the two
// speed items. Off: no mark, no ticks. Running: marked, a tick every
// (speed + 1) x 33 ms. Held: marked, no ticks (speed 15 and above).

#include <QAction>
#include <QMenu>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/PreviewFrames.h"
#include "app/WindowProcedures.h"
#include "editing/Attributes.h"
#include "editing/TilesetChange.h"
#include "platform/Timer.h"

namespace pixmill {
namespace {

constexpr int kFastestHeldSpeed = 15;

}  // namespace

void Form1::mnuAnim_Click() {
    Tile* tile = CurrentTile(editor_);
    if (tile == nullptr) {
        WarnNoTileSelected(editor_);
        return;
    }
    if (mnuAnim->isChecked()) {
        Framenum = 0;
        mnuAnim->setChecked(false);
        mnuprops->setEnabled(true);
        Timer1->SetInterval(0);
        UpdateTileView(editor_, 0);
        RenderCurrentTile(editor_, editor_.state.currentTile);
        return;
    }
    mnuAnim->setChecked(true);
    const int speed = tile->attributes[3];
    if (speed < kFastestHeldSpeed) {
        // Framenum is kept: a preview stopped from outside goes on where it was.
        Timer1->SetInterval((speed + 1) * 33);
    } else {
        Timer1->SetInterval(0);
        Framenum = 0;
        UpdateTileView(editor_, 0);
        RenderCurrentTile(editor_, editor_.state.currentTile);
    }
    mnuprops->setEnabled(false);
}

void Form1::Timer1_Timer() {
    if (!mnuAnim->isChecked()) {
        return;
    }
    const Tile* tile = CurrentTile(editor_);
    if (tile == nullptr) {
        return;
    }
    // The frame count and direction come from the tile itself, not from the
    // dialog, which may hold text typed and abandoned.
    const ShownAttributes animation = UnpackAttributes(tile->attributes);
    const int current = editor_.state.currentTile;
    const std::optional<PreviewFrame> frame = NextPreviewFrame(
        current, Framenum, animation.frameCount, animation.animType, editor_.tileset.tileCount());
    if (!frame) {
        return;
    }
    // Stepped before drawing: the drawing lets events run, and a command run
    // there must find the offset of the frame after this one.
    Framenum = frame->nextOffset;
    UpdateTileView(editor_, frame->delta);
    RenderCurrentTile(editor_, current + frame->delta);
}

void Form1::ChangeSpeed(const char* command, int step) {
    const Tile* tile = CurrentTile(editor_);
    const int current = editor_.state.currentTile;
    Tile changed = *tile;
    changed.attributes[3] = static_cast<std::uint8_t>(changed.attributes[3] + step);
    mnuAnimSpeed->setTitle(QString::fromStdString(SpeedMenuFor(changed.attributes).caption));
    TilesetChange change(command);
    change.Replace(editor_.tileset, current, std::move(changed));
    change.focusBefore = change.focusAfter = current;
    // The items are set below, and the preview shows the new speed.
    MakeChange(editor_, std::move(change), Redraw::Nothing);
}

void Form1::mnuIncSpeed_Click() {
    const Tile* tile = CurrentTile(editor_);
    if (tile == nullptr) {
        return;
    }
    mnuDecSpeed->setEnabled(true);
    if (tile->attributes[3] > 0) {
        ChangeSpeed("Increase Speed", -1);
    } else {
        mnuIncSpeed->setEnabled(false);
    }
    if (mnuAnim->isChecked()) {
        mnuAnim->setChecked(false);
        mnuAnim_Click();
    }
}

void Form1::mnuDecSpeed_Click() {
    const Tile* tile = CurrentTile(editor_);
    if (tile == nullptr) {
        return;
    }
    mnuIncSpeed->setEnabled(true);
    if (tile->attributes[3] < kFastestHeldSpeed) {
        ChangeSpeed("Decrease Speed", 1);
    } else {
        mnuDecSpeed->setEnabled(false);
    }
    if (mnuAnim->isChecked()) {
        mnuAnim->setChecked(false);
        mnuAnim_Click();
    }
}

}  // namespace pixmill
