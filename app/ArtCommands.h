#pragma once
// Opening, saving and creating tilesets from the windows.

#include <string>

namespace pixmill {

class Editor;

// Replaces the tileset by the file's. A file that cannot be read is reported
// and changes nothing.
void LoadArtFile(Editor& editor, const std::string& path);

// Writes the tileset to path. replaceWithoutAsking: the Save command, which
// replaces an existing file without a question; otherwise ConfirmOverwrite
// asks first. The old file is replaced only by a complete new one.
void SaveArtFile(Editor& editor, const std::string& path, bool replaceWithoutAsking);

// Replaces the tileset by 256 empty tiles.
void NewTileset(Editor& editor);

}  // namespace pixmill
