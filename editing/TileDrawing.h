#pragma once
// Drawing on a tile's pixels with one palette index: straight lines between
// pointer positions, and filling an area of one colour. The tile is changed in
// place; each call tells which pixels it may have changed, so that only those
// are shown again.

#include <cstdint>
#include <optional>

#include "tileset/Tile.h"

namespace pixmill {

// A pixel of a tile, x from 1 to width and y from 1 to height as Tile::Pixel
// counts them; outside the tile when the pointer is.
struct TilePoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TilePoint&, const TilePoint&) = default;
};

// Columns x to x + width - 1 and rows y to y + height - 1 of a tile, from 0, as
// the view's regions count them. Empty when width or height is 0.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
    bool Contains(TilePoint p) const {
        return p.x > x && p.x <= x + width && p.y > y && p.y <= y + height;
    }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The whole of a tile.
PixelRect WholeTile(const Tile& tile);
// The smallest rectangle holding both; an empty one holds nothing.
PixelRect Union(const PixelRect& a, const PixelRect& b);
PixelRect Intersection(const PixelRect& a, const PixelRect& b);

// Calls visit(point) for every pixel of the straight line from a to b, both
// ends included, each pixel touching the one before by a side or a corner, so
// a line has no gaps at any slope.
template <class Visit>
void ForEachLinePixel(TilePoint a, TilePoint b, Visit&& visit) {
    const std::int64_t dx = b.x > a.x ? std::int64_t{b.x} - a.x : std::int64_t{a.x} - b.x;
    const std::int64_t dy = b.y > a.y ? std::int64_t{b.y} - a.y : std::int64_t{a.y} - b.y;
    const int sx = b.x >= a.x ? 1 : -1;
    const int sy = b.y >= a.y ? 1 : -1;
    std::int64_t error = dx - dy;
    TilePoint p = a;
    while (true) {
        visit(p);
        if (p == b) {
            return;
        }
        const std::int64_t twice = 2 * error;
        if (twice > -dy) {
            error -= dy;
            p.x += sx;
        }
        if (twice < dx) {
            error += dx;
            p.y += sy;
        }
    }
}

// Sets the pixels of the line from a to b that lie inside clip (and the
// tile) to colour. Returns the rectangle around the pixels it set.
PixelRect DrawLine(Tile& tile, TilePoint a, TilePoint b, std::uint8_t colour, PixelRect clip);

// Gives the pixels of the line from a to b inside clip back their values in
// from, a tile of the same size. Returns the rectangle around them.
PixelRect RestoreLine(Tile& tile, const Tile& from, TilePoint a, TilePoint b, PixelRect clip);

// Changes the area of at's colour that reaches at through pixels side by side
// (not corner to corner), within the tile, to colour. Returns the rectangle
// around the changed pixels: empty when at is outside the tile or already
// has that colour.
PixelRect FillArea(Tile& tile, TilePoint at, std::uint8_t colour);

}  // namespace pixmill
