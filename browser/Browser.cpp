#include "browser/Browser.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "app/Editor.h"
#include "app/SetView.h"
#include "app/WindowProcedures.h"
#include "browser/Form2.h"
#include "platform/Dib.h"
#include "platform/PictureBox.h"

namespace pixmill {
namespace {

BrowserGrid GridOf(const PictureBox& page) {
    return BrowserGridFor(page.innerWidth(), page.innerHeight());
}

// The page's grid, header and scroll range for the picture area's size, the
// scroll bar's value brought to firstRow (within the range). Draws nothing.
void SetUpPage(Editor& editor, int firstRow) {
    Form2& browser = *editor.form2;
    const BrowserGrid grid = GridOf(*browser.Picture1);
    editor.thumbnailImage.SetGrid(grid.columns, grid.pageRows);
    editor.browserHeader = BrowserPageHeader(grid.columns, grid.pageRows);
    QScrollBar& scroll = *browser.VScroll1;
    // The page is drawn once by the caller, not once more for each change here.
    const QSignalBlocker quiet(scroll);
    scroll.setRange(0, BrowserScrollMax(editor.thumbnailImage.rows(), grid.wholeRows));
    scroll.setValue(firstRow);
}

// Two lines around the cell of the current tile: a bright one along its edge
// and a dark one inside it, so that the frame shows on any picture.
void FrameCell(PictureBox& page, int left, int top) {
    const int right = left + kThumbnailCell - 1;
    const int bottom = top + kThumbnailCell - 1;
    const QColor bright(255, 220, 0);
    const QColor dark(0, 0, 0);
    page.FillBox(left, top, right, top, bright);
    page.FillBox(left, bottom, right, bottom, bright);
    page.FillBox(left, top, left, bottom, bright);
    page.FillBox(right, top, right, bottom, bright);
    page.FillBox(left + 1, top + 1, right - 1, top + 1, dark);
    page.FillBox(left + 1, bottom - 1, right - 1, bottom - 1, dark);
    page.FillBox(left + 1, top + 1, left + 1, bottom - 1, dark);
    page.FillBox(right - 1, top + 1, right - 1, bottom - 1, dark);
}

}  // namespace

void FillBrowser(Editor& editor) {
    ShowStatus(editor, "Filling Browser...");

    // Only the page shown is drawn, below: the cost is the same for any tileset.
    editor.thumbnailImage.Reset(editor.tileset.tileCount());
    SetUpPage(editor, editor.form2->VScroll1->value());
    DrawBrowserPage(editor);
}

void DrawBrowserPage(Editor& editor) {
    Form2& browser = *editor.form2;
    PictureBox& page = *browser.Picture1;
    const int firstRow = std::max(0, browser.VScroll1->value());
    // Rows past the last tile, and the room right of the last column, are black.
    SetDIBitsToDevice(
        page, 0, 0, page.innerWidth(), page.innerHeight(), 0, 0,
        editor.thumbnailImage.DrawPage(editor.tileset, ShownPalette(editor), firstRow),
        editor.browserHeader);
    const int current = editor.state.currentTile;
    const int columns = editor.thumbnailImage.columns();
    if (current >= 1 && current <= editor.tileset.tileCount()) {
        const int row = (current - 1) / columns - firstRow;
        if (row >= 0 && row < editor.thumbnailImage.pageRows()) {
            FrameCell(page, (current - 1) % columns * kThumbnailCell, row * kThumbnailCell);
        }
    }
    browser.markedTile = current;
    page.Refresh();
}

void FitBrowserPage(Editor& editor) {
    Form2& browser = *editor.form2;
    const int oldColumns = editor.thumbnailImage.columns();
    const BrowserGrid grid = GridOf(*browser.Picture1);
    // The tiles at the top stay at the top, as far as the new columns allow;
    // then the current tile is brought into sight.
    const int topTile = browser.VScroll1->value() * oldColumns + 1;
    const int firstRow = FirstRowShowing(editor.state.currentTile, grid.columns,
                                         (topTile - 1) / grid.columns, grid.wholeRows);
    SetUpPage(editor, firstRow);
    DrawBrowserPage(editor);
}

void ShowCurrentTileInBrowser(Editor& editor) {
    Form2& browser = *editor.form2;
    const int current = editor.state.currentTile;
    if (browser.markedTile == current) {
        return;
    }
    const BrowserGrid grid = GridOf(*browser.Picture1);
    QScrollBar& scroll = *browser.VScroll1;
    {
        const QSignalBlocker quiet(scroll);
        scroll.setValue(FirstRowShowing(current, editor.thumbnailImage.columns(), scroll.value(),
                                        grid.wholeRows));
    }
    DrawBrowserPage(editor);
}

void OpenBrowserTile(Editor& editor, int x, int y) {
    // 0 for a point off the page.
    const std::int64_t t =
        BrowserTileAt(x, y, editor.form2->VScroll1->value(), editor.thumbnailImage.columns(),
                      editor.thumbnailImage.pageRows());
    if (t < 1 || t > editor.tileset.tileCount()) {
        return;
    }
    StopAnimationPreview(editor);
    editor.state.currentTile = static_cast<std::int16_t>(t);
    UpdateTileView(editor, 0);
    RenderCurrentTile(editor, editor.state.currentTile);
}

std::string BrowserTileTip(Editor& editor, int x, int y) {
    // The page's own arithmetic, as a click uses it.
    const std::int64_t t =
        BrowserTileAt(x, y, editor.form2->VScroll1->value(), editor.thumbnailImage.columns(),
                      editor.thumbnailImage.pageRows());
    if (t < 1 || t > editor.tileset.tileCount()) {
        return {};
    }
    const int position = static_cast<int>(t);
    return TileTipText(editor.tileset, position,
                       editor.tileNames.NameOf(editor.tileset.GameNumber(position)));
}

}  // namespace pixmill
