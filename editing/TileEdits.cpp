#include "editing/TileEdits.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <string>

namespace pixmill {

void ClearTile(Tileset& tileset, int position) {
    Tile& tile = tileset.tile(position);
    tile.width = 0;
    tile.height = 0;
    tile.pixels = {};
    tile.attributes = {0, 0, 0, 16};
}

void ResizeTilePixels(Tile& tile, int width, int height) {
    Tile resized;
    resized.width = static_cast<std::int16_t>(width);
    resized.height = static_cast<std::int16_t>(height);
    resized.pixels.assign(resized.PixelCount(), 0);
    const int keptColumns = std::min<int>(width, tile.width);
    const auto keptRows = static_cast<std::size_t>(std::min<int>(height, tile.height));
    for (int x = 1; x <= keptColumns; ++x) {
        // Columns are contiguous, so each kept column is a single copy.
        std::copy_n(&tile.Pixel(x, 1), keptRows, &resized.Pixel(x, 1));
    }
    tile.width = resized.width;
    tile.height = resized.height;
    tile.pixels = std::move(resized.pixels);
}

Status InsertBlankTile(Tileset& tileset, int position) {
    if (tileset.tileCount() >= kMaxTiles) {
        return Status::Fail("it holds " + std::to_string(kMaxTiles) + " tiles");
    }
    if (tileset.lastTileNumber == INT32_MAX) {
        return Status::Fail("its last tile number is " + std::to_string(INT32_MAX));
    }
    position = std::clamp(position, 1, tileset.tileCount() + 1);
    // Tiles move by their pixel handles; no pixel is copied.
    tileset.tiles.insert(std::next(tileset.tiles.begin(), position - 1), Tile{});
    ++tileset.lastTileNumber;
    ClearTile(tileset, position);
    return Status::Ok();
}

void RemoveTile(Tileset& tileset, int position) {
    if (position < 1 || position > tileset.tileCount()) {
        return;
    }
    tileset.tiles.erase(std::next(tileset.tiles.begin(), position - 1));
    --tileset.lastTileNumber;
}

}  // namespace pixmill
