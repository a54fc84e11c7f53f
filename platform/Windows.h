#pragma once

#include <vector>

class QWidget;

namespace pixmill {

// Where a window's frame of frameWidth x frameHeight goes in the screen's
// free area: centred; but a frame larger than the area along a side starts at
// the area's edge, so that its title bar and top-left corner stay on the
// screen (a small screen, or a large scale factor).
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
struct ScreenPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};
ScreenPoint PlaceInArea(int frameWidth, int frameHeight, const ScreenRect& area);

// Where a frame of frameWidth x frameHeight goes beside an owner window's
// frame: to its right where the area has room, else to its left, else against
// the side with more room, overlapping the owner as little as the area
// allows; level with the owner's top, within the area.
ScreenPoint PlaceBeside(const ScreenRect& owner, int frameWidth, int frameHeight,
                        const ScreenRect& area);

// A window place read back from the settings, kept on the screens there are
// now: moved wholly onto the screen area it overlaps most and made no larger
// than it; one that overlaps none is centred on the first.
ScreenRect KeepOnScreens(const ScreenRect& frame, const std::vector<ScreenRect>& areas);

// Places a top-level window, frame included, on its screen's free area by PlaceInArea.
void CentreOnScreen(QWidget& window);

// Keeps a top-level window in front of its owner, as a dialog stays in front
// of the window it belongs to, without making it the owner's child (a child
// would be disabled with the owner).
void KeepInFrontOf(QWidget& window, QWidget& owner);

// Centres the window the first time it is shown; afterwards it stays where the
// user puts it. Not a window already placed by PlaceWindow.
void CentreWhenFirstShown(QWidget& window);

// The same, but beside owner (PlaceBeside) on owner's screen.
void PlaceBesideWhenFirstShown(QWidget& window, QWidget& owner);

// Puts a top-level window at (x, y) with a client area of width x height,
// kept on the screens (KeepOnScreens); it is then not moved when first shown.
void PlaceWindow(QWidget& window, int x, int y, int width, int height);

}  // namespace pixmill
