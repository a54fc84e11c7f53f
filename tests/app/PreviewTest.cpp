// The animation preview in the main window: its three states, the frames its
// ticks draw, and the speed items.

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "app/WindowProcedures.h"
#include "editing/Form3.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"
#include "tests/app/WindowTestSupport.h"

namespace pixmill::test {
namespace {

constexpr std::uint8_t kOscillate = 0x40;
constexpr std::uint8_t kForwards = 0x80;
constexpr std::uint8_t kBackwards = 0xC0;

class PreviewTest : public WindowTest {
  protected:
    // The tile the last drawing showed, from the status line.
    int Drawn() const { return std::stoi(form.StatusText()); }

    void OpenAt(int tiles, int current, TileAttributes attributes) {
        Tileset set = PatternTileset(tiles, 4, 4);
        set.tile(current).attributes = attributes;
        OpenTileset(set);
        editor.state.currentTile = static_cast<std::int16_t>(current);
        UpdateTileView(editor, 0);
        RenderCurrentTile(editor, current);
    }
    std::vector<int> Ticks(int count) {
        std::vector<int> drawn;
        for (int i = 0; i < count; ++i) {
            form.Timer1_Timer();
            drawn.push_back(Drawn());
        }
        return drawn;
    }
};

TEST_F(PreviewTest, TicksPlayTheTilesFramesFromItsOwnBytes) {
    struct Case {
        int tiles, current;
        std::uint8_t byte0;
        std::vector<int> drawn;
    };
    const Case cases[] = {
        {20, 10, kForwards | 3, {10, 11, 12, 13, 10, 11}},
        {20, 19, kForwards | 3, {19, 20, 19, 20}},
        {20, 3, kBackwards | 4, {3, 2, 1, 3, 2, 1}},
        {20, 10, kOscillate | 3, {10, 11, 12, 13, 12, 11, 10, 11}},
    };
    for (const Case& c : cases) {
        OpenAt(c.tiles, c.current, {c.byte0, 0, 0, 4});
        // Text typed into the dialog and abandoned does not steer the preview.
        editor.form3().Text1->setText("1");
        editor.form3().Option1->setChecked(true);
        form.mnuAnim->trigger();
        EXPECT_TRUE(form.mnuAnim->isChecked());
        EXPECT_EQ(form.Timer1->Interval(), 5 * 33);
        EXPECT_FALSE(form.mnuprops->isEnabled());
        EXPECT_EQ(Ticks(static_cast<int>(c.drawn.size())), c.drawn);
        EXPECT_EQ(editor.state.currentTile, c.current);

        form.mnuAnim->trigger();
        EXPECT_FALSE(form.mnuAnim->isChecked());
        EXPECT_EQ(form.Timer1->Interval(), 0);
        EXPECT_TRUE(form.mnuprops->isEnabled());
        EXPECT_EQ(form.Framenum, 0);
        EXPECT_EQ(Drawn(), c.current);
        form.Timer1_Timer();  // off: nothing moves
        EXPECT_EQ(Drawn(), c.current);
    }
}

TEST_F(PreviewTest, TheSpeedItemsStepTheSpeedAndRestartARunningPreview) {
    OpenAt(5, 2, {kForwards | 1, 0, 0, 0});
    EXPECT_EQ(form.mnuAnimSpeed->title(), "Animation Speed (0)");
    EXPECT_FALSE(form.mnuIncSpeed->isEnabled());
    EXPECT_TRUE(form.mnuDecSpeed->isEnabled());
    form.mnuIncSpeed_Click();  // at 0: nothing but disabling itself
    EXPECT_FALSE(form.mnuIncSpeed->isEnabled());
    EXPECT_EQ(editor.tileset.tile(2).attributes[3], 0);

    form.mnuAnim->trigger();
    EXPECT_EQ(form.Timer1->Interval(), 33);
    for (int speed = 1; speed <= 15; ++speed) {
        form.mnuDecSpeed_Click();
    }
    EXPECT_EQ(editor.tileset.tile(2).attributes[3], 15);
    EXPECT_EQ(form.mnuAnimSpeed->title(), "Animation Speed (15)");
    // Held at 15: marked, but no ticks, and the dialog stays closed to the user.
    EXPECT_TRUE(form.mnuAnim->isChecked());
    EXPECT_EQ(form.Timer1->Interval(), 0);
    EXPECT_FALSE(form.mnuprops->isEnabled());
    form.mnuDecSpeed_Click();
    EXPECT_EQ(editor.tileset.tile(2).attributes[3], 15);
    EXPECT_FALSE(form.mnuDecSpeed->isEnabled());

    form.mnuIncSpeed->trigger();
    EXPECT_EQ(form.Timer1->Interval(), 15 * 33);
    EXPECT_TRUE(form.mnuDecSpeed->isEnabled());

    // Not marked: the speed changes, nothing starts.
    form.mnuAnim->trigger();
    form.mnuIncSpeed->trigger();
    EXPECT_EQ(editor.tileset.tile(2).attributes[3], 13);
    EXPECT_EQ(form.mnuAnimSpeed->title(), "Animation Speed (13)");
    // Undone, the caption follows the tile.
    form.mnuUndo->trigger();
    EXPECT_EQ(form.mnuAnimSpeed->title(), "Animation Speed (14)");
    EXPECT_EQ(form.Timer1->Interval(), 0);
    EXPECT_FALSE(form.mnuAnim->isChecked());
}

TEST_F(PreviewTest, WithNoTileCurrentNothingMovesOrChanges) {
    OpenAt(5, 1, {kForwards | 3, 0, 0, 7});
    form.mnuAnim->trigger();
    form.Timer1_Timer();
    form.Timer1_Timer();
    ASSERT_EQ(form.Framenum, 2);
    // Deleting the first tile leaves none current, the preview still marked.
    form.mnudelete->trigger();
    ASSERT_EQ(editor.state.currentTile, 0);
    const QImage cleared = form.Picture1->image();
    form.Timer1_Timer();
    EXPECT_EQ(form.StatusText(), "No tile selected.");
    EXPECT_EQ(form.Picture1->image(), cleared);
    const TileAttributes before = editor.tileset.tile(1).attributes;
    form.mnuIncSpeed_Click();
    form.mnuDecSpeed_Click();
    EXPECT_EQ(editor.tileset.tile(1).attributes, before);

    // A current tile past the list, as in the middle of a command.
    editor.state.currentTile = 5;
    form.Timer1_Timer();
    EXPECT_EQ(form.StatusText(), "No tile selected.");

    StopAnimationPreview(editor);
    editor.state.currentTile = 0;
    form.mnuAnim->trigger();
    EXPECT_EQ(prompts.Messages(), std::vector<std::string>{"No tile selected."});
    EXPECT_FALSE(form.mnuAnim->isChecked());
    EXPECT_EQ(form.Timer1->Interval(), 0);
}

}  // namespace
}  // namespace pixmill::test
