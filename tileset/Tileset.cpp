#include "tileset/Tileset.h"

#include <algorithm>

namespace pixmill {

const SetFile* Tileset::FileHolding(int position) const {
    // Files stand in order of their positions: the last one starting at or
    // before position.
    const auto after =
        std::upper_bound(setFiles.begin(), setFiles.end(), position,
                         [](int p, const SetFile& file) { return p < file.firstPosition; });
    if (after == setFiles.begin()) {
        return nullptr;
    }
    const SetFile& file = *std::prev(after);
    return file.Holds(position) ? &file : nullptr;
}

std::int64_t Tileset::GameNumber(int position) const {
    if (const SetFile* file = FileHolding(position)) {
        return std::int64_t{file->firstTileNumber} + position - file->firstPosition;
    }
    return std::int64_t{firstTileNumber} + position - 1;
}

int Tileset::PositionOfGameNumber(std::int64_t number) const {
    if (IsSet()) {
        for (auto file = setFiles.rbegin(); file != setFiles.rend(); ++file) {
            if (number >= file->firstTileNumber && number <= file->lastTileNumber()) {
                return file->firstPosition + static_cast<int>(number - file->firstTileNumber);
            }
        }
        return 0;
    }
    const std::int64_t position = number - firstTileNumber + 1;
    return position >= 1 && position <= tileCount() ? static_cast<int>(position) : 0;
}

void MakeNewTileset(Tileset& tileset) {
    tileset.buildArtPrefix = false;
    tileset.artVersion = 1;
    tileset.firstTileNumber = 0;
    tileset.lastTileNumber = 255;
    tileset.tiles.assign(256, Tile{});
    tileset.setFiles.clear();
    tileset.stamp = {};
}

}  // namespace pixmill
