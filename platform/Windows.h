#pragma once

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

// Places a top-level window, frame included, on its screen's free area by PlaceInArea.
void CentreOnScreen(QWidget& window);

// Keeps a top-level window in front of its owner, as a dialog stays in front
// of the window it belongs to, without making it the owner's child (a child
// would be disabled with the owner).
void KeepInFrontOf(QWidget& window, QWidget& owner);

// Centres the window the first time it is shown; afterwards it stays where the
// user puts it.
void CentreWhenFirstShown(QWidget& window);

}  // namespace pixmill
