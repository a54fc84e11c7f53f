#include "bitmap/ColourMatch.h"

#include <algorithm>
#include <cstdlib>

#include "bitmap/TileBitmap.h"

namespace pixmill {

namespace {

std::uint32_t Key(int red, int green, int blue) {
    return std::uint32_t{1} << 24 | static_cast<std::uint32_t>(red) << 16 |
           static_cast<std::uint32_t>(green) << 8 | static_cast<std::uint32_t>(blue);
}

// The squared distance from value to the nearest and the farthest level
// of lo..hi, one channel.
int NearSpan(int value, int lo, int hi) {
    const int d = value < lo ? lo - value : value > hi ? value - hi : 0;
    return d * d;
}
int FarSpan(int value, int lo, int hi) {
    const int d = std::max(std::abs(value - lo), std::abs(value - hi));
    return d * d;
}

}  // namespace

NearestColour::NearestColour(const Palette& palette)
    : palette_(palette),
      keys_(kCacheSize, 0),
      indices_(kCacheSize, 0),
      cellStart_(static_cast<std::size_t>(kCellsPerSide * kCellsPerSide * kCellsPerSide), -1),
      cellCount_(cellStart_.size(), 0) {
    for (std::size_t i = 0; i < palette_.size(); ++i) {
        const PaletteEntry& e = palette_[i];
        const std::uint32_t key = Key(e.red, e.green, e.blue);
        std::size_t slot = (key * 0x9E3779B1u >> 20) & (kExactSlots - 1);
        while (exactKeys_[slot] != 0 && exactKeys_[slot] != key) {
            slot = (slot + 1) & (kExactSlots - 1);
        }
        if (exactKeys_[slot] == 0) {  // the first, lowest index of that colour
            exactKeys_[slot] = key;
            exactIndices_[slot] = static_cast<std::uint8_t>(i);
        }
    }
}

int NearestColour::ExactIndex(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const {
    const std::uint32_t key = Key(red, green, blue);
    std::size_t slot = (key * 0x9E3779B1u >> 20) & (kExactSlots - 1);
    while (exactKeys_[slot] != 0) {
        if (exactKeys_[slot] == key) {
            return exactIndices_[slot];
        }
        slot = (slot + 1) & (kExactSlots - 1);
    }
    return -1;
}

std::uint8_t NearestColour::operator()(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const std::uint32_t key = Key(red, green, blue);
    const std::size_t slot = ((key * 0x9E3779B1u) >> 16) & (kCacheSize - 1);
    if (keys_[slot] != key) {
        keys_[slot] = key;
        indices_[slot] = Search(red, green, blue);
    }
    return indices_[slot];
}

std::size_t NearestColour::Candidates(int red, int green, int blue) {
    const std::size_t cell = static_cast<std::size_t>(
        ((red >> kCellBits) * kCellsPerSide + (green >> kCellBits)) * kCellsPerSide +
        (blue >> kCellBits));
    if (cellStart_[cell] >= 0) {
        return cell;
    }
    // An entry can be the nearest to some colour of the cell only if its
    // nearest point of the cell is no farther than some entry's farthest point.
    constexpr int kSide = 1 << kCellBits;
    const int r0 = red & ~(kSide - 1);
    const int g0 = green & ~(kSide - 1);
    const int b0 = blue & ~(kSide - 1);
    std::array<int, 256> nearest{};
    int bound = 1 << 30;
    for (std::size_t i = 0; i < palette_.size(); ++i) {
        const PaletteEntry& e = palette_[i];
        nearest[i] = 30 * NearSpan(e.red, r0, r0 + kSide - 1) +
                     59 * NearSpan(e.green, g0, g0 + kSide - 1) +
                     11 * NearSpan(e.blue, b0, b0 + kSide - 1);
        const int farthest = 30 * FarSpan(e.red, r0, r0 + kSide - 1) +
                             59 * FarSpan(e.green, g0, g0 + kSide - 1) +
                             11 * FarSpan(e.blue, b0, b0 + kSide - 1);
        bound = std::min(bound, farthest);
    }
    cellStart_[cell] = static_cast<std::int32_t>(candidates_.size());
    for (std::size_t i = 0; i < palette_.size(); ++i) {
        if (nearest[i] <= bound) {
            candidates_.push_back(static_cast<std::uint8_t>(i));
        }
    }
    cellCount_[cell] =
        static_cast<std::uint16_t>(candidates_.size() - static_cast<std::size_t>(cellStart_[cell]));
    return cell;
}

std::uint8_t NearestColour::Search(int red, int green, int blue) {
    const std::size_t cell = Candidates(red, green, blue);
    const std::uint8_t* candidate = candidates_.data() + static_cast<std::size_t>(cellStart_[cell]);
    // In index order, so that on a tie the first found, the lowest, stays.
    std::uint8_t best = candidate[0];
    int bestDistance = 1 << 30;
    for (std::size_t k = 0, n = cellCount_[cell]; k < n; ++k) {
        const int distance = ColourDistance(red, green, blue, palette_[candidate[k]]);
        if (distance < bestDistance) {
            best = candidate[k];
            bestDistance = distance;
        }
    }
    return best;
}

IndexMap MatchColourTable(std::span<const PaletteEntry> table, const Palette& palette) {
    IndexMap map{};
    NearestColour nearest(palette);
    for (std::size_t i = 0; i < map.size(); ++i) {
        if (i >= table.size() || table[i] == palette[i]) {
            map[i] = static_cast<std::uint8_t>(i);
        } else {
            map[i] = nearest(table[i].red, table[i].green, table[i].blue);
        }
    }
    return map;
}

void MapPixels(Tile& tile, const IndexMap& map) {
    std::uint8_t* p = tile.pixels.data();
    for (std::size_t i = 0, n = tile.pixels.size(); i < n; ++i) {
        p[i] = map[p[i]];
    }
}

bool ColourTableDiffers(std::span<const PaletteEntry> table, const Palette& palette) {
    const std::size_t n = std::min(table.size(), palette.size());
    return !std::equal(table.begin(), table.begin() + static_cast<std::ptrdiff_t>(n),
                       palette.begin());
}

Result<std::vector<PaletteEntry>> ReadBitmapColourTable(ByteSource& source) {
    constexpr std::int64_t kInfoEnd = 54;
    const std::int64_t fileSize = source.Size();
    std::uint8_t header[kInfoEnd];
    if (fileSize < kInfoEnd || !source.Seek(0) || !source.Read(header, sizeof header)) {
        return Status::Fail("the file is too short for a bitmap header");
    }
    const std::int64_t tableStart = 14 + std::int64_t{GetU32(header + 14)};
    // Where the rows start, read as the bitmap reader reads it.
    std::int64_t rowsOffset = GetU32(header + 10);
    if (rowsOffset < kInfoEnd || rowsOffset > fileSize) {
        rowsOffset = static_cast<std::int64_t>(kBitmapRowsOffset);
    }
    const std::int64_t used = GetU32(header + 46) == 0 ? 256 : std::int64_t{GetU32(header + 46)};
    const std::int64_t room = (std::min(rowsOffset, fileSize) - tableStart) / 4;
    const std::int64_t count = std::clamp<std::int64_t>(std::min(used, room), 0, 256);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count) * 4);
    if (count > 0 && (!source.Seek(tableStart) || !source.Read(bytes.data(), bytes.size()))) {
        return Status::Fail("the file could not be read");
    }
    std::vector<PaletteEntry> table(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = {bytes[4 * i + 2], bytes[4 * i + 1], bytes[4 * i]};
    }
    return table;
}

Result<std::vector<PaletteEntry>> ReadBitmapColourTableFile(const std::string& path) {
    auto source = FileSource::Open(path, 4096);
    if (!source) {
        return Status::Fail(source.reason());
    }
    return ReadBitmapColourTable(*source);
}

}  // namespace pixmill
