// A game's set of files in the editor: opened as one, numbered by the game,
// saved file by file; its tiles drawn through the game's shades and swaps;
// its changes shipped as a mod; its recovery copy.

#include <QAction>
#include <QMenu>
#include <filesystem>

#include "app/Recovery.h"
#include "app/SetView.h"
#include "app/WindowProcedures.h"
#include "browser/Browser.h"
#include "names/NamesWindow.h"
#include "palette/LookupFile.h"
#include "platform/PictureBox.h"
#include "tests/app/WindowTestSupport.h"
#include "tileset/ArtFile.h"
#include "tileset/ArtSet.h"

namespace pixmill::test {
namespace {

// count tiles numbered from first, tile i a 2 x 2 pattern seeded with first + i.
Tileset Numbered(std::int32_t first, int count, bool prefix = false) {
    Tileset tiles;
    tiles.buildArtPrefix = prefix;
    tiles.firstTileNumber = first;
    tiles.lastTileNumber = first + count - 1;
    for (int i = 0; i < count; ++i) {
        tiles.tiles.push_back(PatternTile(2, 2, static_cast<std::uint8_t>(first + i)));
    }
    return tiles;
}

class TileSetTest : public WindowTest {
  protected:
    // TILES000.ART (tiles 0 to 3), tiles001.art (4 to 7, a "BUILDART" file),
    // TILES002.ART (8 to 11), in a folder of their own.
    std::string WriteSet() {
        folder = dir.Path("game");
        std::filesystem::create_directory(folder);
        for (const auto& [name, tiles] :
             {std::pair<const char*, Tileset>{"TILES000.ART", Numbered(0, 4)},
              {"tiles001.art", Numbered(4, 4, true)},
              {"TILES002.ART", Numbered(8, 4)}}) {
            EXPECT_TRUE(WriteArtFile(tiles, In(name)).ok());
        }
        return folder;
    }
    std::string In(const std::string& name) const { return folder + "/" + name; }
    void OpenSet(const std::string& any) {
        prompts.AnswerOpen(any);
        form.mnuOpenSet->trigger();
    }
    void GoTo(int position) {
        editor.state.currentTile = static_cast<std::int16_t>(position);
        UpdateTileView(editor, 0);
        RenderCurrentTile(editor, position);
    }
    std::string folder;
};

TEST_F(TileSetTest, OpensAsOneSetNumberedByTheGameWithItsProblemsTold) {
    LoadPaletteFile(WriteTestPalette());
    WriteSet();
    // TILES003.ART is missing, and TILES004.ART's numbers leave a gap.
    ASSERT_TRUE(WriteArtFile(Numbered(20, 2), In("TILES004.ART")).ok());
    const std::string names = dir.Path("NAMES.H");
    WriteBytes(names, {'#', 'd', 'e', 'f', 'i', 'n', 'e', ' ', 'D', 'O', 'O', 'R', ' ', '9', '\r'});
    LoadNames(editor, names);

    OpenSet(In("tiles001.art"));
    ASSERT_TRUE(editor.tileset.IsSet());
    EXPECT_EQ(
        prompts.Messages(),
        std::vector<std::string>{SetProblemsText(
            folder, {"TILES003.ART is missing: the classic engines stop at the first missing "
                     "number, so they do not load TILES004.ART",
                     "tiles 12 to 19 are in no file: TILES002.ART ends at 11 and TILES004.ART "
                     "begins at 20"})});
    EXPECT_EQ(prompts.Messages()[0].rfind("The tile set in " + folder + " is open, with these", 0),
              0u);
    EXPECT_EQ(form.Caption(), "Pixmill - " + folder + " (4 files)");
    EXPECT_EQ(editor.tileset.tileCount(), 14);
    EXPECT_EQ(form.StatusText(), "0 (TILES000.ART) - 2x2 Offsets: 0,0");

    // Paging runs across the files; each tile shows its game number, its
    // file and its name in the game.
    for (int i = 0; i < 4; ++i) {
        form.Command2->click();
    }
    EXPECT_EQ(form.StatusText(), "4 (tiles001.art) - 2x2 Offsets: 0,0");
    GoTo(10);
    EXPECT_EQ(form.StatusText(), "9 (TILES002.ART) - DOOR - 2x2 Offsets: 0,0");
    form.GoToLastTile();
    EXPECT_EQ(form.StatusText(), "21 (TILES004.ART) - 2x2 Offsets: 0,0");
    // The browser's cell 13 (the second row's fifth) holds game tile 20.
    EXPECT_EQ(BrowserTileTip(editor, 4 * 70 + 5, 70 + 5), "Tile 20 (TILES004.ART) - 2x2");

    // A folder with no set changes nothing.
    const VisibleState before = Snapshot(editor);
    prompts.ClearShown();
    std::filesystem::create_directory(dir.Path("empty"));
    OpenSet(dir.Path("empty"));
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0].rfind("Error opening tile set.\nthere is no TILES###.ART", 0),
              0u);
    EXPECT_EQ(Snapshot(editor), before);
}

