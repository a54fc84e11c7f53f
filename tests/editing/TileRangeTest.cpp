#include "editing/TileRange.h"

#include <gtest/gtest.h>

namespace pixmill {
namespace {

TEST(TileRange, TypedNumbersOutsideTheTilesetAreRefusedAsTyped) {
    const struct {
        double typed;
        bool refused;
    } cases[] = {{10, false}, {10.4, true}, {11, true},   {-10, false},
                 {-11, true}, {0, false},   {1e300, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(TileNumberRefusal(c.typed, 10), c.refused ? "Too large tile number." : "")
            << c.typed;
    }
}

TEST(TileRange, TheFirstFailingCheckGivesTheMessage) {
    const struct {
        int first, last;
        const char* message;
    } cases[] = {
        {3, 3, ""},
        {1, 4096, ""},
        {5, 3, "Last tile must come after first tile."},
        {0, 5, "Tile numbers must be greater than 1."},
        {-10, -5, "Tile numbers must be greater than 1."},
        {1, 4097, "Too large value for last tile."},
        // Before is checked before too large, and too large before below 1.
        {5000, 4097, "Last tile must come after first tile."},
        {0, 4097, "Too large value for last tile."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TileRangeRefusal(c.first, c.last), c.message) << c.first << ".." << c.last;
    }
}

}  // namespace
}  // namespace pixmill
