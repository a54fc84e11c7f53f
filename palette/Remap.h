#pragma once
// Tiles as the game shows them in its light and under its palette swaps. The
// game draws colour index i through a swap and then a shade table, so the
// screen shows colours[shade[swap[i]]]: composed once into a 256-entry
// palette, that costs the drawing nothing per pixel. An alternative palette
// (underwater, slime ...) replaces the colours and keeps the indices.

#include <optional>

#include "palette/LookupFile.h"
#include "palette/Palette.h"
#include "palette/ShadeTables.h"

namespace pixmill {

// Either map may be null, leaving the index as it is.
Palette RemappedPalette(const Palette& colours, const ColourMap* swap, const ColourMap* shade);

// What the editor draws through: a shade level (none: the palette as it is)
// and a swap by its number or an alternative palette by its place.
struct DrawingChoice {
    std::optional<int> shade;
    std::optional<int> swapNumber;
    std::optional<int> alternative;
    friend bool operator==(const DrawingChoice&, const DrawingChoice&) = default;
};

// The palette a tile is drawn with under choice. A choice the tables do not
// hold (a level past the last, a swap the file lacks) draws as if not made.
Palette ChosenPalette(const Palette& palette, const ShadeTables& shades, const LookupTables& lookup,
                      const DrawingChoice& choice);

}  // namespace pixmill