TEST_F(TileSetTest, AnEditSavesOnlyTheFileThatHoldsItByteForByte) {
    LoadPaletteFile(WriteTestPalette());
    WriteSet();
    OpenSet(folder);
    ASSERT_TRUE(prompts.Messages().empty());
    const Bytes first = ReadBytes(In("TILES000.ART"));
    const FileStamp firstStamp = StampOf(In("TILES000.ART"));
    const FileStamp secondStamp = StampOf(In("tiles001.art"));

    GoTo(10);  // game tile 9, in the third file
    form.mnuclr->trigger();
    EXPECT_EQ(form.Caption(), "Pixmill - " + folder + " (3 files) *");
    form.mnuSave->trigger();
    EXPECT_EQ(form.Caption(), "Pixmill - " + folder + " (3 files)");
    Tileset third = Numbered(8, 4);
    third.tile(2) = Tile{};
    third.tile(2).attributes[3] = 16;  // a cleared tile's speed
    EXPECT_EQ(ReadBytes(In("TILES002.ART")), *ArtBytes(third));
    // The others were not written at all.
    EXPECT_EQ(ReadBytes(In("TILES000.ART")), first);
    EXPECT_EQ(StampOf(In("TILES000.ART")), firstStamp);
    EXPECT_EQ(StampOf(In("tiles001.art")), secondStamp);

    // The question before unsaved work goes names the files it would save,
    // and a "BUILDART" file keeps its 8 bytes.
    GoTo(5);
    form.mnuclr->trigger();
    prompts.AnswerMessage(MessageAnswer::Cancel);
    form.mnuExit->trigger();
    EXPECT_EQ(prompts.Messages().back(), SetSaveQuestion(folder, {"tiles001.art"}));
    EXPECT_EQ(prompts.Messages().back(),
              "Save changes to these files in " + folder + "?\ntiles001.art");
    EXPECT_FALSE(editor.ended());
    form.mnuSave->trigger();
    Tileset second = Numbered(4, 4, true);
    second.tile(1) = Tile{};
    second.tile(1).attributes[3] = 16;
    EXPECT_EQ(ReadBytes(In("tiles001.art")), *ArtBytes(second));
    EXPECT_EQ(ReadBytes(In("tiles001.art")).front(), 'B');

    // Undone past the save, the file differs again; saving writes it back.
    form.mnuUndo->trigger();
    form.mnuSave->trigger();
    EXPECT_EQ(ReadBytes(In("tiles001.art")), *ArtBytes(Numbered(4, 4, true)));
    EXPECT_EQ(StampOf(In("TILES000.ART")), firstStamp);
}

