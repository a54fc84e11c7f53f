#include "browser/Thumbnails.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "common/Numbers.h"
#include "common/Transpose.h"
#include "palette/PaletteRows.h"
#include "palette/PaletteWords.h"

namespace pixmill {
namespace {

constexpr std::size_t kCellBytes = std::size_t{kThumbnailCell} * 3;  // one cell's share of a row

// Lines asked for ahead in each sampled column of a large tile: every line the
// column's samples lie on for tiles up to about 970 pixels high, a spread of
// its samples beyond.
constexpr std::size_t kPrefetchLines = 16;

// Where each thumbnail pixel of one tile comes from, worked out once per tile
// so that the pixel loop does no floating point.
struct CellPlan {
    const std::uint8_t* pixels = nullptr;  // null: nothing to draw, the cell stays black
    int tileWidth = 0;
    int tileHeight = 0;
    std::size_t width = 0;                               // of the thumbnail
    std::size_t height = 0;                              // of the thumbnail
    bool sampled = false;                                // shrunk, not shown as it is
    std::array<std::size_t, kThumbnailSide> columns{};   // offset of each sampled column
    std::array<std::size_t, kThumbnailSide> rows{};      // sampled row within a column
    std::array<std::size_t, kPrefetchLines> prefetch{};  // offsets within a sampled column
    std::size_t prefetchCount = 0;
};

// The sample positions depend only on the tile's size, and a tileset has few
// sizes, so those of the tile before are reused when its size is the same.
void PlanCell(const Tile& tile, const CellPlan& before, CellPlan& plan) {
    plan.pixels = nullptr;
    const ThumbnailSize size = ThumbnailSizeOf(tile.width, tile.height);
    // A tile without pixels enough for its size is a caller's mistake; it shows black.
    if (size.width <= 0 || size.height <= 0 || tile.pixels.size() < tile.PixelCount()) {
        return;
    }
    if (before.tileWidth == tile.width && before.tileHeight == tile.height) {
        if (&before != &plan) {
            plan = before;
        }
        plan.pixels = tile.pixels.data();
        return;
    }
    plan.pixels = tile.pixels.data();
    plan.tileWidth = tile.width;
    plan.tileHeight = tile.height;
    plan.width = static_cast<std::size_t>(size.width);
    plan.height = static_cast<std::size_t>(size.height);
    const double scale = ThumbnailScale(tile.width, tile.height);
    plan.sampled = scale > 1;
    const auto tileHeight = static_cast<std::size_t>(tile.height);
    for (std::size_t x = 0; x < plan.width; ++x) {
        const int column = ThumbnailSample(static_cast<int>(x) + 1, scale) - 1;
        plan.columns[x] = static_cast<std::size_t>(column) * tileHeight;
    }
    for (std::size_t y = 0; y < plan.height; ++y) {
        plan.rows[y] =
            static_cast<std::size_t>(ThumbnailSample(static_cast<int>(y) + 1, scale) - 1);
    }
    // Every line from the first sample to the last while they fit, otherwise
    // samples spread evenly over the column.
    const std::size_t first = plan.rows[0];
    const std::size_t last = plan.rows[plan.height - 1];
    if (last - first < (kPrefetchLines - 1) * 64) {
        plan.prefetchCount = (last - first) / 64 + 1;
        for (std::size_t i = 0; i < plan.prefetchCount; ++i) {
            plan.prefetch[i] = first + 64 * i;
        }
        // Depending on where the column starts, the last sample may lie one line further.
        if (plan.prefetch[plan.prefetchCount - 1] != last) {
            plan.prefetch[plan.prefetchCount++] = last;
        }
    } else {
        plan.prefetchCount = kPrefetchLines;
        for (std::size_t i = 0; i < kPrefetchLines; ++i) {
            plan.prefetch[i] = plan.rows[(plan.height - 1) * i / (kPrefetchLines - 1)];
        }
    }
}

// Draws the thumbnail at the top left of a cell whose bytes are already black,
// column by column. Each pixel is stored as its whole word; the fourth byte,
// always 0, lands on the pixel to the right, drawn after it, or on the margin.
//
// The samples of a large tile lie a few lines to a column and each column on a
// page of its own, too few for the hardware to see a stream, so each column
// drawn asks for the lines of the same column of the next tile. The prefetches
// are unrolled: issued from a loop they made the fill three times slower on the
// machine measured. They stay in this function, too: a function that does
// nothing but prefetch counts as pure, and a call to it is dropped.
void DrawCell(const CellPlan& plan, const CellPlan& next, const PaletteRows& palette,
              std::size_t rowBytes, std::uint8_t* cell) {
    const PaletteWords& table = palette.words();
    // With a wide palette unit the samples are gathered into rows first, and
    // each row converted in one pass.
    alignas(64) std::uint8_t gathered[kThumbnailSide * kThumbnailSide];
    const bool wide = palette.wide();
    const std::uint8_t* pixels = plan.pixels;
    const std::size_t width = plan.width;
    const std::size_t height = plan.height;
    const std::size_t nextWidth = next.pixels != nullptr && next.sampled ? next.width : 0;
    const std::size_t columns = std::max(width, nextWidth);
    for (std::size_t x = 0; x < columns; ++x, cell += 3) {
        if (x < nextWidth) {
            const std::uint8_t* ahead = next.pixels + next.columns[x];
#pragma GCC unroll 16
            for (std::size_t i = 0; i < kPrefetchLines; ++i) {
                if (i < next.prefetchCount) {
                    __builtin_prefetch(ahead + next.prefetch[i]);
                }
            }
        }
        if (x < width) {
            const std::uint8_t* source = pixels + plan.columns[x];
            if (wide) {
                if (plan.sampled) {
                    std::uint8_t* at = gathered + x;
                    for (std::size_t y = 0; y < height; ++y, at += kThumbnailSide) {
                        *at = source[plan.rows[y]];
                    }
                }
            } else {
                std::uint8_t* at = cell;
                for (std::size_t y = 0; y < height; ++y, at += rowBytes) {
                    StoreWord(at, table[source[plan.rows[y]]]);
                }
            }
        }
    }
    if (wide) {
        if (!plan.sampled) {
            // A tile shown as it is: its columns are turned into rows whole.
            TransposeBytes(pixels, plan.tileHeight, gathered, kThumbnailSide,
                           static_cast<int>(width), static_cast<int>(height));
        }
        palette.ConvertRows(gathered, kThumbnailSide, width, height, cell - 3 * columns, rowBytes);
    }
}

}  // namespace

int ThumbnailRows(int tileCount, int columns) {
    if (tileCount <= 0 || columns <= 0) {
        return 0;
    }
    return tileCount / columns + (tileCount % columns != 0 ? 1 : 0);
}

double ThumbnailScale(int width, int height) {
    double scale = 1;
    if (width > kThumbnailSide) {
        scale = width / double{kThumbnailSide};
    }
    if (height > width && height > kThumbnailSide) {
        scale = height / double{kThumbnailSide};
    }
    return scale;
}

ThumbnailSize ThumbnailSizeOf(int width, int height) {
    if (width <= 0 || height <= 0) {
        return {};
    }
    const double scale = ThumbnailScale(width, height);
    // The longer side comes out at exactly 64: width / (width / 64) has no rounding error.
    const auto side = [scale](int length) {
        return std::min(kThumbnailSide, static_cast<int>(std::floor(length / scale)));
    };
    return {side(width), side(height)};
}

int ThumbnailSample(int thumbnailCoordinate, double scale) {
    return static_cast<int>(RoundHalfEven(thumbnailCoordinate * scale));
}

std::string BrowserCellLabel(const Tileset& tileset, int position) {
    // In a game's set every tile is known by its number in the game.
    return std::to_string(tileset.IsSet() ? tileset.GameNumber(position) : position);
}

std::span<const std::uint8_t> ThumbnailImage::FromCellRow(int firstCellRow) const {
    if (!whole_ || firstCellRow < 0 || firstCellRow >= rows_) {
        return {};
    }
    return bytes().subspan(static_cast<std::size_t>(firstCellRow) * rowBytes_ * kThumbnailCell);
}

namespace {

// Glyphs of the cell labels, 3 x 5, rows top first; '#' is ink.
struct LabelGlyph {
    char c;
    const char* rows;
};
// clang-format off
constexpr LabelGlyph kLabelGlyphs[] = {
    {'0', "### #.# #.# #.# ###"}, {'1', ".#. ##. .#. .#. ###"}, {'2', "### ..# ### #.. ###"},
    {'3', "### ..# .## ..# ###"}, {'4', "#.# #.# ### ..# ..#"}, {'5', "### #.. ### ..# ###"},
    {'6', "### #.. ### #.# ###"}, {'7', "### ..# ..# .#. .#."}, {'8', "### #.# ### #.# ###"},
    {'9', "### #.# ### ..# ###"}, {'#', "#.# ### #.# ### #.#"}, {'-', "... ... ### ... ..."},
};
// clang-format on
constexpr int kLabelHeight = 7;  // a row of black above and below the glyphs
// Clear of the two pixels along the cell's edge where the browser frames the
// current tile; just under the thumbnail, or over its foot when it is too tall.
constexpr int kLabelLeft = 2;
constexpr int kLowestLabel = kThumbnailCell - 2 - kLabelHeight;

void PutPixel(std::uint8_t* at, std::uint8_t grey) {
    at[0] = at[1] = at[2] = grey;
}

// The label under a thumbnail thumbnailHeight high: white glyphs in a black
// box one pixel wider than them all round, cut short of the cell's right edge.
void DrawLabel(const std::string& text, int thumbnailHeight, std::size_t rowBytes,
               std::uint8_t* cell) {
    const int width =
        std::min(kThumbnailCell - 2 * kLabelLeft, static_cast<int>(text.size()) * 4 + 1);
    const int labelTop = std::min(thumbnailHeight + 1, kLowestLabel);
    std::uint8_t* top = cell + static_cast<std::size_t>(labelTop) * rowBytes +
                        static_cast<std::size_t>(kLabelLeft) * 3;
    for (int y = 0; y < kLabelHeight; ++y) {
        std::memset(top + static_cast<std::size_t>(y) * rowBytes, 0,
                    static_cast<std::size_t>(width) * 3);
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const LabelGlyph* glyph = nullptr;
        for (const LabelGlyph& each : kLabelGlyphs) {
            glyph = each.c == text[i] ? &each : glyph;
        }
        if (glyph == nullptr) {
            continue;  // a character without a glyph shows as a space
        }
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 3; ++x) {
                const int px = 1 + static_cast<int>(i) * 4 + x;
                if (glyph->rows[y * 4 + x] == '#' && px < width) {
                    PutPixel(top + static_cast<std::size_t>(y + 1) * rowBytes +
                                 static_cast<std::size_t>(px) * 3,
                             255);
                }
            }
        }
    }
}

