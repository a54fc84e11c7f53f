#include "bitmap/ColourMatch.h"

#include <algorithm>

#include "bitmap/TileBitmap.h"

namespace pixmill {

NearestColour::NearestColour(const Palette& palette)
    : palette_(palette), keys_(kCacheSize, 0), indices_(kCacheSize, 0) {}

std::uint8_t NearestColour::operator()(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    const std::uint32_t key = std::uint32_t{1} << 24 | std::uint32_t{red} << 16 |
                              std::uint32_t{green} << 8 | std::uint32_t{blue};
    const std::size_t slot = ((key * 0x9E3779B1u) >> 16) & (kCacheSize - 1);
    if (keys_[slot] == key) {
        return indices_[slot];
    }
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry& entry = palette_[static_cast<std::size_t>(i)];
        const int dr = int{entry.red} - int{red};
        const int dg = int{entry.green} - int{green};
        const int db = int{entry.blue} - int{blue};
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    keys_[slot] = key;
    indices_[slot] = static_cast<std::uint8_t>(best);
    return indices_[slot];
}

IndexMap MatchColourTable(std::span<const PaletteEntry> table, const Palette& palette) {
    IndexMap map{};
    NearestColour nearest(palette);
    for (std::size_t i = 0; i < map.size(); ++i) {
        map[i] = i < table.size() ? nearest(table[i].red, table[i].green, table[i].blue)
                                  : static_cast<std::uint8_t>(i);
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
