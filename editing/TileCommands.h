#pragma once
// The tile commands' procedures: each records its change of the tileset as
// one undo step (MakeChange), which redraws the view and the browser.

#include <string>

namespace pixmill {

class Editor;

// Puts a blank tile at position and makes it current. A tileset that cannot
// grow is reported and left as it was.
void InsertTile(Editor& editor, int position);

// Removes the current tile; the one before it becomes current. After the first
// tile no tile is current and the view says so.
void DeleteTile(Editor& editor);

// Gives the current tile a new size, keeping the pixels both sizes share, and
// draws it at the place its new size gives.
void ResizeTile(Editor& editor, int width, int height);

// Makes tiles first to last (1..tileCount) blank and draws the current tile,
// as one step named after the command.
void ClearTiles(Editor& editor, int first, int last, const std::string& command);

}  // namespace pixmill
