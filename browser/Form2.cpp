#include "browser/Form2.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include "app/Editor.h"
#include "app/Form1.h"
#include "browser/Browser.h"
#include "platform/PictureBox.h"
#include "platform/Windows.h"

namespace pixmill {
namespace {

// A plain top-level widget is announced as a client area; the browser is a
// window of its own beside the main one, and says so.
QAccessibleInterface* AnnounceAsWindow(const QString& className, QObject* object) {
    if (className == QLatin1String(Form2::staticMetaObject.className())) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    return nullptr;
}

}  // namespace

Form2::Form2(Editor& editor) : QWidget(nullptr), editor_(editor) {
    setWindowTitle(QStringLiteral("Pixmill - Browser"));
    setMinimumSize(kClientWidth, kClientHeight);
    resize(kClientWidth, kClientHeight);
    // Beside the main window, so that it does not hide the tile it opens.
    PlaceBesideWhenFirstShown(*this, *editor.form1);

    Picture1 = new PictureBox(this, 0, QColor(0, 0, 0));
    Picture1->move(0, 0);
    Picture1->SetOuterSize(kBrowserPageSide, kBrowserPageSide);

    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setGeometry(568, 0, 17, 561);
    VScroll1->setRange(0, 0);
    // Both an arrow and a click in the track move one row.
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(1);

    Command1 = new QPushButton(QStringLiteral("Hide"), this);
    Command1->setGeometry(8, 568, 121, 25);

    Label1 = new QLabel(QStringLiteral("Click a tile to open it."), this);
    Label1->setGeometry(136, 568, 305, 17);

    // Object names are the names in the code; accessible names are what a
    // screen reader says. The window itself is announced by its title.
    setObjectName(QStringLiteral("Form2"));
    static const bool announced = (QAccessible::installFactory(AnnounceAsWindow), true);
    static_cast<void>(announced);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    Command1->setObjectName(QStringLiteral("Command1"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Picture1->setAccessibleName(QStringLiteral("Tile thumbnails"));
    VScroll1->setAccessibleName(QStringLiteral("Thumbnail rows"));
    Picture1->installEventFilter(this);

    // valueChanged comes both for a set value and while the thumb is dragged,
    // so the page follows the thumb.
    connect(VScroll1, &QScrollBar::valueChanged, this,
            [this] { RunCommand(editor_, [this] { VScroll1_Change(); }); });
    connect(Command1, &QPushButton::clicked, this,
            [this] { RunCommand(editor_, [this] { Command1_Click(); }); });
    connect(Picture1, &PictureBox::MouseDown, this, [this](int button, int shift, int x, int y) {
        RunCommand(editor_, [&] { Picture1_MouseDown(button, shift, x, y); });
    });
}

void Form2::keyPressEvent(QKeyEvent* event) {
    QScrollBar& scroll = *VScroll1;
    const int page = BrowserGridFor(Picture1->innerWidth(), Picture1->innerHeight()).wholeRows;
    switch (event->key()) {
        case Qt::Key_PageUp:
            scroll.setValue(scroll.value() - page);
            break;
        case Qt::Key_PageDown:
            scroll.setValue(scroll.value() + page);
            break;
        case Qt::Key_Home:
            scroll.setValue(scroll.minimum());
            break;
        case Qt::Key_End:
            scroll.setValue(scroll.maximum());
            break;
        case Qt::Key_Up:
            scroll.triggerAction(QAbstractSlider::SliderSingleStepSub);
            break;
        case Qt::Key_Down:
            scroll.triggerAction(QAbstractSlider::SliderSingleStepAdd);
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
    if (watched != Picture1) {
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::Wheel) {
        // As many rows a notch as the desktop scrolls lines; a fine wheel or a
        // touchpad adds up its small steps to whole notches.
        wheelAngle_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
        const int notches = wheelAngle_ / 120;
        wheelAngle_ -= notches * 120;
        if (notches != 0) {
            VScroll1->setValue(VScroll1->value() - notches * QApplication::wheelScrollLines());
        }
        return true;
    }
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const std::string tip = BrowserTileTip(editor_, help->pos().x(), help->pos().y());
        if (tip.empty()) {
            QToolTip::hideText();
        } else {
            // Shown while the pointer stays in the tile's cell.
            const QRect cell(help->pos().x() / kThumbnailCell * kThumbnailCell,
                             help->pos().y() / kThumbnailCell * kThumbnailCell, kThumbnailCell,
                             kThumbnailCell);
            QToolTip::showText(help->globalPos(), QString::fromStdString(tip), Picture1, cell);
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Form2::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The page takes what the window grows by; the bar and the row below it
    // keep their places at the right and the bottom.
    const int pageWidth = width() - (kClientWidth - kBrowserPageSide);
    const int pageHeight = height() - (kClientHeight - kBrowserPageSide);
    VScroll1->setGeometry(pageWidth + 8, 0, 17, pageHeight + 1);
    Command1->move(8, pageHeight + 8);
    Label1->move(136, pageHeight + 8);
    if (Picture1->width() != pageWidth || Picture1->height() != pageHeight) {
        Picture1->SetOuterSize(pageWidth, pageHeight);
        RunCommand(editor_, [this] { FitBrowserPage(editor_); });
    }
}

void Form2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    shownOnce_ = true;
}

void Form2::VScroll1_Change() {
    DrawBrowserPage(editor_);
}

void Form2::Command1_Click() {
    hide();
}

void Form2::Picture1_MouseDown(int, int, int x, int y) {
    OpenBrowserTile(editor_, x, y);
}

}  // namespace pixmill
