// The main window: its controls and menus, start-up, and the file commands
// with every way they can end.

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QWindow>
#include <filesystem>
#include <tuple>

#include "app/WindowProcedures.h"
#include "editing/Form3.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"
#include "tests/app/WindowTestSupport.h"
#include "tileset/ArtFile.h"

namespace pixmill::test {
namespace {

using Shown = ScriptedPrompts::Shown;
using Kind = ScriptedPrompts::Kind;

// "caption" or "-" for a separator, "(hidden)" appended when not visible,
// "[off]" when disabled, "[x]" when checked, submenus in braces.
std::string Describe(const QMenu* menu) {
    std::string text;
    for (const QAction* item : menu->actions()) {
        if (!text.empty()) {
            text += ", ";
        }
        if (item->isSeparator()) {
            text += "-";
            continue;
        }
        text += item->text().toStdString();
        if (!item->isVisible()) {
            text += " (hidden)";
        } else if (!item->isEnabled()) {
            text += " [off]";
        }
        if (item->isChecked()) {
            text += " [x]";
        }
        if (item->menu() != nullptr) {
            text += " {" + Describe(item->menu()) + "}";
        }
    }
    return text;
}

class Form1Test : public WindowTest {};

// The texts the status line was painted with, in order: long operations must
// let their progress text be painted before they go on.
class PaintedTexts : public QObject {
  public:
    explicit PaintedTexts(QLabel* label) : label_(label) { label->installEventFilter(this); }
    std::vector<std::string> texts;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == label_ && event->type() == QEvent::Paint) {
            const std::string text = label_->text().toStdString();
            if (texts.empty() || texts.back() != text) {
                texts.push_back(text);
            }
        }
        return false;
    }

  private:
    QLabel* label_;
};

TEST_F(Form1Test, LongOperationsPaintTheirProgressInTheStatusLine) {
    form.show();
    LoadPaletteFile(WriteTestPalette());
    const std::string path = WriteArt(PatternTileset(9, 3, 3), "TILES000.ART");
    PaintedTexts painted(form.Label1);
    OpenArt(path);
    QCoreApplication::processEvents();
    EXPECT_EQ(painted.texts,
              (std::vector<std::string>{"Loading " + path + "...", "Filling Browser...",
                                        "Rendering...", "1/9 - 3x3 Offsets: 0,0"}));

    painted.texts.clear();
    const std::string copy = dir.Path("copy.art");
    prompts.AnswerSave(copy);
    form.mnuSaveAs->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(painted.texts, (std::vector<std::string>{"Writing " + copy + "...", "Done."}));
}

