// A game's set laid out from its files' headers alone: whatever the headers
// claim, the layout keeps to what each file can hold and to the most tiles
// the editor holds, its positions run on without a hole, and every tile's
// game number leads back to a tile of that number.
//
// The input is cut into up to eight files: two bytes of a file's number, four
// of how much longer than its bytes the file claims to be, then its first
// bytes.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/ByteIo.h"
#include "fuzz/FuzzCheck.h"
#include "tileset/ArtSet.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const std::size_t files = data[0] % 8 + 1;
    const std::span<const std::uint8_t> rest(data + 1, size - 1);
    const std::size_t chunk = rest.size() / files;
    std::vector<pixmill::SetCandidate> candidates;
    for (std::size_t i = 0; i < files; ++i) {
        std::span<const std::uint8_t> bytes = rest.subspan(i * chunk, chunk);
        if (bytes.size() < 6) {
            continue;
        }
        pixmill::SetCandidate candidate;
        candidate.fileNumber = (bytes[0] | bytes[1] << 8) % 1000;
        candidate.name = pixmill::SetFileName(candidate.fileNumber);
        if (bytes[0] & 0x80) {
            candidate.name[0] = 't';  // another spelling of the same number
        }
        candidate.path = "/set/" + candidate.name;
        const std::int64_t longer = pixmill::GetU32(bytes.data() + 2) & 0xFFFFFF;
        const std::span<const std::uint8_t> first = bytes.subspan(6);
        candidate.header =
            pixmill::CheckArtHeader(first.first(std::min(first.size(), pixmill::kArtHeaderBytes)),
                                    static_cast<std::int64_t>(first.size()) + longer);
        if (candidate.header) {
            const auto& h = *candidate.header;
            PIXMILL_FUZZ_CHECK(h.header.version == 1);
            PIXMILL_FUZZ_CHECK(h.tileCount >= 0 && h.tileCount <= pixmill::kMaxArtTiles);
            PIXMILL_FUZZ_CHECK(std::int64_t{h.header.lastTileNumber} - h.header.firstTileNumber +
                                   1 ==
                               h.tileCount);
            PIXMILL_FUZZ_CHECK((h.header.buildArtPrefix ? 24 : 16) +
                                   8 * std::int64_t{h.tileCount} <=
                               static_cast<std::int64_t>(first.size()) + longer);
        }
        candidates.push_back(std::move(candidate));
    }

    const pixmill::SetLayout layout = pixmill::LayOutArtSet(candidates);
    PIXMILL_FUZZ_CHECK(layout.tileCount >= 0 && layout.tileCount <= pixmill::kMaxTiles);
    int position = 1;
    for (std::size_t i = 0; i < layout.files.size(); ++i) {
        const pixmill::SetFile& file = layout.files[i];
        PIXMILL_FUZZ_CHECK(file.firstPosition == position);
        PIXMILL_FUZZ_CHECK(i == 0 || layout.files[i - 1].fileNumber < file.fileNumber);
        position += file.tileCount;
    }
    PIXMILL_FUZZ_CHECK(position == layout.tileCount + 1);
    for (const std::string& problem : layout.problems) {
        PIXMILL_FUZZ_CHECK(!problem.empty());
    }

    pixmill::Tileset set;
    set.tiles.resize(static_cast<std::size_t>(layout.tileCount));
    set.setFiles = layout.files;
    for (int p = 1; p <= set.tileCount(); ++p) {
        const std::int64_t number = set.GameNumber(p);
        const int shown = set.PositionOfGameNumber(number);
        PIXMILL_FUZZ_CHECK(shown >= p && set.GameNumber(shown) == number);
        PIXMILL_FUZZ_CHECK(set.FileHolding(p) != nullptr && set.FileHolding(p)->Holds(p));
    }
    return 0;
}
