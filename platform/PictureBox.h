#pragma once
// A picture area that keeps what is drawn on it until it is cleared, shown 1:1
// inside an optional sunken frame. Drawing coordinates start at the inner
// top-left corner.

#include <QColor>
#include <QImage>
#include <QWidget>

namespace pixmill {

class PictureBox : public QWidget {
    Q_OBJECT

  public:
    // frameWidth: pixels of border on each side; the drawable image is the
    // widget less the frame.
    PictureBox(QWidget* parent, int frameWidth, QColor background);

    // Sets the overall size, frame included, and starts a fresh cleared image.
    void SetOuterSize(int width, int height);
    int innerWidth() const { return image_.width(); }
    int innerHeight() const { return image_.height(); }

    // Fills the image with the background colour.
    void Cls();
    QColor backColour() const { return background_; }
    // Shows what has been drawn.
    void Refresh() { update(); }
    // Shows what has been drawn in a part of the image.
    void Refresh(int x, int y, int width, int height);
    // A one-pixel line, both end points included.
    void Line(int x1, int y1, int x2, int y2, QColor colour);
    // A filled box between two corners, both included.
    void FillBox(int x1, int y1, int x2, int y2, QColor colour);
    // The colour of an image pixel; invalid outside the image.
    QColor Point(int x, int y) const;

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }

  signals:
    // button: 1 left, 2 right, 4 middle; shift: 1 shift, 2 control, 4 alt;
    // x, y in drawing coordinates.
    void MouseDown(int button, int shift, int x, int y);
    // While a button is held: buttons as MouseDown's button, added up.
    void MouseMove(int buttons, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    int frame_;
    QColor background_;
    QImage image_;
};

}  // namespace pixmill
