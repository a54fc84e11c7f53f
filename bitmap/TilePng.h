#pragma once
// Tiles as PNG pictures, through libpng. Written as 8-bit indexed PNGs whose
// colour table (PLTE) is the palette, the same colours a bitmap export gets.
// Read either as an indexed PNG's indices, taken as palette indices as they are,
// or, given a palette to match, as any PNG's colours turned into the nearest
// palette entries.

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

inline constexpr std::string_view kOnlyIndexedPngs =
    "only indexed PNGs (8 bits or fewer a pixel) can be imported as they are; "
    "--match-palette maps the colours of any PNG";

// Whether a path names a PNG: it ends in ".png", in any case.
bool IsPngPath(std::string_view path);

// The n-th file of a PNG batch: the chosen name without its last four
// characters, n as four digits, then ".PNG" (tiles.png and 12 give tiles0012.PNG).
std::string BatchPngPath(std::string_view chosenPath, int n);

// A tile of 0 x 0 (or any empty side) has no PNG form and is refused.
Status WriteTilePng(const Tile& tile, const Palette& palette, ByteSink& sink);
Result<std::vector<std::uint8_t>> TilePngBytes(const Tile& tile, const Palette& palette);
Status WriteTilePngFile(const Tile& tile, const Palette& palette, const std::string& path,
                        Flush flush = Flush::Now);

struct PngPicture {
    Tile tile;  // size and pixels (palette indices); the attribute bytes are 0
    // The PNG's own colour table when it is indexed, whatever was done with its
    // indices; empty for other PNGs.
    std::vector<PaletteEntry> colourTable;
};

// Without matchTo, only an indexed PNG is taken (kOnlyIndexedPngs otherwise),
// its indices as they are. With matchTo, every pixel becomes the entry of
// matchTo nearest to its colour (alpha is ignored). The picture's size is
// checked against the tile limits and the file's length before anything is
// allocated for it; a truncated or corrupt file is refused with libpng's reason.
Result<PngPicture> ReadTilePng(ByteSource& source, const Palette* matchTo = nullptr);
Result<PngPicture> ReadTilePng(std::span<const std::uint8_t> bytes,
                               const Palette* matchTo = nullptr);
Result<PngPicture> ReadTilePngFile(const std::string& path, const Palette* matchTo = nullptr);

}  // namespace pixmill
