// The Tile menu's commands that change tiles: insert, delete, resize, clear
// and batch clear, with their prompts, refusals and redrawing.

#include <QAction>
#include <QPushButton>
#include <QScrollBar>

#include "app/WindowProcedures.h"
#include "platform/PictureBox.h"
#include "tests/app/WindowTestSupport.h"

namespace pixmill::test {
namespace {

const TileAttributes kBlank = {0, 0, 0, 16};

class TileCommandsTest : public WindowTest {
  protected:
    // Tiles told apart by their widths 1, 2, 3 ...
    void OpenWidths(int count, int current) {
        Tileset set;
        for (int w = 1; w <= count; ++w) {
            set.tiles.push_back(PatternTile(w, 2, static_cast<std::uint8_t>(w)));
        }
        set.lastTileNumber = count - 1;
        OpenTileset(set);
        Select(current);
        prompts.ClearShown();
    }
    void Select(int tile) {
        editor.state.currentTile = static_cast<std::int16_t>(tile);
        UpdateTileView(editor, 0);
        RenderCurrentTile(editor, tile);
    }
    std::vector<int> Widths() const {
        std::vector<int> widths;
        for (const Tile& tile : editor.tileset.tiles) {
            widths.push_back(tile.width);
        }
        return widths;
    }
};

TEST_F(TileCommandsTest, InsertAndDeleteMoveTheTilesAndTheCurrentOne) {
    struct Case {
        QAction* Form1::*command;
        int current;
        std::vector<int> widths;
        int currentAfter;
    };
    const Case cases[] = {
        {&Form1::mnuinsert, 2, {1, 2, 0, 3}, 3}, {&Form1::mnuinsert2, 2, {1, 0, 2, 3}, 2},
        {&Form1::mnuinsert, 3, {1, 2, 3, 0}, 4}, {&Form1::mnuinsert, 0, {0, 1, 2, 3}, 1},
        {&Form1::mnudelete, 2, {1, 3}, 1},
    };
    for (const Case& c : cases) {
        OpenWidths(3, c.current);
        (form.*c.command)->trigger();
        EXPECT_EQ(Widths(), c.widths) << c.current;
        EXPECT_EQ(editor.state.currentTile, c.currentAfter);
        EXPECT_EQ(editor.tileset.lastTileNumber, editor.tileset.tileCount() - 1);
        EXPECT_EQ(form.StatusText().rfind(std::to_string(c.currentAfter) + "/", 0), 0U);
        EXPECT_EQ(editor.thumbnailImage.rows(), 1);
        // The tileset now differs from its file.
        EXPECT_EQ(form.Caption(), "Pixmill - " + editor.tileset.artPath + " *");
        if (c.widths.size() == 4) {
            EXPECT_EQ(editor.tileset.tile(c.currentAfter).attributes, kBlank);
            EXPECT_TRUE(form.mnuIncSpeed->isEnabled());
            EXPECT_FALSE(form.mnuDecSpeed->isEnabled());
        }
    }

    // Deleting the first tile leaves none current and says so.
    OpenWidths(3, 1);
    const std::string caption = form.Caption() + " *";
    form.mnudelete->trigger();
    EXPECT_EQ(Widths(), (std::vector<int>{2, 3}));
    EXPECT_EQ(editor.state.currentTile, 0);
    EXPECT_EQ(form.StatusText(), "No tile selected.");
    EXPECT_EQ(form.Caption(), caption);
    EXPECT_EQ(ViewPixel(318, 194), QColor(128, 128, 128));
    for (QAction* needsATile :
         {form.mnudelete, form.mnuinsert2, form.mnuresize, form.mnuclr, form.mnuBClear}) {
        needsATile->trigger();
    }
    EXPECT_EQ(prompts.Messages(), std::vector<std::string>(5, "No tile selected."));
    EXPECT_EQ(Widths(), (std::vector<int>{2, 3}));
}

TEST_F(TileCommandsTest, AFullTilesetRefusesAnotherTile) {
    OpenWidths(3, 2);
    editor.tileset.tiles.resize(kMaxArtTiles);
    editor.tileset.lastTileNumber = kMaxArtTiles - 1;
    editor.state.currentTile = kMaxArtTiles;
    const VisibleState before = Snapshot(editor);
    form.mnuinsert->trigger();
    form.mnuinsert2->trigger();
    EXPECT_EQ(prompts.Messages(),
              std::vector<std::string>(
                  2, "The tileset is full: it holds 8192 tiles, the most an ART file can hold."));
    EXPECT_EQ(Snapshot(editor), before);
}

TEST_F(TileCommandsTest, ResizeKeepsTheSharedPixelsAndPlacesTheNewSizeAtOnce) {
    Tileset set = PatternTileset(2, 4, 3);
    OpenTileset(set);
    const struct {
        std::vector<std::string> answers;
        int width, height;  // 0: refused or cancelled
    } cases[] = {
        {{"abc"}, 0, 0},    {{"1024.5"}, 0, 0},          {{"6", ""}, 0, 0},
        {{"6", "2"}, 6, 2}, {{"2.5", " 1024"}, 2, 1024},
    };
    for (const auto& c : cases) {
        prompts.ClearShown();
        editor.tileset.tile(1) = set.tile(1);
        for (const std::string& answer : c.answers) {
            prompts.AnswerInput(answer);
        }
        form.mnuresize->trigger();
        const bool refused = c.width == 0 && !c.answers.back().empty();
        EXPECT_EQ(prompts.Messages(),
                  refused ? std::vector<std::string>{"Please enter a number between 1 and 1024."}
                          : std::vector<std::string>{});
        EXPECT_EQ(prompts.shown()[0].title, "Pixmill - Resize");
        const Tile& tile = editor.tileset.tile(1);
        if (c.width == 0) {
            EXPECT_EQ(tile.pixels, set.tile(1).pixels);
            continue;
        }
        ASSERT_EQ(tile.width, c.width);
        ASSERT_EQ(tile.height, c.height);
        for (int x = 1; x <= c.width; ++x) {
            for (int y = 1; y <= c.height; ++y) {
                const bool kept = x <= 4 && y <= 3;
                ASSERT_EQ(tile.Pixel(x, y), kept ? set.tile(1).Pixel(x, y) : 0) << x << "," << y;
            }
        }
    }
    // Laid out for 2 x 1024 before it was drawn: too high for the view, it
    // scrolls, from its middle (512 - 194.5 = 317.5 -> 318).
    EXPECT_EQ(form.VScroll1->maximum(), 1024 - 389);
    EXPECT_EQ(editor.state.tileDrawY, -318);
    EXPECT_EQ(ViewPixel(editor.state.tileDrawX, 0), Colour(editor.tileset.tile(1).Pixel(1, 319)));
}

TEST_F(TileCommandsTest, BatchClearChecksTheRangeAndClearsIt) {
    const struct {
        std::vector<std::string> answers;
        std::string message;
        int first, last;
    } cases[] = {
        {{"10.4"}, "Too large tile number.", 0, 0},
        {{"0", "5"}, "Tile numbers must be greater than 1.", 0, 0},
        {{"3", ""}, "", 0, 0},
        {{"3", "3"}, "", 3, 3},
        {{"4", "6"}, "", 4, 6},
    };
    for (const auto& c : cases) {
        OpenWidths(10, 5);
        for (const std::string& answer : c.answers) {
            prompts.AnswerInput(answer);
        }
        form.mnuBClear->trigger();
        EXPECT_EQ(prompts.shown()[0].title, "Pixmill - Batch Clear");
        EXPECT_EQ(prompts.Messages(), c.message.empty() ? std::vector<std::string>{}
                                                        : std::vector<std::string>{c.message});
        for (int i = 1; i <= 10; ++i) {
            const bool cleared = i >= c.first && i <= c.last;
            EXPECT_EQ(editor.tileset.tile(i).width, cleared ? 0 : i) << i;
        }
    }
    // The current tile, inside the range, stays current and is shown blank.
    EXPECT_EQ(editor.state.currentTile, 5);
    EXPECT_EQ(form.StatusText(), "5/10 - 0x0 Offsets: 0,0");

    form.mnuclr->trigger();
    EXPECT_EQ(editor.tileset.tile(5).attributes, kBlank);
}

TEST_F(TileCommandsTest, AnEmptyFileAfterAnotherLeavesNothingOfItOnShow) {
    OpenTileset(PatternTileset(3, 8, 8));
    editor.tileset.tile(1).attributes[0] = 0x80;  // Forwards
    RenderCurrentTile(editor, 1);
    ASSERT_TRUE(form.mnuAnim->isEnabled());
    OpenArt(WriteArt(Tileset{}, "EMPTY.ART"));
    EXPECT_EQ(editor.state.currentTile, 0);
    EXPECT_EQ(ViewPixel(320, 196), QColor(128, 128, 128));
    EXPECT_EQ(form.StatusText(), "No tile selected.");
    EXPECT_FALSE(form.mnuAnim->isEnabled());
    EXPECT_FALSE(MenuEnabled(form.mnuAnimSpeed));
}

}  // namespace
}  // namespace pixmill::test
