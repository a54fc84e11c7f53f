// Copy and paste through the system's clipboard, and files dropped on the
// main window, through their real handlers.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

#include "app/StartUp.h"
#include "app/WindowProcedures.h"
#include "bitmap/TileBitmap.h"
#include "editing/TileClip.h"
#include "editing/TilesetChange.h"
#include "platform/PictureBox.h"
#include "tests/app/WindowTestSupport.h"

namespace pixmill::test {
namespace {

class ClipboardTest : public WindowTest {
  protected:
    void SetUp() override {
        original.tile(2).attributes = {0x83, 5, 250, 7};
        original.tile(4) = Tile{};  // 0 x 0
        original.tile(4).attributes = {0, 0, 0, 16};
        original.tile(5).attributes = {1, 2, 3, 4};
        OpenTileset(original);
        prompts.ClearShown();
    }
    void Select(int tile) {
        editor.state.currentTile = static_cast<std::int16_t>(tile);
        RenderCurrentTile(editor, tile);
    }
    static QClipboard& Clipboard() { return *QGuiApplication::clipboard(); }

    Tileset original = PatternTileset(6, 7, 5);
};

TEST_F(ClipboardTest, CopyThenPasteGivesTheSameTileAndKeepsTheTargetsAttributes) {
    Select(2);
    const Tile copied = editor.tileset.tile(2);
    form.mnuCopy->trigger();
    // Other programs get the picture in the palette's colours.
    const QImage image = Clipboard().image();
    ASSERT_EQ(image.size(), QSize(7, 5));
    EXPECT_EQ(QColor(image.pixel(3, 1)), Colour(copied.Pixel(4, 2)));

    Select(5);
    form.mnuPaste->trigger();
    const Tile& pasted = editor.tileset.tile(5);
    EXPECT_EQ(pasted.pixels, copied.pixels);
    EXPECT_EQ(pasted.attributes, (TileAttributes{1, 2, 3, 4}));
    EXPECT_EQ(form.mnuUndo->text().toStdString(), "Undo Paste Tile");

    // As a new tile after the current one, whole, attribute bytes included.
    form.mnuPasteNew->trigger();
    ASSERT_EQ(editor.tileset.tileCount(), 7);
    EXPECT_EQ(editor.state.currentTile, 6);
    EXPECT_TRUE(SameTile(editor.tileset.tile(6), copied));
    form.mnuUndo->trigger();
    form.mnuUndo->trigger();
    EXPECT_EQ(editor.tileset.tileCount(), 6);
    EXPECT_TRUE(SameTile(editor.tileset.tile(5), original.tile(5)));

    // A tile without pixels copies as an empty image and pastes as one.
    Select(4);
    form.mnuCopy->trigger();
    Select(1);
    form.mnuPaste->trigger();
    EXPECT_EQ(editor.tileset.tile(1).width, 0);
    EXPECT_EQ(editor.tileset.tile(1).height, 0);
    EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(ClipboardTest, AnImageFromAnotherProgramIsMatchedToThePalette) {
    QImage image(3, 2, QImage::Format_ARGB32);
    image.setPixelColor(0, 0, Colour(10));
    image.setPixelColor(1, 0, Colour(20));
    image.setPixelColor(2, 0, QColor(0, 0, 0, 0));  // see-through
    // Not in the palette; nearest to entry 40.
    image.setPixelColor(0, 1, QColor(Colour(40).red() + 1, Colour(40).green(), Colour(40).blue()));
    image.setPixelColor(1, 1, Colour(255));
    image.setPixelColor(2, 1, Colour(0));
    Clipboard().setImage(image);
    Select(3);
    form.mnuPaste->trigger();
    const Tile& tile = editor.tileset.tile(3);
    ASSERT_EQ(tile.width, 3);
    ASSERT_EQ(tile.height, 2);
    EXPECT_EQ(tile.pixels, (TilePixels{10, 40, 20, 255, 255, 0}));
    EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(ClipboardTest, WhatIsNoPictureOrTooLargeIsRefusedAndChangesNothing) {
    Select(3);
    auto* damaged = new QMimeData;
    damaged->setData(kTileClipMimeType, QByteArray("PXT1\x02\x00"));
    const std::vector<std::pair<std::function<void()>, std::string>> cases{
        {[] { Clipboard().setText(QStringLiteral("hello")); },
         "The clipboard holds no picture to paste."},
        {[] { Clipboard().clear(); }, "The clipboard holds no picture to paste."},
        {[] { Clipboard().setImage(QImage(40000, 1, QImage::Format_RGB32)); },
         "The picture on the clipboard is 40000 x 1 pixels; a tile is at most 32767 x 32767."},
        {[&] { Clipboard().setMimeData(damaged); },
         "The tile on the clipboard cannot be pasted.\nit is not a tile copied by Pixmill"}};
    const VisibleState before = Snapshot(editor);
    for (const auto& [put, message] : cases) {
        put();
        for (QAction* paste : {form.mnuPaste, form.mnuPasteNew}) {
            prompts.ClearShown();
            paste->trigger();
            EXPECT_EQ(prompts.Messages(), std::vector<std::string>{message});
            EXPECT_EQ(Snapshot(editor), before);
            EXPECT_EQ(editor.history.size(), 0U);
        }
    }
}

class DropTest : public WindowTest {
  protected:
    // Drops a file at a point of the main window, as a file manager does.
    bool Drop(const std::string& path, QPoint at) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        // The drag reaches the window as it enters (Qt sends the rest to the
        // window that took it), then moves to where it is dropped.
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &move);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &drop);
        // The command runs once the drop is over.
        QApplication::processEvents();
        EXPECT_EQ(move.isAccepted(), drop.isAccepted());
        return drop.isAccepted();
    }
    QPoint OnView() const { return form.Picture1->mapTo(&form, QPoint(300, 190)); }
    QPoint OnStatusLine() const { return form.Label1->mapTo(&form, QPoint(5, 5)); }
};

TEST_F(DropTest, TilesetsOpenPalettesLoadAndPicturesOnTheViewAreImported) {
    const std::string first = WriteArt(PatternTileset(4, 8, 8), "FIRST.ART");
    const std::string second = WriteArt(PatternTileset(9, 8, 8), "SECOND.ART");
    // Without a palette a tileset cannot be shown, as "Open ART..." is off.
    EXPECT_TRUE(Drop(first, OnStatusLine()));
    EXPECT_EQ(prompts.Messages(), std::vector<std::string>{PaletteNeededText(first)});
    EXPECT_FALSE(editor.tilesetOpen);

    EXPECT_TRUE(Drop(WriteTestPalette("game.PAL"), OnStatusLine()));
    EXPECT_TRUE(form.mnuOpen->isEnabled());
    EXPECT_EQ(BackColor(form.Label3), Colour(255));
    EXPECT_TRUE(Drop(first, OnView()));
    EXPECT_EQ(editor.tileset.tileCount(), 4);

    // A picture on the view goes into the current tile; elsewhere it is not taken.
    const std::string picture = dir.Path("tile.bmp");
    const Tile wanted = PatternTile(3, 2, 77);
    ASSERT_TRUE(WriteTileBitmapFile(wanted, editor.palette, picture).ok());
    EXPECT_FALSE(Drop(picture, OnStatusLine()));
    EXPECT_EQ(editor.history.size(), 0U);
    EXPECT_TRUE(Drop(picture, OnView()));
    EXPECT_EQ(editor.tileset.tile(1).pixels, wanted.pixels);
    EXPECT_EQ(form.mnuUndo->text().toStdString(), "Undo Import Picture");

    // Unsaved work is asked about before another tileset replaces it.
    prompts.ClearShown();
    prompts.AnswerMessage(MessageAnswer::Cancel);
    Drop(second, OnView());
    EXPECT_EQ(editor.tileset.tileCount(), 4);
    prompts.AnswerMessage(MessageAnswer::Discard);
    Drop(second, OnView());
    EXPECT_EQ(editor.tileset.tileCount(), 9);
    EXPECT_EQ(prompts.Messages().size(), 2U);

    // Other files are not taken.
    EXPECT_FALSE(Drop(dir.Path("notes.txt"), OnView()));
}

}  // namespace
}  // namespace pixmill::test
