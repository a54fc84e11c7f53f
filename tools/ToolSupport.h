#pragma once
// Pieces shared by the commands of pixmill-tool: strict numbers from the command
// line and tile ranges checked against a tileset.

#include <string>
#include <string_view>

#include "common/Result.h"

namespace pixmill::tool {

// A whole number as typed: optional minus sign and decimal digits, nothing else
// (no blanks, no plus sign, no fraction). what names the argument in the reason.
Result<long long> ParseWholeNumber(std::string_view text, std::string_view what);

// A tile position from the command line, within 1..tileCount.
Result<int> ParseTilePosition(std::string_view text, std::string_view what, int tileCount);

// "cannot <verb> <path>: <reason>", the shape of every file error the tool reports.
Status FileFailure(std::string_view verb, std::string_view path, std::string_view reason);

// The text with every control character (line ends and tabs among them) shown as
// '?', so that text taken from a file or a command line stays one field of one line.
std::string OneLine(std::string_view text);

}  // namespace pixmill::tool
