#pragma once
// Where the pointer is on the tile shown, and which view pixels a changed part
// of the tile covers: the arithmetic of drawing on the view, no window code.
//
// Tile pixel (x, y), from 1, is drawn at (drawX + (x - 1) * zoom,
// drawY + (y - 1) * zoom) in the view's drawing coordinates, a zoom x zoom square.

#include <cstdint>
#include <optional>

#include "app/TileView.h"
#include "editing/TileDrawing.h"

namespace pixmill {

// The tile pixel under view point (x, y), whether or not the tile has one
// there: points left of or above the tile give pixels below 1.
TilePoint TilePointAt(int x, int y, int zoom, std::int32_t drawX, std::int32_t drawY);

// The tile pixel under view point (x, y), or nothing when the point lies
// outside the tile or outside the view's drawing area (viewWidth x viewHeight).
std::optional<TilePoint> TilePixelAt(int x, int y, int tileWidth, int tileHeight, int zoom,
                                     std::int32_t drawX, std::int32_t drawY, int viewWidth,
                                     int viewHeight);

// The tile pixels that show in the view, as a rectangle of the tile.
PixelRect ShownPixels(int tileWidth, int tileHeight, int zoom, std::int32_t drawX,
                      std::int32_t drawY, int viewWidth, int viewHeight);

// The view rectangle that shows the tile pixels of region (left, top, width,
// height in view pixels), clipped to the view; empty when none of it shows.
struct ViewRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const ViewRect&, const ViewRect&) = default;
};
ViewRect CellsInView(const PixelRect& region, int zoom, std::int32_t drawX, std::int32_t drawY,
                     int viewWidth, int viewHeight);

}  // namespace pixmill
