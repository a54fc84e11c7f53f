#pragma once
// The about window, "Credits": the credits scroll up over a black window while
// sparkles and small sprites flicker at random places, until "&Ok". Made when
// "About..." opens it and destroyed by "&Ok", its pictures (Res) with it.
// Top-level, so that it takes input while the main window is disabled.

#include <QImage>
#include <QWidget>
#include <functional>

class QPushButton;

namespace pixmill {

class Editor;
class PictureBox;
class Timer;

// The hidden holder of the animation's eight pictures, never shown.
struct Res {
    Res();
    QImage Picture1;  // sprite image
    QImage Picture2;  // sparkle 1 image
    QImage Picture3;  // the credits
    QImage Picture4;  // sparkle 2 image
    QImage Picture5;  // sprite mask
    QImage Picture6;  // sparkle 1 mask
    QImage Picture7;  // sparkle 2 mask
    QImage Picture8;  // the picture under the credits
};

class About : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kClientWidth = 320;
    static constexpr int kClientHeight = 300;

    explicit About(Editor& editor);
    ~About() override;

    PictureBox* Surface;  // what the animation is drawn on: the whole window
    QPushButton* Command1;
    Timer* Timer1;

    // Where the credits picture's top is, in the window.
    int creditsTop = 0;
    // A random number in [0, 1) for each draw of the animation; tests set their own.
    std::function<double()> Rnd;

    const Res& res() const { return res_; }

  public slots:
    void Form_Load();
    void Timer1_Timer();
    void Command1_Click();

  protected:
    // Closing by the window frame is "&Ok".
    void closeEvent(QCloseEvent* event) override;

  private:
    // Int(Rnd * range + 1): a whole number from 1 to range.
    int RandomUpTo(int range);
    void AnimateCredits();

    Editor& editor_;
    Res res_;
};

}  // namespace pixmill
