#include "tileset/Tileset.h"

namespace pixmill {

void MakeNewTileset(Tileset& tileset) {
    tileset.artVersion = 1;
    tileset.firstTileNumber = 0;
    tileset.lastTileNumber = 255;
    tileset.tiles.assign(256, Tile{});
}

}  // namespace pixmill
