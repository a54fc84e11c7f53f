// The main window made larger, and its view scrolled, panned and zoomed
// around the pointer: the controls' places, the view's size, where the tile
// lands and the scroll ranges, read back from the window.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include "app/ViewLayout.h"
#include "app/WindowProcedures.h"
#include "platform/PictureBox.h"
#include "tests/app/WindowTestSupport.h"

namespace pixmill::test {
namespace {

class ScrollViewTest : public WindowTest {
  protected:
    void ResizeBy(QSize first, int width, int height) {
        form.resize(first.width() + width, first.height() + height);
        QApplication::processEvents();
    }
    QAction* ScaleItem(int zoom) const {
        const std::pair<int, QAction*> items[] = {{1, form.mnu1x},   {2, form.mnu2x},
                                                  {4, form.mnu4x},   {8, form.mnu8x},
                                                  {16, form.mnu16x}, {32, form.mnu32x}};
        for (const auto& [scale, item] : items) {
            if (scale == zoom) {
                return item;
            }
        }
        return nullptr;
    }
    // Along one side: a scroll bar exactly while the tile does not fit, the
    // tile at minus its value then, otherwise centred in the view as it always was.
    void ExpectSide(const char* side, const QScrollBar* bar, int extent, int inner, int outer,
                    std::int32_t draw) {
        EXPECT_EQ(bar->isVisible(), extent > inner) << side;
        if (extent > inner) {
            EXPECT_EQ(bar->maximum(), extent - inner) << side;
            EXPECT_EQ(draw, -bar->value()) << side;
        } else {
            EXPECT_EQ(draw, static_cast<int>(std::nearbyint((outer - extent) / 2.0))) << side;
        }
    }
    // The tile pixel under view point (x, y), by the placement every drawing uses.
    QColor TilePixelUnder(int x, int y, const Tile& tile) const {
        const int zoom = editor.state.zoomFactor;
        return Colour(tile.Pixel((x - editor.state.tileDrawX) / zoom + 1,
                                 (y - editor.state.tileDrawY) / zoom + 1));
    }
};

TEST_F(ScrollViewTest, ALargerWindowGivesTheViewItsRoomAndTheTileItsPlaceAtEveryZoom) {
    const Tileset set = PatternTileset(1, 40, 30);
    OpenTileset(set);
    form.show();
    QApplication::processEvents();
    const QSize first = form.size();
    ASSERT_EQ(form.centralWidget()->size(), QSize(642, 474));
    QWidget* const below[] = {form.Picture2, form.Label2,   form.Label3,
                              form.Command1, form.Command2, form.Label1};
    std::vector<QRect> places;
    for (const QWidget* control : below) {
        places.push_back(control->geometry());
    }

    // The window cannot be made smaller than its first size.
    ResizeBy(first, -200, -100);
    EXPECT_EQ(form.centralWidget()->size(), QSize(642, 474));

    ResizeBy(first, 301, 120);
    ASSERT_EQ(form.centralWidget()->size(), QSize(642 + 301, 474 + 120));
    for (std::size_t i = 0; i < std::size(below); ++i) {
        EXPECT_EQ(below[i]->geometry(), places[i].translated(150, 120)) << i;
    }
    const Tile& tile = editor.tileset.tile(1);
    for (const int zoom : kScaleFactors) {
        ScaleItem(zoom)->trigger();
        const PictureBox& view = *form.Picture1;
        const int bar = form.Room().barThickness;
        EXPECT_EQ(view.width(), 942 - (form.VScroll1->isVisible() ? bar : 0)) << zoom;
        EXPECT_EQ(view.height(), 513 - (form.HScroll1->isVisible() ? bar : 0)) << zoom;
        ExpectSide("across", form.HScroll1, 40 * zoom, view.innerWidth(), view.width(),
                   editor.state.tileDrawX);
        ExpectSide("down", form.VScroll1, 30 * zoom, view.innerHeight(), view.height(),
                   editor.state.tileDrawY);
        const int cx = view.innerWidth() / 2;
        const int cy = view.innerHeight() / 2 - 3;
        EXPECT_EQ(ViewPixel(cx, cy), TilePixelUnder(cx, cy, tile)) << zoom;
    }

    // Back at the first size, the view is as it first was.
    form.mnu1x->trigger();
    ResizeBy(first, 0, 0);
    EXPECT_EQ(form.Picture1->geometry(), QRect(0, 8, 641, 393));
    EXPECT_FALSE(form.HScroll1->isVisible() || form.VScroll1->isVisible());
    EXPECT_EQ(editor.state.tileDrawX, 300);  // (641 - 40) / 2 = 300.5 -> 300
}

TEST_F(ScrollViewTest, TheBarsTheMiddleButtonAndTheWheelMoveTheTile) {
    const Tileset set = PatternTileset(1, 256, 256);
    OpenTileset(set);
    form.show();
    form.mnu32x->trigger();  // 8192 x 8192
    const Tile& tile = editor.tileset.tile(1);
    ASSERT_TRUE(form.HScroll1->isVisible() && form.VScroll1->isVisible());

    form.VScroll1->setValue(700);
    form.HScroll1->setValue(20);
    EXPECT_EQ(editor.state.tileDrawX, -20);
    EXPECT_EQ(editor.state.tileDrawY, -700);
    EXPECT_EQ(ViewPixel(5, 5), TilePixelUnder(5, 5, tile));

    // A drag with the middle button moves the tile with the pointer.
    const auto mouse = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, form.Picture1->mapToGlobal(at), Qt::MiddleButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(form.Picture1, &event);
    };
    mouse(QEvent::MouseButtonPress, {200, 200}, Qt::MiddleButton);
    mouse(QEvent::MouseMove, {150, 260}, Qt::MiddleButton);
    mouse(QEvent::MouseButtonRelease, {150, 260}, Qt::NoButton);
    EXPECT_EQ(form.HScroll1->value(), 70);
    EXPECT_EQ(form.VScroll1->value(), 640);
    EXPECT_EQ(editor.state.tileDrawX, -70);
    EXPECT_EQ(ViewPixel(300, 100), TilePixelUnder(300, 100, tile));
    mouse(QEvent::MouseMove, {0, 0}, Qt::NoButton);  // released: no more panning
    EXPECT_EQ(form.HScroll1->value(), 70);

