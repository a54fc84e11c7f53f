#include "platform/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace pixmill {

PictureBox::PictureBox(QWidget* parent, int frameWidth, QColor background)
    : QWidget(parent), frame_(frameWidth), background_(background) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::SetOuterSize(int width, int height) {
    setFixedSize(width, height);
    image_ = QImage(std::max(0, width - 2 * frame_), std::max(0, height - 2 * frame_),
                    QImage::Format_RGB32);
    Cls();
}

void PictureBox::Cls() {
    image_.fill(background_);
    update();
}

void PictureBox::Line(int x1, int y1, int x2, int y2, QColor colour) {
    const QRgb rgb = colour.rgb();
    const int steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
    for (int i = 0; i <= steps; ++i) {
        const int x = steps == 0 ? x1 : x1 + (x2 - x1) * i / steps;
        const int y = steps == 0 ? y1 : y1 + (y2 - y1) * i / steps;
        if (image_.valid(x, y)) {
            image_.setPixel(x, y, rgb);
        }
    }
}

void PictureBox::FillBox(int x1, int y1, int x2, int y2, QColor colour) {
    const QRect box = QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized() & image_.rect();
    const QRgb rgb = colour.rgb();
    for (int y = box.top(); y <= box.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(row + box.left(), row + box.right() + 1, rgb);
    }
}

QColor PictureBox::Point(int x, int y) const {
    if (!image_.valid(x, y)) {
        return {};
    }
    return QColor(image_.pixel(x, y));
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (frame_ > 0) {
        // A sunken frame: dark on the top and left, light on the bottom and right.
        const QRect outer = rect();
        painter.fillRect(outer, QColor(255, 255, 255));
        painter.fillRect(QRect(0, 0, outer.width() - 1, outer.height() - 1), QColor(128, 128, 128));
        painter.fillRect(QRect(1, 1, outer.width() - 2, outer.height() - 2), QColor(212, 208, 200));
        painter.fillRect(QRect(1, 1, outer.width() - 3, outer.height() - 3), QColor(64, 64, 64));
    }
    painter.drawImage(frame_, frame_, image_);
}

namespace {

int ButtonNumber(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

int ShiftState(const QMouseEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

}  // namespace

void PictureBox::Refresh(int x, int y, int width, int height) {
    update(x + frame_, y + frame_, width, height);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    const int button = ButtonNumber(event->button());
    if (button == 0) {
        return;
    }
    const QPoint at = event->position().toPoint();
    emit MouseDown(button, ShiftState(event), at.x() - frame_, at.y() - frame_);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const Qt::MouseButtons held = event->buttons();
    const int buttons = (held & Qt::LeftButton ? 1 : 0) | (held & Qt::RightButton ? 2 : 0) |
                        (held & Qt::MiddleButton ? 4 : 0);
    if (buttons == 0) {
        return;
    }
    const QPoint at = event->position().toPoint();
    emit MouseMove(buttons, ShiftState(event), at.x() - frame_, at.y() - frame_);
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const int button = ButtonNumber(event->button());
    if (button == 0) {
        return;
    }
    const QPoint at = event->position().toPoint();
    emit MouseUp(button, ShiftState(event), at.x() - frame_, at.y() - frame_);
}

}  // namespace pixmill
