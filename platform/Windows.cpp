#include "platform/Windows.h"

#include <QEvent>
#include <QObject>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace pixmill {

void CentreOnScreen(QWidget& window) {
    if (const QScreen* screen = window.screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
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
