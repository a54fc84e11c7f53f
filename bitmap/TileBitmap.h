#pragma once
// Tiles as uncompressed 8-bit Windows bitmaps: a 54-byte header, the palette as a
// 256-entry colour table, and rows from byte 1078, bottom row first, each padded
// to a multiple of four bytes. Pixel values travel as palette indices.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/AtomicFile.h"
#include "common/ByteIo.h"
#include "common/Result.h"
#include "palette/Palette.h"
#include "tileset/Tile.h"

namespace pixmill {

inline constexpr std::string_view kOnlyEightBitBitmaps =
    "Only 8-bit bitmaps can be imported into ART files.";
inline constexpr std::size_t kBitmapRowsOffset = 1078;

// The width brought up to a multiple of 4.
std::size_t BitmapRowStride(int width);

std::vector<std::uint8_t> TileBitmapBytes(const Tile& tile, const Palette& palette);
Status WriteTileBitmapFile(const Tile& tile, const Palette& palette, const std::string& path,
                           Flush flush = Flush::Now);

// The n-th file of a batch: the chosen name without the last four characters
// of its file name (the folder is never cut),
// n as four digits, then ".BMP" (tiles.bmp and 12 give tiles0012.BMP).
std::string BatchBitmapPath(std::string_view chosenPath, int n);

// The picture of an 8-bit bitmap as a tile's width, height and pixels (the
// attribute bytes are left 0). A bitmap of another depth is refused with
// kOnlyEightBitBitmaps as the reason; a compressed, oversized or truncated one
// with a reason of its own.
Result<Tile> ReadTileBitmap(ByteSource& source);
Result<Tile> ReadTileBitmap(std::span<const std::uint8_t> bytes);
Result<Tile> ReadTileBitmapFile(const std::string& path);

// Gives tile the picture's size and pixels; its attributes stay as they are.
void ReplacePicture(Tile& tile, Tile&& picture);

}  // namespace pixmill
