#pragma once
// A picture from another program as its reader gives it, before its colours
// meet the palette: its size, its colour table when it has one, and its rows,
// top first, a band at a time, so that no more than the tile it becomes is
// ever held whole.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "common/Result.h"
#include "palette/Palette.h"
#include "tileset/Tile.h"

namespace pixmill {

struct PictureHead {
    int width = 0;
    int height = 0;
    // Indexed: rows of one colour-table index a pixel; otherwise red, green,
    // blue and alpha, four bytes a pixel.
    bool indexed = false;
    std::vector<PaletteEntry> colours;  // the colour table, at most 256 entries
    std::vector<std::uint8_t> alphas;   // each entry's alpha, 255 opaque; as many as colours
    std::size_t RowBytes() const { return static_cast<std::size_t>(width) * (indexed ? 1 : 4); }
};

class PictureReader {
  public:
    virtual ~PictureReader() = default;
    const PictureHead& head() const { return head_; }
    // The next count rows, top first, RowBytes() a row, into out. A failure
    // ends the reading.
    virtual Status ReadRows(std::uint8_t* out, int count) = 0;

  protected:
    PictureHead head_;
};

// A picture held in memory (the clipboard's), rows top first, stride bytes
// apart, in the form head gives.
class MemoryPicture final : public PictureReader {
  public:
    MemoryPicture(PictureHead head, const std::uint8_t* rows, std::ptrdiff_t stride);
    Status ReadRows(std::uint8_t* out, int count) override;

  private:
    const std::uint8_t* rows_;
    std::ptrdiff_t stride_;
    int next_ = 0;
};

// The picture as a tile (attribute bytes 0), its colours given palette
// entries: an entry of its colour table that is the palette's entry at the
// same index keeps that index (so a game palette's repeated colours keep
// theirs); any other colour becomes the nearest entry by NearestColour; a
// pixel at least half transparent becomes 255, the engine's see-through
// colour. With dither, the difference between a colour and its entry is
// spread to the pixels right and below (Floyd-Steinberg), never to or from a
// pixel whose colour is in the palette exactly or that is see-through.
Result<Tile> MatchPictureToPalette(PictureReader& reader, const Palette& palette, bool dither);

// An indexed picture's indices as they are, as palette indices.
Result<Tile> PictureIndicesAsTheyAre(PictureReader& reader);

}  // namespace pixmill
