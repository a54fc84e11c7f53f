#pragma once
// The tile browser: a page of 8 x 8 thumbnails, a scroll bar that moves it a
// row at a time, and a click that opens a tile in the main window. A window of
// its own, so that it stays usable beside the main one. Made larger, it shows
// as many columns and rows as its page holds; its first size is the smallest.

#include <QWidget>

class QLabel;
class QPushButton;
class QScrollBar;

namespace pixmill {

class Editor;
class PictureBox;

class Form2 : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kClientWidth = 587;
    static constexpr int kClientHeight = 598;

    explicit Form2(Editor& editor);

    PictureBox* Picture1;  // one page of thumbnails
    QScrollBar* VScroll1;  // the first thumbnail row shown
    QPushButton* Command1;
    QLabel* Label1;

    // The tile whose cell the page framed when it was last drawn; 0 for none.
    int markedTile = 0;
    // Whether the window has been shown this run (its place is then worth keeping).
    bool shownOnce() const { return shownOnce_; }

  public slots:
    void VScroll1_Change();
    void Command1_Click();
    void Picture1_MouseDown(int button, int shift, int x, int y);

  protected:
    // Page Up, Page Down, Home, End and the up and down arrows scroll; the
    // mouse wheel over the thumbnails scrolls; a tooltip tells the tile under
    // the pointer.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    Editor& editor_;
    int wheelAngle_ = 0;  // wheel turned but not yet a whole notch, in eighths of a degree
    bool shownOnce_ = false;
};

}  // namespace pixmill
