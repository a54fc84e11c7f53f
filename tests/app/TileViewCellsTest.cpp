#include "app/TileViewCells.h"

#include <gtest/gtest.h>

#include <string>

#include "app/DroppedFiles.h"

namespace pixmill {
namespace {

// The tile view's drawing area, 641 x 393 less its frame.
constexpr int kViewWidth = 637;
constexpr int kViewHeight = 389;

TEST(TileViewCells, EveryViewPointMapsToThePixelDrawnThereAtEveryZoom) {
    // Tiles centred, shifted by offsets, larger than the view, off its edges.
    const struct {
        int width, height, zoom;
        std::int32_t drawX, drawY;
    } layouts[] = {{32, 32, 1, 304, 180}, {32, 32, 2, 290, 162},  {64, 64, 8, 64, -60},
                   {40, 30, 4, -37, 250}, {5, 3, 8, 630, 385},    {1024, 1024, 8, -3777, -3902},
                   {7, 9, 2, -13, -17},   {100, 50, 4, 200, -190}};
    for (const auto& l : layouts) {
        SCOPED_TRACE(std::to_string(l.width) + "x" + std::to_string(l.height) + " at " +
                     std::to_string(l.zoom) + ", " + std::to_string(l.drawX) + "," +
                     std::to_string(l.drawY));
        // Every point of the view, and a border around it.
        for (int y = -3; y < kViewHeight + 3; ++y) {
            for (int x = -3; x < kViewWidth + 3; ++x) {
                // Pixel (px, py) covers drawX + (px - 1) * zoom .. + zoom - 1.
                const int dx = x - l.drawX;
                const int dy = y - l.drawY;
                const bool inTile =
                    dx >= 0 && dy >= 0 && dx < l.width * l.zoom && dy < l.height * l.zoom;
                const bool inView = x >= 0 && y >= 0 && x < kViewWidth && y < kViewHeight;
                const std::optional<TilePoint> p = TilePixelAt(
                    x, y, l.width, l.height, l.zoom, l.drawX, l.drawY, kViewWidth, kViewHeight);
                ASSERT_EQ(p.has_value(), inTile && inView) << x << "," << y;
                if (p) {
                    ASSERT_EQ(*p, (TilePoint{dx / l.zoom + 1, dy / l.zoom + 1})) << x << "," << y;
                }
            }
        }
        // Outside the tile the pixel counts on, below 1 to the left and above.
        EXPECT_EQ(TilePointAt(l.drawX - 1, l.drawY - l.zoom, l.zoom, l.drawX, l.drawY),
                  (TilePoint{0, 0}));
        EXPECT_EQ(TilePointAt(l.drawX - l.zoom - 1, l.drawY, l.zoom, l.drawX, l.drawY),
                  (TilePoint{-1, 1}));
    }
}

TEST(TileViewCells, ChangedPixelsCoverTheirCellsClippedToTheView) {
    const struct {
        PixelRect region;
        int zoom;
        std::int32_t drawX, drawY;
        ViewRect cells;
    } cases[] = {
        {{0, 0, 1, 1}, 1, 304, 180, {304, 180, 1, 1}},
        {{2, 3, 4, 1}, 8, 10, 20, {26, 44, 32, 8}},
        {{0, 0, 10, 10}, 8, -20, -30, {0, 0, 60, 50}},  // cut at the top left
        {{70, 40, 20, 20}, 8, 100, 100, {0, 0, 0, 0}},  // beyond the bottom right
        {{78, 47, 5, 5}, 8, 0, 0, {624, 376, 13, 13}},  // cut at the bottom right
        {{0, 0, 0, 5}, 4, 0, 0, {}},                    // nothing changed
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CellsInView(c.region, c.zoom, c.drawX, c.drawY, kViewWidth, kViewHeight), c.cells)
            << c.region.x << "," << c.region.y;
    }
}

TEST(DroppedFiles, AFileIsToldByItsNameInAnyCase) {
    const std::pair<const char*, DroppedFile> cases[] = {
        {"/g/TILES000.ART", DroppedFile::ArtFile},
        {"tiles001.art", DroppedFile::ArtFile},
        {"/g/PALETTE.DAT", DroppedFile::PaletteFile},
        {"my.Pal", DroppedFile::PaletteFile},
        {"wall.png", DroppedFile::PictureFile},
        {"WALL.BMP", DroppedFile::PictureFile},
        {"/g/art", DroppedFile::Other},
        {"notes.txt", DroppedFile::Other},
        {"png", DroppedFile::Other},
        {"", DroppedFile::Other}};
    for (const auto& [path, kind] : cases) {
        EXPECT_EQ(KindOfDroppedFile(path), kind) << path;
    }
}

}  // namespace
}  // namespace pixmill
