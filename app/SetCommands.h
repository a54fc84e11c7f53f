#pragma once
// A game's set of files from the windows: opening it, saving the files an
// edit reached, the question before its unsaved changes are lost; changes
// shipped as a mod; and what is on disk, against which saves and exports
// compare.

#include <string>

#include "common/FileStamp.h"
#include "common/Result.h"
#include "tileset/Tileset.h"

namespace pixmill {

class Editor;
class Form1;

// Opens the TILES###.ART files of a folder (given as the folder or as any
// file in it) as one set; the problems found are told in one message after
// it opens. A folder with no file that can be read changes nothing.
void OpenTileSet(Editor& editor, const std::string& folderOrFile);

// "Save ART" in a set: every file an edit reached since the last save, and
// only those, put in place together or not at all. True when written.
bool SaveTileSet(Editor& editor);

// The question before a set's unsaved changes are lost, naming the files.
bool SettleSetChanges(Editor& editor);

// Before a save replaces the file at path, read with stamp read: true when
// it is still that file, or the user agreed to replace what is there now.
bool MayReplaceFile(Editor& editor, const std::string& path, const FileStamp& read);

// The tiles on disk, for a tileset that has just replaced the one before:
// itself when it was just read or made (saved), otherwise (a recovered one)
// the file or set at its path as it is now.
void RememberTilesOnDisk(Editor& editor, bool saved);

// The recovery copy of a set (all its tiles) put back into the set as its
// folder holds it now.
Result<Tileset> RecoveredSetTiles(const Tileset& copy);

// File > "Export Changes as Mod...": every tile that differs from the tiles
// as they were opened, as PNGs and a definition file. Nothing is written when
// none differs, and the user is told so.
void ExportChangesAsMod(Editor& editor);

// View > "Shade" and "Palette Swap" of form (the editor's main window, also
// while it is made): the items the palette's tables and its LOOKUP.DAT give,
// the choice drawn through checked; off when there are none.
void FillDrawingMenus(Editor& editor, Form1& form);

// Reads the shade tables of the palette file at path and the LOOKUP.DAT
// beside it into the editor, draws through none of them, and fills the
// menus. The reason any of them was refused (the palette itself stays
// loaded), empty when none was.
std::string LoadGameTables(Editor& editor, const std::string& palettePath);

}  // namespace pixmill
