#pragma once
// Pictures from files, as paint programs save them: Windows bitmaps of 1, 4,
// 8, 16, 24 and 32 bits a pixel, uncompressed, and PNGs of every colour type
// and depth (through libpng). Each reader checks what the file claims (its
// size, its colour table, its rows) against the file's length and the tile
// limits before anything is allocated for the pixels, and refuses with a
// reason that says what is wrong.

#include <memory>
#include <string>

#include "bitmap/Picture.h"
#include "common/ByteIo.h"
#include "common/Result.h"

namespace pixmill {

// The source must outlive the reader.
Result<std::unique_ptr<PictureReader>> OpenBitmapPicture(ByteSource& source);
Result<std::unique_ptr<PictureReader>> OpenPngPicture(ByteSource& source);
// A PNG or a bitmap, told apart by their first bytes.
Result<std::unique_ptr<PictureReader>> OpenPicture(ByteSource& source);

// The picture as a tile matched to the palette (MatchPictureToPalette).
Result<Tile> ReadPicture(ByteSource& source, const Palette& palette, bool dither);
Result<Tile> ReadPictureFile(const std::string& path, const Palette& palette, bool dither);

}  // namespace pixmill
