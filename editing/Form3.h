#pragma once
// The tile properties dialog: the current tile's frame count, animation type
// and offsets. One window for the whole run, made when first used
// (Editor::form3()), hidden rather than closed, keeping what is typed in it
// until the next drawing of a tile refills it. Top-level, so that it stays
// usable while the main window and the browser are disabled.

#include <QDialog>

#include "editing/Attributes.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pixmill {

class Editor;

class Form3 : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kClientWidth = 312;  // 4680 x 4425 twips
    static constexpr int kClientHeight = 295;

    explicit Form3(Editor& editor);

    QLabel* Label1;
    QLineEdit* Text1;  // frame count
    QLabel* Label2;
    QRadioButton* Option1;  // None
    QRadioButton* Option2;  // Oscillate
    QRadioButton* Option3;  // Forwards
    QRadioButton* Option4;  // Backwards
    QLabel* Label3;
    QLabel* Label4;
    QCheckBox* Check1;  // shown X negative
    QLineEdit* Text2;   // X magnitude
    QLabel* Label5;
    QCheckBox* Check2;      // shown Y negative
    QLineEdit* Text3;       // Y magnitude
    QPushButton* Command1;  // Ok
    QPushButton* Command2;  // Cancel

    // The controls as the user sees them, in and out.
    void ShowValues(const ShownAttributes& shown);
    EnteredAttributes EnteredValues() const;

  public slots:
    void Command1_Click();
    void Command2_Click();

  protected:
    // Closing by the window frame, or Escape, is Cancel: only Ok and Cancel
    // give the other windows their input back.
    void reject() override;

  private:
    QRadioButton* Option(int animType) const;

    Editor& editor_;
};

// Packs the dialog's values into bytes 0 to 2 of the current tile and draws it
// again, which refills the dialog. Run by Ok once its checks have passed.
void StoreTileAttributes(Editor& editor);

}  // namespace pixmill
