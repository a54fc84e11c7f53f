#pragma once
// The browser's thumbnails: every tile shrunk to fit 64 x 64 inside a 70 x 70
// cell, eight cells to a row (or as many as the browser's width holds), in
// 24-bit top-down rows; the whole image of every tile, or one page of it. No
// window code here.

#include <cstdint>
#include <span>
#include <string>

#include "common/DibHeader.h"
#include "palette/Palette.h"
#include "tileset/Tile.h"
#include "tileset/Tileset.h"

namespace pixmill {

inline constexpr int kThumbnailCell = 70;
inline constexpr int kThumbnailSide = 64;
// The browser's first size: a page of 8 x 8 cells.
inline constexpr int kThumbnailColumns = 8;
inline constexpr int kBrowserPageSide = 560;  // 8 cells each way
inline constexpr int kBrowserPageRows = 8;
inline constexpr std::int64_t kThumbnailRowBytes = 560 * 3;  // 1680, a multiple of four

// Cell rows for a tile count, columns to a row: 1 to 8 tiles give 1 row of
// eight, none give 0.
int ThumbnailRows(int tileCount, int columns = kThumbnailColumns);
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

// The text of tile position's label in the browser: its position, or in a
// game's set its number in the game.
std::string BrowserCellLabel(const Tileset& tileset, int position);

// The thumbnails as one image of every tile (Fill), or as the browser uses
// them, one page at a time (Reset, then DrawPage): a page's thumbnails are
// drawn when it is shown rather than every tile's beforehand, so that a
// tileset of any size costs the same to show. The page keeps the rows it drew,
// and a scroll draws only the rows that come into it. A page's pixels are
// those of the same rows of the whole image filled from the same tiles; rows
// past the last tile are black.
//
// Cells are columns() to a row and a page pageRows() rows high, 8 and 8 until
// SetGrid. Decorated cells (SetDecorated) carry a label (BrowserCellLabel)
// just under the thumbnail, or over its foot when it is too tall, white on
// black so that it reads on any picture; an empty tile (a side of 0) shows as
// a faint checker. The browser's cells are decorated.
class ThumbnailImage {
  public:
    int rows() const { return rows_; }
    int columns() const { return columns_; }
    int pageRows() const { return pageRows_; }
    std::int64_t pixelHeight() const { return std::int64_t{rows_} * kThumbnailCell; }
    // Bytes of one pixel row: three a pixel, padded to four; 1680 for eight columns.
    std::size_t rowBytes() const { return rowBytes_; }
    // Rows of rowBytes(), top first, blue, green, red per pixel: the whole
    // image after Fill, the page last drawn after DrawPage.
    std::span<const std::uint8_t> bytes() const { return {bytes_.data(), bytes_.size()}; }
    // After Fill: the bytes from pixel row 70 x firstCellRow to the end (empty past the end).
    std::span<const std::uint8_t> FromCellRow(int firstCellRow) const;

    // Cells to a row and cell rows to a page, each at least 1. A change
    // forgets what was drawn.
    void SetGrid(int columns, int pageRows);
    void SetDecorated(bool decorated);

    // Rebuilds the whole image: every byte is written, margins and empty cells black.
    void Fill(const Tileset& tileset, const Palette& palette);

    // Forgets what was drawn, for a tileset of tileCount tiles: after any
    // change to the tiles or the palette.
    void Reset(int tileCount);
    // The page whose first cell row is firstRow (pageRows() x 70 rows of
    // rowBytes()), drawn from the tiles as they are now.
    std::span<const std::uint8_t> DrawPage(const Tileset& tileset, const Palette& palette,
                                           int firstRow);

  private:
    int rows_ = 0;
    int tileCount_ = 0;
    int columns_ = kThumbnailColumns;
    int pageRows_ = kBrowserPageRows;
    std::size_t rowBytes_ = static_cast<std::size_t>(kThumbnailRowBytes);
    bool decorated_ = false;
    int pageRow_ = -1;    // first cell row of the page held; -1: no page held
    bool whole_ = false;  // bytes_ holds the whole image
    PixelBuffer bytes_;
};

// Header of one browser page: 560 wide, -560 high, 24 bits; or as wide and
// high as columns x pageRows cells.
DibHeader BrowserPageHeader();
DibHeader BrowserPageHeader(int columns, int pageRows);

// The browser's cells for a picture area of width x height pixels: as many
// whole columns as its width holds (at least one), the rows it shows in part
// or whole, and those it shows whole (at least one each).
struct BrowserGrid {
    int columns = kThumbnailColumns;
    int pageRows = kBrowserPageRows;
    int wholeRows = kBrowserPageRows;
    friend bool operator==(const BrowserGrid&, const BrowserGrid&) = default;
};
BrowserGrid BrowserGridFor(int width, int height);

// Largest scroll value: the first cell row of the last page whose rows show
// whole, 0 when every row does.
int BrowserScrollMax(int rows, int wholeRows = kBrowserPageRows);

// The first row to show so that tile (1-based) is on the page when firstRow
// was shown: firstRow when it is already there whole, otherwise the nearest
// row that shows it whole.
int FirstRowShowing(int tile, int columns, int firstRow, int wholeRows);

// The tile (1-based) under pixel (px, py) of the page when its first cell row
// is firstCellRow; may exceed the tile count, which the caller checks. 0 for a
// point off the page or past the last column.
std::int64_t BrowserTileAt(int px, int py, int firstCellRow, int columns = kThumbnailColumns,
                           int pageRows = kBrowserPageRows);

}  // namespace pixmill
