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

// The cases of what is typed are FindTileToGoTo's (GoToTileTest); here, the
// window's part: the question, the list, the message, and going to the tile.
TEST_F(GoToTileWindowTest, ATileFoundIsShownAListOffersSeveralAndNoneIsRefused) {
    EXPECT_TRUE(form.mnuNames->isVisible());
    // Leaving the tile stops its preview, as paging does.
    form.mnuAnim->setChecked(true);
    form.Timer1->SetInterval(100);
    GoTo("#230");
    EXPECT_EQ(form.StatusText(), "31/40 - SWITCH - 4x4 Offsets: 0,0");
    EXPECT_EQ(prompts.shown().back().title, "Pixmill - Go to Tile");
    EXPECT_EQ(form.Timer1->Interval(), 0);

    // Two names begin with "door": the user picks the second of the list.
    prompts.AnswerInput("door");
    prompts.AnswerChoice(1);
    form.mnuGoTo->trigger();
    EXPECT_EQ(prompts.shown().back().text, "2 names begin with \"door\". Go to:");
    EXPECT_EQ(prompts.lastChoiceItems(),
              (std::vector<std::string>{"DOOR1 - tile 6 (ART 205)", "DOOR2 - tile 7 (ART 206)"}));
    EXPECT_EQ(editor.state.currentTile, 7);
    // Cancelling the list, or the question, goes nowhere; a name no tile has
    // is refused and changes nothing.
    prompts.AnswerInput("door");
    prompts.AnswerChoice(-1);
    form.mnuGoTo->trigger();
    GoTo("");
    const VisibleState before = Snapshot(editor);
    GoTo("window");
    EXPECT_EQ(prompts.Messages(), std::vector<std::string>{"No tile is named \"window\"."});
    EXPECT_EQ(Snapshot(editor), before);
}

}  // namespace
}  // namespace pixmill::test
