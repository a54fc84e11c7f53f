// The real tileset and palette of a Build game, opened through the commands:
// skipped when the shared fixtures are absent, as in a fresh clone.

#include <QAction>

#include "platform/PictureBox.h"
#include "tests/app/WindowTestSupport.h"

namespace pixmill::test {
namespace {

class RealFilesTest : public WindowTest {};

TEST_F(RealFilesTest, TheGamesTilesDrawInTheGamesColours) {
    const std::string palettePath = FixturePath("kenbuild/PALETTE.DAT");
    const std::string artPath = FixturePath("kenbuild/TILES000.ART");
    if (palettePath.empty() || artPath.empty()) {
        GTEST_SKIP() << "the shared fixtures are absent";
    }
    const Bytes paletteBytes = ReadBytes(palettePath);
    LoadPaletteFile(palettePath);
    OpenArt(artPath);
    ASSERT_TRUE(prompts.Messages().empty());
    ASSERT_EQ(editor.tileset.tileCount(), 256);
    EXPECT_EQ(form.Caption(), "Pixmill - " + artPath);

    // Every non-empty tile small enough to fit the view at 1x, opened from
    // the browser: each of its pixels shows the file's 6-bit colour times 4.
    int checked = 0;
    for (int t = 1; t <= editor.tileset.tileCount(); ++t) {
        const Tile& tile = editor.tileset.tile(t);
        if (tile.width == 0 || tile.height == 0 || tile.width > 600 || tile.height > 380) {
            continue;
        }
        browser.VScroll1->setValue(std::min((t - 1) / 8, browser.VScroll1->maximum()));
        const int pageRow = (t - 1) / 8 - browser.VScroll1->value();
        browser.Picture1_MouseDown(1, 0, (t - 1) % 8 * 70 + 5, pageRow * 70 + 5);
        ASSERT_EQ(editor.state.currentTile, t);
        const int left = editor.state.tileDrawX;
        const int top = editor.state.tileDrawY;
        for (int x = 1; x <= tile.width; x += 3) {
            for (int y = 1; y <= tile.height; y += 3) {
                const std::size_t index = tile.Pixel(x, y);
                const QColor expected(paletteBytes[3 * index] * 4, paletteBytes[3 * index + 1] * 4,
                                      paletteBytes[3 * index + 2] * 4);
                ASSERT_EQ(ViewPixel(left + x - 1, top + y - 1), expected)
                    << "tile " << t << " at " << x << "," << y;
            }
        }
        ++checked;
    }
    EXPECT_GT(checked, 100);
}

}  // namespace
}  // namespace pixmill::test
