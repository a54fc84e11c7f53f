#pragma once
// The tileset held by the editor and the editor state beside it.

#include <cstdint>
#include <string>
#include <vector>

#include "common/FileStamp.h"
#include "tileset/Tile.h"

namespace pixmill {

// An ART file cannot hold more: the attribute table offset of a tile is a 16-bit value.
inline constexpr int kMaxArtTiles = 8192;
// Tile positions inside the editor are 16-bit signed.
inline constexpr int kMaxTiles = 32767;

// One ART file of a game's set (TILES000.ART, TILES001.ART ...) opened as one
// tileset: where its tiles stand among the set's, and what its header holds.
struct SetFile {
    std::string path;
    int fileNumber = 0;  // from the name: 4 for TILES004.ART
    bool buildArtPrefix = false;
    std::int32_t firstTileNumber = 0;  // of its header
    int firstPosition = 1;             // of its first tile in the set's tiles
    int tileCount = 0;
    // The file on disk as last read or written, to tell a change by another program.
    FileStamp stamp;

    int lastPosition() const { return firstPosition + tileCount - 1; }
    std::int64_t lastTileNumber() const { return std::int64_t{firstTileNumber} + tileCount - 1; }
    bool Holds(int position) const {
        return position >= firstPosition && position <= lastPosition();
    }
};

struct Tileset {
    // Whether the file began with "BUILDART", written back so.
    bool buildArtPrefix = false;
    std::int32_t artVersion = 1;
    std::int32_t firstTileNumber = 0;
    std::int32_t lastTileNumber = -1;
    // From the file's name, kept as read, so TILES300.ART gives 300.
    int artFileNumber = 0;
    // The file; for a set, its folder.
    std::string artPath;
    // The file at artPath as last read or written, to tell a change by
    // another program before a save replaces it. A set's files keep theirs.
    FileStamp stamp;
    std::vector<Tile> tiles;
    // A game's set of files, in order of their numbers: each file's tiles
    // follow the one before's in tiles. Empty for a single file. The first
    // and last tile numbers above then count from the first file's first tile
    // number, so that tileCount() keeps to them.
    std::vector<SetFile> setFiles;

    // Always lastTileNumber - firstTileNumber + 1.
    int tileCount() const { return static_cast<int>(tiles.size()); }
    // Tiles are numbered 1 to tileCount().
    Tile& tile(int position) { return tiles[static_cast<std::size_t>(position - 1)]; }
    const Tile& tile(int position) const { return tiles[static_cast<std::size_t>(position - 1)]; }
    bool IsSet() const { return !setFiles.empty(); }

    // The number by which the game, its maps and its names header know tile
    // position i: in a single file, the header's first tile number counts
    // from position 1; in a set, the first tile number of the file holding
    // it. In 64 bits, so that no header can overflow it.
    std::int64_t GameNumber(int position) const;
    // The position of the tile the game knows by number; 0 for none (a
    // number in a gap of a set). Where files of a set overlap, the later
    // file's tile, as the game loads the files in order and the later wins.
    int PositionOfGameNumber(std::int64_t number) const;
    // The file of a set that holds position; null for a single file or a
    // position outside the tiles.
    const SetFile* FileHolding(int position) const;
};

struct EditorState {
    std::int16_t currentTile = 0;  // 0: no tile selected
    std::int16_t zoomFactor = 1;   // 1, 2, 4, 8, 16 or 32
    bool crosshairOn = false;
    std::int32_t tileDrawX = 0;
    std::int32_t tileDrawY = 0;
    // The palette indices of the left and right button's colours.
    std::uint8_t leftColour = 0;
    std::uint8_t rightColour = 255;
};

// The contents of "New ART": tile numbers 0 to 255, every tile 0 x 0 with
// attribute bytes 0. Path and file number are left to the caller to keep.
void MakeNewTileset(Tileset& tileset);

}  // namespace pixmill
