#pragma once
// Edits of the tileset's tiles on the model alone: clearing, resizing,
// inserting and removing, with the header's tile numbers kept in step. Which
// tile is current is the windows' business, not these functions'.

#include "common/Result.h"
#include "tileset/Tileset.h"

namespace pixmill {

// The resize command offers 1 to 1024 in either direction.
inline constexpr int kMaxResizeSide = 1024;

// A blank tile: 0 x 0, no pixels, attribute bytes 0, 0, 0, 16.
Tile BlankTile();
void ClearTile(Tileset& tileset, int position);

// New size, 0..32767 each: pixels inside both sizes keep their places, new
// ones are palette index 0, the rest is cut off. Attributes are kept.
void ResizeTilePixels(Tile& tile, int width, int height);
Tile ResizedTile(const Tile& tile, int width, int height);

// Whether one more tile fits: a save writes at most kMaxArtTiles, and the
// last tile number must be able to grow. The reason reads after "The tileset
// is full: ".
Status CheckRoomForTile(const Tileset& tileset);

// Puts a blank tile at position (1..tileCount + 1), moving the tiles from there
// on one place up. Refused, with nothing changed, when CheckRoomForTile refuses.
Status InsertBlankTile(Tileset& tileset, int position);

// Takes the tile at position (1..tileCount) out, moving the later tiles one
// place down. Any other position changes nothing.
void RemoveTile(Tileset& tileset, int position);

}  // namespace pixmill
