#pragma once

#include <string>

namespace pixmill {

class Editor;

// The start of every run: one empty name, zoom 1, the Tile menu off, the
// palette strip sized and centred, the browser loaded but hidden.
void StartUp(Editor& editor);

// Loads what the command line names, each as its menu command would, with
// the same messages on failure: the palette (or, with an ART file and no
// palette given, a PALETTE.DAT beside it; without either, the palette loaded
// last, when it is still there), then the names, then the ART file.
// An ART file is opened only once a palette is loaded, as the File menu
// allows; otherwise the status line says that a palette is needed.
struct CommandLine;
void OpenCommandLineFiles(Editor& editor, const CommandLine& line);

// The status line's text when an ART file waits for a palette.
std::string PaletteNeededText(const std::string& artPath);

// Ends the editor at once: the settings are kept, every window closes and
// the tileset is discarded without a question.
void EndEditor(Editor& editor);

}  // namespace pixmill
