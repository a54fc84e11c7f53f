#pragma once
// A game's LOOKUP.DAT: a byte N, then N palette swaps, each a swap number (one
// byte) and a 256-byte table giving each colour index its index under that
// swap; then the game's alternative palettes, 768 bytes each of 6-bit values:
// underwater, slime, title screen, studio logo, ending. Some games have fewer,
// or none, after the swaps.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/Result.h"
#include "palette/Palette.h"
#include "palette/ShadeTables.h"

namespace pixmill {

inline constexpr std::string_view kAlternativePaletteNames[] = {
    "Underwater", "Slime", "Title screen", "Studio logo", "Ending"};

struct PaletteSwap {
    int number = 0;
    ColourMap map{};
};

struct LookupTables {
    // By number. Where the file holds a number twice, the later table, which
    // is the one a game keeps.
    std::vector<PaletteSwap> swaps;
    // In the file's order, each value times 4 as in a Build palette.
    std::vector<Palette> alternatives;
};

// Everything is checked against the file's length before anything is kept; a
// file that does not fit (swaps or a palette cut short, bytes after the fifth
// palette, a colour value above 63) is refused with the reason.
Result<LookupTables> ReadLookup(std::span<const std::uint8_t> bytes);
Result<LookupTables> ReadLookupFile(const std::string& path);

// The file these tables are read from.
std::vector<std::uint8_t> LookupBytes(const LookupTables& tables);

// The LOOKUP.DAT beside a palette file, in any case; empty when there is none.
std::string LookupBeside(const std::string& palettePath);

}  // namespace pixmill
