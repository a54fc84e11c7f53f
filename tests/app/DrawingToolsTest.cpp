// The drawing tools of the Edit menu on the tile view, driven by mouse events
// as a user makes them: which pixels a stroke sets at every zoom, what the
// view shows while the button is down, and each stroke as one undo step.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <set>

#include "app/ArtCommands.h"
#include "app/WindowProcedures.h"
#include "editing/TileDrawing.h"
#include "editing/TilesetChange.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"
#include "tests/app/WindowTestSupport.h"

namespace pixmill::test {
namespace {

constexpr int kFrame = 2;

class DrawingToolsTest : public WindowTest {
  protected:
    void SetUp() override {
        // Tile 1 is larger than the view at 4x and 8x; tile 2 is placed by
        // offsets of 3 left and 4 down.
        Tileset set = PatternTileset(3, 100, 60);
        set.tile(2).attributes = {0, 3, 252, 0};
        OpenTileset(set);
        opened = ReadBytes(editor.tileset.artPath);
    }

    // A mouse event on the view at a point of its drawing area.
    void Mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint at) {
        const QPointF local(at.x() + kFrame, at.y() + kFrame);
        QMouseEvent event(type, local, form.Picture1->mapToGlobal(local), button, held,
                          Qt::NoModifier);
        QApplication::sendEvent(form.Picture1, &event);
    }
    void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        Mouse(QEvent::MouseButtonPress, button, button, at);
    }
    void Move(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        Mouse(QEvent::MouseMove, Qt::NoButton, button, at);
    }
    void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        Mouse(QEvent::MouseButtonRelease, button, Qt::NoButton, at);
    }

    // The middle of tile pixel p's cell in the view, wherever that is.
    QPoint Cell(TilePoint p) const {
        const int zoom = editor.state.zoomFactor;
        return {editor.state.tileDrawX + (p.x - 1) * zoom + zoom / 2,
                editor.state.tileDrawY + (p.y - 1) * zoom + zoom / 2};
    }
    // Whether any of pixel p's cell lies inside the view (narrower by its
    // scroll bars when the tile is larger).
    bool Shows(TilePoint p) const {
        const int zoom = editor.state.zoomFactor;
        const int left = editor.state.tileDrawX + (p.x - 1) * zoom;
        const int top = editor.state.tileDrawY + (p.y - 1) * zoom;
        return left < form.Picture1->innerWidth() && left + zoom > 0 &&
               top < form.Picture1->innerHeight() && top + zoom > 0;
    }
    // Puts a palette index into a swatch by a click on the palette strip.
    void PickFromStrip(int button, int index) {
        form.Picture2_MouseDown(button, 0, 4 * (index % 128) + 2, 4 * (index / 128) + 1);
    }
    void Show(int tile, QAction* zoom) {
        editor.state.currentTile = static_cast<std::int16_t>(tile);
        zoom->trigger();
    }
    const Tile& Current() const { return editor.tileset.tile(editor.state.currentTile); }
    // What a full drawing of the tile shows, against what the view shows now.
    bool ViewIsTheWholeDrawing() {
        const QImage now = form.Picture1->image();
        RenderCurrentTile(editor, editor.state.currentTile);
        return form.Picture1->image() == now;
    }

    Bytes opened;
};

TEST_F(DrawingToolsTest, APencilStrokeSetsThePathItsPointerTookAtEveryZoom) {
    PickFromStrip(1, 201);
    EXPECT_EQ(editor.state.leftColour, 201);
    EXPECT_EQ(BackColor(form.Label2), Colour(201));
    form.mnuPencil->trigger();
    for (QAction* zoom : {form.mnu1x, form.mnu2x, form.mnu4x, form.mnu8x}) {
        for (int tile : {1, 2}) {
            SCOPED_TRACE(zoom->text().toStdString() + " tile " + std::to_string(tile));
            Show(tile, zoom);
            const Tile before = Current();
            // Pointer positions far apart, as a fast drag reports them; at 4x
            // and 8x the later ones lie beyond the view.
            const std::vector<TilePoint> path{{40, 28}, {47, 31}, {99, 2}, {60, 59}, {1, 1}};
            Press(Cell(path[0]));
            for (std::size_t k = 1; k + 1 < path.size(); ++k) {
                Move(Cell(path[k]));
            }
            // While the button is down the view shows the stroke as it stands,
            // drawn cell by cell.
            EXPECT_TRUE(ViewIsTheWholeDrawing());
            Release(Cell(path.back()));

            std::set<std::pair<int, int>> trail;
            for (std::size_t k = 1; k < path.size(); ++k) {
                ForEachLinePixel(path[k - 1], path[k], [&](TilePoint p) {
                    if (p.x >= 1 && p.y >= 1 && p.x <= 100 && p.y <= 60 && Shows(p)) {
                        trail.insert({p.x, p.y});
                    }
                });
            }
            const Tile& after = Current();
            for (int x = 1; x <= 100; ++x) {
                for (int y = 1; y <= 60; ++y) {
                    ASSERT_EQ(after.Pixel(x, y), trail.count({x, y}) ? 201 : before.Pixel(x, y))
                        << x << "," << y;
                }
            }
            // One step, taken back and made again exactly.
            EXPECT_EQ(form.mnuUndo->text().toStdString(), "Undo Pencil");
            const Tile drawn = after;
            form.mnuUndo->trigger();
            EXPECT_TRUE(SameTile(Current(), before));
            form.mnuRedo->trigger();
            EXPECT_TRUE(SameTile(Current(), drawn));
            form.mnuUndo->trigger();
        }
    }
    // Every stroke undone: a save writes the file as it was opened.
    EXPECT_TRUE(form.Caption().find(" *") == std::string::npos);
    ASSERT_TRUE(SaveArtFile(editor, dir.Path("AGAIN.ART"), false));
    EXPECT_EQ(ReadBytes(dir.Path("AGAIN.ART")), opened);
}

