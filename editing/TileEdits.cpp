#include "editing/TileEdits.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <string>
#include <utility>

namespace pixmill {

Tile BlankTile() {
    Tile tile;
    tile.attributes = {0, 0, 0, 16};
    return tile;
}

void ClearTile(Tileset& tileset, int position) {
    tileset.tile(position) = BlankTile();
}

void ResizeTilePixels(Tile& tile, int width, int height) {
    Tile resized;
    resized.width = static_cast<std::int16_t>(width);
    resized.height = static_cast<std::int16_t>(height);
    resized.pixels.assign(resized.PixelCount(), 0);
    const int keptColumns = std::min<int>(width, tile.width);
    const auto keptRows = static_cast<std::size_t>(std::min<int>(height, tile.height));
    // A tile of no rows (W x 0) has no column to copy from. The old pixels
    // are only read, so a tile still sharing them is not copied first.
    const std::uint8_t* from = std::as_const(tile.pixels).data();
    const auto oldHeight = static_cast<std::size_t>(tile.height);
    for (int x = 1; keptRows > 0 && x <= keptColumns; ++x) {
        // Columns are contiguous, so each kept column is a single copy.
        std::copy_n(from + static_cast<std::size_t>(x - 1) * oldHeight, keptRows,
                    &resized.Pixel(x, 1));
    }
    tile.width = resized.width;
    tile.height = resized.height;
    tile.pixels = std::move(resized.pixels);
}

Tile ResizedTile(const Tile& tile, int width, int height) {
    Tile resized = tile;
    ResizeTilePixels(resized, width, height);
    return resized;
}

Status CheckRoomForTile(const Tileset& tileset) {
    if (tileset.tileCount() >= kMaxArtTiles) {
        return Status::Fail("it holds " + std::to_string(kMaxArtTiles) +
                            " tiles, the most an ART file can hold");
    }
    if (tileset.lastTileNumber == INT32_MAX) {
        return Status::Fail("its last tile number is " + std::to_string(INT32_MAX));
    }
    return Status::Ok();
}

Status InsertBlankTile(Tileset& tileset, int position) {
    if (Status room = CheckRoomForTile(tileset); !room) {
        return room;
    }
    position = std::clamp(position, 1, tileset.tileCount() + 1);
    // Tiles move by their pixel handles; no pixel is copied.
    tileset.tiles.insert(std::next(tileset.tiles.begin(), position - 1), BlankTile());
    ++tileset.lastTileNumber;
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
