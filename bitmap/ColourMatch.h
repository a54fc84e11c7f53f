#pragma once
// Colours matched to the palette, for pictures whose colours are not the
// palette's in its order: reordered colour tables, true-colour pictures.

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

// How far apart two colours look: the squared differences of red, green and
// blue weighted 30, 59 and 11, the weighting of the engines' own texture
// loaders (the eye tells greens apart best and blues least).
inline int ColourDistance(int red, int green, int blue, const PaletteEntry& entry) {
    const int dr = red - entry.red;
    const int dg = green - entry.green;
    const int db = blue - entry.blue;
    return 30 * dr * dr + 59 * dg * dg + 11 * db * db;
}

// The palette entry nearest to a colour by ColourDistance (the palette's colours
// as a bitmap export writes them), the lowest index on a tie.
//
// A picture holds few colours many times over, so each colour's answer is
// remembered. The search itself looks only at the entries that can be nearest
// to some colour of the colour's cell (a cube of 8 x 8 x 8 colours), a handful
// for most palettes, worked out the first time a colour of that cell is looked
// for from those of the cube of 32 x 32 x 32 around it.
class NearestColour {
  public:
    explicit NearestColour(const Palette& palette);
    std::uint8_t operator()(std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    // The lowest index of exactly this colour, or -1 when the palette lacks it.
    int ExactIndex(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const;
    // The same without remembering the answer, for colours seldom asked for
    // twice (those of dithering, whose errors vary from pixel to pixel).
    std::uint8_t Search(int red, int green, int blue);

  private:
    static constexpr std::size_t kCacheSize = std::size_t{1} << 16;
    static constexpr int kCellBits = 3;       // cells of 8 levels a channel
    static constexpr int kOuterCellBits = 5;  // and cells of 32 around them
    static constexpr std::size_t kExactSlots = 1024;

    std::size_t Candidates(int red, int green, int blue);
    // Appends the record of the cell of (red, green, blue), 2^bits levels a
    // side, with those of count entries that can be nearest to a colour in it.
    std::size_t Filter(const std::uint32_t* from, std::size_t count, int red, int green, int blue,
                       int bits);

    Palette palette_;
    // Every entry as red, green, blue and its index in one word.
    std::array<std::uint32_t, 256> all_{};
    // Direct-mapped: the colour with bit 24 set (so 0 means empty), and its index.
    std::vector<std::uint32_t> keys_;
    std::vector<std::uint8_t> indices_;
    // Where each cell's record starts in records_, -1 until it is worked out;
    // a record is the number of candidates, then each in one word as all_.
    std::vector<std::int32_t> cellStart_;
    std::vector<std::int32_t> outerStart_;
    std::vector<std::uint32_t> records_;
    // The palette's colours (bit 24 set) and their lowest index, open addressing.
    std::array<std::uint32_t, kExactSlots> exactKeys_{};
    std::array<std::uint8_t, kExactSlots> exactIndices_{};
};

// For each index of a picture with this colour table, its palette entry: the
// same index where the table's colour is the palette's there, otherwise the
// nearest entry; indices past the table's end keep their own value.
IndexMap MatchColourTable(std::span<const PaletteEntry> table, const Palette& palette);
void MapPixels(Tile& tile, const IndexMap& map);

// Whether an entry of table is not the palette's colour at the same index.
bool ColourTableDiffers(std::span<const PaletteEntry> table, const Palette& palette);

// The colour table of an 8-bit bitmap: as many entries as its header says (256
// when it says 0), no more than 256 nor than lie between its header and its rows.
Result<std::vector<PaletteEntry>> ReadBitmapColourTable(ByteSource& source);
Result<std::vector<PaletteEntry>> ReadBitmapColourTableFile(const std::string& path);

}  // namespace pixmill
