#pragma once
// What a game's PALETTE.DAT holds after its 768 bytes of colours: a 16-bit
// count of shade levels, that many 256-byte shade tables (table s gives each
// colour index its index at shade s, 0 the brightest), a 65,536-byte
// translucency table, and in some releases more bytes. Everything is kept as
// stored, so that the bytes written back are the file's: a table that does
// not map the see-through index 255 to itself (the engines make it so when
// they load a file) is drawn with as it stands.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/Result.h"

namespace pixmill {

// A colour index for each colour index: a shade table, a palette swap.
using ColourMap = std::array<std::uint8_t, 256>;

inline constexpr std::size_t kPaletteColoursSize = 768;
inline constexpr std::size_t kTranslucencySize = 65536;

struct ShadeTables {
    std::vector<ColourMap> shades;
    std::vector<std::uint8_t> translucency;  // 65,536 bytes, or none
    std::vector<std::uint8_t> extra;         // whatever follows it
};

// From the whole bytes of a Build palette file. A file of its colours alone
// has no tables (an empty result); tables that do not fit in the file are
// refused with the reason, before anything is allocated for them.
Result<ShadeTables> ReadShadeTables(std::span<const std::uint8_t> paletteFile);

// The bytes after the colours that give these tables back.
std::vector<std::uint8_t> ShadeTablesBytes(const ShadeTables& tables);

}  // namespace pixmill
