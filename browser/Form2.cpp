#include "browser/Form2.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include "app/Editor.h"
#include "browser/Browser.h"
#include "platform/PictureBox.h"
#include "platform/Windows.h"

namespace pixmill {

Form2::Form2(Editor& editor) : QWidget(nullptr), editor_(editor) {
    setWindowTitle(QStringLiteral("Pixmill - Browser"));
    setFixedSize(kClientWidth, kClientHeight);
    CentreWhenFirstShown(*this);

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
