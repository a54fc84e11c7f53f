#pragma once
// Which files of a game's set an edit has reached: a file differs from what
// is on disk when any of its tiles differs from the one last read or written
// there. Tiles that still share their pixels with those compare without
// reading a pixel, so this stays right under undo and costs little.

#include <cstddef>
#include <vector>

#include "tileset/Tileset.h"

namespace pixmill {

// The indices (into now.setFiles) of the files whose tiles differ from
// saved's, the same set as last read or written.
std::vector<std::size_t> ChangedSetFiles(const Tileset& now, const Tileset& saved);

}  // namespace pixmill
