#pragma once
// Reading "#define NAME number" lines of a names header into TileNames.
//
// Lines end at a carriage return (optionally followed by a line feed); a line
// feed alone does not end a line. A line counts when its first seven characters
// are "#DEFINE" in any case; after one separator character comes the name, one
// space, and the number. Loading stops at the first line it cannot take; the
// entries stored before it stay.

#include <string>
#include <string_view>

#include "names/TileNames.h"

namespace pixmill {

struct NamesLoadReport {
    int namesStored = 0;
    // Empty when the whole file was read; otherwise why and where loading stopped.
    std::string stoppedBecause;
    int stoppedAtLine = 0;
};

NamesLoadReport ReadNamesHeader(std::string_view text, TileNames& names);
NamesLoadReport ReadNamesHeaderFile(const std::string& path, TileNames& names);

}  // namespace pixmill
