#include "editing/Form3.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <string>
#include <utility>

#include "app/Editor.h"
#include "app/WindowProcedures.h"
#include "common/Numbers.h"
#include "platform/Windows.h"

namespace pixmill {
namespace {

// Places and sizes are given in twips, 15 to a pixel.
QRect Twips(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

// A control with a caption at its place, at least its size, and wider or
// taller where this system's font needs more room for the caption.
void PlaceCaptioned(QWidget* control, int left, int top, int width, int height) {
    const QSize needed = control->sizeHint();
    control->setGeometry(left / 15, top / 15, std::max(width / 15, needed.width()),
                         std::max(height / 15, needed.height()));
}

QLabel* AddLabel(QWidget* parent, const char* caption, int left, int top, int width = 0) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setTextFormat(Qt::PlainText);
    PlaceCaptioned(label, left, top, width, 0);
    return label;
}

// The dialog was laid out for a font smaller than most desktops' default:
// shrink its font until the longest caption fits before the box beside it.
void FitFont(QWidget* dialog, const char* longestCaption, int roomTwips) {
    QFont font = dialog->font();
    const QString caption = QString::fromLatin1(longestCaption);
    while (QFontMetrics(font).horizontalAdvance(caption) > roomTwips / 15 - 4 &&
           font.pointSizeF() > 6) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    dialog->setFont(font);
}

QLineEdit* AddTextBox(QWidget* parent, int left, int top) {
    auto* box = new QLineEdit(parent);
    box->setGeometry(Twips(left, top, 375, 285));
    return box;
}

QString Decimal(int value) {
    return QString::number(value);
}

double ReadBox(const QLineEdit* box) {
    return ReadLeadingNumber(box->text().toStdString());
}

}  // namespace

Form3::Form3(Editor& editor) : QDialog(nullptr), editor_(editor) {
    setWindowTitle(QStringLiteral("Pixmill - Tile Properties"));
    setFixedSize(kClientWidth, kClientHeight);
    CentreWhenFirstShown(*this);
    setModal(false);
    FitFont(this, "Number of frames in animation:", 2880 - 120);

    Label1 = AddLabel(this, "Number of frames in animation:", 120, 240, 2175);
    Text1 = AddTextBox(this, 2880, 240);
    Label2 = AddLabel(this, "Animation type:", 120, 720);

    auto* types = new QButtonGroup(this);
    const char* typeCaptions[] = {"None", "Oscillate", "Forwards", "Backwards"};
    QRadioButton** options[] = {&Option1, &Option2, &Option3, &Option4};
    for (int i = 0; i < 4; ++i) {
        *options[i] = new QRadioButton(QString::fromLatin1(typeCaptions[i]), this);
        PlaceCaptioned(*options[i], 2880, 720 + 360 * i, 1575, 255);
        types->addButton(*options[i], i);
    }
    Option1->setChecked(true);

    Label3 = AddLabel(this, "Offsets:", 120, 2280);
    Label4 = AddLabel(this, "X", 960, 2280);
    Check1 = new QCheckBox(QStringLiteral("Negative"), this);
    PlaceCaptioned(Check1, 1680, 2280, 975, 195);
    Text2 = AddTextBox(this, 2880, 2280);
    Label5 = AddLabel(this, "Y", 960, 2640);
    Check2 = new QCheckBox(QStringLiteral("Negative"), this);
    PlaceCaptioned(Check2, 1680, 2640, 975, 195);
    Text3 = AddTextBox(this, 2880, 2640);

    Command1 = new QPushButton(QStringLiteral("Ok"), this);
    Command1->setGeometry(Twips(120, 3840, 1695, 375));
    Command2 = new QPushButton(QStringLiteral("Cancel"), this);
    Command2->setGeometry(Twips(1920, 3840, 1695, 375));
    Command1->setDefault(true);

    // Ok first, Cancel second, then the fields from the top.
    QWidget* order[] = {Command1, Command2, Text1, Option1, Option2, Option3,
                        Option4,  Check1,   Text2, Check2,  Text3};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
    Command1->setFocus();

    // Object names are the names in the code, so that tools and tests find
    // each control; accessible names are what a screen reader says of a box:
    // the caption beside it.
    setObjectName(QStringLiteral("Form3"));
    const std::pair<QObject*, const char*> named[] = {
        {Label1, "Label1"},   {Text1, "Text1"},     {Label2, "Label2"},     {Option1, "Option1"},
        {Option2, "Option2"}, {Option3, "Option3"}, {Option4, "Option4"},   {Label3, "Label3"},
        {Label4, "Label4"},   {Check1, "Check1"},   {Text2, "Text2"},       {Label5, "Label5"},
        {Check2, "Check2"},   {Text3, "Text3"},     {Command1, "Command1"}, {Command2, "Command2"}};
    for (const auto& [object, name] : named) {
        object->setObjectName(QString::fromLatin1(name));
    }
    Text1->setAccessibleName(QStringLiteral("Number of frames in animation"));
    Text2->setAccessibleName(QStringLiteral("X offset"));
    Check1->setAccessibleName(QStringLiteral("X offset negative"));
    Text3->setAccessibleName(QStringLiteral("Y offset"));
    Check2->setAccessibleName(QStringLiteral("Y offset negative"));

    connect(Command1, &QPushButton::clicked, this,
            [this] { RunCommand(editor_, [this] { Command1_Click(); }); });
    connect(Command2, &QPushButton::clicked, this,
            [this] { RunCommand(editor_, [this] { Command2_Click(); }); });
}

QRadioButton* Form3::Option(int animType) const {
    QRadioButton* const options[] = {Option1, Option2, Option3, Option4};
    return options[animType & 3];
}

void Form3::ShowValues(const ShownAttributes& shown) {
    Option(shown.animType)->setChecked(true);
    Text2->setText(Decimal(shown.xMagnitude));
    Check1->setChecked(shown.xNegative);
    Text3->setText(Decimal(shown.yMagnitude));
    Check2->setChecked(shown.yNegative);
    Text1->setText(Decimal(shown.frameCount));
}

EnteredAttributes Form3::EnteredValues() const {
    EnteredAttributes entered;
    entered.frameCount = ReadBox(Text1);
    for (int type = 0; type < 4; ++type) {
        if (Option(type)->isChecked()) {
            entered.animType = type;
        }
    }
    entered.xMagnitude = ReadBox(Text2);
    entered.xNegative = Check1->isChecked();
    entered.yMagnitude = ReadBox(Text3);
    entered.yNegative = Check2->isChecked();
    return entered;
}

void Form3::Command1_Click() {
    if (const auto refusal = CheckEnteredAttributes(EnteredValues())) {
        Warn(editor_.prompts, refusal->message, refusal->title);
        return;
    }
    StoreTileAttributes(editor_);
    Command2_Click();
}

void Form3::Command2_Click() {
    SetMainWindowEnabled(editor_, true);
    SetBrowserEnabled(editor_, true);
    hide();
}

void Form3::reject() {
    RunCommand(editor_, [this] { Command2_Click(); });
}

}  // namespace pixmill
