// The main window's resizing and the tile view's scrolling: the scroll bars,
// the middle button's pan, the wheel (Ctrl zooms around the pointer) and the
// palette strip's tooltip. Scrolling moves tileDrawX and tileDrawY, where the
// tile is drawn, so every drawing and every pointer reading keeps using them.

#include <QAction>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/PaletteStrip.h"
#include "app/WindowProcedures.h"
#include "platform/PictureBox.h"

namespace pixmill {
namespace {

constexpr int kViewFrame = 2;
constexpr int kViewTop = 8;
// A notch of the wheel, in eighths of a degree.
constexpr int kNotch = 120;

}  // namespace

ViewRoom Form1::Room() const {
    const int grownWidth = std::max(0, client_->width() - kClientWidth);
    const int grownHeight = std::max(0, client_->height() - kClientHeight);
    return {641 + grownWidth, 393 + grownHeight, kViewFrame,
            style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, VScroll1)};
}

ViewAnchor Form1::TakeViewAnchor() {
    if (pendingAnchor_) {
        const ViewAnchor anchor = *pendingAnchor_;
        pendingAnchor_.reset();
        return anchor;
    }
    return AnchorAtCentre(viewLayout_, kViewFrame, extentX_, extentY_);
}

void Form1::ShowViewLayout(const ViewLayout& layout, std::int64_t extentX, std::int64_t extentY) {
    viewLayout_ = layout;
    extentX_ = extentX;
    extentY_ = extentY;
    if (Picture1->width() != layout.viewWidth || Picture1->height() != layout.viewHeight) {
        Picture1->SetOuterSize(layout.viewWidth, layout.viewHeight);
    }
    const int bar = Room().barThickness;
    const QSignalBlocker quietX(HScroll1);
    const QSignalBlocker quietY(VScroll1);
    const auto set = [](QScrollBar* scroll, const ViewAxis& axis, int shown, const QRect& place) {
        scroll->setVisible(axis.scrollMax > 0);
        if (axis.scrollMax > 0) {
            scroll->setGeometry(place);
            scroll->setRange(0, axis.scrollMax);
            scroll->setPageStep(std::max(1, shown));
            scroll->setSingleStep(std::max(1, shown / 10));
            scroll->setValue(axis.scroll);
        }
    };
    set(HScroll1, layout.x, layout.viewWidth - 2 * kViewFrame,
        QRect(0, kViewTop + layout.viewHeight, layout.viewWidth, bar));
    set(VScroll1, layout.y, layout.viewHeight - 2 * kViewFrame,
        QRect(layout.viewWidth, kViewTop, bar, layout.viewHeight));
}

void Form1::ClearView() {
    const ViewRoom room = Room();
    ViewLayout empty;
    empty.viewWidth = room.width;
    empty.viewHeight = room.height;
    ShowViewLayout(empty, 0, 0);
    Picture1->Cls();
    shownTile = 0;
}

void Form1::HScroll1_Change() {
    ScrollTo(HScroll1->value(), viewLayout_.y.scroll);
}

void Form1::VScroll1_Change() {
    ScrollTo(viewLayout_.x.scroll, VScroll1->value());
}

void Form1::ScrollTo(int x, int y) {
    // Only a side that scrolls moves; the other keeps its laid-out place.
    if (viewLayout_.x.scrollMax > 0) {
        viewLayout_.x.scroll = std::clamp(x, 0, viewLayout_.x.scrollMax);
        viewLayout_.x.draw = -viewLayout_.x.scroll;
    }
    if (viewLayout_.y.scrollMax > 0) {
        viewLayout_.y.scroll = std::clamp(y, 0, viewLayout_.y.scrollMax);
        viewLayout_.y.draw = -viewLayout_.y.scroll;
    }
    editor_.state.tileDrawX = viewLayout_.x.draw;
    editor_.state.tileDrawY = viewLayout_.y.draw;
    DrawTileView(editor_, shownTile);
}

