// The browser's wheel, keys and tooltips.

#include <QApplication>
#include <QHelpEvent>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include "browser/Browser.h"
#include "platform/PictureBox.h"
#include "tests/app/WindowTestSupport.h"

namespace pixmill::test {
namespace {

class BrowserInputTest : public WindowTest {};

TEST_F(BrowserInputTest, WheelAndKeysScrollTheRows) {
    OpenTileset(PatternTileset(256, 4, 4));  // scroll range 0 to 24
    const QImage top = browser.Picture1->image();
    // Half a notch twice makes one notch, which scrolls as many rows as the desktop does lines.
    for (int i = 0; i < 2; ++i) {
        QWheelEvent wheel(QPointF(9, 9), QPointF(9, 9), QPoint(), QPoint(0, -60), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(browser.Picture1, &wheel);
    }
    EXPECT_EQ(browser.VScroll1->value(), QApplication::wheelScrollLines());
    EXPECT_NE(browser.Picture1->image(), top);

    const std::pair<Qt::Key, int> steps[] = {{Qt::Key_Home, 0},      {Qt::Key_PageDown, 8},
                                             {Qt::Key_Down, 9},      {Qt::Key_End, 24},
                                             {Qt::Key_PageDown, 24}, {Qt::Key_PageUp, 16}};
    for (const auto& [key, value] : steps) {
        QTest::keyClick(&browser, key);
        EXPECT_EQ(browser.VScroll1->value(), value) << key;
    }
}

TEST_F(BrowserInputTest, TheTooltipNamesTheTileUnderThePointer) {
    Tileset set = PatternTileset(20, 4, 4);
    set.firstTileNumber = 100;
    set.lastTileNumber = 119;
    set.tile(12) = PatternTile(32, 7);
    OpenTileset(set);
    EXPECT_EQ(BrowserTileTip(editor, 3 * 70 + 69, 70), "Tile 12 (ART 111) - 32x7");
    EXPECT_EQ(BrowserTileTip(editor, 3 * 70, 2 * 70), "Tile 20 (ART 119) - 4x4");
    EXPECT_EQ(BrowserTileTip(editor, 4 * 70, 2 * 70), "");  // past the last tile
    // With names loaded, a named tile's name comes before its size.
    editor.tileNames.ExtendTo(111);
    editor.tileNames.Set(111, "DOOR1");
    EXPECT_EQ(BrowserTileTip(editor, 3 * 70 + 69, 70), "Tile 12 (ART 111) - DOOR1 - 32x7");
    EXPECT_EQ(BrowserTileTip(editor, 3 * 70, 2 * 70), "Tile 20 (ART 119) - 4x4");

    browser.show();
    const QPoint at(3 * 70 + 5, 70 + 5);
    QHelpEvent help(QEvent::ToolTip, at, browser.Picture1->mapToGlobal(at));
    QApplication::sendEvent(browser.Picture1, &help);
    EXPECT_EQ(QToolTip::text(), "Tile 12 (ART 111) - DOOR1 - 32x7");
}

}  // namespace
}  // namespace pixmill::test
