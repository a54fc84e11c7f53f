// ReadArt on any bytes: a tileset it accepts must be exactly what the file holds,
// and never more than the file can back.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "common/ByteIo.h"
#include "fuzz/FuzzCheck.h"
#include "tileset/ArtFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto tileset = pixmill::ReadArt(std::span<const std::uint8_t>(data, size));
    if (!tileset) {
        PIXMILL_FUZZ_CHECK(!tileset.reason().empty());
        return 0;
    }
    // A file that begins with "BUILDART" has everything 8 bytes further on.
    const bool prefixed = size >= 8 && std::memcmp(data, pixmill::kBuildArtPrefix.data(), 8) == 0;
    PIXMILL_FUZZ_CHECK(tileset->buildArtPrefix == prefixed);
    if (prefixed) {
        data += 8;
        size -= 8;
    }
    PIXMILL_FUZZ_CHECK(size >= 16);
    PIXMILL_FUZZ_CHECK(tileset->artVersion == pixmill::GetI32(data));
    PIXMILL_FUZZ_CHECK(tileset->firstTileNumber == pixmill::GetI32(data + 8));
    PIXMILL_FUZZ_CHECK(tileset->lastTileNumber == pixmill::GetI32(data + 12));
    const std::size_t n = tileset->tiles.size();
    PIXMILL_FUZZ_CHECK(static_cast<std::int64_t>(n) ==
                       std::int64_t{tileset->lastTileNumber} - tileset->firstTileNumber + 1);
    PIXMILL_FUZZ_CHECK(16 + 8 * n <= size);

    // Widths, heights, attribute bytes, then the pixels of every tile in turn.
    std::size_t offset = 16 + 8 * n;
    for (std::size_t i = 0; i < n; ++i) {
        const pixmill::Tile& tile = tileset->tiles[i];
        PIXMILL_FUZZ_CHECK(tile.width == pixmill::GetI16(data + 16 + 2 * i));
        PIXMILL_FUZZ_CHECK(tile.height == pixmill::GetI16(data + 16 + 2 * n + 2 * i));
        PIXMILL_FUZZ_CHECK(tile.width >= 0 && tile.height >= 0);
        PIXMILL_FUZZ_CHECK(std::memcmp(tile.attributes.data(), data + 16 + 4 * n + 4 * i, 4) == 0);
        const std::size_t count = tile.PixelCount();
        PIXMILL_FUZZ_CHECK(tile.pixels.size() == count);
        PIXMILL_FUZZ_CHECK(count <= size - offset);
        PIXMILL_FUZZ_CHECK(count == 0 ||
                           std::memcmp(tile.pixels.data(), data + offset, count) == 0);
        offset += count;
    }
    return 0;
}
