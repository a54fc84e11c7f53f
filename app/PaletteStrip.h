#pragma once
// The palette strip's arithmetic and what it and the swatches tell about a
// colour. No window code here.

#include <string>

#include "palette/Palette.h"

namespace pixmill {

// The palette index shown at pixel (x, y) of the 512 x 8 strip (4 x 4 blocks,
// 0..127 along the upper band, 128..255 the lower); -1 outside it.
int PaletteIndexAt(int x, int y);

// "Index 37 - red 148, green 72, blue 12", the 8-bit values the editor uses.
std::string PaletteEntryText(int index, const PaletteEntry& entry);

// Whether black text reads better than white on the colour (by its luma).
bool DarkTextOn(const PaletteEntry& entry);

}  // namespace pixmill
