#pragma once

namespace pixmill {

class Editor;

// The start of every run: one empty name, zoom 1, the Tile menu off, the
// palette strip sized and centred, the browser loaded but hidden.
void StartUp(Editor& editor);

// Ends the editor at once: every window closes and the tileset is discarded
// without a question.
void EndEditor(Editor& editor);

}  // namespace pixmill
