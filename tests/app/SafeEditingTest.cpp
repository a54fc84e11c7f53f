// Safe editing from the windows: every command undone and made again gives
// back the bytes a save writes, the unsaved mark follows the history, and
// unsaved work is never dropped without a question.

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <functional>

#include "app/ArtCommands.h"
#include "app/WindowProcedures.h"
#include "bitmap/TileBitmap.h"
#include "editing/Form3.h"
#include "tests/app/WindowTestSupport.h"
#include "tileset/ArtFile.h"

namespace pixmill::test {
namespace {

class SafeEditingTest : public WindowTest {
  protected:
    std::string OpenFive() {
        Tileset set = PatternTileset(5, 4, 3);
        for (Tile& tile : set.tiles) {
            tile.attributes = {0x42, 1, 2, 5};  // animated, speed 5: every item is open
        }
        const std::string path = WriteArt(set, "TILES000.ART");
        LoadPaletteFile(WriteTestPalette());
        OpenArt(path);
        Select(3);
        prompts.ClearShown();
        return path;
    }
    void Select(int tile) {
        editor.state.currentTile = static_cast<std::int16_t>(tile);
        UpdateTileView(editor, 0);
        RenderCurrentTile(editor, tile);
    }
    Bytes Saved() const { return *ArtBytes(editor.tileset); }
    bool Marked() const { return form.Caption().ends_with(" *"); }
};

TEST_F(SafeEditingTest, EveryCommandUndoneAndMadeAgainGivesTheBytesASaveWrites) {
    struct Case {
        const char* name;
        std::function<void()> run;
        int changedTile;  // current after an undo
    };
    const std::string bitmap = dir.Path("in.bmp");
    ASSERT_TRUE(WriteTileBitmapFile(PatternTile(6, 2, 40), TestPalette(), bitmap));
    Form3& dialog = editor.form3();
    const Case cases[] = {
        {"Properties",
         [&] {
             form.mnuprops->trigger();
             dialog.Text2->setText("5");
             dialog.Check1->setChecked(true);
             dialog.Command1->click();
         },
         3},
        {"Increase Speed", [&] { form.mnuIncSpeed->trigger(); }, 3},
        {"Decrease Speed", [&] { form.mnuDecSpeed->trigger(); }, 3},
        {"Import BMP",
         [&] {
             prompts.AnswerOpen(bitmap);
             form.mnuibmp->trigger();
         },
         3},
        {"Insert", [&] { form.mnuinsert->trigger(); }, 3},
        {"Insert", [&] { form.mnuinsert2->trigger(); }, 3},
        {"Delete", [&] { form.mnudelete->trigger(); }, 3},
        {"Resize",
         [&] {
             prompts.AnswerInput("9");
             prompts.AnswerInput("1");
             form.mnuresize->trigger();
         },
         3},
        {"Clear", [&] { form.mnuclr->trigger(); }, 3},
        {"Batch Clear",
         [&] {
             prompts.AnswerInput("4");
             prompts.AnswerInput("5");
             form.mnuBClear->trigger();
         },
         4},
    };
    for (const Case& c : cases) {
        const std::string path = OpenFive();
        const Bytes before = Saved();
        EXPECT_FALSE(form.mnuUndo->isEnabled());
        EXPECT_EQ(form.mnuUndo->text(), "Undo");
        c.run();
        const Bytes after = Saved();
        ASSERT_NE(after, before) << c.name;
        EXPECT_EQ(form.mnuUndo->text().toStdString(), std::string("Undo ") + c.name);
        EXPECT_EQ(form.Caption(), "Pixmill - " + path + " *") << c.name;

        // Looking elsewhere first: the undo shows the tile it brings back.
        form.GoToFirstTile();
        form.mnuUndo->trigger();
        EXPECT_EQ(Saved(), before) << c.name;
        EXPECT_EQ(editor.state.currentTile, c.changedTile) << c.name;
        EXPECT_EQ(form.Caption(), "Pixmill - " + path) << c.name;
        EXPECT_FALSE(form.mnuUndo->isEnabled());
        EXPECT_EQ(form.mnuRedo->text().toStdString(), std::string("Redo ") + c.name);

        form.mnuRedo->trigger();
        EXPECT_EQ(Saved(), after) << c.name;
        EXPECT_TRUE(Marked()) << c.name;
        EXPECT_FALSE(form.mnuRedo->isEnabled());
        // The view and the browser show the tileset as it now is.
        EXPECT_EQ(editor.thumbnailImage.rows(), (editor.tileset.tileCount() + 7) / 8);
        if (editor.state.currentTile > 0) {
            EXPECT_TRUE(form.StatusText().starts_with(std::to_string(editor.state.currentTile) +
                                                      "/" +
                                                      std::to_string(editor.tileset.tileCount())))
                << form.StatusText();
        }

        // Saved, the mark goes; undone past the save, it comes back, and a
        // save then writes the bytes of before the change.
        form.mnuSave->trigger();
        EXPECT_EQ(ReadBytes(path), after);
        EXPECT_FALSE(Marked());
        form.mnuUndo->trigger();
        EXPECT_TRUE(Marked());
        form.mnuSave->trigger();
        EXPECT_EQ(ReadBytes(path), before) << c.name;
        EXPECT_TRUE(prompts.Messages().empty()) << c.name;
    }
}

TEST_F(SafeEditingTest, UnsavedWorkIsReplacedOrEndedOnlyAfterTheQuestion) {
    enum class Way { Exit, Close, Open, New };
    struct Case {
        Way way;
        bool changed;
        MessageAnswer answer;
        bool saveFails;
        bool goesOn;
    };
    const Case cases[] = {
        {Way::Exit, false, MessageAnswer::Ok, false, true},
        {Way::Close, false, MessageAnswer::Ok, false, true},
        {Way::Open, false, MessageAnswer::Ok, false, true},
        {Way::New, false, MessageAnswer::Ok, false, true},
        {Way::Exit, true, MessageAnswer::Cancel, false, false},
        {Way::Close, true, MessageAnswer::Cancel, false, false},
        {Way::Open, true, MessageAnswer::Cancel, false, false},
        {Way::New, true, MessageAnswer::Cancel, false, false},
        {Way::Exit, true, MessageAnswer::Discard, false, true},
        {Way::Open, true, MessageAnswer::Discard, false, true},
        {Way::Close, true, MessageAnswer::Save, false, true},
        {Way::New, true, MessageAnswer::Save, false, true},
        {Way::Exit, true, MessageAnswer::Save, true, false},
        {Way::Open, true, MessageAnswer::Save, true, false},
    };
    const std::string other = WriteArt(PatternTileset(2, 1, 1), "OTHER.ART");
    for (const Case& c : cases) {
        ScriptedPrompts script;
        Editor fresh(script);
        fresh.form1->Form_Load();
        fresh.form1->show();
        script.AnswerOpen(WriteTestPalette());
        fresh.form1->mnuPal->trigger();
        const std::string path = WriteArt(PatternTileset(4, 2, 2), "EDITED.ART");
        script.AnswerOpen(path);
        fresh.form1->mnuOpen->trigger();
        const Bytes onDisk = ReadBytes(path);
        if (c.changed) {
            fresh.form1->mnuclr->trigger();
        }
        const Bytes edited = *ArtBytes(fresh.tileset);
        if (c.saveFails) {
            // A folder where the file was: no save can go there, even as root.
            std::filesystem::remove(path);
            std::filesystem::create_directory(path);
        }
        script.ClearShown();
        if (c.changed) {
            script.AnswerMessage(c.answer);
        }
        if (c.saveFails) {
            // The folder in the file's place is a change on disk, asked about first.
            script.AnswerYes();
        }
        if (c.way == Way::Open && c.goesOn) {
            script.AnswerOpen(other);
        }
        switch (c.way) {
            case Way::Exit:
                fresh.form1->mnuExit->trigger();
                break;
            case Way::Close:
                fresh.form1->close();
                break;
            case Way::Open:
                fresh.form1->mnuOpen->trigger();
                break;
            case Way::New:
                fresh.form1->mnuNew->trigger();
                break;
        }
        const std::string label = std::to_string(static_cast<int>(c.way)) + "/" +
                                  std::to_string(static_cast<int>(c.answer));
        EXPECT_TRUE(script.mismatches().empty()) << label;
        EXPECT_EQ(script.unusedAnswers(), 0U) << label;
        const auto& shown = script.shown();
        if (c.changed) {
            ASSERT_FALSE(shown.empty()) << label;
            EXPECT_EQ(shown[0].text, "Save changes to " + path + "?");
            EXPECT_EQ(shown[0].buttons, MessageButtons::SaveDiscardCancel);
        } else {
            EXPECT_TRUE(script.Messages().empty()) << label;
        }
        const bool saved = c.answer == MessageAnswer::Save && !c.saveFails;
        if (!c.saveFails) {
            EXPECT_EQ(ReadBytes(path), saved ? edited : onDisk) << label;
        }
        const bool ends = c.way == Way::Exit || c.way == Way::Close;
        EXPECT_EQ(fresh.ended(), ends && c.goesOn) << label;
        if (!c.goesOn) {
            // Nothing changed: the edits are still there, still unsaved.
            EXPECT_EQ(*ArtBytes(fresh.tileset), edited) << label;
            EXPECT_EQ(fresh.tileset.artPath, path);
            EXPECT_TRUE(fresh.form1->Caption().ends_with(" *")) << label;
            EXPECT_EQ(script.Messages().size(), c.saveFails ? 3U : 1U) << label;
        } else if (c.way == Way::Open) {
            EXPECT_EQ(fresh.tileset.artPath, other);
        } else if (c.way == Way::New) {
            EXPECT_EQ(fresh.form1->Caption(), "Pixmill - New tileset");
        }
        std::filesystem::remove_all(path);
    }
}

TEST_F(SafeEditingTest, ANewTilesetIsSavedAsANewFile) {
    LoadPaletteFile(WriteTestPalette());
    form.mnuNew->trigger();
    EXPECT_EQ(form.Caption(), "Pixmill - New tileset");
    EXPECT_FALSE(form.mnuSave->isEnabled());
    // Unchanged, it is given up without a question.
    form.mnuNew->trigger();
    EXPECT_TRUE(prompts.Messages().empty());

    form.mnuclr->trigger();
    EXPECT_EQ(form.Caption(), "Pixmill - New tileset *");
    const std::string path = dir.Path("NEW.ART");
    prompts.AnswerMessage(MessageAnswer::Save);
    prompts.AnswerSave(path);
    prompts.AnswerOpen(WriteArt(PatternTileset(1, 1, 1), "NEXT.ART"));
    form.mnuOpen->trigger();
    EXPECT_EQ(prompts.Messages(), std::vector<std::string>{"Save the new tileset?"});
    auto written = ReadArtFile(path);
    ASSERT_TRUE(written) << written.reason();
    EXPECT_EQ(written->tile(1).attributes, (TileAttributes{0, 0, 0, 16}));
    EXPECT_EQ(editor.tileset.artPath, dir.Path("NEXT.ART"));
}

TEST_F(SafeEditingTest, AHeldPreviewEndsWithItsTilesAnimation) {
    Tileset set = PatternTileset(3, 2, 2);
    set.tile(2).attributes = {0x82, 0, 0, 15};  // forwards, speed 15: held
    OpenTileset(set);
    Select(2);
    form.mnuAnim->trigger();
    ASSERT_TRUE(form.mnuAnim->isChecked());
    ASSERT_FALSE(form.mnuprops->isEnabled());
    for (QAction* ending : {form.mnuclr, form.mnudelete}) {
        ending->trigger();
        // Never ticked and greyed out at once.
        EXPECT_FALSE(form.mnuAnim->isChecked() && !form.mnuAnim->isEnabled());
        EXPECT_TRUE(form.mnuprops->isEnabled());
        form.mnuUndo->trigger();
        if (!form.mnuAnim->isChecked()) {
            form.mnuAnim->trigger();
        }
    }
}

}  // namespace
}  // namespace pixmill::test
