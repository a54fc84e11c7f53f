#include "platform/Windows.h"

#include <QScreen>
#include <QWidget>

namespace pixmill {

void CentreOnScreen(QWidget& window) {
    if (const QScreen* screen = window.screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

}  // namespace pixmill
