#pragma once
// The palette as one 32-bit word per entry, for the loops that turn palette
// indices into 24-bit pixels: blue in the low byte, then green and red, so one
// little-endian store writes a pixel's three bytes (and a zero after them,
// which the next pixel or padding overwrites).

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "palette/Palette.h"

namespace pixmill {

using PaletteWords = std::array<std::uint32_t, 256>;

inline PaletteWords MakePaletteWords(const Palette& palette) {
    PaletteWords words{};
    for (std::size_t i = 0; i < words.size(); ++i) {
        words[i] = std::uint32_t{palette[i].blue} | std::uint32_t{palette[i].green} << 8 |
                   std::uint32_t{palette[i].red} << 16;
    }
    return words;
}

// Four bytes, the low byte first.
inline void StoreWord(std::uint8_t* out, std::uint32_t value) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, &value, sizeof value);
    } else {
        for (int i = 0; i < 4; ++i) {
            out[i] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    }
}

}  // namespace pixmill
