#pragma once
// Pieces shared by the commands of pixmill-tool: strict numbers from the command
// line and tile ranges checked against a tileset.

#include <string>
#include <string_view>
#include <vector>

#include "common/Result.h"
#include "tileset/Tileset.h"

namespace pixmill::tool {

// A whole number as typed: optional minus sign and decimal digits, nothing else
// (no blanks, no plus sign, no fraction). what names the argument in the reason.
Result<long long> ParseWholeNumber(std::string_view text, std::string_view what);

// A tile position from the command line, within 1..tileCount.
Result<int> ParseTilePosition(std::string_view text, std::string_view what, int tileCount);

// Takes every flag out of args, wherever it stands; whether there was one.
bool TakeFlag(std::vector<std::string>& args, std::string_view flag);

// The option that tells export and import to take game numbers, and to take
// a folder as a game's set of files.
inline constexpr std::string_view kGameNumbersOption = "--game-numbers";

// An ART file, or, for a folder, the game's set of TILES###.ART files in it,
// whose problems (gaps, overlaps ...) are added to problems.
Result<Tileset> ReadTilesOrSet(const std::string& path, std::vector<std::string>& problems);
// A set's problems as warnings on standard error: told once the command is
// done, so that a failure stays one line.
void WarnOfProblems(const std::vector<std::string>& problems);
bool IsFolder(const std::string& path);

// "cannot <verb> <path>: <reason>", the shape of every file error the tool reports.
Status FileFailure(std::string_view verb, std::string_view path, std::string_view reason);

// The text with every control character (line ends and tabs among them) shown as
// '?', so that text taken from a file or a command line stays one field of one line.
std::string OneLine(std::string_view text);

}  // namespace pixmill::tool