TEST_F(TileSetTest, InsertDeleteAndSaveAsAreRefusedInASetAndAllowedInAFile) {
    LoadPaletteFile(WriteTestPalette());
    WriteSet();
    OpenSet(folder);
    GoTo(3);
    for (QAction* command : {form.mnuinsert, form.mnuinsert2, form.mnudelete}) {
        prompts.ClearShown();
        command->trigger();
        EXPECT_EQ(prompts.Messages(), std::vector<std::string>{kTileListFixedInSet});
        EXPECT_EQ(editor.tileset.tileCount(), 12);
        EXPECT_FALSE(form.mnuUndo->isEnabled());
    }
    prompts.ClearShown();
    form.mnuSaveAs->trigger();  // no file dialog is asked for
    EXPECT_EQ(prompts.Messages(), std::vector<std::string>{kSaveAsInSet});

    // The same file opened alone takes them as before.
    prompts.ClearShown();
    OpenArt(In("TILES002.ART"));
    form.mnuinsert->trigger();
    EXPECT_TRUE(prompts.Messages().empty());
    EXPECT_EQ(editor.tileset.tileCount(), 5);
    EXPECT_FALSE(editor.tileset.IsSet());
}

TEST_F(TileSetTest, ASaveOverAFileChangedOnDiskAsksFirst) {
    LoadPaletteFile(WriteTestPalette());
    WriteSet();
    for (const bool set : {true, false}) {
        OpenArt(In("TILES000.ART"));  // closes the set of the round before
        if (set) {
            OpenSet(folder);
        }
        GoTo(2);
        form.mnuclr->trigger();
        // Another program saves over the file meanwhile.
        const Bytes theirs = *ArtBytes(Numbered(0, 4, true));
        ASSERT_TRUE(WriteArtFile(Numbered(0, 4, true), In("TILES000.ART")).ok());
        prompts.ClearShown();
        prompts.AnswerNo();
        form.mnuSave->trigger();
        ASSERT_EQ(prompts.Messages().size(), 1u);
        EXPECT_EQ(prompts.Messages()[0], ChangedOnDiskQuestion(In("TILES000.ART"), true));
        EXPECT_EQ(ReadBytes(In("TILES000.ART")), theirs) << set;
        EXPECT_TRUE(form.Caption().ends_with(" *"));

        prompts.AnswerYes();
        form.mnuSave->trigger();
        EXPECT_NE(ReadBytes(In("TILES000.ART")), theirs) << set;
        EXPECT_FALSE(form.Caption().ends_with(" *"));
        // Once saved, the file is the editor's again: no question.
        form.mnuclr->trigger();
        form.mnuUndo->trigger();
        form.mnuSave->trigger();
        EXPECT_EQ(prompts.unusedAnswers(), 0u);
        ASSERT_TRUE(WriteArtFile(Numbered(0, 4), In("TILES000.ART")).ok());
    }
}

// A Build palette of 6-bit colours, entry i (i % 64, (i / 4) % 64, 63 - i % 64),
// with two shade tables (the second takes 20 to 30 and 10 to 40) and a
// translucency table.
Bytes GamePaletteBytes() {
    Bytes bytes;
    for (int i = 0; i < 256; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(i % 64));
        bytes.push_back(static_cast<std::uint8_t>((i / 4) % 64));
        bytes.push_back(static_cast<std::uint8_t>(63 - i % 64));
    }
    bytes.push_back(2);
    bytes.push_back(0);
    for (int level = 0; level < 2; ++level) {
        for (int i = 0; i < 256; ++i) {
            const int shaded = level == 1 && i == 20 ? 30 : level == 1 && i == 10 ? 40 : i;
            bytes.push_back(static_cast<std::uint8_t>(shaded));
        }
    }
    bytes.resize(bytes.size() + 65536, 0);
    return bytes;
}

// One swap, number 5, taking 10 to 20, and one alternative palette.
Bytes LookupBytesWithSwap5() {
    LookupTables lookup;
    PaletteSwap swap;
    for (std::size_t i = 0; i < 256; ++i) {
        swap.map[i] = static_cast<std::uint8_t>(i == 10 ? 20 : i);
    }
    swap.number = 5;
    lookup.swaps.push_back(swap);
    Palette underwater{};
    underwater[30] = {4, 8, 12};
    underwater[40] = {16, 32, 48};
    lookup.alternatives.push_back(underwater);
    return LookupBytes(lookup);
}

