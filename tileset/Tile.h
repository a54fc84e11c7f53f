#pragma once
// One tile: an 8-bit palettised picture plus its four attribute bytes.

#include <array>
#include <cstddef>
#include <cstdint>

#include "tileset/TilePixels.h"

namespace pixmill {

inline constexpr int kMaxTileSide = 32767;

using TileAttributes = std::array<std::uint8_t, 4>;

struct Tile {
    std::int16_t width = 0;
    std::int16_t height = 0;
    // Byte 0: frame count - 1 and animation type; 1: x offset; 2: y offset; 3: speed.
    TileAttributes attributes{};
    // Column by column (x outer, y inner), the order of the ART file, so a tile
    // is read and written with a single copy.
    TilePixels pixels;

    std::size_t PixelCount() const {
        return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    }
    // x from 1 to width, y from 1 to height.
    std::uint8_t& Pixel(int x, int y) { return pixels[Index(x, y)]; }
    std::uint8_t Pixel(int x, int y) const { return pixels[Index(x, y)]; }

  private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(x - 1) * static_cast<std::size_t>(height) +
               static_cast<std::size_t>(y - 1);
    }
};

}  // namespace pixmill
