#pragma once
// Reading a names header from the windows.

#include <string>

namespace pixmill {

class Editor;

// Reads the names header at path into the editor's names table. Silent: a
// header that stops early keeps what was read before; names show at the next
// drawing of a tile.
void LoadNames(Editor& editor, const std::string& path);

}  // namespace pixmill