std::vector<std::string> Captions(const QMenu* menu) {
    std::vector<std::string> captions;
    for (const QAction* item : menu->actions()) {
        captions.push_back(item->isSeparator() ? "-" : item->text().toStdString());
    }
    return captions;
}

QAction* Item(const QMenu* menu, const char* caption) {
    for (QAction* item : menu->actions()) {
        if (item->text() == QString::fromLatin1(caption)) {
            return item;
        }
    }
    ADD_FAILURE() << "no item " << caption;
    return nullptr;
}

TEST_F(TileSetTest, ShadesAndSwapsDrawAsTheGameCombinesThem) {
    WriteBytes(dir.Path("PALETTE.DAT"), GamePaletteBytes());
    WriteBytes(dir.Path("lookup.dat"), LookupBytesWithSwap5());
    LoadPaletteFile(dir.Path("PALETTE.DAT"));
    ASSERT_TRUE(prompts.Messages().empty());
    EXPECT_TRUE(MenuEnabled(form.mnuShade));
    EXPECT_TRUE(MenuEnabled(form.mnuSwap));
    EXPECT_EQ(Captions(form.mnuShade), (std::vector<std::string>{"None", "0", "1"}));
    EXPECT_EQ(Captions(form.mnuSwap),
              (std::vector<std::string>{"None", "Swap 5", "-", "Underwater"}));

    Tileset one;
    one.lastTileNumber = 0;
    one.tiles.push_back(TileOf(8, 8, [](int, int) { return 10; }));
    OpenArt(WriteArt(one, "ONE.ART"));
    const Bytes saved = ReadBytes(dir.Path("ONE.ART"));
    const auto viewCentre = [this] {
        return ViewPixel(editor.state.tileDrawX + 4, editor.state.tileDrawY + 4);
    };
    const auto thumbnail = [this] { return browser.Picture1->Point(3, 3); };
    EXPECT_EQ(viewCentre(), Colour(10));

    // Swap first (10 to 20), then the shade (20 to 30): colour 30. The other
    // order would give 40.
    Item(form.mnuSwap, "Swap 5")->trigger();
    Item(form.mnuShade, "1")->trigger();
    EXPECT_EQ(viewCentre(), Colour(30));
    EXPECT_EQ(thumbnail(), Colour(30));
    EXPECT_TRUE(Item(form.mnuShade, "1")->isChecked());
    Item(form.mnuShade, "None")->trigger();
    EXPECT_EQ(viewCentre(), Colour(20));
    // An alternative palette replaces the colours, in place of the swap; the
    // shade still applies (10 to 40).
    Item(form.mnuShade, "1")->trigger();
    Item(form.mnuSwap, "Underwater")->trigger();
    EXPECT_EQ(viewCentre(), QColor(16, 32, 48));
    EXPECT_FALSE(Item(form.mnuSwap, "Swap 5")->isChecked());
    Item(form.mnuSwap, "None")->trigger();
    Item(form.mnuShade, "None")->trigger();
    EXPECT_EQ(viewCentre(), Colour(10));

    // Only the drawing changed.
    EXPECT_FALSE(form.mnuUndo->isEnabled());
    EXPECT_FALSE(form.Caption().ends_with(" *"));
    EXPECT_EQ(ReadBytes(dir.Path("ONE.ART")), saved);

    // A LOOKUP.DAT that does not fit is refused with its reason; the palette
    // and its shades still load.
    WriteBytes(dir.Path("lookup.dat"), {2, 5, 1, 2, 3});
    LoadPaletteFile(dir.Path("PALETTE.DAT"));
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0],
              "The palette was loaded.\n" + dir.Path("lookup.dat") +
                  " was not loaded: it claims 2 palette swaps (514 bytes), but only 4 bytes follow "
                  "its count");
    EXPECT_TRUE(MenuEnabled(form.mnuShade));
    EXPECT_FALSE(MenuEnabled(form.mnuSwap));
    EXPECT_EQ(Captions(form.mnuSwap), std::vector<std::string>{"None"});
}

