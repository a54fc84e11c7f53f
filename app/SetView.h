#pragma once
// What the windows say about a game's set of files and its tiles: the status
// line of a tile known by its game number, the caption, the questions and
// messages of opening and saving a set. No window code here.

#include <cstdint>
#include <string>
#include <vector>

#include "tileset/Tile.h"
#include "tileset/Tileset.h"

namespace pixmill {

// Why insert and delete are refused in a set.
inline constexpr char kTileListFixedInSet[] =
    "Tiles cannot be inserted or deleted in a tile set: every tile after it would take "
    "another number in the game. Open the file alone (File > Open ART...) to insert or "
    "delete tiles in it.";

// Why "Save ART as..." is refused in a set.
inline constexpr char kSaveAsInSet[] =
    "A tile set is saved with \"Save ART\", each changed file in its place. To ship its "
    "changes elsewhere, use File > \"Export Changes as Mod...\".";

// "1234 (TILES004.ART) - DOOR1 - 32x48 Offsets: -3,5": the game number, the
// file that holds the tile, the name part only when name is not empty.
std::string SetTileStatusText(std::int64_t gameNumber, const std::string& fileName,
                              const std::string& name, const Tile& tile);

// The browser's tooltip: "Tile 12 (ART 11) - 32x32" for a single file (its
// place, then its game number), "Tile 1234 (TILES004.ART) - 32x32" in a set;
// a tile's name, when it has one, before its size ("... - DOOR1 - 32x32").
std::string TileTipText(const Tileset& tileset, int position, const std::string& name);

// "Pixmill - FOLDER (20 files)", without the unsaved mark.
std::string SetCaption(const Tileset& set);

// The one message of the problems found when a set opens.
std::string SetProblemsText(const std::string& folder, const std::vector<std::string>& problems);

// The question before unsaved changes to a set are lost, naming the files.
std::string SetSaveQuestion(const std::string& folder, const std::vector<std::string>& fileNames);

// The question before a save replaces a file another program changed.
std::string ChangedOnDiskQuestion(const std::string& path, bool stillThere);

// The name of a file of a set, without its folder.
std::string SetFileNameOf(const SetFile& file);

}  // namespace pixmill
