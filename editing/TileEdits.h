#pragma once
// Edits of the tileset's tiles: clearing, resizing, inserting and deleting, with
// the header's tile numbers and the current tile kept in step.

#include "common/Result.h"
#include "tileset/Tileset.h"

namespace pixmill {

// The resize command offers 1 to 1024 in either direction.
inline constexpr int kMaxResizeSide = 1024;

// A blank tile: 0 x 0, no pixels, attribute bytes 0, 0, 0, 16.
void ClearTile(Tileset& tileset, int position);

// New size, 0..32767 each: pixels inside both sizes keep their places, new
// ones are palette index 0, the rest is cut off. Attributes are kept.
void ResizeTilePixels(Tile& tile, int width, int height);

// Puts a blank tile at position (1..tileCount + 1), moving the tiles from there
// on one place up, and makes it current. Refused, with nothing changed, when
// the tileset is full or its last tile number cannot grow.
Status InsertTile(Tileset& tileset, EditorState& state, int position);

// Removes the current tile (which must be 1..tileCount); the tile before it
// becomes current, 0 when the first tile was removed.
void DeleteTile(Tileset& tileset, EditorState& state);

}  // namespace pixmill
