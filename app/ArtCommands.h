#pragma once
// Opening, saving and creating tilesets from the windows.

#include <string>

namespace pixmill {

class Editor;

// Replaces the tileset by the file's. A file that cannot be read is reported
// and changes nothing.
void LoadArtFile(Editor& editor, const std::string& path);

// What the file dialog offers for tilesets.
inline constexpr char kArtFilter[] = "Build Engine Tilesets (*.ART)|*.ART";

// Shows a tileset that replaces the one before, read from a file (saved) or
// recovered (not saved), with its first tile current.
struct Tileset;
void ShowOpenedTileset(Editor& editor, Tileset&& tileset, bool saved);

// Writes the tileset to path. replaceWithoutAsking: the Save command, which
// replaces an existing file without a question; otherwise ConfirmOverwrite
// asks first. The old file is replaced only by a complete new one. True when
// the file was written.
bool SaveArtFile(Editor& editor, const std::string& path, bool replaceWithoutAsking);

// "Save ART as...": asks for a name, then SaveArtFile. False when the user
// cancelled or the file was not written.
bool SaveArtFileAs(Editor& editor);

// Replaces the tileset by 256 empty tiles, which have no file yet.
void NewTileset(Editor& editor);

// For a tileset that has just replaced the one before: a fresh history,
// which starts saved (a file just read, a new tileset) or unsaved (a
// recovered one), and the caption and Edit menu that follow from it.
void StartHistory(Editor& editor, bool saved);

}  // namespace pixmill
