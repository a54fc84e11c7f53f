// The bitmap commands of the Tile menu, and reading a names header from the
// File menu: the files they write and read, their prompts and refusals.

#include <QAction>
#include <filesystem>

#include "app/WindowProcedures.h"
#include "bitmap/TileBitmap.h"
#include "bitmap/TilePng.h"
#include "tests/app/WindowTestSupport.h"

namespace pixmill::test {
namespace {

class BitmapCommandsTest : public WindowTest {
  protected:
    void SetUp() override {
        Tileset set = PatternTileset(12, 5, 3);
        set.tile(2) = PatternTile(4, 4, 99);
        set.tile(2).attributes = {0x83, 5, 250, 7};
        OpenTileset(set);
        prompts.ClearShown();
    }
    void Select(int tile) {
        editor.state.currentTile = static_cast<std::int16_t>(tile);
        RenderCurrentTile(editor, tile);
    }
    void ExportCurrent(const std::string& path) {
        prompts.AnswerSave(path);
        form.mnuebmp->trigger();
    }
    void Import(const std::string& path) {
        prompts.AnswerOpen(path);
        form.mnuibmp->trigger();
    }
    void ImportPicture(const std::string& path) {
        prompts.AnswerOpen(path);
        form.mnuipic->trigger();
    }
    // A 24-bit bitmap of the tile's colours, as a paint program saves one.
    std::string TrueColourBitmap(const Tile& tile, const std::string& name) {
        const std::size_t stride = (static_cast<std::size_t>(tile.width) * 3 + 3) / 4 * 4;
        Bytes b(54, 0);
        b[0] = 'B';
        b[1] = 'M';
        Put32(b, 10, 54);
        Put32(b, 14, 40);
        Put32(b, 18, tile.width);
        Put32(b, 22, tile.height);
        Put16(b, 26, 1);
        Put16(b, 28, 24);
        for (int y = tile.height; y >= 1; --y) {
            Bytes row(stride, 0);
            for (int x = 1; x <= tile.width; ++x) {
                const PaletteEntry& c = editor.palette[tile.Pixel(x, y)];
                const auto at = static_cast<std::size_t>(x - 1) * 3;
                row[at] = c.blue;
                row[at + 1] = c.green;
                row[at + 2] = c.red;
            }
            b.insert(b.end(), row.begin(), row.end());
        }
        WriteBytes(dir.Path(name), b);
        return dir.Path(name);
    }
};

TEST_F(BitmapCommandsTest, ExportThenImportCarriesTheTileAndKeepsTheAttributes) {
    Select(2);
    const std::string path = dir.Path("one.bmp");
    ExportCurrent(path);
    EXPECT_EQ(prompts.shown()[0].text, "Windows Bitmaps (*.BMP)|*.BMP|PNG images (*.png)|*.png");
    EXPECT_EQ(ReadBytes(path), TileBitmapBytes(editor.tileset.tile(2), editor.palette));
    EXPECT_EQ(form.StatusText(), "Done.");

    Select(7);
    const TileAttributes kept = editor.tileset.tile(7).attributes;
    Import(path);
    EXPECT_TRUE(prompts.Messages().empty());
    EXPECT_EQ(editor.tileset.tile(7).width, 4);
    EXPECT_EQ(editor.tileset.tile(7).pixels, editor.tileset.tile(2).pixels);
    EXPECT_EQ(editor.tileset.tile(7).attributes, kept);
    EXPECT_EQ(form.StatusText(), "7/12 - 4x4 Offsets: 0,0");
}

TEST_F(BitmapCommandsTest, ABitmapThatCannotBeReadChangesNothing) {
    Select(3);
    const std::string good = dir.Path("good.bmp");
    ExportCurrent(good);
    Bytes truncated = ReadBytes(good);
    truncated.resize(truncated.size() - 2);
    WriteBytes(dir.Path("short.bmp"), truncated);
    Bytes deep = ReadBytes(good);
    Put16(deep, 28, 24);
    WriteBytes(dir.Path("deep.bmp"), deep);

    const VisibleState before = Snapshot(editor);
    const Tile tile = editor.tileset.tile(3);
    const struct {
        const char* name;
        std::string message;  // its start
    } cases[] = {{"short.bmp", "Error opening bitmap.\n"},
                 {"missing.bmp", "Error opening bitmap.\n"},
                 {"deep.bmp", "Only 8-bit bitmaps can be imported into ART files."}};
    for (const auto& c : cases) {
        prompts.ClearShown();
        Import(dir.Path(c.name));
        ASSERT_EQ(prompts.Messages().size(), 1U) << c.name;
        EXPECT_EQ(prompts.Messages()[0].rfind(c.message, 0), 0U) << prompts.Messages()[0];
        EXPECT_EQ(editor.tileset.tile(3).pixels, tile.pixels);
        EXPECT_EQ(Snapshot(editor), before) << c.name;
    }
}

TEST_F(BitmapCommandsTest, BatchExportNumbersItsFilesAndAsksAboutEachOldOne) {
    Select(5);
    WriteBytes(dir.Path("tiles0002.BMP"), Bytes{1, 2, 3});
    for (const char* answer : {"10", "12"}) {
        prompts.AnswerInput(answer);
    }
    prompts.AnswerSave(dir.Path("tiles.bmp"));
    prompts.AnswerNo();  // keep tiles0002.BMP
    form.mnubatche->trigger();
    EXPECT_EQ(prompts.shown()[0].title, "Pixmill - Batch Export");
    EXPECT_EQ(prompts.Messages(), std::vector<std::string>{"Overwrite existing file?"});
    EXPECT_EQ(ReadBytes(dir.Path("tiles0001.BMP")),
              TileBitmapBytes(editor.tileset.tile(10), editor.palette));
    EXPECT_EQ(ReadBytes(dir.Path("tiles0002.BMP")), (Bytes{1, 2, 3}));
    EXPECT_EQ(ReadBytes(dir.Path("tiles0003.BMP")),
              TileBitmapBytes(editor.tileset.tile(12), editor.palette));
    EXPECT_EQ(editor.state.currentTile, 5);

    // A range refused by its checks writes nothing.
    prompts.ClearShown();
    prompts.AnswerInput("0");
    prompts.AnswerInput("5");
    form.mnubatche->trigger();
    EXPECT_EQ(prompts.Messages(), std::vector<std::string>{"Tile numbers must be greater than 1."});
}

TEST_F(BitmapCommandsTest, AFailedWriteIsReportedAndLeavesNoFileBehind) {
    Select(1);
    const std::string status = form.StatusText();
    const std::string missing = dir.Path("no-such-folder/t.bmp");
    ExportCurrent(missing);
    ASSERT_EQ(prompts.Messages().size(), 1U);
    EXPECT_EQ(prompts.Messages()[0].rfind("Error writing bitmap.\n" + missing + "\n", 0), 0U);
    EXPECT_EQ(form.StatusText(), status);

    // A batch whose second name is taken by a folder: the first bitmap stays,
    // the batch ends there and says so.
    const std::string folder = dir.Path("out");
    std::filesystem::create_directories(folder + "/b0002.BMP");
    prompts.ClearShown();
    prompts.AnswerInput("1");
    prompts.AnswerInput("4");
    prompts.AnswerSave(folder + "/b.bmp");
    prompts.AnswerYes();
    form.mnubatche->trigger();
    const std::vector<std::string> messages = prompts.Messages();
    ASSERT_EQ(messages.size(), 2U);
    EXPECT_EQ(messages[1].rfind("Error writing bitmap.\n" + folder + "/b0002.BMP\n", 0), 0U);
    EXPECT_NE(messages[1].find("1 bitmap was written before it."), std::string::npos);
    EXPECT_EQ(ListDir(folder), (std::vector<std::string>{"b0001.BMP", "b0002.BMP"}));
}

TEST_F(BitmapCommandsTest, ImportPictureMatchesAnyPictureAndRefusesABrokenOne) {
    Select(6);
    const Tile wanted = PatternTile(9, 4, 200);
    const std::string path = TrueColourBitmap(wanted, "photo.bmp");
    ImportPicture(path);
    EXPECT_EQ(prompts.shown()[0].text, "Pictures (*.png *.bmp)|*.png;*.bmp");
    EXPECT_TRUE(prompts.Messages().empty());
    EXPECT_EQ(editor.tileset.tile(6).width, 9);
    EXPECT_EQ(editor.tileset.tile(6).pixels, wanted.pixels);
    EXPECT_EQ(form.mnuUndo->text().toStdString(), "Undo Import Picture");

    Bytes cut = ReadBytes(path);
    cut.resize(cut.size() - 5);
    WriteBytes(dir.Path("cut.bmp"), cut);
    const VisibleState before = Snapshot(editor);
    prompts.ClearShown();
    ImportPicture(dir.Path("cut.bmp"));
    ASSERT_EQ(prompts.Messages().size(), 1U);
    EXPECT_EQ(prompts.Messages()[0].rfind(
                  "Error opening picture.\nthe file ends inside its pixel rows", 0),
              0U)
        << prompts.Messages()[0];
    EXPECT_EQ(Snapshot(editor), before);
}

TEST_F(BitmapCommandsTest, ABitmapWithItsColoursReorderedIsMatchedWhenTheUserSaysSo) {
    // The tile saved by a paint program that turned the colour table round.
    const Tile wanted = PatternTile(5, 3, 40);
    Palette reversed;
    Tile reindexed = wanted;
    for (std::size_t i = 0; i < 256; ++i) {
        reversed[i] = editor.palette[255 - i];
    }
    for (std::uint8_t& p : reindexed.pixels) {
        p = static_cast<std::uint8_t>(255 - p);
    }
    const std::string path = dir.Path("reordered.bmp");
    ASSERT_TRUE(WriteTileBitmapFile(reindexed, reversed, path).ok());
    for (const bool yes : {true, false}) {
        SCOPED_TRACE(yes);
        Select(3);
        prompts.ClearShown();
        prompts.AnswerOpen(path);
        if (yes) {
            prompts.AnswerYes();
        } else {
            prompts.AnswerNo();
        }
        form.mnuibmp->trigger();
        EXPECT_EQ(prompts.Messages(),
                  std::vector<std::string>{"The bitmap's colours are in a different order than "
                                           "the palette's. Match them to the palette?"});
        EXPECT_EQ(editor.tileset.tile(3).pixels, yes ? wanted.pixels : reindexed.pixels);
        form.mnuUndo->trigger();
    }
    // A bitmap in the palette's own colours is taken as it is, without a question.
    prompts.ClearShown();
    ASSERT_TRUE(WriteTileBitmapFile(wanted, editor.palette, path).ok());
    Import(path);
    EXPECT_TRUE(prompts.Messages().empty());
    EXPECT_EQ(editor.tileset.tile(3).pixels, wanted.pixels);
}

TEST_F(BitmapCommandsTest, ExportsToANameEndingInPngWriteIndexedPngs) {
    Select(2);
    const std::string path = dir.Path("one.Png");
    ExportCurrent(path);
    const auto png = ReadTilePngFile(path);
    ASSERT_TRUE(png) << png.reason();
    EXPECT_EQ(png->tile.pixels, editor.tileset.tile(2).pixels);
    EXPECT_EQ(png->colourTable,
              std::vector<PaletteEntry>(editor.palette.begin(), editor.palette.end()));

    // A tile without pixels: a single export says so and writes nothing; a
    // batch leaves its number out and says so at its end.
    Select(4);
    form.mnuclr->trigger();
    prompts.ClearShown();
    ExportCurrent(dir.Path("empty.png"));
    ASSERT_EQ(prompts.Messages().size(), 1U);
    EXPECT_NE(prompts.Messages()[0].find("a PNG cannot hold a tile without pixels"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.Path("empty.png")));

    prompts.ClearShown();
    prompts.AnswerInput("3");
    prompts.AnswerInput("5");
    prompts.AnswerSave(dir.Path("out/t.png"));
    std::filesystem::create_directories(dir.Path("out"));
    form.mnubatche->trigger();
    EXPECT_EQ(prompts.shown()[2].text, "Windows Bitmaps (*.BMP)|*.BMP|PNG images (*.png)|*.png");
    EXPECT_EQ(prompts.Messages(),
              std::vector<std::string>{"Tile 4 has no pixels, which a PNG cannot "
                                       "hold, and was skipped."});
    EXPECT_EQ(ListDir(dir.Path("out")), (std::vector<std::string>{"t0001.PNG", "t0003.PNG"}));
    const auto third = ReadTilePngFile(dir.Path("out/t0003.PNG"));
    ASSERT_TRUE(third);
    EXPECT_EQ(third->tile.pixels, editor.tileset.tile(5).pixels);
}

TEST_F(BitmapCommandsTest, NamesFromAHeaderShowAtTheNextDrawing) {
    const std::string header = dir.Path("NAMES.H");
    WriteBytes(header, Bytes{'#', 'd', 'e', 'f', 'i', 'n', 'e', ' ', 'D', 'O', 'O', 'R', ' ', '1',
                             '\r', '\n'});
    Select(2);
    prompts.AnswerOpen(header);
    form.mnuNames->trigger();
    EXPECT_EQ(prompts.shown()[0].text, "Build Engine Names Header (*.h)|*.h");
    EXPECT_EQ(form.StatusText(), "2/12 - 4x4 Offsets: -5,-6");
    Select(2);
    EXPECT_EQ(form.StatusText(), "2/12 - DOOR - 4x4 Offsets: -5,-6");
}

}  // namespace
}  // namespace pixmill::test
