// The browser window: thumbnails on screen, scrolling and opening a tile by a click.

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QScrollBar>

#include "app/WindowProcedures.h"
#include "browser/Browser.h"
#include "platform/PictureBox.h"
#include "tests/app/WindowTestSupport.h"

namespace pixmill::test {
namespace {

class Form2Test : public WindowTest {
  protected:
    QColor PagePixel(int x, int y) const { return browser.Picture1->Point(x, y); }
    // Tiles of one colour, index t % 256, so each cell tells its tile.
    static Tileset NumberedTiles(int count, int side) {
        Tileset set;
        for (int t = 1; t <= count; ++t) {
            set.tiles.push_back(TileOf(side, side, [t](int, int) { return t % 256; }));
        }
        set.lastTileNumber = count - 1;
        return set;
    }
    // Read inside the two pixels along the cell's edge that frame the current tile.
    void ExpectCellShows(int column, int row, int tile) {
        EXPECT_EQ(PagePixel(70 * column + 2, 70 * row + 2),
                  Colour(static_cast<std::uint8_t>(tile % 256)))
            << "cell " << column << "," << row << " should show tile " << tile;
    }
};

TEST_F(Form2Test, TheBrowserShowsEveryTileAndScrollsByRows) {
    OpenTileset(NumberedTiles(256, 16));
    form.mnuBrowse->trigger();
    EXPECT_TRUE(browser.isVisible());
    EXPECT_TRUE(form.isEnabled());
    EXPECT_EQ(browser.VScroll1->minimum(), 0);
    EXPECT_EQ(browser.VScroll1->maximum(), 24);
    EXPECT_EQ(browser.VScroll1->value(), 0);
    ExpectCellShows(0, 0, 1);
    ExpectCellShows(7, 7, 64);
    // Black beside and below a 16 x 16 thumbnail.
    EXPECT_EQ(PagePixel(16, 2), QColor(0, 0, 0));
    EXPECT_EQ(PagePixel(2, 16), QColor(0, 0, 0));

    browser.VScroll1->setValue(24);
    ExpectCellShows(0, 0, 193);
    ExpectCellShows(7, 7, 256);
    // One row per step, whether by arrow or track.
    EXPECT_EQ(browser.VScroll1->singleStep(), 1);
    EXPECT_EQ(browser.VScroll1->pageStep(), 1);
    browser.VScroll1->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(browser.VScroll1->value(), 23);
    ExpectCellShows(0, 0, 185);
}

TEST_F(Form2Test, AClickOpensTheTileUnderItAndNothingBelowTheLast) {
    OpenTileset(NumberedTiles(100, 8));
    browser.VScroll1->setValue(5);
    // Fourth cell of the third row on the page: (2 + 5) x 8 + 3 + 1 = 60.
    browser.Picture1_MouseDown(2, 0, 3 * 70 + 69, 2 * 70 + 69);
    EXPECT_EQ(editor.state.currentTile, 60);
    EXPECT_EQ(form.StatusText(), "60/100 - 8x8 Offsets: 0,0");
    EXPECT_EQ(browser.VScroll1->value(), 5);

    // Tile 100 is the fourth cell of row 12 (page row 7); the cell after it is empty.
    browser.Picture1_MouseDown(1, 0, 4 * 70, 7 * 70);
    EXPECT_EQ(editor.state.currentTile, 60);
    browser.Picture1_MouseDown(1, 0, 3 * 70, 7 * 70);
    EXPECT_EQ(editor.state.currentTile, 100);
}

TEST_F(Form2Test, AFewTilesFillOneRowAndLeaveTheRestBlack) {
    OpenTileset(NumberedTiles(5, 10));
    EXPECT_EQ(browser.VScroll1->maximum(), 0);
    ExpectCellShows(4, 0, 5);
    EXPECT_EQ(PagePixel(5 * 70, 0), QColor(0, 0, 0));
    EXPECT_EQ(PagePixel(0, 70), QColor(0, 0, 0));
    EXPECT_EQ(PagePixel(559, 559), QColor(0, 0, 0));
    browser.Picture1_MouseDown(1, 0, 0, 70);
    EXPECT_EQ(editor.state.currentTile, 1);
}

TEST_F(Form2Test, EveryTileIsReachableBeyondTheOldLimitOfThirtySevenHundred) {
    LoadPaletteFile(WriteTestPalette());
    // More tiles than a file can hold, as inserting can make them.
    const int count = 9000;
    editor.tileset = NumberedTiles(count, 4);
    editor.state.currentTile = 1;
    FillBrowser(editor);
    const int rows = count / 8;
    EXPECT_EQ(browser.VScroll1->maximum(), rows - 8);

    browser.VScroll1->setValue(rows - 8);
    ExpectCellShows(7, 7, count);
    browser.Picture1_MouseDown(1, 0, 7 * 70 + 1, 7 * 70 + 1);
    EXPECT_EQ(editor.state.currentTile, count);

    browser.VScroll1->setValue(3744 / 8);
    ExpectCellShows(0, 0, 3745);
    browser.Picture1_MouseDown(1, 0, 0, 0);
    EXPECT_EQ(editor.state.currentTile, 3745);
}

TEST_F(Form2Test, HidingKeepsThePageAndOpeningAFileScrollsToTheTop) {
    OpenTileset(NumberedTiles(200, 4));
    form.mnuBrowse->trigger();
    browser.VScroll1->setValue(10);
    const QImage page = browser.Picture1->image();
    browser.Command1->click();
    EXPECT_FALSE(browser.isVisible());
    form.mnuBrowse->trigger();
    EXPECT_TRUE(browser.isVisible());
    EXPECT_EQ(browser.VScroll1->value(), 10);
    EXPECT_EQ(browser.Picture1->image(), page);

    // Other fills keep the scroll position (a palette load), a load does not.
    LoadPaletteFile(WriteTestPalette("again.pal"));
    EXPECT_EQ(browser.VScroll1->value(), 10);
    OpenArt(editor.tileset.artPath);
    EXPECT_EQ(browser.VScroll1->value(), 0);
    ExpectCellShows(0, 0, 1);

    // A smaller tileset brings the value back within the new range.
    browser.VScroll1->setValue(17);
    OpenArt(WriteArt(NumberedTiles(100, 4), "small.art"));
    browser.VScroll1->setValue(17);
    EXPECT_EQ(browser.VScroll1->value(), 5);
}

TEST_F(Form2Test, ColumnsFollowTheWidthAndClicksStillOpenTheRightTile) {
    OpenTileset(NumberedTiles(200, 8));
    browser.show();
    form.Command2->click();
    // Twice as wide and a little higher: 16 whole columns, 8 whole rows and a part.
    browser.resize(2 * 587, 598 + 30);
    QApplication::processEvents();
    ASSERT_EQ(browser.Picture1->size(), QSize(2 * 587 - 27, 560 + 30));
    EXPECT_EQ(browser.VScroll1->geometry(), QRect(2 * 587 - 19, 0, 17, 591));
    EXPECT_EQ(browser.Command1->pos(), QPoint(8, 598));
    EXPECT_EQ(editor.thumbnailImage.columns(), 16);
    // 200 tiles in rows of 16 are 13 rows, 8 of them shown whole.
    EXPECT_EQ(browser.VScroll1->maximum(), 13 - 8);
    ExpectCellShows(15, 0, 16);
    ExpectCellShows(0, 1, 17);
    ExpectCellShows(0, 8, 129);  // the part of a ninth row
    // Right of the last whole column the page is black.
    EXPECT_EQ(PagePixel(16 * 70 + 5, 5), QColor(0, 0, 0));

    browser.VScroll1->setValue(2);
    browser.Picture1_MouseDown(1, 0, 9 * 70 + 30, 3 * 70 + 30);
    EXPECT_EQ(editor.state.currentTile, (3 + 2) * 16 + 9 + 1);
    browser.Picture1_MouseDown(1, 0, 16 * 70 + 5, 5);  // no column there
    EXPECT_EQ(editor.state.currentTile, 90);

    // Back to eight columns, tile 90 stays in sight: row 11 of 25, the page from row 4.
    browser.resize(587, 598);
    QApplication::processEvents();
    EXPECT_EQ(editor.thumbnailImage.columns(), 8);
    EXPECT_EQ(browser.VScroll1->value(), 4);
    browser.Picture1_MouseDown(1, 0, 1 * 70 + 30, 7 * 70 + 30);
    EXPECT_EQ(editor.state.currentTile, 90);
}

TEST_F(Form2Test, TheCurrentTileIsFramedAndKeptInSight) {
    OpenTileset(NumberedTiles(200, 16));
    const QColor frame(255, 220, 0);
    EXPECT_EQ(PagePixel(0, 0), frame);
    EXPECT_EQ(PagePixel(69, 35), frame);
    EXPECT_EQ(PagePixel(70, 0), Colour(2));
    // Paging moves the frame; going past the page scrolls the browser to it.
    form.Command2->click();
    EXPECT_EQ(PagePixel(0, 0), Colour(1));
    EXPECT_EQ(PagePixel(70, 0), frame);
    prompts.AnswerInput("150");
    form.mnuGoTo->trigger();
    EXPECT_EQ(browser.VScroll1->value(), 18 - 7);  // tile 150 is in row 18, now the last shown
    EXPECT_EQ(PagePixel(5 * 70, 7 * 70), frame);
    // A page scrolled elsewhere by hand stays there while the tile does not change.
    browser.VScroll1->setValue(0);
    LoadPaletteFile(WriteTestPalette("again.pal"));
    EXPECT_EQ(browser.VScroll1->value(), 0);
}

}  // namespace
}  // namespace pixmill::test