// An empty tile's cell: a faint checker of 8-pixel squares where a thumbnail
// would be, so that it reads as empty rather than as a black picture.
void DrawEmptyCell(std::size_t rowBytes, std::uint8_t* cell) {
    for (int y = 0; y < kThumbnailSide; ++y) {
        std::uint8_t* row = cell + static_cast<std::size_t>(y) * rowBytes;
        for (int x = 0; x < kThumbnailSide; ++x) {
            PutPixel(row + static_cast<std::size_t>(x) * 3, (x / 8 + y / 8) % 2 == 0 ? 48 : 28);
        }
    }
}

struct CellRowLayout {
    int columns = kThumbnailColumns;
    std::size_t rowBytes = static_cast<std::size_t>(kThumbnailRowBytes);
    bool decorated = false;
};

// Draws the cells of cell row r, black first, as the whole image and a page
// both draw it.
void DrawCellRow(const Tileset& tileset, int tileCount, const PaletteRows& table, int r,
                 const CellRowLayout& layout, std::uint8_t* cellRow) {
    // Black first, the whole cell row in one sweep: it covers the margins and
    // the empty cells, and brings the row's lines into the cache in order,
    // ahead of the drawing's scattered stores (measured faster than writing
    // each margin after its thumbnail).
    std::memset(cellRow, 0, layout.rowBytes * kThumbnailCell);
    const int first = r * layout.columns + 1;
    if (first > tileCount) {
        return;
    }
    std::array<CellPlan, 2> plans;
    PlanCell(tileset.tile(first), plans[static_cast<std::size_t>(first % 2)],
             plans[static_cast<std::size_t>(first % 2)]);
    for (int c = 0; c < layout.columns; ++c) {
        const int t = first + c;
        if (t > tileCount) {
            break;
        }
        const CellPlan& plan = plans[static_cast<std::size_t>(t % 2)];
        CellPlan& next = plans[static_cast<std::size_t>((t + 1) % 2)];
        // The next tile is planned (and its lines asked for) even across the
        // row's end, as the row after is usually drawn next.
        if (t < tileCount) {
            PlanCell(tileset.tile(t + 1), plan, next);
        } else {
            next.pixels = nullptr;
        }
        std::uint8_t* cell = cellRow + static_cast<std::size_t>(c) * kCellBytes;
        if (plan.pixels != nullptr) {
            DrawCell(plan, next, table, layout.rowBytes, cell);
        }
        if (layout.decorated) {
            const Tile& tile = tileset.tile(t);
            const bool empty = tile.width <= 0 || tile.height <= 0;
            if (empty) {
                DrawEmptyCell(layout.rowBytes, cell);
            }
            const int shownHeight = empty                    ? kThumbnailSide
                                    : plan.pixels != nullptr ? static_cast<int>(plan.height)
                                                             : 0;
            DrawLabel(BrowserCellLabel(tileset, t), shownHeight, layout.rowBytes, cell);
        }
    }
}

}  // namespace

