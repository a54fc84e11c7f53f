// The tile view as the user sees it: where tiles land, their colours, the
// crosshair, the status line, zoom and paging.

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <cmath>

#include "app/WindowProcedures.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"
#include "tests/app/WindowTestSupport.h"

namespace pixmill::test {
namespace {

const QColor kBackground(128, 128, 128);
const QColor kBlack(0, 0, 0);

class TileViewDrawingTest : public WindowTest {
  protected:
    // Tile (x, y) as drawn from the view's origin at the given zoom.
    void ExpectTileAt(int left, int top, int zoom, const Tile& tile) {
        for (int x = 1; x <= tile.width; ++x) {
            for (int y = 1; y <= tile.height; ++y) {
                const int vx = left + (x - 1) * zoom;
                const int vy = top + (y - 1) * zoom;
                if (vx < 0 || vy < 0 || vx >= 637 || vy >= 389) {
                    continue;
                }
                ASSERT_EQ(ViewPixel(vx, vy), Colour(tile.Pixel(x, y))) << x << "," << y;
                if (vx + zoom <= 637 && vy + zoom <= 389) {
                    ASSERT_EQ(ViewPixel(vx + zoom - 1, vy + zoom - 1), Colour(tile.Pixel(x, y)));
                }
            }
        }
    }
};

TEST_F(TileViewDrawingTest, ATileIsCentredAndDrawnInItsPaletteColours) {
    Tileset set = PatternTileset(2, 32, 32);
    set.tiles[1] = PatternTile(5, 3, 40);  // a width that is not a multiple of four
    OpenTileset(set);
    // (641 - 32) / 2 = 304.5 and (393 - 32) / 2 = 180.5 both round to even.
    EXPECT_EQ(editor.state.tileDrawX, 304);
    EXPECT_EQ(editor.state.tileDrawY, 180);
    ExpectTileAt(304, 180, 1, set.tile(1));
    EXPECT_EQ(ViewPixel(303, 180), kBackground);
    EXPECT_EQ(ViewPixel(304, 179), kBackground);
    EXPECT_EQ(ViewPixel(336, 212), kBackground);

    form.Command2->click();
    EXPECT_EQ(editor.state.tileDrawX, 318);  // 318 exactly
    EXPECT_EQ(editor.state.tileDrawY, 195);
    ExpectTileAt(318, 195, 1, set.tile(2));
    // Only five columns are drawn, none of the buffer's padding.
    EXPECT_EQ(ViewPixel(323, 195), kBackground);
}

TEST_F(TileViewDrawingTest, ALargeZoomedTileScrollsFromItsMiddleAndStaysCentredAcross) {
    const Tileset set = PatternTileset(1, 64, 64);
    OpenTileset(set);
    form.mnu8x->trigger();
    EXPECT_EQ(editor.state.zoomFactor, 8);
    EXPECT_TRUE(form.mnu8x->isChecked());
    EXPECT_FALSE(form.mnu1x->isChecked());
    // 512 pixels high in 389: a scroll bar takes the view's right side, the
    // tile is centred across what is left, (641 - bar - 512) / 2, and scrolls
    // down from its middle: 256 - 194.5 = 61.5 -> 62.
    const int bar = form.Room().barThickness;
    EXPECT_EQ(form.Picture1->width(), 641 - bar);
    const int left = static_cast<int>(std::nearbyint((641.0 - bar - 512) / 2));
    EXPECT_EQ(editor.state.tileDrawX, left);
    EXPECT_EQ(form.VScroll1->maximum(), 512 - 389);
    EXPECT_EQ(form.VScroll1->value(), 62);
    EXPECT_EQ(editor.state.tileDrawY, -62);
    // The top row of the view is tile row 8 (-62 + 7 * 8 = -6).
    EXPECT_EQ(ViewPixel(left, 0), Colour(set.tile(1).Pixel(1, 8)));
    EXPECT_EQ(ViewPixel(left - 1, 0), kBackground);
    ExpectTileAt(left, -62, 8, set.tile(1));
    EXPECT_EQ(ViewPixel(left + 512, 100), kBackground);

    // Choosing the marked item again redraws the same.
    const QImage before = form.Picture1->image();
    form.mnu8x->trigger();
    EXPECT_TRUE(form.mnu8x->isChecked());
    EXPECT_EQ(form.Picture1->image(), before);
}

TEST_F(TileViewDrawingTest, OffsetsMoveTheDrawingAndShowInTheStatusLine) {
    Tileset set = PatternTileset(3, 32, 32);
    set.tile(1).attributes = {0, 5, 0, 0};
    set.tile(2).attributes = {0, 251, 250, 0};
    set.tile(3).attributes = {0, 128, 127, 0};
    OpenTileset(set);
    form.mnu2x->trigger();
    // Centred at (641 - 64) / 2 = 288.5; 5 moves it 10 to the left.
    EXPECT_EQ(editor.state.tileDrawX, 278);
    EXPECT_EQ(editor.state.tileDrawY, 164);
    ExpectTileAt(278, 164, 2, set.tile(1));
    EXPECT_EQ(form.StatusText(), "1/3 - 32x32 Offsets: -5,0");

    form.Command2->click();
    EXPECT_EQ(editor.state.tileDrawX, 298);  // 10 to the right
    EXPECT_EQ(editor.state.tileDrawY, 176);  // 6 x 2 lower
    EXPECT_EQ(form.StatusText(), "2/3 - 32x32 Offsets: 5,-6");

    form.Command2->click();
    EXPECT_EQ(editor.state.tileDrawX, 288 + 256);
    EXPECT_EQ(editor.state.tileDrawY, 164 - 254);
    EXPECT_EQ(form.StatusText(), "3/3 - 32x32 Offsets: 128,127");
}

TEST_F(TileViewDrawingTest, TheStatusLineNamesTilesByTheirNumberInTheGame) {
    // The second file of a game holds its tiles 256 to 511.
    Tileset set = PatternTileset(256, 0, 0);
    set.firstTileNumber = 256;
    set.lastTileNumber = 511;
    set.tile(12) = PatternTile(32, 48);
    set.tile(12).attributes = {0, 3, 5, 0};
    set.tile(1) = PatternTile(32, 48);
    OpenTileset(set, "TILES001.ART");
    editor.tileNames.ExtendTo(300);
    editor.tileNames.Set(256 + 11, "DOOR1");
    editor.tileNames.Set(256, "FIRST");

    RenderCurrentTile(editor, 1);  // file 1, tile 1: entry 256
    EXPECT_EQ(form.StatusText(), "1/256 - FIRST - 32x48 Offsets: 0,0");
    editor.state.currentTile = 12;
    UpdateTileView(editor, 0);
    RenderCurrentTile(editor, 12);
    EXPECT_EQ(form.StatusText(), "12/256 - DOOR1 - 32x48 Offsets: -3,5");
    editor.tileNames.Set(256 + 11, "");
    RenderCurrentTile(editor, 12);
    EXPECT_EQ(form.StatusText(), "12/256 - 32x48 Offsets: -3,5");

    // A tile inserted before a named one moves it to the next number, which
    // its name stays with, as the game would see it; the tiles before keep theirs.
    editor.tileNames.Set(256 + 12, "DOOR2");
    form.mnuinsert2->trigger();
    EXPECT_EQ(form.StatusText(), "12/257 - 0x0 Offsets: 0,0");
    form.Command2->click();
    EXPECT_EQ(form.StatusText(), "13/257 - DOOR2 - 32x48 Offsets: -3,5");
    form.GoToFirstTile();
    EXPECT_EQ(form.StatusText(), "1/257 - FIRST - 32x48 Offsets: 0,0");
}

TEST_F(TileViewDrawingTest, TileNumbersBeyondTheNamesTableNeverOverflow) {
    // Numbers beyond 16 bits and beyond the names table: no name, no fault.
    Tileset set = PatternTileset(256, 4, 4);
    set.firstTileNumber = 200 * 256;
    set.lastTileNumber = 200 * 256 + 255;
    OpenTileset(set, "TILES200.ART");
    editor.tileNames.ExtendTo(TileNames::kLastEntry);
    for (int i = 0; i <= TileNames::kLastEntry; i += 97) {
        editor.tileNames.Set(i, "WRONG");
    }
    editor.state.currentTile = 256;
    UpdateTileView(editor, 0);
    RenderCurrentTile(editor, 256);
    EXPECT_EQ(form.StatusText(), "256/256 - 4x4 Offsets: 0,0");
}

TEST_F(TileViewDrawingTest, TheCrosshairCrossesTheMiddleOfTheViewEvenWithoutATile) {
    Tileset set = PatternTileset(2, 0, 0);
    set.tile(2) = PatternTile(16, 16);
    OpenTileset(set);
    form.mnuCross->trigger();
    EXPECT_TRUE(editor.state.crosshairOn);
    EXPECT_TRUE(form.mnuCross->isChecked());
    // Inner area 637 x 389: lines at x = 319 and y = 195.
    for (int y = 0; y < 389; ++y) {
        ASSERT_EQ(ViewPixel(319, y), kBlack) << y;
    }
    for (int x = 0; x < 637; ++x) {
        ASSERT_EQ(ViewPixel(x, 195), kBlack) << x;
    }
    EXPECT_EQ(ViewPixel(318, 194), kBackground);
    EXPECT_EQ(ViewPixel(320, 196), kBackground);

    // Over a tile, and through the tile's own pixels.
    form.Command2->click();
    // The tile lies at 312..327 x 188..203.
    EXPECT_EQ(ViewPixel(319, 190), kBlack);
    EXPECT_EQ(ViewPixel(318, 190), Colour(set.tile(2).Pixel(7, 3)));

    form.mnuCross->trigger();
    EXPECT_FALSE(editor.state.crosshairOn);
    EXPECT_FALSE(form.mnuCross->isChecked());
    EXPECT_EQ(ViewPixel(319, 190), Colour(set.tile(2).Pixel(8, 3)));
    EXPECT_EQ(ViewPixel(319, 5), kBackground);
}

TEST_F(TileViewDrawingTest, PagingStopsAtBothEnds) {
    OpenTileset(PatternTileset(3, 2, 2));
    form.SetStatusText("untouched");
    form.Command1->click();  // on tile 1: nothing at all, not even a redraw
    EXPECT_EQ(editor.state.currentTile, 1);
    EXPECT_EQ(form.StatusText(), "untouched");

    form.Command2->click();
    form.Command2->click();
    EXPECT_EQ(editor.state.currentTile, 3);
    EXPECT_EQ(form.StatusText(), "3/3 - 2x2 Offsets: 0,0");
    form.SetStatusText("untouched");
    form.Command2->click();
    EXPECT_EQ(editor.state.currentTile, 3);
    EXPECT_EQ(form.StatusText(), "untouched");

    form.Command1->click();
    EXPECT_EQ(editor.state.currentTile, 2);
    EXPECT_EQ(form.StatusText(), "2/3 - 2x2 Offsets: 0,0");

    // From no current tile, "->" goes to the first.
    editor.state.currentTile = 0;
    form.Command1->click();
    EXPECT_EQ(editor.state.currentTile, 0);
    form.Command2->click();
    EXPECT_EQ(editor.state.currentTile, 1);
}

TEST_F(TileViewDrawingTest, PagingStopsARunningPreviewAndShowsTheNeighbourAtRest) {
    Tileset set = PatternTileset(3, 2, 2);
    set.tile(2).attributes[0] = 3;
    OpenTileset(set);
    EXPECT_FALSE(form.mnuAnim->isEnabled());
    EXPECT_FALSE(MenuEnabled(form.mnuAnimSpeed));

    form.mnuAnim->setChecked(true);
    form.mnuprops->setEnabled(false);
    form.Timer1->SetInterval(100);
    form.Command2->click();
    EXPECT_FALSE(form.mnuAnim->isChecked());
    EXPECT_EQ(form.Timer1->Interval(), 0);
    EXPECT_TRUE(form.mnuprops->isEnabled());
    EXPECT_EQ(editor.state.currentTile, 2);
    // Tile 2 has frames, so the preview can be started from it.
    EXPECT_TRUE(form.mnuAnim->isEnabled());
    EXPECT_TRUE(MenuEnabled(form.mnuAnimSpeed));
    form.Command2->click();
    EXPECT_FALSE(form.mnuAnim->isEnabled());
}

TEST_F(TileViewDrawingTest, WithoutATileZoomAndCrosshairOnlyChangeTheSettings) {
    LoadPaletteFile(WriteTestPalette());
    const QImage blank = form.Picture1->image();
    form.mnu4x->trigger();
    form.mnuCross->trigger();
    EXPECT_EQ(editor.state.zoomFactor, 4);
    EXPECT_TRUE(form.mnu4x->isChecked());
    EXPECT_TRUE(editor.state.crosshairOn);
    EXPECT_EQ(form.Picture1->image(), blank);
    EXPECT_EQ(form.StatusText(), "");

    // The settings hold for the first tile drawn later.
    OpenArt(WriteArt(PatternTileset(1, 10, 10), "TILES000.ART"));
    EXPECT_EQ(editor.state.tileDrawX, (641 - 40) / 2);
    EXPECT_EQ(ViewPixel(319, 0), kBlack);
}

}  // namespace
}  // namespace pixmill::test
