#include "editing/TileClip.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "common/ByteIo.h"

namespace pixmill {
namespace {

constexpr std::uint8_t kMagic[4] = {'P', 'X', 'T', '1'};
constexpr std::size_t kHeaderBytes = 12;

}  // namespace

std::vector<std::uint8_t> TileClipBytes(const Tile& tile) {
    const std::size_t n = std::min(tile.PixelCount(), tile.pixels.size());
    std::vector<std::uint8_t> bytes(kHeaderBytes + n, 0);
    std::copy(std::begin(kMagic), std::end(kMagic), bytes.begin());
    PutI16(bytes.data() + 4, tile.width);
    PutI16(bytes.data() + 6, tile.height);
    std::copy(tile.attributes.begin(), tile.attributes.end(), bytes.begin() + 8);
    if (n > 0) {
        std::memcpy(bytes.data() + kHeaderBytes, tile.pixels.data(), n);
    }
    return bytes;
}

Result<Tile> ReadTileClip(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kHeaderBytes ||
        !std::equal(std::begin(kMagic), std::end(kMagic), bytes.begin())) {
        return Status::Fail("it is not a tile copied by Pixmill");
    }
    Tile tile;
    tile.width = GetI16(bytes.data() + 4);
    tile.height = GetI16(bytes.data() + 6);
    if (tile.width < 0 || tile.height < 0) {
        return Status::Fail("it gives the tile a negative size");
    }
    if (bytes.size() - kHeaderBytes != tile.PixelCount()) {
        return Status::Fail("it holds " + std::to_string(bytes.size() - kHeaderBytes) +
                            " pixels for a tile of " + std::to_string(tile.width) + " x " +
                            std::to_string(tile.height));
    }
    std::copy(bytes.begin() + 8, bytes.begin() + 12, tile.attributes.begin());
    tile.pixels.resize(tile.PixelCount());
    if (!tile.pixels.empty()) {
        std::memcpy(tile.pixels.data(), bytes.data() + kHeaderBytes, tile.PixelCount());
    }
    return tile;
}

}  // namespace pixmill
