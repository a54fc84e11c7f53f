#pragma once
// The checks of a range of tiles typed into two input boxes ("Batch Clear...",
// "Batch Export..."), in the order they are made. Each gives the message of
// its failing check, or an empty text when it passes.

#include <string>

namespace pixmill {

// After each number, as typed (fractions count): within -tileCount..tileCount.
std::string TileNumberRefusal(double typed, int tileCount);

// After both, rounded: last not before first, last at most 4096, both at least 1.
std::string TileRangeRefusal(int first, int last);

}  // namespace pixmill
