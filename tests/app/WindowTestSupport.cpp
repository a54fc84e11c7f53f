#include "tests/app/WindowTestSupport.h"

#include <QAction>

#include "palette/PaletteFile.h"
#include "platform/PictureBox.h"
#include "tileset/ArtFile.h"

namespace pixmill::test {

WindowTest::WindowTest() {
    form.Form_Load();
}

void WindowTest::TearDown() {
    EXPECT_TRUE(prompts.mismatches().empty())
        << (prompts.mismatches().empty() ? "" : prompts.mismatches().front());
    EXPECT_EQ(prompts.unusedAnswers(), 0U) << "answers queued but never asked for";
}

Palette WindowTest::TestPalette() {
    Palette palette;
    for (int i = 0; i < 256; ++i) {
        palette[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i),
                                                static_cast<std::uint8_t>(255 - i),
                                                static_cast<std::uint8_t>((i * 37 + 11) % 256)};
    }
    return palette;
}

std::string WindowTest::WriteTestPalette(const std::string& name) {
    const std::string path = dir.Path(name);
    EXPECT_TRUE(WritePaletteFile(TestPalette(), path).ok());
    return path;
}

std::string WindowTest::WriteArt(const Tileset& tileset, const std::string& name) {
    const std::string path = dir.Path(name);
    const Status written = WriteArtFile(tileset, path);
    EXPECT_TRUE(written.ok()) << written.reason();
    return path;
}

void WindowTest::LoadPaletteFile(const std::string& path) {
    prompts.AnswerOpen(path);
    form.mnuPal->trigger();
}

void WindowTest::OpenArt(const std::string& path) {
    // Tests reopen files in their loops: unsaved changes of the last round are
    // given up, as the question offers.
    if (editor.tilesetOpen && editor.history.Modified()) {
        prompts.AnswerMessage(MessageAnswer::Discard);
    }
    prompts.AnswerOpen(path);
    form.mnuOpen->trigger();
}

void WindowTest::OpenTileset(const Tileset& tileset, const std::string& name) {
    LoadPaletteFile(WriteTestPalette());
    OpenArt(WriteArt(tileset, name));
    ASSERT_EQ(editor.tileset.tileCount(), tileset.tileCount());
}

QColor WindowTest::ViewPixel(int x, int y) const {
    return form.Picture1->Point(x, y);
}

QColor WindowTest::Colour(std::uint8_t index) const {
    const PaletteEntry& entry = editor.palette[index];
    return QColor(entry.red, entry.green, entry.blue);
}

Tileset PatternTileset(int count, int width, int height) {
    Tileset tileset;
    tileset.firstTileNumber = 0;
    tileset.lastTileNumber = count - 1;
    for (int i = 1; i <= count; ++i) {
        tileset.tiles.push_back(PatternTile(width, height, static_cast<std::uint8_t>(i)));
    }
    return tileset;
}

VisibleState Snapshot(const Editor& editor) {
    const Form1& form = *editor.form1;
    return {form.Caption(),
            form.StatusText(),
            form.mnuexppal->isEnabled(),
            form.mnuNew->isEnabled(),
            form.mnuOpen->isEnabled(),
            form.mnuSave->isEnabled(),
            form.mnuSaveAs->isEnabled(),
            MenuEnabled(form.mnuTile),
            editor.state.currentTile,
            editor.tileset.tileCount(),
            editor.tileset.artPath,
            form.Picture1->image(),
            form.Picture2->image(),
            editor.form2->Picture1->image()};
}

}  // namespace pixmill::test
