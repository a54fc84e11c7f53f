#include "app/SetView.h"

#include <filesystem>

#include "app/TileView.h"

namespace pixmill {

std::string SetFileNameOf(const SetFile& file) {
    return std::filesystem::path(file.path).filename().string();
}

std::string SetTileStatusText(std::int64_t gameNumber, const std::string& fileName,
                              const std::string& name, const Tile& tile) {
    std::string text = std::to_string(gameNumber) + " (" + fileName + ")";
    if (!name.empty()) {
        text += " - " + name;
    }
    text += " - " + std::to_string(tile.width) + 'x' + std::to_string(tile.height);
    return text + OffsetsText(tile.attributes);
}

std::string TileTipText(const Tileset& tileset, int position, const std::string& name) {
    const Tile& tile = tileset.tile(position);
    std::string size = std::to_string(tile.width) + "x" + std::to_string(tile.height);
    if (!name.empty()) {
        size = name + " - " + size;
    }
    const std::string number = std::to_string(tileset.GameNumber(position));
    if (const SetFile* file = tileset.FileHolding(position)) {
        return "Tile " + number + " (" + SetFileNameOf(*file) + ") - " + size;
    }
    return "Tile " + std::to_string(position) + " (ART " + number + ") - " + size;
}

std::string SetCaption(const Tileset& set) {
    const std::size_t files = set.setFiles.size();
    return "Pixmill - " + set.artPath + " (" + std::to_string(files) +
           (files == 1 ? " file)" : " files)");
}

std::string SetProblemsText(const std::string& folder, const std::vector<std::string>& problems) {
    std::string text = "The tile set in " + folder + " is open, with these problems:";
    for (const std::string& problem : problems) {
        text += "\n- " + problem;
    }
    return text;
}

std::string SetSaveQuestion(const std::string& folder, const std::vector<std::string>& fileNames) {
    std::string text = "Save changes to these files in " + folder + "?";
    for (const std::string& name : fileNames) {
        text += "\n" + name;
    }
    return text;
}

std::string ChangedOnDiskQuestion(const std::string& path, bool stillThere) {
    return path +
           (stillThere ? " has changed on disk since it was opened."
                       : " has been removed since it was opened.") +
           "\nReplace it with the tiles shown here?";
}

}  // namespace pixmill
