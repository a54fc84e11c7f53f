#pragma once
// Pictures whose colour table is not the palette, as after an image editor that
// reordered it: their colours mapped to the nearest palette entries, or a check
// that tells the table differs.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/ByteIo.h"
#include "common/Result.h"
#include "palette/Palette.h"
#include "tileset/Tile.h"

namespace pixmill {

using IndexMap = std::array<std::uint8_t, 256>;

// The palette entry nearest to a colour by squared distance in 8-bit RGB (the
// palette's colours as a bitmap export writes them), the lowest index on a tie.
// Remembers what it found, as pictures hold few colours many times over.
class NearestColour {
  public:
    explicit NearestColour(const Palette& palette);
    std::uint8_t operator()(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

  private:
    static constexpr std::size_t kCacheSize = std::size_t{1} << 16;
    Palette palette_;
    // Direct-mapped: the colour with bit 24 set (so 0 means empty), and its index.
    std::vector<std::uint32_t> keys_;
    std::vector<std::uint8_t> indices_;
};

// For each index of a picture with this colour table, the nearest palette entry;
// indices past the table's end keep their own value.
IndexMap MatchColourTable(std::span<const PaletteEntry> table, const Palette& palette);
void MapPixels(Tile& tile, const IndexMap& map);

// Whether an entry of table is not the palette's colour at the same index.
bool ColourTableDiffers(std::span<const PaletteEntry> table, const Palette& palette);

// The colour table of an 8-bit bitmap: as many entries as its header says (256
// when it says 0), no more than 256 nor than lie between its header and its rows.
Result<std::vector<PaletteEntry>> ReadBitmapColourTable(ByteSource& source);
Result<std::vector<PaletteEntry>> ReadBitmapColourTableFile(const std::string& path);

}  // namespace pixmill
