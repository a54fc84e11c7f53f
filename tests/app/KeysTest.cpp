// The keyboard of the main window, pressed as a user presses it.

#include <QAction>
#include <QApplication>
#include <QTest>

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
    Press(Qt::CTRL | Qt::Key_6);
    EXPECT_EQ(editor.state.zoomFactor, 32);
    Press(Qt::CTRL | Qt::Key_5);
    EXPECT_EQ(editor.state.zoomFactor, 16);
    EXPECT_TRUE(form.mnu16x->isChecked());
    prompts.AnswerInput("5");
    Press(Qt::CTRL | Qt::Key_G);
    EXPECT_EQ(editor.state.currentTile, 5);
    prompts.AnswerInput("1");
    Press(Qt::CTRL | Qt::Key_G);

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

}  // namespace
}  // namespace pixmill::test
