#include "app/TileViewCells.h"

#include <algorithm>

namespace pixmill {
namespace {

// Rounded towards minus infinity, so that the pixels left of or above the
// tile count from 0 down.
std::int64_t FloorDivide(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

int Saturate(std::int64_t v) {
    return static_cast<int>(
        std::clamp<std::int64_t>(v, -(std::int64_t{1} << 30), std::int64_t{1} << 30));
}

}  // namespace

TilePoint TilePointAt(int x, int y, int zoom, std::int32_t drawX, std::int32_t drawY) {
    zoom = std::max(zoom, 1);
    return {Saturate(FloorDivide(std::int64_t{x} - drawX, zoom) + 1),
            Saturate(FloorDivide(std::int64_t{y} - drawY, zoom) + 1)};
}

std::optional<TilePoint> TilePixelAt(int x, int y, int tileWidth, int tileHeight, int zoom,
                                     std::int32_t drawX, std::int32_t drawY, int viewWidth,
                                     int viewHeight) {
    if (x < 0 || y < 0 || x >= viewWidth || y >= viewHeight) {
        return std::nullopt;
    }
    const TilePoint p = TilePointAt(x, y, zoom, drawX, drawY);
    if (p.x < 1 || p.y < 1 || p.x > tileWidth || p.y > tileHeight) {
        return std::nullopt;
    }
    return p;
}

PixelRect ShownPixels(int tileWidth, int tileHeight, int zoom, std::int32_t drawX,
                      std::int32_t drawY, int viewWidth, int viewHeight) {
    const TileRegion shown =
        VisibleTileRegion(tileWidth, tileHeight, zoom, drawX, drawY, viewWidth, viewHeight);
    return {shown.x, shown.y, shown.width, shown.height};
}

ViewRect CellsInView(const PixelRect& region, int zoom, std::int32_t drawX, std::int32_t drawY,
                     int viewWidth, int viewHeight) {
    if (region.empty() || zoom < 1) {
        return {};
    }
    const std::int64_t left = std::max<std::int64_t>(0, drawX + std::int64_t{region.x} * zoom);
    const std::int64_t top = std::max<std::int64_t>(0, drawY + std::int64_t{region.y} * zoom);
    const std::int64_t right =
        std::min<std::int64_t>(viewWidth, drawX + (std::int64_t{region.x} + region.width) * zoom);
    const std::int64_t bottom =
        std::min<std::int64_t>(viewHeight, drawY + (std::int64_t{region.y} + region.height) * zoom);
    if (left >= right || top >= bottom) {
        return {};
    }
    return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
            static_cast<int>(bottom - top)};
}

}  // namespace pixmill
