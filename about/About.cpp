#include "about/About.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QRandomGenerator>
#include <cmath>

#include "about/Artwork.h"
#include "about/Credits.h"
#include "app/Editor.h"
#include "app/WindowProcedures.h"
#include "common/Numbers.h"
#include "platform/BitBlt.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"
#include "platform/Windows.h"

namespace pixmill {
namespace {

QImage ToImage(const ArtPicture& picture) {
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x) {
            row[x] = 0xff000000u | picture.pixels[static_cast<std::size_t>(y * picture.width + x)];
        }
    }
    return image;
}

// Left edge that centres a picture of this width: W / 2 - width / 2, a half
// going to the even neighbour.
int Centred(int windowWidth, int width) {
    return static_cast<int>(RoundHalfEven(windowWidth / 2.0 - width / 2.0));
}

void Copy(PictureBox& surface, int x, int y, const QImage& picture, RasterOp op) {
    BitBlt(surface, x, y, picture.width(), picture.height(), picture, 0, 0, op);
}

// A mask with AND, then its image with OR: the picture over what is there.
void Overlay(PictureBox& surface, int x, int y, const QImage& mask, const QImage& image) {
    Copy(surface, x, y, mask, RasterOp::SrcAnd);
    Copy(surface, x, y, image, RasterOp::SrcPaint);
}

}  // namespace

Res::Res() {
    const AboutArtwork art = DrawAboutArtwork();
    Picture1 = ToImage(art.spriteImage);
    Picture2 = ToImage(art.sparkle1Image);
    Picture3 = ToImage(art.credits);
    Picture4 = ToImage(art.sparkle2Image);
    Picture5 = ToImage(art.spriteMask);
    Picture6 = ToImage(art.sparkle1Mask);
    Picture7 = ToImage(art.sparkle2Mask);
    Picture8 = ToImage(art.second);
}

About::About(Editor& editor)
    : QWidget(nullptr, Qt::Dialog),
      Rnd([] { return QRandomGenerator::global()->generateDouble(); }),
      editor_(editor) {
    setWindowTitle(QStringLiteral("Credits"));
    setFixedSize(kClientWidth, kClientHeight);
    CentreWhenFirstShown(*this);

    Surface = new PictureBox(this, 0, QColor(0, 0, 0));
    Surface->SetOuterSize(kClientWidth, kClientHeight);
    Command1 = new QPushButton(QStringLiteral("&Ok"), this);
    Command1->setGeometry(kClientWidth / 2 - 40, kClientHeight - 33, 81, 25);
    Command1->setFocus();
    Timer1 = new Timer(this);

    connect(Timer1, &Timer::Tick, this,
            [this] { RunCommand(editor_, [this] { Timer1_Timer(); }); });
    connect(Command1, &QPushButton::clicked, this,
            [this] { RunCommand(editor_, [this] { Command1_Click(); }); });
    Form_Load();
}

About::~About() = default;

void About::Form_Load() {
    creditsTop = Surface->innerHeight();
    Timer1->SetInterval(100);
}

void About::Timer1_Timer() {
    AnimateCredits();
}

int About::RandomUpTo(int range) {
    return static_cast<int>(std::floor(Rnd() * range + 1));
}

void About::AnimateCredits() {
    PictureBox& surface = *Surface;
    const int w = surface.innerWidth();
    const int h = surface.innerHeight();

    creditsTop = NextCreditsTop(creditsTop, res_.Picture3.height(), h);
    surface.Cls();
    Copy(surface, Centred(w, res_.Picture3.width()), creditsTop, res_.Picture3, RasterOp::SrcCopy);
    Copy(surface, Centred(w, res_.Picture8.width()), creditsTop + res_.Picture3.height(),
         res_.Picture8, RasterOp::SrcCopy);

    for (int i = 0; i < 3; ++i) {
        const int kind = RandomUpTo(5);
        const int px = RandomUpTo(w);
        const int py = RandomUpTo(h);
        if (kind == 1) {
            Overlay(surface, px, py, res_.Picture6, res_.Picture2);
        } else if (kind == 2) {
            Overlay(surface, px, py, res_.Picture7, res_.Picture4);
        }
    }
    // A sprite along the top edge for one draw in five.
    for (int i = 0; i < 3; ++i) {
        if (RandomUpTo(10) <= 2) {
            Overlay(surface, RandomUpTo(w), 0, res_.Picture5, res_.Picture1);
        }
    }
    surface.Refresh();
}

void About::Command1_Click() {
    Timer1->SetInterval(0);
    SetMainWindowEnabled(editor_, true);
    hide();
    // Destroyed, its pictures with it, once this click has been handled.
    editor_.CloseAbout();
}

void About::closeEvent(QCloseEvent* event) {
    event->ignore();
    RunCommand(editor_, [this] { Command1_Click(); });
}

void ShowAboutWindow(Editor& editor) {
    ShowInFrontOfMainWindow(editor, editor.OpenAbout());
    SetMainWindowEnabled(editor, false);
}

}  // namespace pixmill