void ThumbnailImage::SetGrid(int columns, int pageRows) {
    columns = std::max(1, columns);
    pageRows = std::max(1, pageRows);
    if (columns == columns_ && pageRows == pageRows_) {
        return;
    }
    columns_ = columns;
    pageRows_ = pageRows;
    rowBytes_ = static_cast<std::size_t>(DibRowStride(columns * kThumbnailCell));
    rows_ = ThumbnailRows(tileCount_, columns_);
    pageRow_ = -1;
    whole_ = false;
    bytes_.clear();
}

void ThumbnailImage::SetDecorated(bool decorated) {
    if (decorated != decorated_) {
        decorated_ = decorated;
        pageRow_ = -1;
    }
}

void ThumbnailImage::Fill(const Tileset& tileset, const Palette& palette) {
    const int tileCount = tileset.tileCount();
    rows_ = ThumbnailRows(tileCount, columns_);
    tileCount_ = tileCount;
    pageRow_ = -1;
    whole_ = true;
    const std::size_t cellRowBytes = rowBytes_ * kThumbnailCell;
    const std::size_t size = static_cast<std::size_t>(rows_) * cellRowBytes;
    // Give back the memory of a much larger tileset rather than keep it for good.
    if (bytes_.capacity() / 2 > size) {
        PixelBuffer().swap(bytes_);
    }
    bytes_.resize(size);

    const PaletteRows table(palette);
    const CellRowLayout layout{columns_, rowBytes_, decorated_};
    for (int r = 0; r < rows_; ++r) {
        DrawCellRow(tileset, tileCount, table, r, layout,
                    bytes_.data() + static_cast<std::size_t>(r) * cellRowBytes);
    }
}

