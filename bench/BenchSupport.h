#pragma once
// What the benchmark programs share: the clock of manual timing, the tiles
// they are made of, and glibc kept from giving freed memory back.

#include <malloc.h>

#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdlib>

#include "palette/Palette.h"
#include "tileset/Tile.h"

namespace pixmill::bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::time_point start, Clock::time_point stop) {
    return std::chrono::duration<double>(stop - start).count();
}

// A side x side tile whose pixels are told apart by seed, with no short period.
inline Tile PatternTile(int side, int seed) {
    Tile tile;
    tile.width = static_cast<std::int16_t>(side);
    tile.height = static_cast<std::int16_t>(side);
    tile.pixels.resize(tile.PixelCount());
    for (std::size_t i = 0; i < tile.pixels.size(); ++i) {
        tile.pixels[i] =
            static_cast<std::uint8_t>(i * 7 + i / 4099 + static_cast<std::size_t>(seed));
    }
    return tile;
}

// A palette whose 256 entries all differ.
inline Palette DistinctPalette() {
    Palette palette{};
    for (std::size_t i = 0; i < palette.size(); ++i) {
        palette[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i * 7),
                      static_cast<std::uint8_t>(255 - i)};
    }
    return palette;
}

// Freed memory stays with the process, so every run allocates from pages
// already faulted in, whatever ran before it (PIXMILL_BENCH_DEFAULT_MALLOC=1
// keeps glibc's defaults).
inline void KeepFreedMemory() {
    if (std::getenv("PIXMILL_BENCH_DEFAULT_MALLOC") == nullptr) {
        ::mallopt(M_MMAP_MAX, 0);
        ::mallopt(M_TRIM_THRESHOLD, INT_MAX);
    }
}

}  // namespace pixmill::bench
