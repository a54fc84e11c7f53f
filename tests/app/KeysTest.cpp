// The keyboard of the main window, pressed as a user presses it.

#include <qpa/qwindowsysteminterface.h>
#include <QAction>
#include <QApplication>
#include <QTest>
#include <QWindow>

#include "app/WindowProcedures.h"
#include "bitmap/TileBitmap.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"
#include "tests/app/WindowTestSupport.h"

namespace pixmill::test {
namespace {

class KeysTest : public WindowTest {
  protected:
    void SetUp() override {
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    void Press(QKeyCombination key) {
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    }
    // A key as the window system hands it over: queued until events are
    // next let through, as a key pressed while a command runs is.
    void QueueKey(Qt::Key key, bool autoRepeat = false) {
        QWindow* window = form.windowHandle();
        QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
            window, QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat);
        QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
            window, QEvent::KeyRelease, key, Qt::NoModifier, QString(), autoRepeat);
    }
    // The browser open beside the main window, which stays the active one.
    void ShowBrowser() {
        browser.show();
        QCoreApplication::processEvents();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    // A click on a thumbnail of the open browser, queued the same way.
    void QueueBrowserClick(int tile) {
        QWindow* window = browser.windowHandle();
        const QPoint cell((tile - 1) % 8 * 70 + 30, (tile - 1) / 8 * 70 + 30);
        const QPointF at = browser.Picture1->mapTo(&browser, cell);
        for (const auto& [type, buttons] :
             {std::pair{QEvent::MouseButtonPress, Qt::MouseButtons(Qt::LeftButton)},
              std::pair{QEvent::MouseButtonRelease, Qt::MouseButtons(Qt::NoButton)}}) {
            QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
                window, at, window->mapToGlobal(at), buttons, Qt::LeftButton, type);
        }
    }
};

TEST_F(KeysTest, PagingHomeEndAndScaleKeysWorkAsTheirButtonsAndItems) {
    OpenTileset(PatternTileset(6, 4, 4));
    form.Picture1->setFocus();
    const std::pair<QKeyCombination, int> steps[] = {
        {Qt::Key_PageDown, 2}, {Qt::Key_Right, 3},  {Qt::Key_End, 6},  {Qt::Key_PageDown, 6},
        {Qt::Key_Left, 5},     {Qt::Key_PageUp, 4}, {Qt::Key_Home, 1}, {Qt::Key_PageUp, 1}};
    for (const auto& [key, tile] : steps) {
        Press(key);
        EXPECT_EQ(form.StatusText(), std::to_string(tile) + "/6 - 4x4 Offsets: 0,0");
    }
    Press(Qt::CTRL | Qt::Key_3);
    EXPECT_EQ(editor.state.zoomFactor, 4);
    EXPECT_TRUE(form.mnu4x->isChecked());

    // The arrows page only while the view has the focus; leaving a tile stops its preview.
    form.Command2->setFocus();
    Press(Qt::Key_Right);
    EXPECT_EQ(editor.state.currentTile, 1);
    form.mnuAnim->setChecked(true);
    form.Timer1->SetInterval(250);
    Press(Qt::Key_End);
    EXPECT_EQ(editor.state.currentTile, 6);
    EXPECT_EQ(form.Timer1->Interval(), 0);
}

TEST_F(KeysTest, FileKeysAreSetAndTileKeysWaitForTheTileMenu) {
    for (const QAction* item :
         {form.mnuNew, form.mnuOpen, form.mnuSave, form.mnuSaveAs, form.mnuExit}) {
        EXPECT_FALSE(item->shortcut().isEmpty()) << item->text().toStdString();
    }
    // No tileset: Delete and Properties must not reach their items (they would warn).
    Press(Qt::Key_Delete);
    Press(Qt::ALT | Qt::Key_Return);
    EXPECT_TRUE(prompts.Messages().empty());

    OpenTileset(PatternTileset(3, 2, 2));
    Press(Qt::Key_Delete);
    EXPECT_EQ(editor.tileset.tileCount(), 2);
}

TEST_F(KeysTest, EditKeysUndoAndTheSaveKeySavesANewTilesetAsANewFile) {
    OpenTileset(PatternTileset(3, 2, 2));
    form.mnuclr->trigger();
    Press(Qt::CTRL | Qt::Key_Z);
    EXPECT_EQ(editor.tileset.tile(1).width, 2);
    Press(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    EXPECT_EQ(editor.tileset.tile(1).width, 0);
    Press(Qt::CTRL | Qt::Key_Z);
    Press(Qt::CTRL | Qt::Key_Y);
    EXPECT_EQ(editor.tileset.tile(1).width, 0);

    // "Save ART" stays off for a tileset with no file, yet its key saves it.
    prompts.AnswerMessage(MessageAnswer::Discard);
    form.mnuNew->trigger();
    prompts.ClearShown();
    ASSERT_FALSE(form.mnuSave->isEnabled());
    prompts.AnswerSave(dir.Path("NEW.ART"));
    Press(Qt::CTRL | Qt::Key_S);
    ASSERT_EQ(prompts.shown().size(), 1U);
    EXPECT_EQ(prompts.shown()[0].kind, ScriptedPrompts::Kind::Save);
    EXPECT_EQ(form.Caption(), "Pixmill - " + dir.Path("NEW.ART"));
    // Now it has a file: the key saves there, without a dialog.
    form.mnuclr->trigger();
    Press(Qt::CTRL | Qt::Key_S);
    EXPECT_EQ(prompts.shown().size(), 1U);
    EXPECT_EQ(form.Caption(), "Pixmill - " + dir.Path("NEW.ART"));
}

TEST_F(KeysTest, DeleteHeldDownDeletesOneTile) {
    OpenTileset(PatternTileset(6, 2, 2));
    QueueKey(Qt::Key_Delete);
    for (int repeat = 0; repeat < 5; ++repeat) {
        QueueKey(Qt::Key_Delete, true);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(editor.tileset.tileCount(), 5);
}

TEST_F(KeysTest, KeysAndClicksDuringACommandWaitUntilItHasEnded) {
    const Tileset set = PatternTileset(12, 3, 2);

    // A batch export: every bitmap is the tile it is named after, and the
    // keys and the click come after it.
    OpenTileset(set);
    form.GoToLastTile();
    ShowBrowser();
    for (int i = 0; i < 3; ++i) {
        QueueKey(Qt::Key_Delete);
    }
    QueueBrowserClick(2);
    prompts.AnswerInput("1");
    prompts.AnswerInput("12");
    prompts.AnswerSave(dir.Path("out.bmp"));
    form.mnubatche->trigger();
    EXPECT_TRUE(prompts.Messages().empty());
    for (int i = 1; i <= 12; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "out%04d.BMP", i);
        auto read = ReadTileBitmapFile(dir.Path(name));
        ASSERT_TRUE(read) << name;
        EXPECT_EQ(read->pixels, set.tile(i).pixels) << name;
    }
    EXPECT_EQ(editor.tileset.tileCount(), 12);
    QCoreApplication::processEvents();
    EXPECT_EQ(editor.tileset.tileCount(), 9);
    EXPECT_EQ(editor.state.currentTile, 2);

    // An insert's refill: the new tile is current when the key comes.
    form.GoToLastTile();
    QueueKey(Qt::Key_Delete);
    form.mnuinsert->trigger();
    EXPECT_EQ(editor.tileset.tileCount(), 10);
    EXPECT_EQ(editor.state.currentTile, 10);
    QCoreApplication::processEvents();
    EXPECT_EQ(editor.tileset.tileCount(), 9);
    EXPECT_EQ(editor.state.currentTile, 9);
    form.mnuclr->trigger();  // acts on a tile that exists

    // A load: the key reaches the tileset loaded, never the one it replaces.
    QueueKey(Qt::Key_Delete);
    QueueKey(Qt::Key_End);
    OpenArt(WriteArt(set, "AGAIN.ART"));
    EXPECT_EQ(editor.tileset.tileCount(), 12);
    EXPECT_EQ(editor.state.currentTile, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(editor.tileset.tileCount(), 11);
    EXPECT_EQ(editor.state.currentTile, 11);
}

}  // namespace
}  // namespace pixmill::test
