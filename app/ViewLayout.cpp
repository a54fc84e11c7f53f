#include "app/ViewLayout.h"

#include <algorithm>
#include <limits>

#include "app/TileView.h"
#include "common/Numbers.h"

namespace pixmill {
namespace {

double FractionOf(double viewPoint, std::int32_t draw, std::int64_t extent) {
    if (extent <= 0) {
        return 0.5;
    }
    return std::clamp((viewPoint - draw) / static_cast<double>(extent), 0.0, 1.0);
}

// A side the tile does not fit: the scroll value that puts the anchor's tile
// point under its view point, within the range.
ViewAxis ScrolledAxis(std::int64_t extent, int inner, double tileFraction, double viewPoint) {
    ViewAxis axis;
    // A tile is at most 32767 pixels a side and the scale at most 32, so the
    // range fits an int; held there all the same.
    axis.scrollMax =
        static_cast<int>(std::min<std::int64_t>(extent - inner, std::numeric_limits<int>::max()));
    const double wanted = RoundHalfEven(tileFraction * static_cast<double>(extent) - viewPoint);
    axis.scroll = static_cast<int>(std::clamp(wanted, 0.0, static_cast<double>(axis.scrollMax)));
    axis.draw = -axis.scroll;
    return axis;
}

}  // namespace

int StepScale(int zoom, int steps) {
    // The index of the nearest scale at or below zoom (at or above it when
    // going down), then steps along the list.
    int at = 0;
    for (int i = 0; i < static_cast<int>(kScaleFactors.size()); ++i) {
        const int scale = kScaleFactors[static_cast<std::size_t>(i)];
        if (scale <= zoom) {
            at = i;
        }
    }
    if (steps < 0 && kScaleFactors[static_cast<std::size_t>(at)] < zoom) {
        ++steps;
    }
    const int last = static_cast<int>(kScaleFactors.size()) - 1;
    return kScaleFactors[static_cast<std::size_t>(std::clamp(at + steps, 0, last))];
}

ViewAnchor AnchorAt(const ViewLayout& layout, std::int64_t extentX, std::int64_t extentY,
                    double viewX, double viewY) {
    ViewAnchor anchor;
    anchor.atCentre = false;
    anchor.viewX = viewX;
    anchor.viewY = viewY;
    anchor.tileX = FractionOf(viewX, layout.x.draw, extentX);
    anchor.tileY = FractionOf(viewY, layout.y.draw, extentY);
    return anchor;
}

ViewAnchor AnchorAtCentre(const ViewLayout& layout, int frame, std::int64_t extentX,
                          std::int64_t extentY) {
    ViewAnchor anchor = AnchorAt(layout, extentX, extentY, (layout.viewWidth - 2 * frame) / 2.0,
                                 (layout.viewHeight - 2 * frame) / 2.0);
    anchor.atCentre = true;
    // A side that fitted showed the whole tile, centred: a zoom that makes it
    // scroll starts at its middle.
    if (layout.x.scrollMax == 0) {
        anchor.tileX = 0.5;
    }
    if (layout.y.scrollMax == 0) {
        anchor.tileY = 0.5;
    }
    return anchor;
}

ViewLayout LayOutView(const ViewRoom& room, int tileWidth, int tileHeight, int zoom,
                      std::uint8_t xOffsetByte, std::uint8_t yOffsetByte,
                      const ViewAnchor& anchor) {
    const std::int64_t extentX = std::int64_t{std::max(0, tileWidth)} * std::max(1, zoom);
    const std::int64_t extentY = std::int64_t{std::max(0, tileHeight)} * std::max(1, zoom);
    const int innerWidth = room.width - 2 * room.frame;
    const int innerHeight = room.height - 2 * room.frame;
    // A bar along one side takes room from the other, which may then need one too.
    bool barX = extentX > innerWidth;
    bool barY = extentY > innerHeight;
    for (int pass = 0; pass < 2; ++pass) {
        barX = barX || (barY && extentX > innerWidth - room.barThickness);
        barY = barY || (barX && extentY > innerHeight - room.barThickness);
    }

    ViewLayout layout;
    layout.viewWidth = room.width - (barY ? room.barThickness : 0);
    layout.viewHeight = room.height - (barX ? room.barThickness : 0);
    const ViewPoint centred = LayOutTile(layout.viewWidth, layout.viewHeight, tileWidth, tileHeight,
                                         zoom, xOffsetByte, yOffsetByte);
    const int shownWidth = layout.viewWidth - 2 * room.frame;
    const int shownHeight = layout.viewHeight - 2 * room.frame;
    layout.x = barX ? ScrolledAxis(extentX, shownWidth, anchor.tileX,
                                   anchor.atCentre ? shownWidth / 2.0 : anchor.viewX)
                    : ViewAxis{centred.x, 0, 0};
    layout.y = barY ? ScrolledAxis(extentY, shownHeight, anchor.tileY,
                                   anchor.atCentre ? shownHeight / 2.0 : anchor.viewY)
                    : ViewAxis{centred.y, 0, 0};
    return layout;
}

}  // namespace pixmill
