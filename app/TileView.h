#pragma once
// The arithmetic of the main view: where a tile is drawn, the 24-bit buffer it
// is drawn from and the status line that describes it. No window code here.

#include <cstdint>
#include <string>
#include <vector>

#include "common/DibHeader.h"
#include "palette/Palette.h"
#include "tileset/Tile.h"

namespace pixmill {

struct ViewPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const ViewPoint&, const ViewPoint&) = default;
};

// How far a stored offset byte moves the drawing, in tile pixels: a positive
// stored offset (1..127) moves it left or up, 128..255 (negative) right or down.
int OffsetShift(std::uint8_t storedByte);

// Top-left corner of a tileWidth x tileHeight tile drawn at zoom in a view of
// viewWidth x viewHeight pixels (frame included), centred and then shifted by
// the offset bytes of the current tile; halves round to even.
ViewPoint LayOutTile(int viewWidth, int viewHeight, int tileWidth, int tileHeight, int zoom,
                     std::uint8_t xOffsetByte, std::uint8_t yOffsetByte);

// The tile's width rounded up to a multiple of four.
std::int32_t PaddedWidth(std::int32_t width);

struct TileViewImage {
    DibHeader header;  // width: padded width, height: -tile height
    // Rows top first, blue, green, red per pixel, padding zero.
    PixelBuffer bytes;
};

// The 24-bit top-down buffer of a tile through the palette; columns beyond the
// tile's width are zero. A tile with a side of 0 gives an empty buffer.
TileViewImage BuildTileViewImage(const Tile& tile, const Palette& palette);

// Columns x to x + width - 1 and rows y to y + height - 1 of a tile, from 0.
struct TileRegion {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const TileRegion&, const TileRegion&) = default;
};

// The tile pixels that show in a view of viewWidth x viewHeight drawing pixels
// when the tile is drawn magnified by zoom with its top left at (drawX, drawY);
// empty (0 x 0) when none do. A large tile at a high zoom shows few of its pixels.
TileRegion VisibleTileRegion(int tileWidth, int tileHeight, int zoom, std::int32_t drawX,
                             std::int32_t drawY, int viewWidth, int viewHeight);

// The buffer of a region of the tile alone, laid out as the whole tile's is
// (the header describes the region); empty for a region outside the tile.
TileViewImage BuildTileViewImage(const Tile& tile, const Palette& palette,
                                 const TileRegion& region);

// " Offsets: -3,5": the X offset with its sign reversed, the Y offset as stored.
std::string OffsetsText(const TileAttributes& attributes);

// "12/256 - DOOR1 - 32x48 Offsets: -3,5"; the name part only when name is not empty.
std::string TileStatusText(int number, int tileCount, const std::string& name, const Tile& tile);

// The tile that Home (the first) or End (the last) goes to from current among
// tileCount tiles; 0 when it stays where it is, as paging does at either end.
enum class EndOfTileset { First, Last };
int EndTileTarget(EndOfTileset end, int current, int tileCount);

}  // namespace pixmill
