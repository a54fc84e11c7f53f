#pragma once
// Finding a game's files in a folder whatever the case of their names: games
// made for DOS spell them PALETTE.DAT, a copy on Linux may hold palette.dat.

#include <string>

namespace pixmill {

// The file in folder whose name is name in any case ("" or "." for the
// current folder). Where a case-sensitive file system holds more than one
// spelling, name as given wins, then the first by name, so that every run
// takes the same. Empty when there is none; never throws.
std::string FindFileIgnoringCase(const std::string& folder, const std::string& name);

// Whether two names are equal but for the case of ASCII letters.
bool EqualIgnoringCase(const std::string& a, const std::string& b);

}  // namespace pixmill
