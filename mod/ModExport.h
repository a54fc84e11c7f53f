#pragma once
// Changed tiles shipped as a mod, the way source ports take them today: an
// indexed PNG of each changed tile and one definition file that puts them in
// place by their numbers in the game,
//
//   tilefromtexture N { file "tiles/tileN.png" xoffset X yoffset Y [ifcrc C] }
//   animtilerange FIRST LAST SPEED TYPE
//   undefinetile N
//
// ifcrc makes a port apply the picture only where the game's own tile N has
// the original's pixels (their CRC-32, column by column as stored, written as
// a signed 32-bit number, which every port reads alike). A tile left with no
// picture cannot be a PNG; undefinetile empties it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/Result.h"
#include "palette/Palette.h"
#include "tileset/Tileset.h"

namespace pixmill {

// One tile of the game that differs from the original.
struct ModTile {
    std::int64_t number = 0;
    Tile tile;  // as it is now (sharing its pixels)
    // What changed: the picture or its offsets, the animation (frames, type,
    // the speed's low four bits, which the engines read).
    bool picture = false;
    bool animation = false;
    // The upper four bits of the speed byte, which each game reads its own
    // way and no definition file sets.
    bool gameBits = false;
    // CRC-32 of the original tile's pixels; none for a tile new to the game
    // or one that had no pixels.
    std::optional<std::uint32_t> originalCrc;
};

// Every tile whose game number shows a different tile in changed than in
// base (the tiles last loaded from disk), in order of number. A number that
// changed no longer holds (a tile deleted from the end of a file) shows as an
// empty tile. Where files of a set overlap, the tile the game shows.
std::vector<ModTile> ModChanges(const Tileset& base, const Tileset& changed);

struct ModOptions {
    bool ifcrc = false;
    std::string made;  // a line about what the mod was made from, for its head
};

// The PNG of a tile, relative to the definition file's folder.
std::string ModPngPath(std::int64_t number);

// The definition file's text.
std::string ModDefinitionText(const std::vector<ModTile>& tiles, const ModOptions& options);

struct ModWritten {
    int pngs = 0;
    int entries = 0;
};

// Writes the PNGs (through palette) into a "tiles" folder beside defPath and
// then the definition file, all together or, on any failure, none.
Result<ModWritten> WriteMod(const std::vector<ModTile>& tiles, const Palette& palette,
                            const std::string& defPath, const ModOptions& options);

}  // namespace pixmill