TEST_F(Form1Test, StartsWithTheControlsAtTheirPlacesAndOnlyPaletteLoadingOpen) {
    EXPECT_EQ(form.Caption(), "Pixmill");
    EXPECT_EQ(form.centralWidget()->size(), QSize(642, 474));
    EXPECT_EQ(form.Picture1->geometry(), QRect(0, 8, 641, 393));
    // The strip is 512 x 8 whatever its designed size, centred under the view.
    EXPECT_EQ(form.Picture2->geometry(), QRect(65, 408, 512, 8));
    EXPECT_EQ(form.Picture2->innerWidth(), 512);
    EXPECT_EQ(form.Picture2->innerHeight(), 8);
    EXPECT_EQ(form.Label2->geometry(), QRect(288, 424, 25, 25));
    EXPECT_EQ(form.Label3->geometry(), QRect(320, 424, 25, 25));
    EXPECT_EQ(form.Command1->geometry(), QRect(72, 432, 25, 25));
    EXPECT_EQ(form.Command1->text(), "<-");
    EXPECT_EQ(form.Command2->geometry(), QRect(552, 432, 25, 25));
    EXPECT_EQ(form.Command2->text(), "->");
    EXPECT_EQ(form.Label1->geometry(), QRect(104, 456, 441, 17));
    EXPECT_EQ(form.StatusText(), "");

    QStringList titles;
    for (const QAction* menu : form.menuBar()->actions()) {
        titles << menu->text();
    }
    EXPECT_EQ(titles, QStringList({"File", "Edit", "Tile", "View"}));
    EXPECT_EQ(Describe(form.mnuFile),
              "Load Palette..., Export Palette... [off], Load Names.h..., -, "
              "New ART [off], Open ART... [off], Open Tile Set... [off], Save ART [off], "
              "Save ART as... [off], Export Changes as Mod... [off], -, Recent Files [off] {}, -, "
              "Exit");
    EXPECT_EQ(Describe(form.mnuEdit),
              "Undo [off], Redo [off], -, No Tool [x], Pencil, Line, Fill, Pick Colour, -, "
              "Copy Tile, Paste Tile, Paste as New Tile");
    EXPECT_FALSE(MenuEnabled(form.mnuTile));
    EXPECT_EQ(Describe(form.mnuTile),
              "Import BMP..., Import Picture..., Export BMP..., Batch Export..., "
              "Dither When Matching, -, Insert after current, "
              "Insert before current, Delete, Resize..., Clear, Batch Clear..., -, "
              "Preview Animation, Animation Speed {Increase, Decrease}, -, Properties...");
    EXPECT_TRUE(MenuEnabled(form.mnuView));
    EXPECT_EQ(Describe(form.mnuView),
              "Browser..., Go to Tile..., -, Crosshair, Scale {1x [x], 2x, 4x, 8x, 16x, 32x}, "
              "Shade [off] {None [x]}, Palette Swap [off] {None [x]}, -, About...");
    // Keys are shown beside the captions by Qt, never written into them.
    for (const QAction* item : form.findChildren<QAction*>()) {
        EXPECT_FALSE(item->text().contains(QLatin1Char('\t'))) << item->text().toStdString();
    }

    EXPECT_EQ(editor.state.zoomFactor, 1);
    EXPECT_EQ(editor.tileNames.size(), 1);
    EXPECT_EQ(editor.tileNames.NameOf(0), "");
    EXPECT_FALSE(browser.isVisible());
    EXPECT_EQ(browser.windowTitle(), "Pixmill - Browser");
    EXPECT_EQ(browser.size(), QSize(587, 598));
    EXPECT_EQ(browser.Picture1->geometry(), QRect(0, 0, 560, 560));
    EXPECT_EQ(browser.Label1->text(), "Click a tile to open it.");
    // Modeless windows must not be children of the main window, or they are
    // disabled with it.
    EXPECT_TRUE(browser.isWindow());
}

