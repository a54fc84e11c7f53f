#pragma once
// Showing a page of the browser's thumbnails and opening a tile from it;
// FillBrowser, which other windows call, is declared with the shared procedures.

namespace pixmill {

class Editor;

// Copies the page the scroll bar selects into the browser's picture area.
void DrawBrowserPage(Editor& editor);

// Opens the tile under (x, y) of the page in the main window, if there is one.
void OpenBrowserTile(Editor& editor, int x, int y);

}  // namespace pixmill
