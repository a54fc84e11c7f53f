#pragma once
// Showing a page of the browser's thumbnails and opening a tile from it;
// FillBrowser and ShowCurrentTileInBrowser, which other windows call, are
// declared with the shared procedures.

#include <string>

namespace pixmill {

class Editor;

// Copies the page the scroll bar selects into the browser's picture area and
// frames the current tile's cell when it is on it.
void DrawBrowserPage(Editor& editor);

// After the picture area changed size: as many columns and rows as it holds,
// the scroll range to match, the current tile kept in sight, the page drawn.
void FitBrowserPage(Editor& editor);

// Opens the tile under (x, y) of the page in the main window, if there is one.
void OpenBrowserTile(Editor& editor, int x, int y);

// What the tooltip over (x, y) of the page says: "Tile 12 (ART 11) - 32x32",
// the tile's place in the file, its ART number and its size, with its name
// before the size when it has one ("Tile 12 (ART 11) - DOOR1 - 32x32"). Empty
// where no tile is.
std::string BrowserTileTip(Editor& editor, int x, int y);

}  // namespace pixmill
