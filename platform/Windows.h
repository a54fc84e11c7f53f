#pragma once

class QWidget;

namespace pixmill {

// Centres a top-level window, frame included, on its screen's free area.
void CentreOnScreen(QWidget& window);

}  // namespace pixmill
