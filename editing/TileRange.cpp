#include "editing/TileRange.h"

namespace pixmill {

std::string TileNumberRefusal(double typed, int tileCount) {
    if (typed > tileCount || typed < -tileCount) {
        return "Too large tile number.";
    }
    return {};
}

std::string TileRangeRefusal(int first, int last) {
    if (last < first) {
        return "Last tile must come after first tile.";
    }
    if (last > 4096) {
        return "Too large value for last tile.";
    }
    if (first < 1 || last < 1) {
        return "Tile numbers must be greater than 1.";
    }
    return {};
}

}  // namespace pixmill
