#pragma once
// A tile on the clipboard in Pixmill's own form, so that a copy pasted back
// is the same tile to the byte: "PXT1", the width and the height as 16-bit
// little-endian numbers, the four attribute bytes, then the pixels column by
// column as the tile holds them.

#include <cstdint>
#include <span>
#include <vector>

#include "common/Result.h"
#include "tileset/Tile.h"

namespace pixmill {

// The clipboard's name for the form.
inline constexpr char kTileClipMimeType[] = "application/x-pixmill-tile";

std::vector<std::uint8_t> TileClipBytes(const Tile& tile);

// The tile, or why the bytes are not one: anything but exactly the bytes a
// tile of the stated size needs is refused.
Result<Tile> ReadTileClip(std::span<const std::uint8_t> bytes);

}  // namespace pixmill
