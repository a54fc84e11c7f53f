// ReadTilePng on any bytes, both ways (indices as they are, and colours
// matched to a palette): an accepted picture is a whole tile within the
// limits, and the tile written as a PNG reads back the same.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "bitmap/TilePng.h"
#include "fuzz/FuzzCheck.h"

namespace {

void CheckTile(const pixmill::Tile& tile) {
    PIXMILL_FUZZ_CHECK(tile.width >= 1 && tile.height >= 1);
    PIXMILL_FUZZ_CHECK(tile.pixels.size() == tile.PixelCount());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    pixmill::Palette palette{};
    for (std::size_t i = 0; i < palette.size(); ++i) {
        palette[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i * 3),
                      static_cast<std::uint8_t>(255 - i)};
    }
    if (const auto matched = pixmill::ReadTilePng(bytes, &palette)) {
        CheckTile(matched->tile);
    }
    const auto picture = pixmill::ReadTilePng(bytes);
    if (!picture) {
        return 0;
    }
    const pixmill::Tile& tile = picture->tile;
    CheckTile(tile);
    PIXMILL_FUZZ_CHECK(picture->colourTable.size() <= 256);

    const auto written = pixmill::TilePngBytes(tile, palette);
    PIXMILL_FUZZ_CHECK(written.ok());
    const auto again = pixmill::ReadTilePng(*written);
    PIXMILL_FUZZ_CHECK(again.ok());
    PIXMILL_FUZZ_CHECK(again->tile.width == tile.width && again->tile.height == tile.height);
    PIXMILL_FUZZ_CHECK(again->tile.pixels == tile.pixels);
    return 0;
}