void Form1::RedrawView() {
    const int current = editor_.state.currentTile;
    const int count = editor_.tileset.tileCount();
    // At rest the view shows the current tile, also when a command that lets
    // events run is about to draw it; a running preview shows its frame.
    const int tile = mnuAnim->isChecked() ? shownTile : current;
    if (tile < 1 || tile > count || current < 1 || current > count) {
        ClearView();
        return;
    }
    // A frame is laid out as its drawing laid it out: by the current tile's offsets.
    UpdateTileView(editor_, tile - current);
    DrawTileView(editor_, tile);
}

void Form1::WheelOverView(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        // Whole notches zoom; a fine wheel or a touchpad adds up to them.
        zoomAngle_ += event->angleDelta().y();
        const int notches = zoomAngle_ / kNotch;
        zoomAngle_ -= notches * kNotch;
        const int zoom = editor_.state.zoomFactor;
        const int factor = StepScale(zoom, notches);
        if (factor != zoom) {
            const QPointF at = event->position() - QPointF(kViewFrame, kViewFrame);
            pendingAnchor_ = AnchorAt(viewLayout_, extentX_, extentY_, at.x(), at.y());
            Zoom(factor);
            pendingAnchor_.reset();
        }
        return;
    }
    // Otherwise the wheel scrolls, sideways with Shift or a sideways wheel.
    const bool across = (event->modifiers() & Qt::ShiftModifier) ||
                        std::abs(event->angleDelta().x()) > std::abs(event->angleDelta().y());
    QScrollBar* scroll = across ? HScroll1 : VScroll1;
    if (scroll->isVisible()) {
        QWheelEvent forwarded(QPointF(), event->globalPosition(), event->pixelDelta(),
                              across ? QPoint(0, event->angleDelta().x() + event->angleDelta().y())
                                     : event->angleDelta(),
                              event->buttons(), Qt::NoModifier, event->phase(), false);
        QCoreApplication::sendEvent(scroll, &forwarded);
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) {
        LayOutWindow();
        // The window is resized while it is made, before the editor holds it.
        if (editor_.form1.get() == this) {
            RunCommand(editor_, [this] { RedrawView(); });
        }
        return false;
    }
    if (watched == Picture1) {
        switch (event->type()) {
            case QEvent::Wheel:
                RunCommand(editor_, [&] { WheelOverView(static_cast<QWheelEvent*>(event)); });
                return true;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick: {
                const auto* mouse = static_cast<QMouseEvent*>(event);
                if (mouse->button() != Qt::MiddleButton) {
                    return false;
                }
                // The middle button drags the tile, as in most editors; it
                // draws nothing.
                panning_ = true;
                panFrom_ = mouse->globalPosition().toPoint();
                panScroll_ = QPoint(HScroll1->value(), VScroll1->value());
                Picture1->setCursor(Qt::ClosedHandCursor);
                return true;
            }
            case QEvent::MouseMove: {
                if (!panning_) {
                    return false;
                }
                const QPoint moved =
                    static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - panFrom_;
                RunCommand(editor_, [&] {
                    ScrollTo(panScroll_.x() - moved.x(), panScroll_.y() - moved.y());
                    const QSignalBlocker quietX(HScroll1);
                    const QSignalBlocker quietY(VScroll1);
                    HScroll1->setValue(viewLayout_.x.scroll);
                    VScroll1->setValue(viewLayout_.y.scroll);
                });
                return true;
            }
            case QEvent::MouseButtonRelease:
                if (!panning_ || static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton) {
                    return false;
                }
                panning_ = false;
                Picture1->unsetCursor();
                return true;
            default:
                return false;
        }
    }
    if (watched == Picture2 && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int index = PaletteIndexAt(help->pos().x(), help->pos().y());
        if (index < 0) {
            QToolTip::hideText();
        } else {
            // Shown while the pointer stays on the colour's block.
            const QRect block(help->pos().x() / 4 * 4, help->pos().y() / 4 * 4, 4, 4);
            QToolTip::showText(help->globalPos(),
                               QString::fromStdString(PaletteEntryText(
                                   index, editor_.palette[static_cast<std::size_t>(index)])),
                               Picture2, block);
        }
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace pixmill
