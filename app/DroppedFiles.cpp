#include "app/DroppedFiles.h"

#include <algorithm>
#include <cctype>

namespace pixmill {
namespace {

bool EndsWith(std::string_view path, std::string_view ending) {
    return path.size() >= ending.size() &&
           std::equal(ending.begin(), ending.end(),
                      path.end() - static_cast<std::ptrdiff_t>(ending.size()), [](char a, char b) {
                          return a == std::tolower(static_cast<unsigned char>(b));
                      });
}

}  // namespace

DroppedFile KindOfDroppedFile(std::string_view path) {
    if (EndsWith(path, ".art")) {
        return DroppedFile::ArtFile;
    }
    if (EndsWith(path, ".dat") || EndsWith(path, ".pal")) {
        return DroppedFile::PaletteFile;
    }
    if (EndsWith(path, ".png") || EndsWith(path, ".bmp")) {
        return DroppedFile::PictureFile;
    }
    return DroppedFile::Other;
}

}  // namespace pixmill