TEST_F(Form1Test, APaletteOpensTheTilesetCommandsAndALoadOpensSaving) {
    LoadPaletteFile(WriteTestPalette());
    EXPECT_TRUE(form.mnuexppal->isEnabled());
    EXPECT_TRUE(form.mnuNew->isEnabled());
    EXPECT_TRUE(form.mnuOpen->isEnabled());
    EXPECT_FALSE(form.mnuSave->isEnabled());
    EXPECT_FALSE(form.mnuSaveAs->isEnabled());
    EXPECT_FALSE(MenuEnabled(form.mnuTile));

    const Tileset set = PatternTileset(12, 8, 6);
    const std::string path = WriteArt(set, "TILES003.ART");
    form.mnuAnim->setChecked(true);
    form.Timer1->SetInterval(250);
    OpenArt(path);
    // Opening a file leaves the tile being previewed.
    EXPECT_FALSE(form.mnuAnim->isChecked());
    EXPECT_EQ(form.Timer1->Interval(), 0);
    ASSERT_EQ(prompts.shown().back().kind, Kind::Open);
    EXPECT_EQ(prompts.shown().back().text, "Build Engine Tilesets (*.ART)|*.ART");
    EXPECT_EQ(form.Caption(), "Pixmill - " + path);
    EXPECT_TRUE(form.mnuSave->isEnabled());
    EXPECT_TRUE(form.mnuSaveAs->isEnabled());
    EXPECT_TRUE(MenuEnabled(form.mnuTile));
    EXPECT_EQ(editor.state.currentTile, 1);
    EXPECT_EQ(editor.tileset.artPath, path);
    EXPECT_EQ(editor.tileset.artFileNumber, 3);
    EXPECT_EQ(editor.tileset.tileCount(), 12);
    EXPECT_EQ(editor.tileset.tile(5).pixels, set.tile(5).pixels);
    // The drawing of tile 1 writes the status line last.
    EXPECT_EQ(form.StatusText(), "1/12 - 8x6 Offsets: 0,0");
    EXPECT_EQ(editor.thumbnailImage.rows(), 2);
    EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(Form1Test, NewArtGivesEmptyTilesAndOnlySaveAs) {
    LoadPaletteFile(WriteTestPalette());
    OpenArt(WriteArt(PatternTileset(3, 4, 4), "TILES002.ART"));
    browser.VScroll1->setValue(0);
    form.SetStatusText("before");

    form.mnuNew->trigger();
    EXPECT_FALSE(form.mnuSave->isEnabled());
    EXPECT_TRUE(form.mnuSaveAs->isEnabled());
    EXPECT_TRUE(MenuEnabled(form.mnuTile));
    ASSERT_EQ(editor.tileset.tileCount(), 256);
    EXPECT_EQ(editor.tileset.firstTileNumber, 0);
    EXPECT_EQ(editor.tileset.lastTileNumber, 255);
    EXPECT_EQ(editor.tileset.artVersion, 1);
    for (const Tile& tile : editor.tileset.tiles) {
        EXPECT_EQ(tile.width, 0);
        EXPECT_EQ(tile.height, 0);
        EXPECT_EQ(tile.attributes, (TileAttributes{0, 0, 0, 0}));
    }
    EXPECT_EQ(editor.state.currentTile, 1);
    // The file opened before is not where the new tileset goes.
    EXPECT_EQ(form.Caption(), "Pixmill - New tileset");
    EXPECT_EQ(editor.tileset.artPath, "");
    EXPECT_EQ(form.StatusText(), "1/256 - 0x0 Offsets: 0,0");
    EXPECT_EQ(editor.thumbnailImage.rows(), 32);
    EXPECT_EQ(browser.VScroll1->maximum(), 24);
    // The view is clear: nothing of the old tile remains.
    EXPECT_EQ(ViewPixel(318, 194), QColor(128, 128, 128));
}

TEST_F(Form1Test, SaveAsWritesTheNamedFileAndOpensSave) {
    LoadPaletteFile(WriteTestPalette());
    form.mnuNew->trigger();
    editor.tileset.tile(2) = PatternTile(3, 2, 9);
    // No extension is added to the name typed.
    const std::string path = dir.Path("bare");
    prompts.AnswerSave(path);
    form.mnuSaveAs->trigger();
    EXPECT_TRUE(prompts.Messages().empty());
    EXPECT_EQ(ReadBytes(path), *ArtBytes(editor.tileset));
    EXPECT_EQ(form.StatusText(), "Done.");
    EXPECT_TRUE(form.mnuSave->isEnabled());
    EXPECT_EQ(editor.tileset.artPath, path);
    EXPECT_EQ(form.Caption(), "Pixmill - " + path);
    EXPECT_EQ(ListDir(dir.root()), (std::vector<std::string>{"bare", "test.pal"}));

    // Save writes there again, over the file, without a question.
    editor.tileset.tile(3) = PatternTile(1, 1, 4);
    form.mnuSave->trigger();
    EXPECT_TRUE(prompts.shown().size() == 2);  // the two file dialogs, nothing else
    EXPECT_EQ(ReadBytes(path), *ArtBytes(editor.tileset));
}

TEST_F(Form1Test, SaveAsOverAnExistingFileAsksAndNoKeepsIt) {
    OpenTileset(PatternTileset(4, 2, 2));
    const std::string other = WriteArt(PatternTileset(1, 1, 1), "other.art");
    const Bytes before = ReadBytes(other);
    const VisibleState state = Snapshot(editor);

    prompts.AnswerSave(other);
    prompts.AnswerNo();
    form.mnuSaveAs->trigger();
    ASSERT_EQ(prompts.shown().back().text, "Overwrite existing file?");
    EXPECT_EQ(prompts.shown().back().title, "Pixmill");
    EXPECT_EQ(prompts.shown().back().icon, MessageIcon::Question);
    EXPECT_EQ(prompts.shown().back().buttons, MessageButtons::YesNo);
    EXPECT_EQ(ReadBytes(other), before);
    EXPECT_EQ(Snapshot(editor), state);

    prompts.AnswerSave(other);
    prompts.AnswerYes();
    form.mnuSaveAs->trigger();
    EXPECT_EQ(ReadBytes(other), *ArtBytes(editor.tileset));
    EXPECT_EQ(editor.tileset.artPath, other);
}

TEST_F(Form1Test, CancelledDialogsChangeNothing) {
    OpenTileset(PatternTileset(4, 2, 2));
    const VisibleState state = Snapshot(editor);
    const Palette palette = editor.palette;
    for (QAction* command : {form.mnuPal, form.mnuexppal, form.mnuOpen, form.mnuSaveAs}) {
        prompts.ClearShown();
        if (command == form.mnuexppal || command == form.mnuSaveAs) {
            prompts.AnswerSave("");
        } else {
            prompts.AnswerOpen("");
        }
        command->trigger();
        EXPECT_EQ(prompts.shown().size(), 1U) << command->text().toStdString();
        EXPECT_EQ(Snapshot(editor), state) << command->text().toStdString();
        EXPECT_EQ(editor.palette, palette);
    }
    EXPECT_EQ(ListDir(dir.root()), (std::vector<std::string>{"TILES000.ART", "test.pal"}));
}

TEST_F(Form1Test, AFileThatCannotBeReadLeavesTheEditorAsItWas) {
    OpenTileset(PatternTileset(20, 9, 7));
    form.Command2->click();
    form.mnuBrowse->trigger();
    browser.VScroll1->setValue(0);
    const VisibleState state = Snapshot(editor);
    const ThumbnailImage& thumbnails = editor.thumbnailImage;
    const std::vector<std::uint8_t> thumbnailBytes(thumbnails.bytes().begin(),
                                                   thumbnails.bytes().end());

    Bytes truncated = ReadBytes(editor.tileset.artPath);
    truncated.resize(truncated.size() - 1);
    WriteBytes(dir.Path("short.art"), truncated);
    // A 40-byte file that claims one 30000 x 30000 tile.
    Bytes huge(40, 0);
    Put32(huge, 12, 0);
    Put16(huge, 16, 30000);
    Put16(huge, 18, 30000);
    WriteBytes(dir.Path("huge.art"), huge);

    // A preview running on the tile shown keeps running.
    form.mnuAnim->setChecked(true);
    form.Timer1->SetInterval(250);
    for (const std::string name : {"short.art", "huge.art", "missing.art", ""}) {
        prompts.ClearShown();
        OpenArt(name.empty() ? dir.root().string() : dir.Path(name));
        const std::vector<std::string> messages = prompts.Messages();
        ASSERT_EQ(messages.size(), 1U) << name;
        EXPECT_EQ(messages[0].rfind("Error opening ART file.\n", 0), 0U) << messages[0];
        EXPECT_GT(messages[0].size(), std::string("Error opening ART file.\n").size());
        EXPECT_EQ(prompts.shown().back().title, "Pixmill");
        EXPECT_EQ(prompts.shown().back().icon, MessageIcon::Exclamation);
        EXPECT_EQ(Snapshot(editor), state) << name;
        EXPECT_EQ(editor.state.currentTile, 2);
        EXPECT_TRUE(form.mnuAnim->isChecked());
        EXPECT_EQ(form.Timer1->Interval(), 250);
        EXPECT_TRUE(std::equal(thumbnailBytes.begin(), thumbnailBytes.end(),
                               thumbnails.bytes().begin(), thumbnails.bytes().end()));
    }
}

TEST_F(Form1Test, AFailedSaveReportsAndKeepsTheOldFileAndState) {
    OpenTileset(PatternTileset(3, 2, 2));
    // Save As to a folder that does not exist.
    const VisibleState state = Snapshot(editor);
    prompts.AnswerSave(dir.Path("no-such-folder/x.art"));
    form.mnuSaveAs->trigger();
    ASSERT_EQ(prompts.Messages().size(), 1U);
    EXPECT_EQ(prompts.Messages()[0].rfind("Error writing ART file.\n", 0), 0U);
    EXPECT_EQ(Snapshot(editor), state);

    // A tileset that an ART file cannot hold, saved over the open file: the
    // file stays whole, and so does everything else.
    const std::string path = editor.tileset.artPath;
    const Bytes before = ReadBytes(path);
    editor.tileset.tiles.resize(kMaxArtTiles + 1);
    editor.tileset.lastTileNumber = kMaxArtTiles;
    prompts.ClearShown();
    form.mnuSave->trigger();
    ASSERT_EQ(prompts.Messages().size(), 1U);
    EXPECT_EQ(prompts.Messages()[0].rfind("Error writing ART file.\n", 0), 0U);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(form.StatusText(), state.status);
    EXPECT_TRUE(form.mnuSave->isEnabled());
    EXPECT_EQ(editor.tileset.artPath, path);

    // After New, a failed Save As leaves Save disabled and the path unset.
    form.mnuNew->trigger();
    prompts.ClearShown();
    prompts.AnswerSave(path);
    prompts.AnswerYes();
    editor.tileset.tiles.resize(kMaxArtTiles + 1);
    editor.tileset.lastTileNumber = kMaxArtTiles;
    form.mnuSaveAs->trigger();
    EXPECT_EQ(prompts.Messages().size(), 2U);  // the question, then the error
    EXPECT_FALSE(form.mnuSave->isEnabled());
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(ListDir(dir.root()), (std::vector<std::string>{"TILES000.ART", "test.pal"}));
}

TEST_F(Form1Test, PathsAndNamesShowExactlyAsTheyAre) {
    form.show();
    std::filesystem::create_directory(dir.Path("<b>x [*]"));
    LoadPaletteFile(WriteTestPalette());
    const std::string path = WriteArt(PatternTileset(2, 2, 2), "<b>x [*]/T.ART");
    OpenArt(path);
    EXPECT_EQ(form.windowHandle()->title().toStdString(), "Pixmill - " + path);
    EXPECT_EQ(form.Caption(), "Pixmill - " + path);

    editor.tileNames.Set(0, "<b>DOOR</b>");
    RenderCurrentTile(editor, 1);
    ASSERT_EQ(form.StatusText(), "1/2 - <b>DOOR</b> - 2x2 Offsets: 0,0");
    // What a screen reader, and so the eye, is given.
    QAccessibleInterface* label = QAccessible::queryAccessibleInterface(form.Label1);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(QAccessible::Name).toStdString(), form.StatusText());
}

