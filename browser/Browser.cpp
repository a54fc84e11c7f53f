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

void FillBrowser(Editor& editor) {
    ShowStatus(editor, "Filling Browser...");

    // Only the page shown is drawn, below: the cost is the same for any tileset.
    editor.thumbnailImage.Reset(editor.tileset.tileCount());
    const PictureBox& page = *editor.form2->Picture1;
    editor.browserHeader = BrowserPageHeader();
    editor.browserHeader.width = page.innerWidth();
    editor.browserHeader.height = -page.innerHeight();

    QScrollBar& scroll = *editor.form2->VScroll1;
    {
        // The page is drawn once below, not once more for the clamped value.
        const QSignalBlocker quiet(scroll);
        scroll.setRange(0, BrowserScrollMax(editor.thumbnailImage.rows()));
    }
    DrawBrowserPage(editor);
}

void DrawBrowserPage(Editor& editor) {
    PictureBox& page = *editor.form2->Picture1;
    const int firstRow = std::max(0, editor.form2->VScroll1->value());
    // Rows past the last tile are black.
    SetDIBitsToDevice(
        page, 0, 0, kBrowserPageSide, kBrowserPageSide, 0, 0,
        editor.thumbnailImage.DrawPage(editor.tileset, ShownPalette(editor), firstRow),
        editor.browserHeader);
    page.Refresh();
}

void OpenBrowserTile(Editor& editor, int x, int y) {
    // 0 for a point off the page.
    const std::int64_t t = BrowserTileAt(x, y, editor.form2->VScroll1->value());
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
    const std::int64_t t = BrowserTileAt(x, y, editor.form2->VScroll1->value());
    if (t < 1 || t > editor.tileset.tileCount()) {
        return {};
    }
    return TileTipText(editor.tileset, static_cast<int>(t));
}

}  // namespace pixmill
