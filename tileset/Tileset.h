#pragma once
// The tileset held by the editor and the editor state beside it.

#include <cstdint>
#include <string>
#include <vector>

#include "tileset/Tile.h"

namespace pixmill {

// An ART file cannot hold more: the attribute table offset of a tile is a 16-bit value.
inline constexpr int kMaxArtTiles = 8192;
// Tile positions inside the editor are 16-bit signed.
inline constexpr int kMaxTiles = 32767;

struct Tileset {
    std::int32_t artVersion = 1;
    std::int32_t firstTileNumber = 0;
    std::int32_t lastTileNumber = -1;
    // From the file's name, kept as read, so TILES300.ART gives 300.
    int artFileNumber = 0;
    std::string artPath;
    std::vector<Tile> tiles;

    // Always lastTileNumber - firstTileNumber + 1.
    int tileCount() const { return static_cast<int>(tiles.size()); }
    // Tiles are numbered 1 to tileCount().
    Tile& tile(int position) { return tiles[static_cast<std::size_t>(position - 1)]; }
    const Tile& tile(int position) const { return tiles[static_cast<std::size_t>(position - 1)]; }
    // The number by which the game, its maps and its names header know tile
    // position i: the header's first tile number counts from position 1. In
    // 64 bits, so that no header can overflow it.
    std::int64_t GameNumber(int position) const {
        return std::int64_t{firstTileNumber} + position - 1;
    }
    // The position of the tile the game knows by number; 0 for none.
    int PositionOfGameNumber(std::int64_t number) const {
        const std::int64_t position = number - firstTileNumber + 1;
        return position >= 1 && position <= tileCount() ? static_cast<int>(position) : 0;
    }
};

struct EditorState {
    std::int16_t currentTile = 0;  // 0: no tile selected
    std::int16_t zoomFactor = 1;   // 1, 2, 4 or 8
    bool crosshairOn = false;
    std::int32_t tileDrawX = 0;
    std::int32_t tileDrawY = 0;
    std::uint8_t leftColour = 0;
    std::uint8_t rightColour = 255;
};

// The contents of "New ART": tile numbers 0 to 255, every tile 0 x 0 with
// attribute bytes 0. Path and file number are left to the caller to keep.
void MakeNewTileset(Tileset& tileset);

}  // namespace pixmill