    // Ctrl with the wheel zooms out and in around the pointer: the tile pixel
    // under it stays.
    const auto wheel = [&](QPoint at, int notches, Qt::KeyboardModifiers keys) {
        QWheelEvent event(at, form.Picture1->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches),
                          Qt::NoButton, keys, Qt::NoScrollPhase, false);
        QApplication::sendEvent(form.Picture1, &event);
    };
    form.HScroll1->setValue(3000);
    form.VScroll1->setValue(3000);
    const QPoint pointer(402, 123);  // (400, 121) in drawing coordinates
    const auto underPointer = [&] {
        const int zoom = editor.state.zoomFactor;
        return std::pair{(400 - editor.state.tileDrawX) / zoom,
                         (121 - editor.state.tileDrawY) / zoom};
    };
    const auto before = underPointer();
    wheel(pointer, -1, Qt::ControlModifier);
    EXPECT_EQ(editor.state.zoomFactor, 16);
    EXPECT_TRUE(form.mnu16x->isChecked());
    EXPECT_EQ(underPointer(), before);
    wheel(pointer, -2, Qt::ControlModifier);
    EXPECT_EQ(editor.state.zoomFactor, 4);
    EXPECT_EQ(underPointer(), before);
    wheel(pointer, 3, Qt::ControlModifier);
    EXPECT_EQ(editor.state.zoomFactor, 32);
    EXPECT_EQ(underPointer(), before);
    // Without Ctrl the wheel scrolls.
    const int down = form.VScroll1->value();
    wheel(pointer, -1, Qt::NoModifier);
    EXPECT_GT(form.VScroll1->value(), down);
    EXPECT_EQ(editor.state.tileDrawY, -form.VScroll1->value());
}

TEST_F(ScrollViewTest, PagingKeepsTheScrolledPlaceAndTheDrawingMapsPixelsAsBefore) {
    Tileset set = PatternTileset(3, 300, 200);
    set.tile(3) = PatternTile(10, 10, 3);
    OpenTileset(set);
    form.mnu4x->trigger();  // 1200 x 800
    form.HScroll1->setValue(123);
    form.VScroll1->setValue(45);
    form.Command2->click();
    EXPECT_EQ(editor.state.currentTile, 2);
    EXPECT_EQ(form.HScroll1->value(), 123);
    EXPECT_EQ(form.VScroll1->value(), 45);
    // Pixel (x, y) of the tile, from 1, lies at tileDraw + (x - 1) * zoom.
    const Tile& tile = editor.tileset.tile(2);
    EXPECT_EQ(ViewPixel(editor.state.tileDrawX + 40 * 4, editor.state.tileDrawY + 20 * 4),
              Colour(tile.Pixel(41, 21)));
    // A tile that fits is centred, and the bars go.
    form.Command2->click();
    EXPECT_FALSE(form.HScroll1->isVisibleTo(&form) || form.VScroll1->isVisibleTo(&form));
    EXPECT_EQ(form.Picture1->size(), QSize(641, 393));
    EXPECT_EQ(editor.state.tileDrawX, 300);  // (641 - 40) / 2 = 300.5 -> 300
}

}  // namespace
}  // namespace pixmill::test