TEST_F(TileSetTest, ExportChangesAsModWritesTheChangedTilesOrNothing) {
    LoadPaletteFile(WriteTestPalette());
    WriteSet();
    OpenSet(folder);
    const std::string out = dir.Path("mod");
    std::filesystem::create_directory(out);

    form.mnuExportMod->trigger();
    EXPECT_EQ(prompts.Messages(),
              std::vector<std::string>{"No tile differs from the tiles as they were opened, so "
                                       "there is no mod to export. Nothing was written."});
    EXPECT_TRUE(ListDir(out).empty());

    GoTo(6);  // game tile 5: resized
    prompts.AnswerInput("3");
    prompts.AnswerInput("1");
    form.mnuresize->trigger();
    GoTo(10);  // game tile 9: cleared
    form.mnuclr->trigger();
    form.mnuSave->trigger();  // saved: still changes against the files as opened

    prompts.ClearShown();
    prompts.AnswerSave(out + "/mymod.def");
    prompts.AnswerYes();  // ifcrc
    form.mnuExportMod->trigger();
    EXPECT_EQ(form.StatusText(), "Done: 2 tiles, 1 picture.");
    const Bytes def = ReadBytes(out + "/mymod.def");
    const std::string text(def.begin(), def.end());
    EXPECT_NE(text.find("\ntilefromtexture 5 { file \"tiles/tile5.png\" xoffset 0 yoffset 0 "
                        "ifcrc "),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\nundefinetile 9\n"), std::string::npos) << text;
    EXPECT_EQ(ListDir(out + "/tiles"), std::vector<std::string>{"tile5.png"});
}

TEST_F(TileSetTest, ASetsRecoveryCopyGoesBackIntoItsSet) {
    WriteSet();
    const std::string palette = WriteTestPalette();
    const std::string copies = dir.Path("recovery");
    {
        // An editor that ends without a word, as a crash ends it.
        ScriptedPrompts script;
        Editor gone(script);
        gone.form1->Form_Load();
        gone.KeepRecoveryCopies(copies);
        script.AnswerOpen(palette);
        gone.form1->mnuPal->trigger();
        script.AnswerOpen(folder);
        gone.form1->mnuOpenSet->trigger();
        gone.state.currentTile = 6;
        gone.form1->mnuclr->trigger();
        gone.recovery->WriteNow();
        gone.recovery->WaitUntilIdle();
    }
    editor.KeepRecoveryCopies(copies);
    prompts.AnswerMessage(MessageAnswer::Recover);
    OfferRecovery(editor);
    ASSERT_EQ(prompts.Messages().size(), 1u);
    EXPECT_EQ(prompts.Messages()[0],
              "Pixmill was closed with unsaved changes to " + folder + ". Recover them?");
    ASSERT_TRUE(editor.tileset.IsSet());
    EXPECT_EQ(form.Caption(), "Pixmill - " + folder + " (3 files) *");
    EXPECT_EQ(editor.tileset.tile(6).PixelCount(), 0u);
    EXPECT_EQ(editor.tileset.setFiles.size(), 3u);

    // Saved, only the file that holds the recovered change is written.
    const Bytes first = ReadBytes(In("TILES000.ART"));
    const FileStamp third = StampOf(In("TILES002.ART"));
    form.mnuSave->trigger();
    Tileset second = Numbered(4, 4, true);
    second.tile(2) = Tile{};
    second.tile(2).attributes[3] = 16;
    EXPECT_EQ(ReadBytes(In("tiles001.art")), *ArtBytes(second));
    EXPECT_EQ(ReadBytes(In("TILES000.ART")), first);
    EXPECT_EQ(StampOf(In("TILES002.ART")), third);
}

}  // namespace
}  // namespace pixmill::test
