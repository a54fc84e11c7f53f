#pragma once
// What a file dropped on the main window is, told by its name as the file
// dialogs' filters tell it.

#include <string_view>

namespace pixmill {

enum class DroppedFile { ArtFile, PaletteFile, PictureFile, Other };

// *.ART a tileset, *.DAT and *.PAL a palette, *.PNG and *.BMP a picture, in
// any case.
DroppedFile KindOfDroppedFile(std::string_view path);

}  // namespace pixmill
