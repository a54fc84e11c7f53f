#pragma once
// The 256-colour table through which tiles are shown and exported.

#include <array>
#include <cstdint>

namespace pixmill {

struct PaletteEntry {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

// Indexed by pixel value; all black until a palette is loaded.
using Palette = std::array<PaletteEntry, 256>;

}  // namespace pixmill
