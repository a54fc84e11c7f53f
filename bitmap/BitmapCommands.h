#pragma once
// Exchanging tiles with other programs as 8-bit bitmaps, from the windows.

#include <string>

namespace pixmill {

class Editor;

// What the file dialog offers for bitmaps.
inline constexpr char kBitmapFilter[] = "Windows Bitmaps (*.BMP)|*.BMP";

// Writes the current tile to path, after ConfirmOverwrite. A file that cannot
// be written is reported; the old file, if any, stays as it was.
void ExportTileBmp(Editor& editor, const std::string& path);

// Asks for a name and writes tiles first to last (1..tileCount) as the name
// without its last four characters, a four-digit count from 0001 and ".BMP".
// Each existing file is asked about; No skips it. The first file that cannot
// be written ends the batch, and the message says how many were written.
void BatchExportBmp(Editor& editor, int first, int last);

// Replaces the current tile's picture by the bitmap's, its attributes kept. A
// bitmap that cannot be read whole changes nothing.
void ImportTileBmp(Editor& editor, const std::string& path);

}  // namespace pixmill