void ThumbnailImage::Reset(int tileCount) {
    tileCount_ = std::max(0, tileCount);
    rows_ = ThumbnailRows(tileCount_, columns_);
    pageRow_ = -1;
    whole_ = false;
}

std::span<const std::uint8_t> ThumbnailImage::DrawPage(const Tileset& tileset,
                                                       const Palette& palette, int firstRow) {
    const std::size_t cellRowBytes = rowBytes_ * kThumbnailCell;
    const std::size_t pageBytes = cellRowBytes * static_cast<std::size_t>(pageRows_);
    if (bytes_.size() != pageBytes) {
        // The whole image of a Fill is given back, not kept as a page.
        PixelBuffer(pageBytes).swap(bytes_);
        pageRow_ = -1;
    }
    whole_ = false;
    // Tiles taken out since the reset draw black rather than be read.
    const int tileCount = std::min(tileCount_, tileset.tileCount());
    // Rows the page already holds move to their new places; only the others are drawn.
    const int pageRows = pageRows_;
    int keptFrom = 0;  // page rows [keptFrom, keptTo) are already right
    int keptTo = 0;
    if (pageRow_ >= 0) {
        const int shift = firstRow - pageRow_;
        if (shift > 0 && shift < pageRows) {
            std::memmove(bytes_.data(),
                         bytes_.data() + static_cast<std::size_t>(shift) * cellRowBytes,
                         static_cast<std::size_t>(pageRows - shift) * cellRowBytes);
            keptTo = pageRows - shift;
        } else if (shift < 0 && -shift < pageRows) {
            std::memmove(bytes_.data() + static_cast<std::size_t>(-shift) * cellRowBytes,
                         bytes_.data(), static_cast<std::size_t>(pageRows + shift) * cellRowBytes);
            keptFrom = -shift;
            keptTo = pageRows;
        } else if (shift == 0) {
            keptTo = pageRows;
        }
    }
    pageRow_ = firstRow;
    if (keptTo - keptFrom < pageRows) {
        const PaletteRows table(palette);
        const CellRowLayout layout{columns_, rowBytes_, decorated_};
        for (int i = 0; i < pageRows; ++i) {
            if (i >= keptFrom && i < keptTo) {
                continue;
            }
            std::uint8_t* cellRow = bytes_.data() + static_cast<std::size_t>(i) * cellRowBytes;
            const int r = firstRow + i;
            if (r < 0 || r >= rows_) {
                std::memset(cellRow, 0, cellRowBytes);
            } else {
                DrawCellRow(tileset, tileCount, table, r, layout, cellRow);
            }
        }
    }
    return bytes();
}

