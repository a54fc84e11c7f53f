#include "app/ViewLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "app/TileView.h"

namespace pixmill {
namespace {

// The room of the window at its first size, with scroll bars 14 pixels thick.
constexpr ViewRoom kRoom{641, 393, 2, 14};

TEST(LayOutView, ATileThatFitsIsPlacedAsBeforeAndOneThatDoesNotScrolls) {
    struct Case {
        const char* what;
        int width, height, zoom;
        std::uint8_t xOffset, yOffset;
        ViewLayout expected;
    };
    const Case cases[] = {
        {"fits: centred in the whole view", 32, 32, 1, 0, 0, {641, 393, {304, 0, 0}, {180, 0, 0}}},
        // 512 high in 389: a bar on the right; centred across what is left
        // ((627 - 512) / 2 = 57.5 -> 58), scrolled down from its middle
        // (256 - 194.5 = 61.5 -> 62).
        {"too high", 64, 64, 8, 0, 0, {627, 393, {58, 0, 0}, {-62, 123, 62}}},
        // The offsets still move a side that fits, never one that scrolls.
        {"too high, with offsets", 64, 64, 8, 5, 5, {627, 393, {18, 0, 0}, {-62, 123, 62}}},
        // 800 wide in 637: a bar along the bottom, 400 - 318.5 = 81.5 -> 82.
        {"too wide", 200, 64, 4, 0, 0, {641, 379, {-82, 163, 82}, {62, 0, 0}}},
        // 390 high needs a bar on the right, which leaves 623 across for 630.
        {"one bar brings the other", 630, 390, 1, 0, 0, {627, 379, {-4, 7, 4}, {-8, 15, 8}}},
        {"32x: both ways", 24, 16, 32, 0, 0, {627, 379, {-72, 145, 72}, {-68, 137, 68}}},
        {"32x on a tile that still fits", 8, 8, 32, 0, 0, {641, 393, {192, 0, 0}, {68, 0, 0}}},
        {"an empty tile", 0, 0, 32, 0, 0, {641, 393, {320, 0, 0}, {196, 0, 0}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LayOutView(kRoom, c.width, c.height, c.zoom, c.xOffset, c.yOffset, ViewAnchor{}),
                  c.expected)
            << c.what;
    }
}

TEST(LayOutView, AZoomKeepsTheTilePointUnderTheAnchor) {
    // A 400 x 300 tile at 2x scrolls both ways; from each point of the view,
    // every zoom up and down keeps the tile pixel under it, or the scroll
    // stops at an end of its range.
    const ViewLayout before = LayOutView(kRoom, 400, 300, 2, 0, 0, ViewAnchor{});
    for (const auto& [px, py] :
         {std::pair{100.0, 50.0}, {0.0, 0.0}, {600.0, 370.0}, {313.0, 188.0}}) {
        const ViewAnchor anchor = AnchorAt(before, 800, 600, px, py);
        const double tileX = (px - before.x.draw) / 2;
        const double tileY = (py - before.y.draw) / 2;
        for (int zoom : {1, 4, 8, 16, 32}) {
            const ViewLayout after = LayOutView(kRoom, 400, 300, zoom, 0, 0, anchor);
            const auto kept = [&](const ViewAxis& axis, double point, double tile) {
                const double shown = (point - axis.draw) / zoom;
                return std::abs(shown - tile) <= 1.0 || axis.scroll == 0 ||
                       axis.scroll == axis.scrollMax || axis.scrollMax == 0;
            };
            EXPECT_TRUE(kept(after.x, px, tileX)) << px << "," << py << " at " << zoom;
            EXPECT_TRUE(kept(after.y, py, tileY)) << px << "," << py << " at " << zoom;
            EXPECT_GE(after.x.scroll, 0);
            EXPECT_LE(after.x.scroll, after.x.scrollMax);
        }
    }
    // Laid out again as it is, a view stays where it was scrolled to.
    ViewLayout scrolled = before;
    scrolled.x = {-37, before.x.scrollMax, 37};
    scrolled.y = {-201, before.y.scrollMax, 201};
    EXPECT_EQ(LayOutView(kRoom, 400, 300, 2, 0, 0, AnchorAtCentre(scrolled, 2, 800, 600)),
              scrolled);
}

TEST(StepScale, StepsAlongTheScaleListAndStopsAtItsEnds) {
    const struct {
        int zoom, steps, expected;
    } cases[] = {{1, 1, 2},   {8, 1, 16},  {16, 1, 32}, {32, 1, 32}, {1, -1, 1},
                 {16, -2, 4}, {32, -9, 1}, {3, 1, 4},   {3, -1, 2},  {4, 0, 4}};
    for (const auto& c : cases) {
        EXPECT_EQ(StepScale(c.zoom, c.steps), c.expected) << c.zoom << " by " << c.steps;
    }
}

}  // namespace
}  // namespace pixmill
