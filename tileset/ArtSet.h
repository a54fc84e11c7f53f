#pragma once
// A game's tiles as one set: the TILES###.ART files of a folder (000 to 999,
// in any case), read in order of their numbers into one tileset. Each file
// holds a run of the game's tile numbers, and the next file's run should
// follow it; what does not (gaps, overlaps, missing numbers, files that cannot
// be read, numbers past the engines' limits) is told as one list of problems,
// and the set still opens with every file that could be read.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/ByteIo.h"
#include "common/Result.h"
#include "tileset/ArtFile.h"
#include "tileset/Tileset.h"

namespace pixmill {

// The number of a set's file name, TILES###.ART in any case; -1 for any
// other name.
int SetFileNumber(std::string_view name);
// "TILES004.ART" for 4.
std::string SetFileName(int number);

// The tile-number limits of the engines: the most tiles each can load, and
// the highest number a set may use in it (the last limit's engines keep its
// final 256 for themselves).
struct EngineLimit {
    int tiles;
    int highestNumber;
    std::string_view engines;
};
inline constexpr EngineLimit kEngineLimits[] = {
    {4096, 4095, "the original engine"},
    {6144, 6143, "the later classic releases"},
    {9216, 9215, "modern source ports"},
    {30720, 30463, "the largest source ports"},
};
// The limits that numbers lowest to highest fit in, smallest first.
std::vector<EngineLimit> LimitsFitting(std::int64_t lowest, std::int64_t highest);

// One file found in the folder, with its header as checked before the file
// is read whole (or why it could not be).
struct SetCandidate {
    std::string path;
    std::string name;
    int fileNumber = 0;
    Result<CheckedArtHeader> header = Status::Fail("not read");
};

// Where each file's tiles go, and what is wrong with the set.
struct SetLayout {
    std::vector<SetFile> files;  // in order; stamps left empty
    std::vector<std::string> problems;
    int tileCount = 0;
};

// Orders the candidates by number and lays out the files that can be read,
// at most kMaxTiles tiles in all, from their headers alone: nothing here
// allocates for what a header claims.
SetLayout LayOutArtSet(std::vector<SetCandidate> candidates);

// The TILES###.ART files of folder, each with its header checked.
std::vector<SetCandidate> FindSetCandidates(const std::string& folder);

struct OpenedSet {
    Tileset tileset;  // artPath the folder, setFiles each file
    std::vector<std::string> problems;
};

// Reads every file of the folder's set whole (one read each, as ReadArtFile
// does), so that later changes on disk change nothing. Fails only when the
// folder holds no TILES###.ART file that can be read.
Result<OpenedSet> OpenArtSet(const std::string& folder);

// The folder of a set given as a folder or as any file in it.
std::string SetFolderOf(const std::string& folderOrFile);

// The tiles of a recovery copy of a set (all its tiles, in order) put back
// into the set as it is on disk now; refused when the files no longer hold
// as many tiles.
Result<Tileset> RecoveredSet(Tileset set, const Tileset& copy);

// One file of a set as the ART file it is written to: its header, its
// "BUILDART" if it had one, and its own tiles (sharing their pixels).
Tileset SetFileTileset(const Tileset& set, const SetFile& file);

}  // namespace pixmill
