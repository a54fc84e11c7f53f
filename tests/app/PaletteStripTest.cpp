#include "app/PaletteStrip.h"

#include <gtest/gtest.h>

namespace pixmill {
namespace {

TEST(PaletteStrip, EachFourByFourBlockIsOneIndexAndNothingLiesOutside) {
    const struct {
        int x, y, index;
    } cases[] = {{0, 0, 0},  {3, 3, 0},     {4, 0, 1},   {511, 3, 127}, {0, 4, 128},  {511, 7, 255},
                 {21, 2, 5}, {289, 6, 200}, {-1, 0, -1}, {0, -1, -1},   {512, 0, -1}, {0, 8, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(PaletteIndexAt(c.x, c.y), c.index) << c.x << "," << c.y;
    }
}

TEST(PaletteStrip, AColourIsToldByItsIndexAndItsEightBitValues) {
    EXPECT_EQ(PaletteEntryText(37, {148, 72, 12}), "Index 37 - red 148, green 72, blue 12");
    EXPECT_TRUE(DarkTextOn({255, 255, 255}));
    EXPECT_TRUE(DarkTextOn({0, 255, 0}));
    EXPECT_FALSE(DarkTextOn({0, 0, 0}));
    EXPECT_FALSE(DarkTextOn({0, 0, 255}));
}

}  // namespace
}  // namespace pixmill
