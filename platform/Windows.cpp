#include "platform/Windows.h"

#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdint>
#include <functional>

namespace pixmill {

namespace {

// Set on a window whose place came from the settings.
const char kPlaced[] = "pixmillPlaced";

int PlaceAlong(int frameLength, int areaStart, int areaLength) {
    const int centred = areaStart + (areaLength - frameLength) / 2;
    return std::max(areaStart, std::min(centred, areaStart + areaLength - frameLength));
}

// Within [start, start + length - size], or at start when size is larger.
int Within(int at, int size, int start, int length) {
    return std::max(start, std::min(at, start + length - size));
}

std::int64_t Overlap(const ScreenRect& a, const ScreenRect& b) {
    const std::int64_t width =
        std::min<std::int64_t>(std::int64_t{a.x} + a.width, std::int64_t{b.x} + b.width) -
        std::max(a.x, b.x);
    const std::int64_t height =
        std::min<std::int64_t>(std::int64_t{a.y} + a.height, std::int64_t{b.y} + b.height) -
        std::max(a.y, b.y);
    return width > 0 && height > 0 ? width * height : 0;
}

ScreenRect Rect(const QRect& rect) {
    return {rect.x(), rect.y(), rect.width(), rect.height()};
}

}  // namespace

ScreenPoint PlaceInArea(int frameWidth, int frameHeight, const ScreenRect& area) {
    return {PlaceAlong(frameWidth, area.x, area.width),
            PlaceAlong(frameHeight, area.y, area.height)};
}

ScreenPoint PlaceBeside(const ScreenRect& owner, int frameWidth, int frameHeight,
                        const ScreenRect& area) {
    const int areaRight = area.x + area.width;
    const int roomRight = areaRight - (owner.x + owner.width);
    const int roomLeft = owner.x - area.x;
    int x = 0;
    if (roomRight >= frameWidth) {
        x = owner.x + owner.width;
    } else if (roomLeft >= frameWidth) {
        x = owner.x - frameWidth;
    } else {
        x = roomRight >= roomLeft ? areaRight - frameWidth : area.x;
    }
    return {Within(x, frameWidth, area.x, area.width),
            Within(owner.y, frameHeight, area.y, area.height)};
}

ScreenRect KeepOnScreens(const ScreenRect& frame, const std::vector<ScreenRect>& areas) {
    if (areas.empty()) {
        return frame;
    }
    const ScreenRect* best = &areas.front();
    std::int64_t most = 0;
    for (const ScreenRect& area : areas) {
        if (const std::int64_t overlap = Overlap(frame, area); overlap > most) {
            most = overlap;
            best = &area;
        }
    }
    ScreenRect kept = frame;
    kept.width = std::min(frame.width, best->width);
    kept.height = std::min(frame.height, best->height);
    if (most == 0) {
        const ScreenPoint at = PlaceInArea(kept.width, kept.height, *best);
        kept.x = at.x;
        kept.y = at.y;
    } else {
        kept.x = Within(frame.x, kept.width, best->x, best->width);
        kept.y = Within(frame.y, kept.height, best->y, best->height);
    }
    return kept;
}

void CentreOnScreen(QWidget& window) {
    if (const QScreen* screen = window.screen()) {
        const QRect frame = window.frameGeometry();
        const ScreenPoint at =
            PlaceInArea(frame.width(), frame.height(), Rect(screen->availableGeometry()));
        window.move(at.x, at.y);
    }
}

namespace {

// Runs place once, when the window is first shown, unless it was placed from
// the settings by then.
class OnFirstShow : public QObject {
  public:
    OnFirstShow(QWidget& window, std::function<void()> place)
        : QObject(&window), window_(window), place_(std::move(place)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::Show) {
            window_.removeEventFilter(this);
            if (!window_.property(kPlaced).toBool()) {
                place_();
            }
            deleteLater();
        }
        return false;
    }

  private:
    QWidget& window_;
    std::function<void()> place_;
};

}  // namespace

void KeepInFrontOf(QWidget& window, QWidget& owner) {
    window.winId();  // makes the native window, so that it can be told
    owner.winId();
    window.windowHandle()->setTransientParent(owner.windowHandle());
}

void CentreWhenFirstShown(QWidget& window) {
    window.installEventFilter(new OnFirstShow(window, [&window] { CentreOnScreen(window); }));
}

void PlaceBesideWhenFirstShown(QWidget& window, QWidget& owner) {
    window.installEventFilter(new OnFirstShow(window, [&window, &owner] {
        const QScreen* screen = owner.screen();
        if (screen == nullptr) {
            return;
        }
        const QRect frame = window.frameGeometry();
        const ScreenPoint at = PlaceBeside(Rect(owner.frameGeometry()), frame.width(),
                                           frame.height(), Rect(screen->availableGeometry()));
        window.move(at.x, at.y);
    }));
}

void PlaceWindow(QWidget& window, int x, int y, int width, int height) {
    std::vector<ScreenRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas.push_back(Rect(screen->availableGeometry()));
    }
    const QSize least = window.minimumSize().expandedTo(window.minimumSizeHint());
    const ScreenRect kept = KeepOnScreens(
        {x, y, std::max(width, least.width()), std::max(height, least.height())}, areas);
    window.resize(std::max(kept.width, least.width()), std::max(kept.height, least.height()));
    window.move(kept.x, kept.y);
    window.setProperty(kPlaced, true);
}

}  // namespace pixmill
