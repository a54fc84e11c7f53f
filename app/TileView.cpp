#include "app/TileView.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstring>
#include <limits>
#include <utility>

#include "common/Numbers.h"
#include "common/Transpose.h"
#include "palette/PaletteRows.h"
#include "palette/PaletteWords.h"

namespace pixmill {
namespace {

std::int32_t Saturate(double value) {
    constexpr double kLow = std::numeric_limits<std::int32_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(value, kLow, kHigh));
}

// Eight bytes as one value, the first in the low byte.
std::uint64_t Load64(const std::uint8_t* in) {
    std::uint64_t value = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&value, in, sizeof value);
    } else {
        for (int i = 7; i >= 0; --i) {
            value = value << 8 | in[i];
        }
    }
    return value;
}

void StoreThree(std::uint8_t* out, std::uint32_t value) {
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
    out[2] = static_cast<std::uint8_t>(value >> 16);
}

// Pixels are stored column by column and the buffer row by row. The buffer is
// filled in bands of eight rows: one 8-byte read takes a column's eight pixels
// of the band and each goes to its row, so the band's rows stay in the cache
// while it is crossed. Walking whole columns down instead revisits every line
// of the buffer once per column, and rows 3 x W4 bytes apart share few cache sets.
//
// A pixel is stored as its whole word, four bytes for three: the fourth is 0
// and lands on the blue byte of the pixel to its right, written next (or on
// padding, which is 0). Only the last column stores exactly three bytes, as its
// fourth would be the first byte of the next row, already written.
//
// pixels is the top of the first column converted; columns lie stride bytes apart.
void ConvertColumns(const std::uint8_t* pixels, std::size_t width, std::size_t height,
                    std::size_t stride, std::size_t rowBytes, const PaletteWords& table,
                    std::uint8_t* out) {
    const std::size_t last = width - 1;
    std::size_t top = 0;
    for (; top + 8 <= height; top += 8) {
        std::uint8_t* at = out + top * rowBytes;
        const std::uint8_t* column = pixels + top;
        for (std::size_t x = 0; x < last; ++x, at += 3, column += stride) {
            const std::uint64_t eight = Load64(column);
            for (std::size_t r = 0; r < 8; ++r) {
                StoreWord(at + r * rowBytes, table[(eight >> (8 * r)) & 0xFF]);
            }
        }
        for (std::size_t r = 0; r < 8; ++r) {
            StoreThree(at + r * rowBytes, table[column[r]]);
        }
    }
    for (; top < height; ++top) {
        std::uint8_t* at = out + top * rowBytes;
        const std::uint8_t* pixel = pixels + top;
        for (std::size_t x = 0; x < last; ++x, at += 3, pixel += stride) {
            StoreWord(at, table[*pixel]);
        }
        StoreThree(at, table[*pixel]);
    }
}

// With a wide palette unit: a band of rows at a time is first turned into rows
// of indices (a blocked transposition, which reads each column's bytes in whole
// cache lines), and each row is then converted left to right in one pass.
void ConvertBands(const std::uint8_t* pixels, std::size_t width, std::size_t height,
                  std::size_t stride, std::size_t rowBytes, const PaletteRows& palette,
                  std::uint8_t* out) {
    constexpr std::size_t kBand = 32;
    PixelBuffer rows(kBand * width);
    for (std::size_t top = 0; top < height; top += kBand) {
        const std::size_t band = std::min(kBand, height - top);
        TransposeBytes(pixels + top, static_cast<std::ptrdiff_t>(stride), rows.data(),
                       static_cast<std::ptrdiff_t>(width), static_cast<int>(width),
                       static_cast<int>(band));
        palette.ConvertRows(rows.data(), width, width, band, out + top * rowBytes, rowBytes);
    }
}

}  // namespace

int OffsetShift(std::uint8_t storedByte) {
    return storedByte <= 127 ? -int{storedByte} : 256 - int{storedByte};
}

ViewPoint LayOutTile(int viewWidth, int viewHeight, int tileWidth, int tileHeight, int zoom,
                     std::uint8_t xOffsetByte, std::uint8_t yOffsetByte) {
    // Twice the position, exactly, in 64 bits; only then halved and rounded, so
    // neither a huge tile nor a huge zoom can overflow.
    const auto place = [zoom](int view, int tile, std::uint8_t offsetByte) {
        const std::int64_t twice = std::int64_t{view} - std::int64_t{tile} * zoom +
                                   2 * std::int64_t{zoom} * OffsetShift(offsetByte);
        return Saturate(RoundHalfEven(static_cast<double>(twice) / 2.0));
    };
    return {place(viewWidth, tileWidth, xOffsetByte), place(viewHeight, tileHeight, yOffsetByte)};
}

std::int32_t PaddedWidth(std::int32_t width) {
    if (width <= 0) {
        return 0;
    }
    // The largest int32 multiple of four stands in for widths that would overflow.
    constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max() / 4 * 4;
    return width > kLargest ? kLargest : (width + 3) / 4 * 4;
}

