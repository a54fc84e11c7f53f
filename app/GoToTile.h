#pragma once
// What "Go to Tile..." makes of the text typed: a position, an ART number
// written "#N", or a name or its beginning from the loaded names; in a game's
// set, a number (with or without "#") is the tile's number in the game. No
// window code here.

#include <string>
#include <string_view>
#include <vector>

#include "names/TileNames.h"
#include "tileset/Tileset.h"

namespace pixmill {

struct NamedTile {
    int position = 0;
    std::string name;
    friend bool operator==(const NamedTile&, const NamedTile&) = default;
};

struct GoToTarget {
    enum class Kind {
        Nothing,  // nothing typed: the command ends without a word
        Tile,     // go to position
        Choose,   // several names fit: the user picks one of choices
        Refused,  // message says why
    };
    Kind kind = Kind::Nothing;
    int position = 0;
    // By position; at most kMaxGoToChoices of matchCount names.
    std::vector<NamedTile> choices;
    int matchCount = 0;
    std::string message;
    std::string text;  // what was typed, without the spaces around it
};

// A list longer than this is cut: the user types more of the name instead.
inline constexpr int kMaxGoToChoices = 30;

// A name matches when it equals the text or begins with it, in any case;
// names that equal it win over those that only begin with it. Only names of
// tiles in this tileset count (names are kept by the game's tile numbers).
GoToTarget FindTileToGoTo(std::string_view typed, const Tileset& tileset, const TileNames& names);

// "DOOR1 - tile 12 (ART 11)", one line of the list of choices; in a set
// "DOOR1 - tile 1234 (TILES004.ART)".
std::string NamedTileText(const NamedTile& tile, const Tileset& tileset);

}  // namespace pixmill
