#include "platform/Windows.h"

#include <QEvent>
#include <QObject>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace pixmill {

namespace {

int PlaceAlong(int frameLength, int areaStart, int areaLength) {
    const int centred = areaStart + (areaLength - frameLength) / 2;
    return std::max(areaStart, std::min(centred, areaStart + areaLength - frameLength));
}

}  // namespace

ScreenPoint PlaceInArea(int frameWidth, int frameHeight, const ScreenRect& area) {
    return {PlaceAlong(frameWidth, area.x, area.width),
            PlaceAlong(frameHeight, area.y, area.height)};
}

void CentreOnScreen(QWidget& window) {
    if (const QScreen* screen = window.screen()) {
        const QRect frame = window.frameGeometry();
        const QRect free = screen->availableGeometry();
        const ScreenPoint at =
            PlaceInArea(frame.width(), frame.height(),
                        ScreenRect{free.x(), free.y(), free.width(), free.height()});
        window.move(at.x, at.y);
    }
}

namespace {

class CentreOnFirstShow : public QObject {
  public:
    explicit CentreOnFirstShow(QWidget& window) : QObject(&window), window_(window) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Show) {
            window_.removeEventFilter(this);
            CentreOnScreen(window_);
            deleteLater();
        }
        return false;
    }

  private:
    QWidget& window_;
};

}  // namespace

void KeepInFrontOf(QWidget& window, QWidget& owner) {
    window.winId();  // makes the native window, so that it can be told
    owner.winId();
    window.windowHandle()->setTransientParent(owner.windowHandle());
}

void CentreWhenFirstShown(QWidget& window) {
    window.installEventFilter(new CentreOnFirstShow(window));
}

}  // namespace pixmill
