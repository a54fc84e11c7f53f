#pragma once
// Every change to what the main view shows goes through these two: the layout,
// then the drawing.

namespace pixmill {

class Editor;

// Works out where tile currentTile + delta is drawn (tileDrawX, tileDrawY),
// placed by the offsets of tile currentTile. Does nothing for a tile that does
// not exist.
void UpdateTileView(Editor& editor, int delta);

// Draws tile n at the laid-out position, with the crosshair when it is on, and
// writes the status line. 0, or a number past the last tile, draws nothing.
void RenderCurrentTile(Editor& editor, int n);

// Stops a running animation preview and shows the current tile at rest.
void StopAnimationPreview(Editor& editor);

}  // namespace pixmill
