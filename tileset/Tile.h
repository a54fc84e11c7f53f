#pragma once
// One tile: an 8-bit palettised picture plus its four attribute bytes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace pixmill {

inline constexpr int kMaxTileSide = 32767;

using TileAttributes = std::array<std::uint8_t, 4>;

// An allocator whose resize() leaves new bytes uninitialised. Readers fill a
// tile's pixels straight from the file, and zeroing them first would double the
// work of a load. Code that needs zeros says so: assign(n, 0).
template <class T>
struct UninitialisedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = UninitialisedAllocator<U>;
    };
    UninitialisedAllocator() = default;
    template <class U>
    explicit UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept {}
    template <class U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

using PixelBuffer = std::vector<std::uint8_t, UninitialisedAllocator<std::uint8_t>>;

struct Tile {
    std::int16_t width = 0;
    std::int16_t height = 0;
    // Byte 0: frame count - 1 and animation type; 1: x offset; 2: y offset; 3: speed.
    TileAttributes attributes{};
    // Column by column (x outer, y inner), the order of the ART file, so a tile
    // is read and written with a single copy.
    PixelBuffer pixels;

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
