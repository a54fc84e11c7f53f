#pragma once
// The tile commands' procedures: each changes the tileset through the core's
// edits and then refills the browser and redraws the view in the order the
// commands need.

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

// Makes tiles first to last (1..tileCount) blank and draws the current tile.
void ClearTiles(Editor& editor, int first, int last);

}  // namespace pixmill
