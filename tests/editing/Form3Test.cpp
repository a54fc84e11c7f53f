// The tile properties dialog: what it shows, its checks in order, what Ok
// stores, and how the other windows lose and regain their input.

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/TileView.h"
#include "editing/Form3.h"
#include "tests/app/WindowTestSupport.h"

namespace pixmill::test {
namespace {

class Form3Test : public WindowTest {
  protected:
    Form3& dialog = editor.form3();

    void OpenWithTile(const TileAttributes& attributes) {
        Tileset set = PatternTileset(3, 8, 8);
        set.tile(1).attributes = attributes;
        OpenTileset(set);
        prompts.ClearShown();
    }
    bool OthersEnabled() const { return form.isEnabled() && browser.isEnabled(); }
};

TEST_F(Form3Test, EveryDrawingFillsTheDialogFromTheCurrentTile) {
    OpenWithTile({71, 5, 250, 16});
    EXPECT_EQ(dialog.windowTitle(), "Pixmill - Tile Properties");
    EXPECT_TRUE(dialog.Option2->isChecked());
    EXPECT_EQ(dialog.Text1->text(), "8");
    EXPECT_EQ(dialog.Text2->text(), "5");
    EXPECT_TRUE(dialog.Check1->isChecked());
    EXPECT_EQ(dialog.Text3->text(), "6");
    EXPECT_TRUE(dialog.Check2->isChecked());
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(Form3Test, OkChecksTheFieldsInOrderAndStoresWhatPasses) {
    struct Case {
        const char *frames, *x, *y;
        bool xNegative;
        const char* title;  // of the refusal; empty when Ok stores
        TileAttributes stored;
    };
    const char* kFrames = "Pixmill - Set Anim Speed";
    const char* kX = "Pixmill - Set X Offset";
    const Case cases[] = {
        {"64", "0", "0", false, "", {0x80 | 63, 0, 0, 16}},
        {"64.5", "0", "0", false, kFrames, {}},
        {"1.5", "0", "0", false, "", {0x80, 0, 0, 16}},
        {"abc", "0", "0", false, kFrames, {}},
        {"1", "-1", "0", false, kX, {}},
        {"1", "127", "0", true, "", {0x80, 127, 0, 16}},
        {"1", "5", "0", false, "", {0x80, 251, 0, 16}},
        {"1", "128", "0", false, kX, {}},
        {"1", "0", "200", false, "Pixmill - Set Y Offset", {}},
        {"65", "200", "0", false, kFrames, {}},
    };
    for (const Case& c : cases) {
        OpenWithTile({0, 0, 0, 16});
        form.mnuprops->trigger();
        ASSERT_TRUE(dialog.isVisible());
        EXPECT_FALSE(form.isEnabled());
        EXPECT_FALSE(browser.isEnabled());
        dialog.Text1->setText(c.frames);
        dialog.Option3->setChecked(true);
        dialog.Text2->setText(c.x);
        dialog.Check1->setChecked(c.xNegative);
        dialog.Text3->setText(c.y);
        dialog.Command1->click();
        if (*c.title != '\0') {
            ASSERT_EQ(prompts.shown().size(), 1U) << c.frames << " " << c.x << " " << c.y;
            EXPECT_EQ(prompts.shown()[0].title, c.title);
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(dialog.Text1->text(), c.frames);
            EXPECT_EQ(editor.tileset.tile(1).attributes, (TileAttributes{0, 0, 0, 16}));
            dialog.Command2->click();
        } else {
            EXPECT_TRUE(prompts.shown().empty()) << prompts.shown()[0].text;
            EXPECT_FALSE(dialog.isVisible());
            EXPECT_EQ(editor.tileset.tile(1).attributes, c.stored) << c.frames << " " << c.x;
            EXPECT_EQ(form.StatusText(), "1/3 - 8x8" + OffsetsText(c.stored));
        }
        EXPECT_TRUE(OthersEnabled());
    }
}

TEST_F(Form3Test, CancelAndTheWindowFrameKeepTheTileAndTheTypedText) {
    OpenWithTile({2, 0, 0, 16});
    for (const bool byFrame : {false, true}) {
        form.mnuprops->trigger();
        dialog.Text1->setText("9");
        dialog.Option4->setChecked(true);
        if (byFrame) {
            dialog.close();
        } else {
            dialog.Command2->click();
        }
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(OthersEnabled()) << byFrame;
        EXPECT_EQ(editor.tileset.tile(1).attributes, (TileAttributes{2, 0, 0, 16}));
        form.mnuprops->trigger();
        EXPECT_EQ(dialog.Text1->text(), "9");
        dialog.Command2->click();
    }
    // The next drawing refills the dialog from the tile.
    form.Command2->click();
    form.Command1->click();
    EXPECT_EQ(dialog.Text1->text(), "3");
    EXPECT_TRUE(dialog.Option1->isChecked());
}

TEST_F(Form3Test, WithoutATileThereIsNothingToShow) {
    OpenWithTile({0, 0, 0, 0});
    editor.state.currentTile = 0;
    form.mnuprops->trigger();
    EXPECT_EQ(prompts.Messages(), std::vector<std::string>{"No tile selected."});
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(OthersEnabled());
}

}  // namespace
}  // namespace pixmill::test
