#pragma once
// Where the tile goes in a tile view that may be larger than its first size
// and may scroll: a tile that fits is placed as UpdateTileView always placed
// it (centred, shifted by the offsets); along a side where it does not fit, a
// scroll bar shows and the tile starts at minus the scroll value. No window
// code here.

#include <array>
#include <cstdint>

namespace pixmill {

// The scales of View > Scale, smallest first.
inline constexpr std::array<int, 6> kScaleFactors = {1, 2, 4, 8, 16, 32};

// The scale steps notches away from zoom (up for positive steps), held at
// both ends; a zoom that is not a scale goes to the nearest one on that side.
int StepScale(int zoom, int steps);

// The room the view has: its outer size while no scroll bar shows, its frame
// on each side, and how much of the room a scroll bar takes.
struct ViewRoom {
    int width = 0;
    int height = 0;
    int frame = 0;
    int barThickness = 0;
};

// One side of a laid-out view.
struct ViewAxis {
    std::int32_t draw = 0;  // tileDrawX or tileDrawY
    int scrollMax = 0;      // 0: the tile fits along this side, no scroll bar
    int scroll = 0;         // the scroll bar's value, 0..scrollMax
    friend bool operator==(const ViewAxis&, const ViewAxis&) = default;
};

struct ViewLayout {
    int viewWidth = 0;  // the view's outer size: the room less the scroll bars shown
    int viewHeight = 0;
    ViewAxis x;
    ViewAxis y;
    friend bool operator==(const ViewLayout&, const ViewLayout&) = default;
};

// What a new layout keeps in its place: the point of the tile, as a fraction
// of its magnified size (0 its left or top edge, 1 the other), that is to lie
// under a point of the view, in drawing coordinates; or under the view's
// centre.
struct ViewAnchor {
    bool atCentre = true;
    double viewX = 0;
    double viewY = 0;
    double tileX = 0.5;
    double tileY = 0.5;
};

// The tile point under (viewX, viewY) of a view laid out as `layout` for a
// tile whose magnified size is extentX x extentY (fractions held to 0..1; the
// tile's middle for a side of 0).
ViewAnchor AnchorAt(const ViewLayout& layout, std::int64_t extentX, std::int64_t extentY,
                    double viewX, double viewY);

// The same for the view's centre, as a zoom or a change of tile keeps it; the
// tile's middle along a side where it fitted.
ViewAnchor AnchorAtCentre(const ViewLayout& layout, int frame, std::int64_t extentX,
                          std::int64_t extentY);

// Lays a tileWidth x tileHeight tile out at zoom in the room: which scroll
// bars show (one may bring the other), the view's size, and per side either
// the centred place UpdateTileView always gave it, shifted by the offsets of
// the stored bytes, or a scroll range and value that keep the anchor's tile
// point where it was.
ViewLayout LayOutView(const ViewRoom& room, int tileWidth, int tileHeight, int zoom,
                      std::uint8_t xOffsetByte, std::uint8_t yOffsetByte, const ViewAnchor& anchor);

}  // namespace pixmill
