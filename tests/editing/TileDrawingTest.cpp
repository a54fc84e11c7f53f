#include "editing/TileDrawing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "editing/TileClip.h"
#include "editing/TileStroke.h"
#include "editing/TilesetChange.h"
#include "tests/TestSupport.h"

namespace pixmill {
namespace {

using test::PatternTile;
using test::TileOf;

// A tile drawn as text, one string a row: '.' is 0, '#' 1, 'o' 2, '*' 9.
Tile Picture(const std::vector<std::string>& rows) {
    const auto value = [](char c) { return c == '#' ? 1 : c == 'o' ? 2 : c == '*' ? 9 : 0; };
    return TileOf(
        static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), [&](int x, int y) {
            return value(rows[static_cast<std::size_t>(y - 1)][static_cast<std::size_t>(x - 1)]);
        });
}

std::vector<std::string> Rows(const Tile& tile) {
    std::vector<std::string> rows;
    for (int y = 1; y <= tile.height; ++y) {
        std::string row;
        for (int x = 1; x <= tile.width; ++x) {
            const int v = tile.Pixel(x, y);
            row += v == 1 ? '#' : v == 2 ? 'o' : v == 9 ? '*' : v == 0 ? '.' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<TilePoint> LinePixels(TilePoint a, TilePoint b) {
    std::vector<TilePoint> points;
    ForEachLinePixel(a, b, [&](TilePoint p) { points.push_back(p); });
    return points;
}

TEST(TileDrawing, LinesRunEndToEndWithoutGapsAtEverySlope) {
    // One pixel a step along the longer side, each touching the one before.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-40, 40);
    for (int i = 0; i < 500; ++i) {
        const TilePoint a{coordinate(random), coordinate(random)};
        const TilePoint b{coordinate(random), coordinate(random)};
        const std::vector<TilePoint> line = LinePixels(a, b);
        ASSERT_EQ(line.front(), a);
        ASSERT_EQ(line.back(), b);
        ASSERT_EQ(line.size(),
                  static_cast<std::size_t>(std::max(std::abs(b.x - a.x), std::abs(b.y - a.y)) + 1));
        for (std::size_t k = 1; k < line.size(); ++k) {
            ASSERT_LE(std::abs(line[k].x - line[k - 1].x), 1);
            ASSERT_LE(std::abs(line[k].y - line[k - 1].y), 1);
        }
    }
    // A shallow line steps down half way along, as a straight line does.
    EXPECT_EQ(LinePixels({1, 1}, {5, 2}),
              (std::vector<TilePoint>{{1, 1}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}));
}

TEST(TileDrawing, ALineChangesOnlyWhatLiesInsideItsClipAndTheTile) {
    Tile tile = Picture({"......", "......", "......", "......"});
    // From outside the tile on the left, across, to below it on the right.
    const PixelRect changed = DrawLine(tile, {-2, 1}, {9, 5}, 9, {1, 0, 4, 4});
    EXPECT_EQ(Rows(tile), (std::vector<std::string>{"......", ".*....", "..**..", "....*."}));
    EXPECT_EQ(changed, (PixelRect{1, 1, 4, 3}));
    // Restored from the tile as it was: the same pixels, nothing else.
    const Tile blank = Picture({"......", "......", "......", "......"});
    EXPECT_EQ(RestoreLine(tile, blank, {-2, 1}, {9, 5}, {0, 0, 6, 4}), (PixelRect{0, 1, 6, 3}));
    EXPECT_EQ(Rows(tile), Rows(blank));
    EXPECT_TRUE(DrawLine(tile, {1, 1}, {6, 1}, 9, {}).empty());
}

TEST(TileDrawing, FillStopsAtTheAreaAndTheTileEdges) {
    const struct {
        std::vector<std::string> before;
        TilePoint at;
        std::vector<std::string> after;
        PixelRect changed;
    } cases[] = {
        // Walls hold it; a corner is no way through.
        {{"..#...", "..#.#.", "###.#.", "....#."},
         {1, 1},
         {"**#...", "**#.#.", "###.#.", "....#."},
         {0, 0, 2, 2}},
        // Column 1 ends where column 2 begins in memory: no way through there.
        {{"#.", "##", ".#"}, {1, 3}, {"#.", "##", "*#"}, {0, 2, 1, 1}},
        {{"#.", "##", ".#"}, {2, 1}, {"#*", "##", ".#"}, {1, 0, 1, 1}},
        // A winding area, reached back and forth between columns.
        {{"......", ".####.", ".#..#.", ".#.##.", ".#....", ".#####"},
         {3, 3},
         {"******", "*####*", "*#**#*", "*#*##*", "*#****", "*#####"},
         {0, 0, 6, 6}},
        // The area of the pixel clicked, whatever colour it is.
        {{"o##o", "#oo#", "o##o"}, {2, 2}, {"o##o", "#**#", "o##o"}, {1, 1, 2, 1}},
        // Already that colour, or outside the tile: nothing.
        {{"**", "**"}, {1, 1}, {"**", "**"}, {}},
        {{"..", ".."}, {3, 1}, {"..", ".."}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before[0]);
        Tile tile = Picture(c.before);
        EXPECT_EQ(FillArea(tile, c.at, 9), c.changed);
        EXPECT_EQ(Rows(tile), c.after);
    }
}

// The area of at's colour found one pixel at a time, for comparison.
std::set<std::pair<int, int>> AreaOf(const Tile& tile, TilePoint at) {
    std::set<std::pair<int, int>> area{{at.x, at.y}};
    std::deque<TilePoint> open{at};
    const std::uint8_t colour = tile.Pixel(at.x, at.y);
    while (!open.empty()) {
        const TilePoint p = open.front();
        open.pop_front();
        for (const TilePoint n : {TilePoint{p.x - 1, p.y}, TilePoint{p.x + 1, p.y},
                                  TilePoint{p.x, p.y - 1}, TilePoint{p.x, p.y + 1}}) {
            if (n.x >= 1 && n.y >= 1 && n.x <= tile.width && n.y <= tile.height &&
                tile.Pixel(n.x, n.y) == colour && area.insert({n.x, n.y}).second) {
                open.push_back(n);
            }
        }
    }
    return area;
}

TEST(TileDrawing, FillChangesExactlyTheConnectedArea) {
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
        const int width = 1 + static_cast<int>(random() % 70);
        const int height = 1 + static_cast<int>(random() % 70);
        // Two or three colours in blobs, so that areas wind.
        const unsigned colours = 2 + static_cast<unsigned>(round % 2);
        const Tile before = TileOf(width, height, [&](int, int) { return random() % colours; });
        const TilePoint at{1 + static_cast<int>(random() % static_cast<unsigned>(width)),
                           1 + static_cast<int>(random() % static_cast<unsigned>(height))};
        const auto area = AreaOf(before, at);
        Tile tile = before;
        FillArea(tile, at, 7);
        for (int x = 1; x <= width; ++x) {
            for (int y = 1; y <= height; ++y) {
                const bool inside = area.count({x, y}) != 0;
                ASSERT_EQ(tile.Pixel(x, y), inside ? 7 : before.Pixel(x, y))
                    << round << ": " << x << "," << y;
            }
        }
    }
}

TEST(TileStroke, APencilDragLeavesAnUnbrokenTrailAndKeepsTheTileAsItWas) {
    const Tile original = PatternTile(30, 20, 3);
    Tile tile = original;
    TileStroke stroke(DrawingTool::Pencil, tile, 200, {2, 2}, WholeTile(tile));
    EXPECT_EQ(stroke.Begin(tile), (PixelRect{1, 1, 1, 1}));
    // Far apart, as a fast drag reports them; the last one off the tile.
    const std::vector<TilePoint> path{{2, 2}, {27, 9}, {3, 18}, {40, 18}};
    PixelRect changed;
    for (std::size_t k = 1; k < path.size(); ++k) {
        changed = Union(changed, stroke.MoveTo(tile, path[k]));
    }
    EXPECT_EQ(changed, (PixelRect{1, 1, 29, 17}));
    std::set<std::pair<int, int>> trail;
    for (std::size_t k = 1; k < path.size(); ++k) {
        ForEachLinePixel(path[k - 1], path[k], [&](TilePoint p) { trail.insert({p.x, p.y}); });
    }
    for (int x = 1; x <= tile.width; ++x) {
        for (int y = 1; y <= tile.height; ++y) {
            ASSERT_EQ(tile.Pixel(x, y), trail.count({x, y}) ? 200 : original.Pixel(x, y));
        }
    }
    EXPECT_EQ(stroke.before().pixels, original.pixels);
}

TEST(TileStroke, ALineFollowsThePointerAndLeavesOnlyTheLastLine) {
    Tile tile = Picture({".......", ".......", ".......", "......."});
    // Only the middle rows show.
    TileStroke stroke(DrawingTool::Line, tile, 9, {1, 2}, {0, 1, 7, 2});
    stroke.Begin(tile);
    stroke.MoveTo(tile, {7, 1});
    EXPECT_EQ(Rows(tile), (std::vector<std::string>{".......", "****...", ".......", "......."}));
    stroke.MoveTo(tile, {7, 4});
    EXPECT_EQ(Rows(tile), (std::vector<std::string>{".......", "**.....", "..***..", "......."}));
    EXPECT_TRUE(stroke.MoveTo(tile, {7, 4}).empty());
}

TEST(TileClip, ATileGoesThroughTheClipboardToTheByteAndDamageIsRefused) {
    Tile blank;
    blank.attributes = {0, 0, 0, 16};
    Tile odd = PatternTile(5, 3, 9);
    odd.attributes = {0x83, 5, 250, 7};
    for (const Tile& tile : {blank, odd, PatternTile(1, 300)}) {
        const auto back = ReadTileClip(TileClipBytes(tile));
        ASSERT_TRUE(back) << back.reason();
        EXPECT_TRUE(SameTile(*back, tile));
    }
    const std::vector<std::uint8_t> good = TileClipBytes(odd);
    std::vector<std::uint8_t> longer = good;
    longer.push_back(0);
    std::vector<std::uint8_t> negative = good;
    negative[5] = 0x80;
    std::vector<std::uint8_t> foreign = good;
    foreign[0] = 'Q';
    const std::vector<std::pair<std::vector<std::uint8_t>, std::string>> broken{
        {{}, "not a tile copied by Pixmill"},
        {foreign, "not a tile copied by Pixmill"},
        {{good.begin(), good.end() - 1}, "holds 14 pixels for a tile of 5 x 3"},
        {longer, "holds 16 pixels"},
        {negative, "negative size"}};
    for (const auto& [bytes, why] : broken) {
        const auto read = ReadTileClip(bytes);
        ASSERT_FALSE(read);
        EXPECT_NE(read.reason().find(why), std::string::npos) << read.reason();
    }
}

}  // namespace
}  // namespace pixmill
