#pragma once
// Pictures from other programs into the current tile, from the windows: their
// colours matched to the palette.

#include <string>

#include "tileset/Tile.h"

namespace pixmill {

class Editor;

// What the file dialog offers for "Import Picture...".
inline constexpr char kPictureFilter[] = "Pictures (*.png *.bmp)|*.png;*.bmp";

// Whether Tile > "Dither When Matching" is checked.
bool DitherWhenMatching(const Editor& editor);

// Gives the current tile the picture's size and pixels as one undo step named
// command; its animation and offsets stay.
void ReplaceCurrentPicture(Editor& editor, Tile picture, const std::string& command);

// "Import Picture...": a PNG or a bitmap of any common kind, its colours
// matched to the palette. A picture that cannot be read changes nothing.
void ImportTilePicture(Editor& editor, const std::string& path);

}  // namespace pixmill
