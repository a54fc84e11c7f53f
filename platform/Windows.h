#pragma once

class QWidget;

namespace pixmill {

// Centres a top-level window, frame included, on its screen's free area.
void CentreOnScreen(QWidget& window);

// Keeps a top-level window in front of its owner, as a dialog stays in front
// of the window it belongs to, without making it the owner's child (a child
// would be disabled with the owner).
void KeepInFrontOf(QWidget& window, QWidget& owner);

// Centres the window the first time it is shown; afterwards it stays where the
// user puts it.
void CentreWhenFirstShown(QWidget& window);

}  // namespace pixmill