TEST_F(DrawingToolsTest, ClicksOffTheTileWithoutAToolOrOfOtherButtonsChangeNothing) {
    const VisibleState before = Snapshot(editor);
    Press(Cell({10, 10}));  // No Tool
    Release(Cell({10, 10}));
    form.mnuPencil->trigger();
    for (const QPoint at : {QPoint(editor.state.tileDrawX - 1, 100), QPoint(5, 5)}) {
        Press(at);
        Move(Cell({10, 10}));
        Release(Cell({10, 10}));
    }
    Press(Cell({10, 10}), Qt::MiddleButton);
    Release(Cell({10, 10}), Qt::MiddleButton);
    EXPECT_EQ(editor.history.size(), 0U);
    EXPECT_EQ(Snapshot(editor), before);
}

TEST_F(DrawingToolsTest, ALineRunsFromWhereTheButtonWentDownToWhereItCameUp) {
    PickFromStrip(1, 99);
    form.mnuLine->trigger();
    form.mnuCross->trigger();  // the crosshair stays over the cells drawn again
    const Tile before = Current();
    Press(Cell({10, 10}));
    Move(Cell({90, 12}));
    Move(Cell({30, 50}));
    EXPECT_TRUE(ViewIsTheWholeDrawing());
    Move(Cell({61, 40}));
    Move(Cell({60, 40}));
    EXPECT_TRUE(ViewIsTheWholeDrawing());
    Release(Cell({60, 40}));
    std::set<std::pair<int, int>> line;
    ForEachLinePixel({10, 10}, {60, 40}, [&](TilePoint p) { line.insert({p.x, p.y}); });
    for (int x = 1; x <= 100; ++x) {
        for (int y = 1; y <= 60; ++y) {
            ASSERT_EQ(Current().Pixel(x, y), line.count({x, y}) ? 99 : before.Pixel(x, y));
        }
    }
    EXPECT_EQ(form.mnuUndo->text().toStdString(), "Undo Line");
}

TEST_F(DrawingToolsTest, FillChangesTheAreaAndPickColourFillsTheButtonsSwatch) {
    // A tile of two areas, split by a column.
    const Tile split = TileOf(100, 60, [](int x, int) { return x == 50 ? 9 : x < 50 ? 3 : 4; });
    TilesetChange change("Set up");
    change.Replace(editor.tileset, 1, split);
    change.focusAfter = 1;
    MakeChange(editor, std::move(change));

    form.mnuPick->trigger();
    Press(Cell({70, 5}), Qt::RightButton);
    EXPECT_EQ(editor.state.rightColour, 4);
    EXPECT_EQ(BackColor(form.Label3), Colour(4));
    Press(Cell({50, 5}));
    EXPECT_EQ(editor.state.leftColour, 9);
    EXPECT_EQ(editor.history.size(), 1U);

    form.mnuFill->trigger();
    Press(Cell({20, 30}), Qt::RightButton);
    Release(Cell({20, 30}), Qt::RightButton);
    for (int x = 1; x <= 100; ++x) {
        ASSERT_EQ(Current().Pixel(x, 60), x == 50 ? 9 : 4) << x;
    }
    EXPECT_EQ(form.mnuUndo->text().toStdString(), "Undo Fill");
    form.mnuUndo->trigger();
    EXPECT_TRUE(SameTile(Current(), split));
}

TEST_F(DrawingToolsTest, ACommandDuringAStrokeEndsItAsItsOwnStepFirst) {
    PickFromStrip(1, 50);
    form.mnuPencil->trigger();
    Press(Cell({10, 10}));
    Move(Cell({10, 20}));
    // The next tile, by its button, while the mouse button is still down.
    form.Command2->click();
    EXPECT_EQ(editor.state.currentTile, 2);
    ASSERT_EQ(editor.history.size(), 1U);
    EXPECT_EQ(editor.tileset.tile(1).Pixel(10, 20), 50);
    // The stroke is over: its button coming up draws nothing on tile 2.
    const Tile second = Current();
    Move(Cell({30, 30}));
    Release(Cell({30, 30}));
    EXPECT_TRUE(SameTile(Current(), second));
    EXPECT_EQ(editor.history.size(), 1U);
}

TEST_F(DrawingToolsTest, DrawingStopsARunningPreviewAndTheKeysChooseTheTools) {
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    const std::pair<Qt::Key, QAction*> keys[] = {{Qt::Key_L, form.mnuLine},
                                                 {Qt::Key_F, form.mnuFill},
                                                 {Qt::Key_I, form.mnuPick},
                                                 {Qt::Key_B, form.mnuPencil}};
    for (const auto& [key, tool] : keys) {
        QTest::keyClick(&form, key);
        EXPECT_TRUE(tool->isChecked()) << tool->text().toStdString();
        for (QAction* other :
             {form.mnuNoTool, form.mnuPencil, form.mnuLine, form.mnuFill, form.mnuPick}) {
            EXPECT_EQ(other->isChecked(), other == tool);
        }
    }
    form.mnuAnim->setChecked(true);
    form.Timer1->SetInterval(100);
    Press(Cell({1, 1}));
    Release(Cell({1, 1}));
    EXPECT_FALSE(form.mnuAnim->isChecked());
    EXPECT_EQ(form.Timer1->Interval(), 0);
    EXPECT_EQ(Current().Pixel(1, 1), 0);
}

}  // namespace
}  // namespace pixmill::test
