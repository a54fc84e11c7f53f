#include "bitmap/ColourMatch.h"

#include <algorithm>
#include <limits>

#include "bitmap/TileBitmap.h"

namespace pixmill {

namespace {

std::uint32_t Key(int red, int green, int blue) {
    return std::uint32_t{1} << 24 | static_cast<std::uint32_t>(red) << 16 |
           static_cast<std::uint32_t>(green) << 8 | static_cast<std::uint32_t>(blue);
}

}  // namespace

NearestColour::NearestColour(const Palette& palette)
    : palette_(palette),
      keys_(kCacheSize, 0),
      indices_(kCacheSize, 0),
      cellStart_(std::size_t{1} << (3 * (8 - kCellBits)), -1),
      outerStart_(std::size_t{1} << (3 * (8 - kOuterCellBits)), -1) {
    for (std::size_t i = 0; i < palette_.size(); ++i) {
        const PaletteEntry& e = palette_[i];
        all_[i] = std::uint32_t{e.red} | std::uint32_t{e.green} << 8 | std::uint32_t{e.blue} << 16 |
                  static_cast<std::uint32_t>(i) << 24;
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

std::size_t NearestColour::Filter(const std::uint32_t* from, std::size_t count, int red, int green,
                                  int blue, int bits) {
    // An entry can be the nearest to some colour of the cell only if its
    // nearest point of the cell is no farther than some entry's farthest
    // point. Worked out for all entries at once, without branches, so that
    // the compiler can do several entries an instruction.
    const int side = 1 << bits;
    const int r0 = red & ~(side - 1);
    const int g0 = green & ~(side - 1);
    const int b0 = blue & ~(side - 1);
    const int r1 = r0 + side - 1;
    const int g1 = g0 + side - 1;
    const int b1 = b0 + side - 1;
    std::array<std::int32_t, 256> nearest;
    std::int32_t bound = std::numeric_limits<std::int32_t>::max();
    for (std::size_t i = 0; i < count; ++i) {
        const auto r = static_cast<std::int32_t>(from[i] & 0xFF);
        const auto g = static_cast<std::int32_t>(from[i] >> 8 & 0xFF);
        const auto b = static_cast<std::int32_t>(from[i] >> 16 & 0xFF);
        const std::int32_t nr = std::max(r0 - r, 0) + std::max(r - r1, 0);
        const std::int32_t ng = std::max(g0 - g, 0) + std::max(g - g1, 0);
        const std::int32_t nb = std::max(b0 - b, 0) + std::max(b - b1, 0);
        const std::int32_t fr = std::max(r - r0, r1 - r);
        const std::int32_t fg = std::max(g - g0, g1 - g);
        const std::int32_t fb = std::max(b - b0, b1 - b);
        nearest[i] = 30 * nr * nr + 59 * ng * ng + 11 * nb * nb;
        bound = std::min(bound, 30 * fr * fr + 59 * fg * fg + 11 * fb * fb);
    }
    // The cell's record: how many candidates, then each as red, green, blue
    // and its index in one word, as from holds them.
    const std::size_t start = records_.size();
    records_.resize(start + 1 + count);
    std::uint32_t* out = records_.data() + start + 1;
    std::size_t n = 0;
    for (std::size_t i = 0; i < count; ++i) {
        // Each entry written, the kept ones one after another: no branch.
        out[n] = from[i];
        n += nearest[i] <= bound ? 1U : 0U;
    }
    records_[start] = static_cast<std::uint32_t>(n);
    records_.resize(start + 1 + n);
    return start;
}

std::size_t NearestColour::Candidates(int red, int green, int blue) {
    const auto at = [](int r, int g, int b, int bits) {
        const int perSide = 256 >> bits;
        return static_cast<std::size_t>(((r >> bits) * perSide + (g >> bits)) * perSide +
                                        (b >> bits));
    };
    const std::size_t cell = at(red, green, blue, kCellBits);
    if (cellStart_[cell] >= 0) {
        return cell;
    }
    // The candidates of a cell are among those of the larger cell around it,
    // which are found among all entries: the palette is gone through once for
    // every 8 cells a picture's colours fall into.
    const std::size_t outer = at(red, green, blue, kOuterCellBits);
    if (outerStart_[outer] < 0) {
        outerStart_[outer] = static_cast<std::int32_t>(
            Filter(all_.data(), all_.size(), red, green, blue, kOuterCellBits));
    }
    const auto outerStart = static_cast<std::size_t>(outerStart_[outer]);
    std::array<std::uint32_t, 256> within;
    const std::size_t count = records_[outerStart];
    std::copy_n(records_.begin() + static_cast<std::ptrdiff_t>(outerStart + 1), count,
                within.begin());
    cellStart_[cell] =
        static_cast<std::int32_t>(Filter(within.data(), count, red, green, blue, kCellBits));
    return cell;
}

std::uint8_t NearestColour::Search(int red, int green, int blue) {
    // First, as working out a cell's candidates may move the records.
    const std::size_t cell = Candidates(red, green, blue);
    const std::uint32_t* record = records_.data() + static_cast<std::size_t>(cellStart_[cell]);
    // The distance above the index: the least of these words is the nearest
    // entry, the lowest index on a tie, found without a branch per entry.
    std::uint32_t best = ~std::uint32_t{0};
    for (std::uint32_t k = 1, n = record[0]; k <= n; ++k) {
        const std::uint32_t entry = record[k];
        const int dr = red - static_cast<int>(entry & 0xFF);
        const int dg = green - static_cast<int>(entry >> 8 & 0xFF);
        const int db = blue - static_cast<int>(entry >> 16 & 0xFF);
        const auto distance =
            static_cast<std::uint32_t>(30 * dr * dr + 59 * dg * dg + 11 * db * db);
        best = std::min(best, distance << 8 | entry >> 24);
    }
    return static_cast<std::uint8_t>(best & 0xFF);
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
