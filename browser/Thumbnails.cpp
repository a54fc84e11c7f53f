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
constexpr auto kRowBytes = static_cast<std::size_t>(kThumbnailRowBytes);
constexpr std::size_t kCellRowBytes = kRowBytes * kThumbnailCell;
constexpr std::size_t kPageBytes = kCellRowBytes * kBrowserPageRows;

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
              std::uint8_t* cell) {
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
                for (std::size_t y = 0; y < height; ++y, at += kRowBytes) {
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
        palette.ConvertRows(gathered, kThumbnailSide, width, height, cell - 3 * columns, kRowBytes);
    }
}

}  // namespace

int ThumbnailRows(int tileCount) {
    if (tileCount <= 0) {
        return 0;
    }
    return tileCount / kThumbnailColumns + (tileCount % kThumbnailColumns != 0 ? 1 : 0);
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

std::span<const std::uint8_t> ThumbnailImage::FromCellRow(int firstCellRow) const {
    if (!whole_ || firstCellRow < 0 || firstCellRow >= rows_) {
        return {};
    }
    return bytes().subspan(static_cast<std::size_t>(firstCellRow) * kCellRowBytes);
}

namespace {

// Draws the eight cells of cell row r, black first, as the whole image and a
// page both draw it.
void DrawCellRow(const Tileset& tileset, int tileCount, const PaletteRows& table, int r,
                 std::uint8_t* cellRow) {
    // Black first, the whole cell row in one sweep: it covers the margins and
    // the empty cells, and brings the row's lines into the cache in order,
    // ahead of the drawing's scattered stores (measured faster than writing
    // each margin after its thumbnail).
    std::memset(cellRow, 0, kCellRowBytes);
    const int first = r * kThumbnailColumns + 1;
    if (first > tileCount) {
        return;
    }
    std::array<CellPlan, 2> plans;
    PlanCell(tileset.tile(first), plans[static_cast<std::size_t>(first % 2)],
             plans[static_cast<std::size_t>(first % 2)]);
    for (int c = 0; c < kThumbnailColumns; ++c) {
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
        if (plan.pixels != nullptr) {
            DrawCell(plan, next, table, cellRow + static_cast<std::size_t>(c) * kCellBytes);
        }
    }
}

}  // namespace

void ThumbnailImage::Fill(const Tileset& tileset, const Palette& palette) {
    const int tileCount = tileset.tileCount();
    rows_ = ThumbnailRows(tileCount);
    tileCount_ = tileCount;
    pageRow_ = -1;
    whole_ = true;
    const std::size_t size = static_cast<std::size_t>(rows_) * kCellRowBytes;
    // Give back the memory of a much larger tileset rather than keep it for good.
    if (bytes_.capacity() / 2 > size) {
        PixelBuffer().swap(bytes_);
    }
    bytes_.resize(size);

    const PaletteRows table(palette);
    for (int r = 0; r < rows_; ++r) {
        DrawCellRow(tileset, tileCount, table, r,
                    bytes_.data() + static_cast<std::size_t>(r) * kCellRowBytes);
    }
}

void ThumbnailImage::Reset(int tileCount) {
    tileCount_ = std::max(0, tileCount);
    rows_ = ThumbnailRows(tileCount_);
    pageRow_ = -1;
    whole_ = false;
}

std::span<const std::uint8_t> ThumbnailImage::DrawPage(const Tileset& tileset,
                                                       const Palette& palette, int firstRow) {
    if (bytes_.size() != kPageBytes) {
        // The whole image of a Fill is given back, not kept as a page.
        PixelBuffer(kPageBytes).swap(bytes_);
        pageRow_ = -1;
    }
    whole_ = false;
    // Tiles taken out since the reset draw black rather than be read.
    const int tileCount = std::min(tileCount_, tileset.tileCount());
    // Rows the page already holds move to their new places; only the others are drawn.
    int keptFrom = 0;  // page rows [keptFrom, keptTo) are already right
    int keptTo = 0;
    if (pageRow_ >= 0) {
        const int shift = firstRow - pageRow_;
        if (shift > 0 && shift < kBrowserPageRows) {
            std::memmove(bytes_.data(),
                         bytes_.data() + static_cast<std::size_t>(shift) * kCellRowBytes,
                         static_cast<std::size_t>(kBrowserPageRows - shift) * kCellRowBytes);
            keptTo = kBrowserPageRows - shift;
        } else if (shift < 0 && -shift < kBrowserPageRows) {
            std::memmove(bytes_.data() + static_cast<std::size_t>(-shift) * kCellRowBytes,
                         bytes_.data(),
                         static_cast<std::size_t>(kBrowserPageRows + shift) * kCellRowBytes);
            keptFrom = -shift;
            keptTo = kBrowserPageRows;
        } else if (shift == 0) {
            keptTo = kBrowserPageRows;
        }
    }
    pageRow_ = firstRow;
    if (keptTo - keptFrom < kBrowserPageRows) {
        const PaletteRows table(palette);
        for (int i = 0; i < kBrowserPageRows; ++i) {
            if (i >= keptFrom && i < keptTo) {
                continue;
            }
            std::uint8_t* cellRow = bytes_.data() + static_cast<std::size_t>(i) * kCellRowBytes;
            const int r = firstRow + i;
            if (r < 0 || r >= rows_) {
                std::memset(cellRow, 0, kCellRowBytes);
            } else {
                DrawCellRow(tileset, tileCount, table, r, cellRow);
            }
        }
    }
    return bytes();
}

DibHeader BrowserPageHeader() {
    DibHeader header;
    header.width = kBrowserPageSide;
    header.height = -kBrowserPageSide;
    return header;
}

int BrowserScrollMax(int rows) {
    return std::max(0, rows - kBrowserPageRows);
}

std::int64_t BrowserTileAt(int px, int py, int firstCellRow) {
    // Outside the page, or a page before the first row: no tile (0).
    if (px < 0 || py < 0 || px >= kBrowserPageSide || py >= kBrowserPageSide || firstCellRow < 0) {
        return 0;
    }
    return (std::int64_t{py / kThumbnailCell} + firstCellRow) * kThumbnailColumns +
           px / kThumbnailCell + 1;
}

}  // namespace pixmill
