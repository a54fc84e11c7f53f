#pragma once
// Loading and exporting the palette, and the palette strip that shows it.

#include <string>

namespace pixmill {

class Editor;

// Replaces the palette by the file's (RIFF when the path ends in PAL, Build
// otherwise), redraws the strip, the swatches, the thumbnails and the view,
// and enables the commands that need a palette. A file that cannot be read is
// reported and changes nothing.
void LoadPalette(Editor& editor, const std::string& path);

// Writes the palette in the format its path names, after ConfirmOverwrite.
void ExportPalette(Editor& editor, const std::string& path);

// Entry i as a 4 x 4 block: 0..127 along the upper band, 128..255 the lower.
void DrawPaletteStrip(Editor& editor);

// The two swatches in the colours of the left and right button's indices,
// each showing its index, with its values in the tooltip.
void ShowSwatches(Editor& editor);

}  // namespace pixmill
