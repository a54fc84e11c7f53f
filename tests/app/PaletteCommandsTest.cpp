// Loading and exporting palettes from the File menu, the strip and the swatches.

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>

#include "palette/PaletteFile.h"
#include "platform/PictureBox.h"
#include "tests/app/WindowTestSupport.h"

namespace pixmill::test {
namespace {

class PaletteCommandsTest : public WindowTest {
  protected:
    // A Build palette: entry i is (i % 64, 63 - i % 64, i / 4), entry 0 a light grey.
    std::string WriteBuildPalette(const std::string& name, std::size_t trailing = 0) {
        Bytes bytes(768 + trailing, 7);
        for (std::size_t i = 0; i < 256; ++i) {
            bytes[3 * i] = static_cast<std::uint8_t>(i % 64);
            bytes[3 * i + 1] = static_cast<std::uint8_t>(63 - i % 64);
            bytes[3 * i + 2] = static_cast<std::uint8_t>(i / 4);
        }
        bytes[0] = bytes[1] = bytes[2] = 63;
        WriteBytes(dir.Path(name), bytes);
        return dir.Path(name);
    }
    QColor Strip(int x, int y) const { return form.Picture2->Point(x, y); }
};

TEST_F(PaletteCommandsTest, ABuildPaletteFillsTheStripAndTheSwatches) {
    const std::string path = WriteBuildPalette("GAME.DAT", 100);
    LoadPaletteFile(path);
    ASSERT_EQ(prompts.shown().front().text,
              "Build Engine Palettes (*.DAT)|*.DAT|Windows Palettes (*.PAL)|*.PAL");
    // The bytes after its colours are no shade tables: told, and the palette loads.
    EXPECT_EQ(prompts.Messages(),
              std::vector<std::string>{"The palette was loaded.\nIts shade tables were not loaded: "
                                       "it claims 1799 shade tables (460544 bytes), but only 98 "
                                       "bytes follow the count"});
    const QColor first(252, 252, 252);
    EXPECT_EQ(BackColor(form.Label2), first);
    for (int x = 0; x < 4; ++x) {
        for (int y = 0; y < 4; ++y) {
            EXPECT_EQ(Strip(x, y), first);
        }
    }
    // Entry 1 starts at column 4; entry 127 ends the upper band.
    EXPECT_EQ(Strip(4, 0), QColor(4, 248, 0));
    EXPECT_EQ(Strip(511, 3), QColor(63 * 4, 0, 31 * 4));
    // Entry 128 starts the lower band, entry 255 ends it.
    EXPECT_EQ(Strip(0, 4), QColor(0, 252, 32 * 4));
    EXPECT_EQ(Strip(3, 7), QColor(0, 252, 32 * 4));
    const QColor last(63 * 4, 0, 63 * 4);
    EXPECT_EQ(Strip(508, 4), last);
    EXPECT_EQ(Strip(511, 7), last);
    EXPECT_EQ(BackColor(form.Label3), last);
    // No tile is open, so nothing is drawn in the view or the browser.
    EXPECT_EQ(form.StatusText(), "");
    EXPECT_EQ(editor.thumbnailImage.rows(), 0);
}

TEST_F(PaletteCommandsTest, ClicksOnTheStripPickColoursIntoTheSwatches) {
    LoadPaletteFile(WriteTestPalette());
    const QColor entry5 = Colour(5);
    const QColor entry200 = Colour(200);
    form.Picture2_MouseDown(1, 0, 21, 2);
    EXPECT_EQ(BackColor(form.Label2), entry5);
    form.Picture2_MouseDown(2, 1, 4 * 72 + 1, 6);
    EXPECT_EQ(BackColor(form.Label3), entry200);

    // The middle button, other combinations and points off the strip do nothing.
    for (const auto& [button, x, y] : std::vector<std::tuple<int, int, int>>{
             {4, 0, 0}, {3, 0, 0}, {1, -1, 0}, {2, 5, -1}, {1, 512, 0}, {1, 0, 8}}) {
        form.Picture2_MouseDown(button, 0, x, y);
        EXPECT_EQ(BackColor(form.Label2), entry5);
        EXPECT_EQ(BackColor(form.Label3), entry200);
    }
    // The indices are kept, shown on the swatches and told by their tooltips.
    EXPECT_EQ(editor.state.leftColour, 5);
    EXPECT_EQ(editor.state.rightColour, 200);
    EXPECT_EQ(form.Label2->text(), "5");
    EXPECT_EQ(form.Label3->text(), "200");
    EXPECT_EQ(form.Label2->toolTip(), "Left button colour: Index 5 - red 5, green 250, blue 196");
    EXPECT_EQ(form.Label3->toolTip(),
              "Right button colour: Index 200 - red 200, green 55, blue 243");
    // The strip's tooltip tells the colour under the pointer.
    form.show();
    const QPoint at(4 * 72 + 1, 6);
    QHelpEvent help(QEvent::ToolTip, at, form.Picture2->mapToGlobal(at));
    QApplication::sendEvent(form.Picture2, &help);
    EXPECT_EQ(QToolTip::text(), "Index 200 - red 200, green 55, blue 243");
    // A palette load goes back to entries 0 and 255.
    LoadPaletteFile(WriteTestPalette("again.pal"));
    EXPECT_EQ(editor.state.leftColour, 0);
    EXPECT_EQ(editor.state.rightColour, 255);
    EXPECT_EQ(form.Label3->text(), "255");
}

TEST_F(PaletteCommandsTest, ANewPaletteRedrawsTheViewAndTheThumbnailsInItsColours) {
    OpenTileset(PatternTileset(3, 8, 8));
    const QPoint at(editor.state.tileDrawX, editor.state.tileDrawY);
    form.Command2->click();
    const std::uint8_t index = editor.tileset.tile(2).Pixel(1, 1);
    LoadPaletteFile(WriteBuildPalette("other.dat"));
    EXPECT_EQ(form.Picture1->Point(at.x(), at.y()), Colour(index));
    EXPECT_EQ(Colour(index), QColor(index % 64 * 4, (63 - index % 64) * 4, index / 4 * 4));
    // The thumbnail of tile 2 sits in the second cell, inside the frame of the current tile.
    EXPECT_EQ(browser.Picture1->Point(72, 2), Colour(editor.tileset.tile(2).Pixel(3, 3)));
    EXPECT_EQ(form.StatusText(), "2/3 - 8x8 Offsets: 0,0");
}

TEST_F(PaletteCommandsTest, APaletteThatCannotBeReadChangesNothing) {
    OpenTileset(PatternTileset(2, 4, 4));
    const VisibleState state = Snapshot(editor);
    const Palette palette = editor.palette;
    const QColor left = BackColor(form.Label2);

    Bytes tooHigh(768, 10);
    tooHigh[600] = 64;  // does not fit 8 bits once multiplied by 4
    WriteBytes(dir.Path("high.dat"), tooHigh);
    WriteBytes(dir.Path("short.dat"), Bytes(767, 1));
    WriteBytes(dir.Path("short.pal"), Bytes(1047, 1));
    for (const std::string name : {"high.dat", "short.dat", "short.pal", "missing.dat"}) {
        prompts.ClearShown();
        LoadPaletteFile(dir.Path(name));
        ASSERT_EQ(prompts.Messages().size(), 1U) << name;
        EXPECT_EQ(prompts.Messages()[0].rfind("Error opening palette.\n", 0), 0U)
            << prompts.Messages()[0];
        EXPECT_EQ(prompts.shown().back().title, "Pixmill");
        EXPECT_EQ(editor.palette, palette) << name;
        EXPECT_EQ(Snapshot(editor), state) << name;
        EXPECT_EQ(BackColor(form.Label2), left);
    }
}

TEST_F(PaletteCommandsTest, ExportWritesTheFormatThePathNames) {
    const std::string source = WriteBuildPalette("GAME.DAT", 500);
    LoadPaletteFile(source);
    prompts.ClearShown();  // its bytes after the colours are no shade tables
    const Bytes original = ReadBytes(source);

    prompts.AnswerSave(dir.Path("copy.dat"));
    form.mnuexppal->trigger();
    EXPECT_EQ(ReadBytes(dir.Path("copy.dat")), Bytes(original.begin(), original.begin() + 768));

    prompts.AnswerSave(dir.Path("copy.Pal"));
    form.mnuexppal->trigger();
    const Bytes riff = ReadBytes(dir.Path("copy.Pal"));
    ASSERT_EQ(riff.size(), 1052U);
    EXPECT_EQ(riff[24 + 4 * 255], 252);  // entry 255's red, times 4

    // A bare name is a Build palette, whatever filter was picked.
    prompts.AnswerSave(dir.Path("bare"));
    form.mnuexppal->trigger();
    EXPECT_EQ(ReadBytes(dir.Path("bare")).size(), 768U);
    EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(PaletteCommandsTest, ExportOverAnExistingFileAsksFirst) {
    const std::string source = WriteBuildPalette("GAME.DAT", 5000);
    LoadPaletteFile(source);
    prompts.ClearShown();  // its bytes after the colours are no shade tables
    const Bytes before = ReadBytes(source);

    prompts.AnswerSave(source);
    prompts.AnswerNo();
    form.mnuexppal->trigger();
    EXPECT_EQ(prompts.Messages(), std::vector<std::string>{"Overwrite existing file?"});
    EXPECT_EQ(ReadBytes(source), before);

    // Yes replaces the palette and keeps the game's tables after it.
    LoadPaletteFile(WriteTestPalette());
    prompts.AnswerSave(source);
    prompts.AnswerYes();
    form.mnuexppal->trigger();
    Bytes expected = PaletteBytes(editor.palette, PaletteFormat::Build);
    expected.insert(expected.end(), before.begin() + 768, before.end());
    EXPECT_EQ(ReadBytes(source), expected);

    prompts.ClearShown();
    prompts.AnswerSave(dir.Path("no-such-folder/p.dat"));
    form.mnuexppal->trigger();
    ASSERT_EQ(prompts.Messages().size(), 1U);
    EXPECT_EQ(prompts.Messages()[0].rfind("Error writing palette.\n", 0), 0U);
}

}  // namespace
}  // namespace pixmill::test
