// An ART file read, written and read again: the written bytes are the file's own
// ("BUILDART" included, but for the tile-count field, which the writer sets, and
// anything after the last tile), and reading them gives the same tiles.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "fuzz/FuzzCheck.h"
#include "tileset/ArtFile.h"

namespace {

bool SameTiles(const pixmill::Tileset& a, const pixmill::Tileset& b) {
    if (a.tiles.size() != b.tiles.size() || a.buildArtPrefix != b.buildArtPrefix ||
        a.firstTileNumber != b.firstTileNumber || a.lastTileNumber != b.lastTileNumber ||
        a.artVersion != b.artVersion) {
        return false;
    }
    for (std::size_t i = 0; i < a.tiles.size(); ++i) {
        const pixmill::Tile& x = a.tiles[i];
        const pixmill::Tile& y = b.tiles[i];
        if (x.width != y.width || x.height != y.height || x.attributes != y.attributes ||
            x.pixels.size() != y.pixels.size() ||
            (x.pixels.size() > 0 &&
             std::memcmp(x.pixels.data(), y.pixels.data(), x.pixels.size()) != 0)) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto first = pixmill::ReadArt(std::span<const std::uint8_t>(data, size));
    if (!first || !pixmill::CheckWritableAsArt(*first)) {
        return 0;
    }
    const auto written = pixmill::ArtBytes(*first);
    PIXMILL_FUZZ_CHECK(written.ok());
    const auto& bytes = *written;
    // The tile-count field follows the version, after "BUILDART" where the file had it.
    const std::size_t count = first->buildArtPrefix ? 12 : 4;
    PIXMILL_FUZZ_CHECK(bytes.size() >= count + 12 && bytes.size() <= size);
    PIXMILL_FUZZ_CHECK(std::memcmp(bytes.data(), data, count) == 0);
    PIXMILL_FUZZ_CHECK(
        std::memcmp(bytes.data() + count + 4, data + count + 4, bytes.size() - count - 4) == 0);

    const auto second = pixmill::ReadArt(std::span<const std::uint8_t>(bytes));
    PIXMILL_FUZZ_CHECK(second.ok());
    PIXMILL_FUZZ_CHECK(SameTiles(*first, *second));
    const auto again = pixmill::ArtBytes(*second);
    PIXMILL_FUZZ_CHECK(again.ok() && *again == bytes);
    return 0;
}
