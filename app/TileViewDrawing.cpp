// The tile view: its layout and its drawing, and stopping the preview.

#include <QAction>
#include <QMenu>
#include <algorithm>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/SetView.h"
#include "app/TileView.h"
#include "app/ViewLayout.h"
#include "app/WindowProcedures.h"
#include "platform/Dib.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"

namespace pixmill {
namespace {

bool IsTile(const Editor& editor, int n) {
    return n >= 1 && n <= editor.tileset.tileCount();
}

void EndHeldPreview(Form1& form) {
    if (form.mnuAnim->isChecked() && form.Timer1->Interval() == 0) {
        form.mnuAnim->setChecked(false);
        form.Framenum = 0;
        form.mnuprops->setEnabled(true);
    }
}

void DrawCrosshair(PictureBox& view) {
    const int iw = view.innerWidth();
    const int ih = view.innerHeight();
    const QColor black(0, 0, 0);
    view.Line(iw / 2 + 1, 0, iw / 2 + 1, ih, black);
    view.Line(0, ih / 2 + 1, iw, ih / 2 + 1, black);
    view.Refresh();
}

// Clears the view outside the box (x, y, width x height), which the drawing
// then covers: each pixel is written once.
void ClearAround(PictureBox& view, int x, int y, int width, int height) {
    const int right = x + width;  // exclusive
    const int bottom = y + height;
    const int iw = view.innerWidth();
    const int ih = view.innerHeight();
    const QColor background = view.backColour();
    if (y > 0) {
        view.FillBox(0, 0, iw - 1, y - 1, background);
    }
    if (bottom < ih) {
        view.FillBox(0, bottom, iw - 1, ih - 1, background);
    }
    if (x > 0) {
        view.FillBox(0, y, x - 1, bottom - 1, background);
    }
    if (right < iw) {
        view.FillBox(right, y, iw - 1, bottom - 1, background);
    }
}

}  // namespace

void UpdateTileView(Editor& editor, int delta) {
    const int current = editor.state.currentTile;
    const int n = current + delta;
    if (!IsTile(editor, n) || !IsTile(editor, current)) {
        return;
    }
    Form1& form = *editor.form1;
    const Tile& placing = editor.tileset.tile(current);
    const Tile& drawn = editor.tileset.tile(n);
    const int zoom = editor.state.zoomFactor;
    const ViewLayout layout =
        LayOutView(form.Room(), drawn.width, drawn.height, zoom, placing.attributes[1],
                   placing.attributes[2], form.TakeViewAnchor());
    form.ShowViewLayout(layout, std::int64_t{std::max<std::int16_t>(0, drawn.width)} * zoom,
                        std::int64_t{std::max<std::int16_t>(0, drawn.height)} * zoom);
    editor.state.tileDrawX = layout.x.draw;
    editor.state.tileDrawY = layout.y.draw;
}

void RenderCurrentTile(Editor& editor, int n) {
    Form1& form = *editor.form1;
    if (!IsTile(editor, n)) {
        return;
    }
    const bool animated = editor.tileset.tile(n).attributes[0] != 0 || form.Timer1->Interval() > 0;
    form.mnuAnim->setEnabled(animated);
    SetMenuEnabled(form.mnuAnimSpeed, animated);
    if (!animated) {
        // A held preview whose tile no longer animates (cleared, say) has
        // ended: no item may stay ticked and greyed out at once.
        EndHeldPreview(form);
    }

    // A resize handled while events run below lays out and draws this tile,
    // as the caller laid it out, not the one shown before.
    form.shownTile = n;
    ShowStatus(editor, "Rendering...");
    // A command run while events were let through may have removed the tile.
    if (!IsTile(editor, n)) {
        return;
    }
    const Tile& tile = editor.tileset.tile(n);
    DrawTileView(editor, n);
    const std::int64_t number = editor.tileset.GameNumber(n);
    const std::string& name = editor.tileNames.NameOf(number);
    // In a game's set the tile is known by its number in the game and its file.
    const SetFile* file = editor.tileset.FileHolding(n);
    form.SetStatusText(file != nullptr ? SetTileStatusText(number, SetFileNameOf(*file), name, tile)
                                       : TileStatusText(n, editor.tileset.tileCount(), name, tile));
    ShowTileAttributes(editor);
    if (n == editor.state.currentTile) {
        ShowCurrentTileInBrowser(editor);
    }
}

void DrawTileView(Editor& editor, int n) {
    Form1& form = *editor.form1;
    PictureBox& view = *form.Picture1;
    if (!IsTile(editor, n)) {
        form.shownTile = 0;
        view.Cls();
        return;
    }
    form.shownTile = n;
    const Tile& tile = editor.tileset.tile(n);
    const int zoom = editor.state.zoomFactor;
    // Only the pixels inside the view are converted, drawn where the whole
    // tile would put them.
    const TileRegion shown =
        VisibleTileRegion(tile.width, tile.height, zoom, editor.state.tileDrawX,
                          editor.state.tileDrawY, view.innerWidth(), view.innerHeight());
    if (shown.width > 0 && shown.height > 0) {
        const int x = editor.state.tileDrawX + shown.x * zoom;
        const int y = editor.state.tileDrawY + shown.y * zoom;
        ClearAround(view, x, y, shown.width * zoom, shown.height * zoom);
        const TileViewImage image = BuildTileViewImage(tile, ShownPalette(editor), shown);
        StretchDIBits(view, x, y, shown.width * zoom, shown.height * zoom, 0, 0, shown.width,
                      shown.height, image.bytes, image.header);
        view.Refresh();
    } else {
        view.Cls();
    }
    if (editor.state.crosshairOn) {
        DrawCrosshair(view);
    }
}

void StopAnimationPreview(Editor& editor) {
    Form1& form = *editor.form1;
    form.mnuAnim->setChecked(false);
    form.Timer1->SetInterval(0);
    UpdateTileView(editor, 0);
    RenderCurrentTile(editor, editor.state.currentTile);
    form.mnuprops->setEnabled(true);
}

Tile* CurrentTile(Editor& editor) {
    const int current = editor.state.currentTile;
    return IsTile(editor, current) ? &editor.tileset.tile(current) : nullptr;
}

void ShowNoTile(Editor& editor) {
    // With no tile there is nothing to preview.
    Form1& form = *editor.form1;
    form.Timer1->SetInterval(0);
    EndHeldPreview(form);
    form.ClearView();
    editor.form1->SetStatusText("No tile selected.");
    ShowCurrentTileInBrowser(editor);
}

}  // namespace pixmill