TileRegion VisibleTileRegion(int tileWidth, int tileHeight, int zoom, std::int32_t drawX,
                             std::int32_t drawY, int viewWidth, int viewHeight) {
    if (tileWidth <= 0 || tileHeight <= 0 || zoom <= 0) {
        return {};
    }
    // The tile pixels under the first and last view pixels the drawing covers,
    // found as the drawing finds them: (view pixel - draw position) / zoom.
    const auto span = [zoom](std::int64_t draw, int tileSide, int viewSide) {
        const std::int64_t first = std::max<std::int64_t>(0, draw);
        const std::int64_t end =
            std::min<std::int64_t>(viewSide, draw + std::int64_t{tileSide} * zoom);
        if (first >= end) {
            return std::pair<int, int>{0, 0};
        }
        const auto from = static_cast<int>((first - draw) / zoom);
        const auto to = static_cast<int>((end - 1 - draw) / zoom) + 1;
        return std::pair<int, int>{from, to - from};
    };
    const auto [x, width] = span(drawX, tileWidth, viewWidth);
    const auto [y, height] = span(drawY, tileHeight, viewHeight);
    if (width == 0 || height == 0) {
        return {};
    }
    return {x, y, width, height};
}

TileViewImage BuildTileViewImage(const Tile& tile, const Palette& palette) {
    return BuildTileViewImage(tile, palette, {0, 0, tile.width, tile.height});
}

TileViewImage BuildTileViewImage(const Tile& tile, const Palette& palette,
                                 const TileRegion& region) {
    TileViewImage image;
    image.header.width = PaddedWidth(region.width);
    image.header.height = -std::int32_t{region.height};
    // The header still tells the size, but nothing is drawn for a side of 0 or
    // less, nor for a region outside the tile.
    if (tile.width <= 0 || tile.height <= 0 || region.width <= 0 || region.height <= 0 ||
        region.x < 0 || region.y < 0 || region.x + region.width > tile.width ||
        region.y + region.height > tile.height) {
        return image;
    }
    const auto width = static_cast<std::size_t>(region.width);
    const auto height = static_cast<std::size_t>(region.height);
    const auto stride = static_cast<std::size_t>(tile.height);
    const std::size_t rowBytes = static_cast<std::size_t>(image.header.width) * 3;
    const std::size_t first =
        static_cast<std::size_t>(region.x) * stride + static_cast<std::size_t>(region.y);

    if (tile.pixels.size() >= tile.PixelCount()) {
        // Every pixel byte is written below, so only the padding needs zeroing;
        // zeroing the whole buffer first would cost a fifth of the conversion.
        image.bytes.resize(rowBytes * height);
        const std::size_t padding = rowBytes - width * 3;
        if (padding > 0) {
            for (std::size_t y = 0; y < height; ++y) {
                std::memset(image.bytes.data() + y * rowBytes + width * 3, 0, padding);
            }
        }
        const PaletteRows rows(palette);
        if (rows.wide()) {
            ConvertBands(tile.pixels.data() + first, width, height, stride, rowBytes, rows,
                         image.bytes.data());
        } else {
            ConvertColumns(tile.pixels.data() + first, width, height, stride, rowBytes,
                           rows.words(), image.bytes.data());
        }
    } else {
        image.bytes.assign(rowBytes * height, 0);
        // Pixels short of the tile's size are a caller's mistake: draw what is
        // there and leave the rest black rather than read past the end.
        for (std::size_t i = first; i < tile.pixels.size(); ++i) {
            const std::size_t x = i / stride - static_cast<std::size_t>(region.x);
            const std::size_t y = i % stride;
            if (x >= width) {
                break;
            }
            if (y < static_cast<std::size_t>(region.y) ||
                y - static_cast<std::size_t>(region.y) >= height) {
                continue;
            }
            const PaletteEntry& colour = palette[tile.pixels[i]];
            std::uint8_t* at =
                image.bytes.data() + (y - static_cast<std::size_t>(region.y)) * rowBytes + x * 3;
            at[0] = colour.blue;
            at[1] = colour.green;
            at[2] = colour.red;
        }
    }
    return image;
}

std::string OffsetsText(const TileAttributes& attributes) {
    const int x = attributes[1];
    const int y = attributes[2];
    std::string text = " Offsets: ";
    if (x >= 1 && x <= 127) {
        text += '-' + std::to_string(x);
    } else {
        text += std::to_string(x == 0 ? 0 : 256 - x);
    }
    text += ',';
    if (y >= 128) {
        text += '-' + std::to_string(256 - y);
    } else {
        text += std::to_string(y);
    }
    return text;
}

std::string TileStatusText(int number, int tileCount, const std::string& name, const Tile& tile) {
    std::string text = std::to_string(number) + '/' + std::to_string(tileCount);
    if (!name.empty()) {
        text += " - " + name;
    }
    text += " - " + std::to_string(tile.width) + 'x' + std::to_string(tile.height);
    return text + OffsetsText(tile.attributes);
}

int EndTileTarget(EndOfTileset end, int current, int tileCount) {
    if (tileCount < 1) {
        return 0;
    }
    const int target = end == EndOfTileset::First ? 1 : tileCount;
    return target == current ? 0 : target;
}

}  // namespace pixmill
