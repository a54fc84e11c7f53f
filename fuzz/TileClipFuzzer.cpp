// ReadTileClip on any bytes: what it accepts is exactly a tile's clipboard
// form, so the tile written back gives the same bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "editing/TileClip.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto tile = pixmill::ReadTileClip(bytes);
    if (!tile) {
        return 0;
    }
    PIXMILL_FUZZ_CHECK(tile->pixels.size() == tile->PixelCount());
    const auto again = pixmill::TileClipBytes(*tile);
    PIXMILL_FUZZ_CHECK(again.size() == size && std::equal(again.begin(), again.end(), data));
    return 0;
}
