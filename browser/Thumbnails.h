#pragma once
// The browser's thumbnails: every tile shrunk to fit 64 x 64 inside a 70 x 70
// cell, eight cells to a row, in 24-bit top-down rows; the whole image of
// every tile, or one page of it. No window code here.

#include <cstdint>
#include <span>

#include "common/DibHeader.h"
#include "palette/Palette.h"
#include "tileset/Tile.h"
#include "tileset/Tileset.h"

namespace pixmill {

inline constexpr int kThumbnailCell = 70;
inline constexpr int kThumbnailSide = 64;
inline constexpr int kThumbnailColumns = 8;
inline constexpr int kBrowserPageSide = 560;  // 8 cells each way
inline constexpr int kBrowserPageRows = 8;
inline constexpr std::int64_t kThumbnailRowBytes = 560 * 3;  // 1680, a multiple of four

// Cell rows for a tile count: 1 to 8 tiles give 1, none give 0.
int ThumbnailRows(int tileCount);

// The sampling step of a tile's thumbnail: 1 for tiles within 64 x 64,
// otherwise the longer side / 64 (the width when the tile is square).
double ThumbnailScale(int width, int height);

struct ThumbnailSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const ThumbnailSize&, const ThumbnailSize&) = default;
};
ThumbnailSize ThumbnailSizeOf(int width, int height);

// The 1-based tile pixel that thumbnail pixel (x, y), 1-based, shows: each
// coordinate times the scale, rounded half to even.
int ThumbnailSample(int thumbnailCoordinate, double scale);

// The thumbnails as one image of every tile (Fill), or as the browser uses
// them, one page at a time (Reset, then DrawPage): a page's thumbnails are
// drawn when it is shown rather than every tile's beforehand, so that a
// tileset of any size costs the same to show. The page keeps the rows it drew,
// and a scroll draws only the rows that come into it. A page's pixels are
// those of the same rows of the whole image filled from the same tiles; rows
// past the last tile are black.
class ThumbnailImage {
  public:
    int rows() const { return rows_; }
    std::int64_t pixelHeight() const { return std::int64_t{rows_} * kThumbnailCell; }
    // Rows of 1680 bytes, top first, blue, green, red per pixel: the whole
    // image after Fill, the page last drawn after DrawPage.
    std::span<const std::uint8_t> bytes() const { return {bytes_.data(), bytes_.size()}; }
    // After Fill: the bytes from pixel row 70 x firstCellRow to the end (empty past the end).
    std::span<const std::uint8_t> FromCellRow(int firstCellRow) const;

    // Rebuilds the whole image: every byte is written, margins and empty cells black.
    void Fill(const Tileset& tileset, const Palette& palette);

    // Forgets what was drawn, for a tileset of tileCount tiles: after any
    // change to the tiles or the palette.
    void Reset(int tileCount);
    // The page whose first cell row is firstRow (8 x 70 rows of 1680 bytes),
    // drawn from the tiles as they are now.
    std::span<const std::uint8_t> DrawPage(const Tileset& tileset, const Palette& palette,
                                           int firstRow);

  private:
    int rows_ = 0;
    int tileCount_ = 0;
    int pageRow_ = -1;    // first cell row of the page held; -1: no page held
    bool whole_ = false;  // bytes_ holds the whole image
    PixelBuffer bytes_;
};

// Header of one browser page: 560 wide, -560 high, 24 bits.
DibHeader BrowserPageHeader();

// Largest scroll value: the first cell row of the last full page, 0 for 8 rows or fewer.
int BrowserScrollMax(int rows);

// The tile (1-based) under pixel (px, py) of the page when its first cell row
// is firstCellRow; may exceed the tile count, which the caller checks. 0 for a
// point off the page.
std::int64_t BrowserTileAt(int px, int py, int firstCellRow);

}  // namespace pixmill
