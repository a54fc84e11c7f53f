// The view converts only the part of a tile it shows; what it shows must be
// exactly what drawing the whole tile's buffer shows.

#include "app/TileView.h"
#include "app/WindowProcedures.h"
#include "platform/Dib.h"
#include "platform/PictureBox.h"
#include "tests/app/WindowTestSupport.h"

namespace pixmill::test {
namespace {

class VisibleViewTest : public WindowTest {};

TEST_F(VisibleViewTest, TheViewShowsWhatTheWholeTileDrawnShows) {
    const struct {
        int width, height;
        std::uint8_t xOffset, yOffset;
    } tiles[] = {
        {1024, 1024, 0, 0}, {7, 5, 0, 0},     {1000, 3, 0, 0},    {3, 1000, 0, 0},
        {640, 400, 0, 0},   {641, 393, 1, 1}, {300, 200, 127, 0}, {300, 200, 128, 255},
        {33, 17, 100, 200}, {1, 1, 127, 127},
    };
    Tileset set;
    for (const auto& t : tiles) {
        Tile tile = PatternTile(t.width, t.height, static_cast<std::uint8_t>(set.tiles.size()));
        tile.attributes = {0, t.xOffset, t.yOffset, 0};
        set.tiles.push_back(tile);
    }
    set.lastTileNumber = set.tileCount() - 1;
    OpenTileset(set);

    PictureBox& view = *form.Picture1;
    PictureBox reference(nullptr, 2, QColor(128, 128, 128));
    for (int zoom : {1, 2, 4, 8, 32}) {
        for (int n = 1; n <= set.tileCount(); ++n) {
            editor.state.zoomFactor = static_cast<std::int16_t>(zoom);
            editor.state.currentTile = static_cast<std::int16_t>(n);
            UpdateTileView(editor, 0);
            RenderCurrentTile(editor, n);
            // The view is narrower or lower by a scroll bar while the tile does not fit.
            reference.SetOuterSize(view.width(), view.height());

            const Tile& tile = editor.tileset.tile(n);
            const TileViewImage whole = BuildTileViewImage(tile, editor.palette);
            StretchDIBits(reference, editor.state.tileDrawX, editor.state.tileDrawY,
                          tile.width * zoom, tile.height * zoom, 0, 0, tile.width, tile.height,
                          whole.bytes, whole.header);
            ASSERT_TRUE(view.image() == reference.image())
                << tile.width << "x" << tile.height << " at zoom " << zoom << ", drawn at "
                << editor.state.tileDrawX << "," << editor.state.tileDrawY;
        }
    }
}

TEST(VisibleTileRegion, IsEmptyWhenNothingShowsAndWithinTheTileOtherwise) {
    const struct {
        int width, height, zoom, x, y;
        TileRegion expected;
    } cases[] = {
        {1024, 1024, 8, -3800, -3900, {475, 487, 80, 50}},  // 637 x 389 view at 8x
        {10, 10, 1, 637, 0, {}},                            // just right of the view
        {10, 10, 4, -40, 0, {}},                            // just left of it
        {10, 10, 4, -39, 0, {9, 0, 1, 10}},                 // one column shows
        {0, 10, 1, 0, 0, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VisibleTileRegion(c.width, c.height, c.zoom, c.x, c.y, 637, 389), c.expected)
            << c.width << "x" << c.height << " at " << c.x << "," << c.y;
    }
}

}  // namespace
}  // namespace pixmill::test
