// The settings kept between runs, read back by a second editor from a scratch
// file (never the user's), and files damaged or written by someone else.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QScreen>

#include "app/CommandLine.h"
#include "app/Settings.h"
#include "app/StartUp.h"
#include "tests/app/WindowTestSupport.h"

namespace pixmill::test {
namespace {

class SettingsTest : public WindowTest {
  protected:
    std::string Store() const { return dir.Path("pixmill.conf"); }

    // The next run: an editor of its own, started as main starts one.
    struct NextRun {
        ScriptedPrompts prompts;
        Editor editor{prompts};
        explicit NextRun(const std::string& store) {
            editor.form1->Form_Load();
            editor.settings.OpenFile(store);
            RestoreSettings(editor);
        }
    };

    void WriteStore(const std::string& text) {
        WriteBytes(Store(), Bytes(text.begin(), text.end()));
    }

    static void ExpectDefaults(const Editor& next) {
        EXPECT_EQ(next.state.zoomFactor, 1);
        EXPECT_TRUE(next.form1->mnu1x->isChecked());
        EXPECT_FALSE(next.state.crosshairOn);
        EXPECT_TRUE(next.recentFiles.empty());
        EXPECT_TRUE(next.dialogFolders.byKind().empty());
        EXPECT_EQ(RememberedPalette(next), "");
    }
};

TEST_F(SettingsTest, WhatOneRunKeepsTheNextTakesBack) {
    editor.settings.OpenFile(Store());
    const std::string palette = WriteTestPalette();
    LoadPaletteFile(palette);
    const std::string art = WriteArt(PatternTileset(3, 4, 4), "TILES000.ART");
    OpenArt(art);
    form.mnu16x->trigger();
    form.mnuCross->trigger();
    editor.dialogFolders.Remember("Windows Bitmaps (*.BMP)|*.BMP", "/art/out/tile.bmp");
    form.show();
    form.move(20, 30);
    form.resize(form.width() + 40, form.height() + 50);
    QApplication::processEvents();
    SaveSettings(editor);

    NextRun next(Store());
    EXPECT_EQ(next.editor.state.zoomFactor, 16);
    EXPECT_TRUE(next.editor.form1->mnu16x->isChecked());
    EXPECT_FALSE(next.editor.form1->mnu1x->isChecked());
    EXPECT_TRUE(next.editor.state.crosshairOn);
    EXPECT_TRUE(next.editor.form1->mnuCross->isChecked());
    EXPECT_EQ(next.editor.form1->pos(), form.pos());
    EXPECT_EQ(next.editor.form1->size(), form.size());
    EXPECT_EQ(next.editor.dialogFolders.StartFolder("(*.BMP)|*.BMP"), "/art/out");
    EXPECT_EQ(next.editor.recentFiles, std::vector<std::string>{art});
    ASSERT_EQ(next.editor.form1->mnuRecent->actions().size(), 1);
    EXPECT_EQ(next.editor.form1->mnuRecent->actions()[0]->text().toStdString(), "&1 " + art);

    // The palette comes back at start when the command line names none, and
    // "Recent Files" opens once it has.
    OpenCommandLineFiles(next.editor, CommandLine{});
    EXPECT_EQ(next.editor.palette, editor.palette);
    EXPECT_TRUE(MenuEnabled(next.editor.form1->mnuRecent));
    next.editor.form1->mnuRecent->actions()[0]->trigger();
    EXPECT_EQ(next.editor.tileset.artPath, art);
    EXPECT_TRUE(next.prompts.Messages().empty());
}

TEST_F(SettingsTest, RecentFilesPutTheLastOpenedOrSavedFirst) {
    editor.settings.OpenFile(Store());
    LoadPaletteFile(WriteTestPalette());
    const std::string first = WriteArt(PatternTileset(2, 4, 4), "TILES000.ART");
    const std::string second = WriteArt(PatternTileset(5, 4, 4), "TILES001.ART");
    OpenArt(first);
    OpenArt(second);
    const std::string copy = dir.Path("copy.art");
    prompts.AnswerSave(copy);
    form.mnuSaveAs->trigger();
    EXPECT_EQ(editor.recentFiles, (std::vector<std::string>{copy, second, first}));
    form.mnuRecent->actions()[2]->trigger();
    EXPECT_EQ(editor.tileset.artPath, first);
    EXPECT_EQ(editor.recentFiles.front(), first);
    EXPECT_EQ(NextRun(Store()).editor.recentFiles, (std::vector<std::string>{first, copy, second}));
}

TEST_F(SettingsTest, DamagedOrForeignSettingsAreIgnored) {
    Bytes junk(4096);
    for (std::size_t i = 0; i < junk.size(); ++i) {
        junk[i] = static_cast<std::uint8_t>(i * 131 + 7);
    }
    WriteBytes(Store(), junk);
    ExpectDefaults(NextRun(Store()).editor);

    WriteStore(
        "[view]\nscale=banana\ncrosshair=maybe\n"
        "[files]\nrecent=@Rect(1 2 3 4)\npalette=@ByteArray(\\0\\0)\n"
        "[windows]\nmain\\x=abc\nmain\\y=10\nmain\\width=99999999999\nmain\\height=-4\n"
        "[folders]\nBMP=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x18)\nart=/lower/case\nlast=\n");
    ExpectDefaults(NextRun(Store()).editor);

    WriteStore("[view]\nscale=3\n[files]\nrecent=/a/one.ART, /a/two.ART\npalette=/no/such.dat\n");
    NextRun numbers(Store());
    EXPECT_EQ(numbers.editor.state.zoomFactor, 1);
    EXPECT_EQ(numbers.editor.recentFiles, (std::vector<std::string>{"/a/one.ART", "/a/two.ART"}));
    EXPECT_EQ(RememberedPalette(numbers.editor), "");
}

TEST_F(SettingsTest, AWindowPlaceOffTheScreensIsBroughtBackAndResetForgetsAll) {
    WriteStore(
        "[view]\nscale=8\n"
        "[windows]\nmain\\x=-9000\nmain\\y=-9000\nmain\\width=700\nmain\\height=560\n");
    NextRun next(Store());
    const QRect screen = next.editor.form1->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(next.editor.form1->pos())) << next.editor.form1->x();
    EXPECT_EQ(next.editor.form1->size(), QSize(700, 560).boundedTo(screen.size()));
    EXPECT_EQ(next.editor.state.zoomFactor, 8);

    next.editor.settings.Clear();
    next.editor.settings.Sync();
    ExpectDefaults(NextRun(Store()).editor);
    EXPECT_TRUE(ParseCommandLine({"--reset-settings", "T.ART"}).resetSettings);
    EXPECT_FALSE(ParseCommandLine({"T.ART"}).resetSettings);
}

}  // namespace
}  // namespace pixmill::test
