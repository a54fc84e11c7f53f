#pragma once
// Showing a page of the browser's thumbnails and opening a tile from it;
// FillBrowser, which other windows call, is declared with the shared procedures.

#include <string>

namespace pixmill {

class Editor;

// Copies the page the scroll bar selects into the browser's picture area.
void DrawBrowserPage(Editor& editor);

// Opens the tile under (x, y) of the page in the main window, if there is one.
void OpenBrowserTile(Editor& editor, int x, int y);

// What the tooltip over (x, y) of the page says: "Tile 12 (ART 11) - 32x32",
// the tile's place in the file, its ART number and its size. Empty where no
// tile is.
std::string BrowserTileTip(Editor& editor, int x, int y);

}  // namespace pixmill