TEST_F(Form1Test, EveryControlHasItsCodeNameAndANameAScreenReaderSpeaks) {
    const auto name = [](QObject* object) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
        return face != nullptr ? face->text(QAccessible::Name).toStdString() : "(none)";
    };
    const std::tuple<QWidget*, const char*, const char*> controls[] = {
        {form.Picture1, "Picture1", "Tile view"},
        {form.Picture2, "Picture2", "Palette strip"},
        {form.Label2, "Label2", "Left button colour"},
        {form.Label3, "Label3", "Right button colour"},
        {form.Command1, "Command1", "Previous tile"},
        {form.Command2, "Command2", "Next tile"},
        {browser.Picture1, "Picture1", "Tile thumbnails"},
        {browser.VScroll1, "VScroll1", "Thumbnail rows"},
        {editor.form3().Text1, "Text1", "Number of frames in animation"},
        {editor.form3().Text2, "Text2", "X offset"},
        {editor.form3().Check1, "Check1", "X offset negative"},
        {editor.form3().Text3, "Text3", "Y offset"},
        {editor.form3().Check2, "Check2", "Y offset negative"}};
    for (const auto& [control, objectName, spoken] : controls) {
        EXPECT_EQ(control->objectName().toStdString(), objectName);
        EXPECT_EQ(name(control), spoken) << objectName;
    }

    // The status line is spoken by its text; a swatch tells its colour.
    LoadPaletteFile(WriteTestPalette());
    form.SetStatusText("3/9 - 2x2 Offsets: 0,0");
    EXPECT_EQ(name(form.Label1), "3/9 - 2x2 Offsets: 0,0");
    QAccessibleInterface* swatch = QAccessible::queryAccessibleInterface(form.Label3);
    EXPECT_EQ(swatch->text(QAccessible::Description), Colour(255).name());

    // The browser is a window of its own, announced by its title.
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&browser);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), "Pixmill - Browser");
}

TEST_F(Form1Test, ExitAndClosingEndTheEditorWithoutAQuestion) {
    OpenTileset(PatternTileset(2, 2, 2));
    editor.tileset.tile(1).attributes[3] = 7;  // an unsaved change
    form.show();
    form.mnuBrowse->trigger();
    form.mnuExit->trigger();
    EXPECT_TRUE(editor.ended());
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(browser.isVisible());
    EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(Form1Test, ClosingTheMainWindowEndsTheEditorButClosingTheBrowserDoesNot) {
    form.show();
    form.mnuBrowse->trigger();
    browser.close();
    EXPECT_FALSE(editor.ended());
    form.close();
    EXPECT_TRUE(editor.ended());
}

}  // namespace
}  // namespace pixmill::test