DibHeader BrowserPageHeader() {
    return BrowserPageHeader(kThumbnailColumns, kBrowserPageRows);
}

DibHeader BrowserPageHeader(int columns, int pageRows) {
    DibHeader header;
    header.width = columns * kThumbnailCell;
    header.height = -pageRows * kThumbnailCell;
    return header;
}

BrowserGrid BrowserGridFor(int width, int height) {
    BrowserGrid grid;
    grid.columns = std::max(1, width / kThumbnailCell);
    grid.wholeRows = std::max(1, height / kThumbnailCell);
    grid.pageRows = std::max(1, (height + kThumbnailCell - 1) / kThumbnailCell);
    return grid;
}

int BrowserScrollMax(int rows, int wholeRows) {
    return std::max(0, rows - std::max(1, wholeRows));
}

int FirstRowShowing(int tile, int columns, int firstRow, int wholeRows) {
    if (tile < 1 || columns < 1) {
        return firstRow;
    }
    const int row = (tile - 1) / columns;
    if (row < firstRow) {
        return row;
    }
    if (row >= firstRow + std::max(1, wholeRows)) {
        return row - std::max(1, wholeRows) + 1;
    }
    return firstRow;
}

std::int64_t BrowserTileAt(int px, int py, int firstCellRow, int columns, int pageRows) {
    // Outside the page, past its last column, or a page before the first row: no tile (0).
    if (px < 0 || py < 0 || columns < 1 || px >= std::int64_t{columns} * kThumbnailCell ||
        py >= std::int64_t{pageRows} * kThumbnailCell || firstCellRow < 0) {
        return 0;
    }
    return (std::int64_t{py / kThumbnailCell} + firstCellRow) * columns + px / kThumbnailCell + 1;
}

}  // namespace pixmill
