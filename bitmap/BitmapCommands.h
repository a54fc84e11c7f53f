#pragma once
// Exchanging tiles with other programs as 8-bit bitmaps, from the windows.

#include <string>

namespace pixmill {

class Editor;

// What the file dialog offers for bitmaps, and for exports, which write a
// PNG for a name that ends in ".png".
inline constexpr char kBitmapFilter[] = "Windows Bitmaps (*.BMP)|*.BMP";
inline constexpr char kExportFilter[] = "Windows Bitmaps (*.BMP)|*.BMP|PNG images (*.png)|*.png";

// Asked when a bitmap's colour table is not the palette.
inline constexpr char kReorderedBitmapQuestion[] =
    "The bitmap's colours are in a different order than the palette's. Match them to the "
    "palette?";

// Writes the current tile to path, after ConfirmOverwrite: an indexed PNG when
// path ends in ".png" (any case), otherwise a bitmap. A file that cannot be
// written is reported; the old file, if any, stays as it was.
void ExportTileBmp(Editor& editor, const std::string& path);

// Asks for a name and writes tiles first to last (1..tileCount) as the name
// without its last four characters, a four-digit count from 0001 and ".BMP",
// or ".PNG" when the name ends in ".png"; a tile a PNG cannot hold (0 x 0) is
// skipped, its number unused, and the closing message lists it. Each existing
// file is asked about; No skips it. The first file that cannot be written ends
// the batch, and the message says how many were written.
void BatchExportBmp(Editor& editor, int first, int last);

// Replaces the current tile's picture by the bitmap's, its attributes kept. A
// bitmap whose colour table is not the palette brings the question whether to
// match its colours to the palette; otherwise its pixel values are taken as
// palette indices. A bitmap that cannot be read whole changes nothing.
void ImportTileBmp(Editor& editor, const std::string& path);

}  // namespace pixmill
