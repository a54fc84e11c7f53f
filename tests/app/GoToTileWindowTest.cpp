// "Go to Tile..." as the user runs it: by position, by ART number, by name,
// from a list of names, and refused with a message.

#include <QAction>

#include "names/NamesWindow.h"
#include "platform/Timer.h"
#include "tests/app/WindowTestSupport.h"

namespace pixmill::test {
namespace {

class GoToTileWindowTest : public WindowTest {
  protected:
    void SetUp() override {
        Tileset set = PatternTileset(40, 4, 4);
        set.firstTileNumber = 200;
        set.lastTileNumber = 239;
        OpenTileset(set);
        const std::string header = "#define DOOR1 205\r#define DOOR2 206\r#define SWITCH 230\r";
        WriteBytes(dir.Path("names.h"), Bytes(header.begin(), header.end()));
        prompts.AnswerOpen(dir.Path("names.h"));
        form.mnuNames->trigger();
    }
    void GoTo(const std::string& typed) {
        prompts.AnswerInput(typed);
        form.mnuGoTo->trigger();
    }
};

TEST_F(GoToTileWindowTest, APositionAnArtNumberOrANameOpensTheTile) {
    EXPECT_TRUE(form.mnuNames->isVisible());
    GoTo("12");
    EXPECT_EQ(form.StatusText(), "12/40 - 4x4 Offsets: 0,0");
    EXPECT_EQ(prompts.shown().back().title, "Pixmill - Go to Tile");
    GoTo("#230");
    EXPECT_EQ(form.StatusText(), "31/40 - SWITCH - 4x4 Offsets: 0,0");
    GoTo("switch");
    EXPECT_EQ(editor.state.currentTile, 31);
    // Leaving the tile stops its preview, as paging does.
    form.mnuAnim->setChecked(true);
    form.Timer1->SetInterval(100);
    GoTo("  sw ");
    EXPECT_EQ(form.Timer1->Interval(), 0);
    EXPECT_TRUE(prompts.Messages().empty());

    // Two names begin with "door": the user picks the second of the list.
    prompts.AnswerInput("door");
    prompts.AnswerChoice(1);
    form.mnuGoTo->trigger();
    EXPECT_EQ(prompts.shown().back().text, "2 names begin with \"door\". Go to:");
    EXPECT_EQ(prompts.lastChoiceItems(),
              (std::vector<std::string>{"DOOR1 - tile 6 (ART 205)", "DOOR2 - tile 7 (ART 206)"}));
    EXPECT_EQ(editor.state.currentTile, 7);
    // Cancelling the list, or the question, goes nowhere.
    prompts.AnswerInput("door");
    prompts.AnswerChoice(-1);
    form.mnuGoTo->trigger();
    GoTo("");
    EXPECT_EQ(editor.state.currentTile, 7);
}

TEST_F(GoToTileWindowTest, WhatNamesNoTileIsRefusedWithAMessageAndChangesNothing) {
    GoTo("3");
    const VisibleState before = Snapshot(editor);
    for (const char* typed : {"window", "41", "#240", "2.5"}) {
        prompts.ClearShown();
        GoTo(typed);
        ASSERT_EQ(prompts.Messages().size(), 1U) << typed;
        EXPECT_EQ(Snapshot(editor), before) << typed;
    }
    EXPECT_EQ(prompts.Messages()[0],
              "Type a tile's position (12), its ART number (#11) or its name.");
    prompts.ClearShown();
    GoTo("window");
    EXPECT_EQ(prompts.Messages(), std::vector<std::string>{"No tile is named \"window\"."});
}

}  // namespace
}  // namespace pixmill::test
