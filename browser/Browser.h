#pragma once
// Filling the browser's thumbnails and showing a page of them.

namespace pixmill {

class Editor;

// Rebuilds every thumbnail from the tileset and the palette, fits the scroll
// range to the rows and draws the page.
void FillBrowser(Editor& editor);

// Copies the page the scroll bar selects into the browser's picture area.
void DrawBrowserPage(Editor& editor);

// Opens the tile under (x, y) of the page in the main window, if there is one.
void OpenBrowserTile(Editor& editor, int x, int y);

}  // namespace pixmill
