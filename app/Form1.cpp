#include "app/Form1.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <algorithm>
#include <utility>

#include "app/Editor.h"
#include "app/StartUp.h"
#include "app/WindowProcedures.h"
#include "platform/PictureBox.h"
#include "platform/Timer.h"
#include "platform/Windows.h"

namespace pixmill {
namespace {

const char kOwnEnabledState[] = "pixmillEnabled";

// What clearing the tile view fills it with: a neutral grey, so that a tile's
// black pixels stand apart from the space around it.
const QColor kViewBackground(128, 128, 128);

QAction* AddItem(QMenu* menu, const char* caption, bool enabled = true) {
    QAction* item = menu->addAction(QString::fromLatin1(caption));
    item->setEnabled(enabled);
    return item;
}

QAction* AddCheckItem(QMenu* menu, const char* caption, bool checked) {
    QAction* item = AddItem(menu, caption);
    item->setCheckable(true);
    item->setChecked(checked);
    return item;
}

QLabel* AddSwatch(QWidget* client) {
    auto* swatch = new QLabel(client);
    swatch->resize(25, 25);
    swatch->setFrameShape(QFrame::Box);
    swatch->setAutoFillBackground(true);
    // The colour's index, small enough for three digits.
    swatch->setAlignment(Qt::AlignCenter);
    QFont font = swatch->font();
    font.setPixelSize(9);
    swatch->setFont(font);
    SetBackColor(swatch, QColor(0, 0, 0));
    return swatch;
}

QKeySequence StandardKeyOr(QKeySequence::StandardKey key, QKeyCombination usual) {
    const QKeySequence standard(key);
    return standard.isEmpty() ? QKeySequence(usual) : standard;
}

// Items of a disabled menu keep their own enabled state (see SetMenuEnabled),
// so their keys would still reach them: this holds the keys back while the
// menu is off. Only keys: a trigger from the menu itself cannot happen then.
class KeysFollowMenu : public QObject {
  public:
    KeysFollowMenu(QMenu* menu, QObject* parent) : QObject(parent), menu_(menu) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        return event->type() == QEvent::Shortcut && !MenuEnabled(menu_);
    }

  private:
    QMenu* menu_;
};

}  // namespace

void SetMenuEnabled(QMenu* menu, bool enabled) {
    // Only the menu's entry in its parent: disabling the menu widget would
    // also disable the submenus inside it, and they keep states of their own.
    // The state is noted on the menu as well, because a menu sets its entry
    // from its widget when the window around it is enabled again.
    menu->setProperty(kOwnEnabledState, enabled);
    menu->menuAction()->setEnabled(enabled);
}

bool MenuEnabled(const QMenu* menu) {
    return menu->menuAction()->isEnabled();
}

void SetBackColor(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    label->setPalette(palette);
    // What a screen reader says of a swatch besides its name.
    label->setAccessibleDescription(colour.name());
}

QColor BackColor(const QLabel* label) {
    return label->palette().color(QPalette::Window);
}

Form1::Form1(Editor& editor) : CommonDialog1(editor.prompts), editor_(editor) {
    setWindowTitle(QStringLiteral("Pixmill"));
    client_ = new QWidget(this);
    // The first size is also the smallest.
    client_->setMinimumSize(kClientWidth, kClientHeight);
    client_->resize(kClientWidth, kClientHeight);
    setCentralWidget(client_);
    CreateControls(client_);
    CreateMenus();
    CreateSetMenus();
    ConnectHandlers();
    CreateKeys();
    NameControls();
    LayOutWindow();
    resize(layout()->minimumSize());
    client_->installEventFilter(this);
    Picture1->installEventFilter(this);
    Picture2->installEventFilter(this);
    // Files dropped on the window open or import (Form1_Drop.cpp).
    setAcceptDrops(true);
    CentreWhenFirstShown(*this);
}

void Form1::CreateControls(QWidget* client) {
    Picture1 = new PictureBox(client, 2, kViewBackground);
    Picture1->move(0, 8);
    Picture1->SetOuterSize(641, 393);
    // The arrow keys page while the view has the focus.
    Picture1->setFocusPolicy(Qt::StrongFocus);
    HScroll1 = new QScrollBar(Qt::Horizontal, client);
    VScroll1 = new QScrollBar(Qt::Vertical, client);
    for (QScrollBar* bar : {HScroll1, VScroll1}) {
        bar->hide();
        // The view keeps the keyboard for paging.
        bar->setFocusPolicy(Qt::NoFocus);
    }

    // Sized and centred by start-up.
    Picture2 = new PictureBox(client, 0, QColor(0, 0, 0));
    Picture2->move(0, 408);
    Picture2->SetOuterSize(512, 8);

    Label2 = AddSwatch(client);
    Label3 = AddSwatch(client);

    Command1 = new QPushButton(QStringLiteral("<-"), client);
    Command1->resize(25, 25);
    Command2 = new QPushButton(QStringLiteral("->"), client);
    Command2->resize(25, 25);

    Label1 = new QLabel(client);
    Label1->resize(441, 17);
    // Paths and names are shown as they are, never read as markup.
    Label1->setTextFormat(Qt::PlainText);

    Timer1 = new Timer(this);
}

void Form1::CreateMenus() {
    QMenuBar* bar = menuBar();

    mnuFile = bar->addMenu(QStringLiteral("File"));
    mnuPal = AddItem(mnuFile, "Load Palette...");
    mnuexppal = AddItem(mnuFile, "Export Palette...", false);
    mnuNames = AddItem(mnuFile, "Load Names.h...");
    mnuFile->addSeparator();
    mnuNew = AddItem(mnuFile, "New ART", false);
    mnuOpen = AddItem(mnuFile, "Open ART...", false);
    mnuSave = AddItem(mnuFile, "Save ART", false);
    mnuSaveAs = AddItem(mnuFile, "Save ART as...", false);
    mnuFile->addSeparator();
    mnuRecent = mnuFile->addMenu(QStringLiteral("Recent Files"));
    // Opening one needs a palette, as "Open ART..." does.
    SetMenuEnabled(mnuRecent, false);
    mnuFile->addSeparator();
    mnuExit = AddItem(mnuFile, "Exit");

    mnuEdit = bar->addMenu(QStringLiteral("Edit"));
    mnuUndo = AddItem(mnuEdit, "Undo", false);
    mnuRedo = AddItem(mnuEdit, "Redo", false);
    mnuEdit->addSeparator();
    toolGroup = new QActionGroup(this);
    mnuNoTool = AddCheckItem(mnuEdit, "No Tool", true);
    mnuPencil = AddCheckItem(mnuEdit, "Pencil", false);
    mnuLine = AddCheckItem(mnuEdit, "Line", false);
    mnuFill = AddCheckItem(mnuEdit, "Fill", false);
    mnuPick = AddCheckItem(mnuEdit, "Pick Colour", false);
    for (QAction* tool : {mnuNoTool, mnuPencil, mnuLine, mnuFill, mnuPick}) {
        toolGroup->addAction(tool);
    }
    mnuEdit->addSeparator();
    mnuCopy = AddItem(mnuEdit, "Copy Tile");
    mnuPaste = AddItem(mnuEdit, "Paste Tile");
    mnuPasteNew = AddItem(mnuEdit, "Paste as New Tile");

    mnuTile = bar->addMenu(QStringLiteral("Tile"));
    mnuibmp = AddItem(mnuTile, "Import BMP...");
    mnuipic = AddItem(mnuTile, "Import Picture...");
    mnuebmp = AddItem(mnuTile, "Export BMP...");
    mnubatche = AddItem(mnuTile, "Batch Export...");
    mnuDither = AddCheckItem(mnuTile, "Dither When Matching", false);
    mnuTile->addSeparator();
    mnuinsert = AddItem(mnuTile, "Insert after current");
    mnuinsert2 = AddItem(mnuTile, "Insert before current");
    mnudelete = AddItem(mnuTile, "Delete");
    mnuresize = AddItem(mnuTile, "Resize...");
    mnuclr = AddItem(mnuTile, "Clear");
    mnuBClear = AddItem(mnuTile, "Batch Clear...");
    mnuTile->addSeparator();
    mnuAnim = AddItem(mnuTile, "Preview Animation");
    mnuAnim->setCheckable(true);
    mnuAnimSpeed = mnuTile->addMenu(QStringLiteral("Animation Speed"));
    mnuIncSpeed = AddItem(mnuAnimSpeed, "Increase");
    mnuDecSpeed = AddItem(mnuAnimSpeed, "Decrease");
    mnuTile->addSeparator();
    mnuprops = AddItem(mnuTile, "Properties...");
    SetMenuEnabled(mnuTile, false);

    mnuView = bar->addMenu(QStringLiteral("View"));
    mnuBrowse = AddItem(mnuView, "Browser...");
    mnuGoTo = AddItem(mnuView, "Go to Tile...");
    mnuView->addSeparator();
    mnuCross = AddCheckItem(mnuView, "Crosshair", false);
    mnuScale = mnuView->addMenu(QStringLiteral("Scale"));
    mnu1x = AddCheckItem(mnuScale, "1x", true);
    mnu2x = AddCheckItem(mnuScale, "2x", false);
    mnu4x = AddCheckItem(mnuScale, "4x", false);
    mnu8x = AddCheckItem(mnuScale, "8x", false);
    mnu16x = AddCheckItem(mnuScale, "16x", false);
    mnu32x = AddCheckItem(mnuScale, "32x", false);
    mnuView->addSeparator();
    mnuAbout = AddItem(mnuView, "About...");
}

void Form1::ConnectHandlers() {
    // Every handler runs as a command: a failure becomes a message, never the
    // end of the editor.
    const auto on = [this](auto* sender, auto signal, void (Form1::*handler)()) {
        connect(sender, signal, this,
                [this, handler] { RunCommand(editor_, [&] { (this->*handler)(); }); });
    };
    on(mnuPal, &QAction::triggered, &Form1::mnuPal_Click);
    on(mnuexppal, &QAction::triggered, &Form1::mnuexppal_Click);
    on(mnuNew, &QAction::triggered, &Form1::mnuNew_Click);
    on(mnuOpen, &QAction::triggered, &Form1::mnuOpen_Click);
    on(mnuSave, &QAction::triggered, &Form1::mnuSave_Click);
    on(mnuSaveAs, &QAction::triggered, &Form1::mnuSaveAs_Click);
    on(mnuExit, &QAction::triggered, &Form1::mnuExit_Click);
    on(mnuUndo, &QAction::triggered, &Form1::mnuUndo_Click);
    on(mnuRedo, &QAction::triggered, &Form1::mnuRedo_Click);
    on(mnuCopy, &QAction::triggered, &Form1::mnuCopy_Click);
    on(mnuPaste, &QAction::triggered, &Form1::mnuPaste_Click);
    on(mnuPasteNew, &QAction::triggered, &Form1::mnuPasteNew_Click);
    // Choosing a tool ends a stroke of the one before.
    connect(toolGroup, &QActionGroup::triggered, this,
            [this] { RunCommand(editor_, [this] { ShowChosenTool(); }); });
    on(mnuBrowse, &QAction::triggered, &Form1::mnuBrowse_Click);
    on(mnuAbout, &QAction::triggered, &Form1::mnuAbout_Click);
    on(mnuCross, &QAction::triggered, &Form1::mnuCross_Click);
    on(mnu1x, &QAction::triggered, &Form1::mnu1x_Click);
    on(mnu2x, &QAction::triggered, &Form1::mnu2x_Click);
    on(mnu4x, &QAction::triggered, &Form1::mnu4x_Click);
    on(mnu8x, &QAction::triggered, &Form1::mnu8x_Click);
    on(mnu16x, &QAction::triggered, &Form1::mnu16x_Click);
    on(mnu32x, &QAction::triggered, &Form1::mnu32x_Click);
    on(mnuGoTo, &QAction::triggered, &Form1::mnuGoTo_Click);
    on(HScroll1, &QScrollBar::valueChanged, &Form1::HScroll1_Change);
    on(VScroll1, &QScrollBar::valueChanged, &Form1::VScroll1_Change);
    on(mnuNames, &QAction::triggered, &Form1::mnuNames_Click);
    on(mnuibmp, &QAction::triggered, &Form1::mnuibmp_Click);
    on(mnuipic, &QAction::triggered, &Form1::mnuipic_Click);
    on(mnuebmp, &QAction::triggered, &Form1::mnuebmp_Click);
    on(mnubatche, &QAction::triggered, &Form1::mnubatche_Click);
    on(mnuinsert, &QAction::triggered, &Form1::mnuinsert_Click);
    on(mnuinsert2, &QAction::triggered, &Form1::mnuinsert2_Click);
    on(mnudelete, &QAction::triggered, &Form1::mnudelete_Click);
    on(mnuresize, &QAction::triggered, &Form1::mnuresize_Click);
    on(mnuclr, &QAction::triggered, &Form1::mnuclr_Click);
    on(mnuBClear, &QAction::triggered, &Form1::mnuBClear_Click);
    on(mnuprops, &QAction::triggered, &Form1::mnuprops_Click);
    on(mnuIncSpeed, &QAction::triggered, &Form1::mnuIncSpeed_Click);
    on(mnuDecSpeed, &QAction::triggered, &Form1::mnuDecSpeed_Click);
    on(Timer1, &Timer::Tick, &Form1::Timer1_Timer);
    // The preview's handler sets the mark itself, from the state it finds;
    // undo the toggle Qt makes before the handler runs.
    connect(mnuAnim, &QAction::triggered, this, [this] {
        mnuAnim->setChecked(!mnuAnim->isChecked());
        RunCommand(editor_, [this] { mnuAnim_Click(); });
    });
    on(Command1, &QPushButton::clicked, &Form1::Command1_Click);
    on(Command2, &QPushButton::clicked, &Form1::Command2_Click);
    connect(Picture2, &PictureBox::MouseDown, this, [this](int button, int shift, int x, int y) {
        RunCommand(editor_, [&] { Picture2_MouseDown(button, shift, x, y); });
    });
    connect(Picture1, &PictureBox::MouseDown, this, [this](int button, int shift, int x, int y) {
        RunCommand(editor_, [&] { Picture1_MouseDown(button, shift, x, y); });
    });
    // A stroke's own events go on with it rather than end it.
    connect(Picture1, &PictureBox::MouseMove, this, [this](int button, int shift, int x, int y) {
        RunHandler(editor_, [&] { Picture1_MouseMove(button, shift, x, y); });
    });
    connect(Picture1, &PictureBox::MouseUp, this, [this](int button, int shift, int x, int y) {
        RunHandler(editor_, [&] { Picture1_MouseUp(button, shift, x, y); });
    });
}

void Form1::CreateKeys() {
    // The standard keys of a desktop editor; the menus show them beside the captions.
    mnuNew->setShortcut(QKeySequence::New);
    mnuOpen->setShortcut(QKeySequence::Open);
    mnuSave->setShortcut(QKeySequence::Save);
    // Not every desktop names keys for these two; then the usual ones.
    mnuSaveAs->setShortcut(StandardKeyOr(QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    mnuExit->setShortcut(StandardKeyOr(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q));
    mnudelete->setShortcut(QKeySequence::Delete);
    // One press deletes one tile, however long the key is held.
    mnudelete->setAutoRepeat(false);
    mnuUndo->setShortcut(QKeySequence::Undo);
    mnuRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    mnuprops->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Return));
    mnuPencil->setShortcut(QKeySequence(Qt::Key_B));
    mnuLine->setShortcut(QKeySequence(Qt::Key_L));
    mnuFill->setShortcut(QKeySequence(Qt::Key_F));
    mnuPick->setShortcut(QKeySequence(Qt::Key_I));
    mnuCopy->setShortcut(QKeySequence::Copy);
    mnuPaste->setShortcut(QKeySequence::Paste);
    mnuPasteNew->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    const std::pair<QAction*, Qt::Key> scales[] = {{mnu1x, Qt::Key_1},  {mnu2x, Qt::Key_2},
                                                   {mnu4x, Qt::Key_3},  {mnu8x, Qt::Key_4},
                                                   {mnu16x, Qt::Key_5}, {mnu32x, Qt::Key_6}};
    for (const auto& [item, key] : scales) {
        item->setShortcut(QKeySequence(Qt::CTRL | key));
    }
    mnuGoTo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    auto* tileKeys = new KeysFollowMenu(mnuTile, this);
    for (QAction* item : {mnudelete, mnuprops}) {
        item->installEventFilter(tileKeys);
    }

    // Keys without a menu item run the handlers of the buttons they stand for.
    const auto key = [this](Qt::Key pressed, QWidget* scope, void (Form1::*handler)()) {
        auto* shortcut = new QShortcut(QKeySequence(pressed), scope);
        shortcut->setContext(scope == this ? Qt::WindowShortcut : Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this,
                [this, handler] { RunCommand(editor_, [&] { (this->*handler)(); }); });
    };
    key(Qt::Key_PageUp, this, &Form1::Command1_Click);
    key(Qt::Key_PageDown, this, &Form1::Command2_Click);
    key(Qt::Key_Home, this, &Form1::GoToFirstTile);
    key(Qt::Key_End, this, &Form1::GoToLastTile);
    key(Qt::Key_Left, Picture1, &Form1::Command1_Click);
    key(Qt::Key_Right, Picture1, &Form1::Command2_Click);

    // "Save ART" stays off for a tileset with no file, as its menu says, yet
    // the save key still saves it, as a new file. Only one of the two holds
    // the key at a time: Qt runs neither of two shortcuts that share a key.
    saveWithoutFileKey_ = new QShortcut(mnuSave->shortcut(), this);
    saveWithoutFileKey_->setEnabled(false);
    connect(saveWithoutFileKey_, &QShortcut::activated, this,
            [this] { RunCommand(editor_, [this] { SaveKeyWithoutFile(); }); });
    connect(mnuSave, &QAction::changed, this, [this] {
        saveWithoutFileKey_->setEnabled(!mnuSave->isEnabled() && mnuSaveAs->isEnabled());
    });
    connect(mnuSaveAs, &QAction::changed, this, [this] {
        saveWithoutFileKey_->setEnabled(!mnuSave->isEnabled() && mnuSaveAs->isEnabled());
    });
    // "Recent Files" opens when "Open ART..." does.
    connect(mnuOpen, &QAction::changed, this,
            [this] { SetMenuEnabled(mnuRecent, !mnuRecent->isEmpty() && mnuOpen->isEnabled()); });
}

void Form1::NameControls() {
    // Object names are the names in the code, so that tools and tests find
    // each control; accessible names are what a screen reader says.
    setObjectName(QStringLiteral("Form1"));
    const std::pair<QObject*, const char*> named[] = {{Picture1, "Picture1"},
                                                      {HScroll1, "HScroll1"},
                                                      {VScroll1, "VScroll1"},
                                                      {Picture2, "Picture2"},
                                                      {Label1, "Label1"},
                                                      {Label2, "Label2"},
                                                      {Label3, "Label3"},
                                                      {Command1, "Command1"},
                                                      {Command2, "Command2"},
                                                      {Timer1, "Timer1"},
                                                      {mnuFile, "mnuFile"},
                                                      {mnuPal, "mnuPal"},
                                                      {mnuexppal, "mnuexppal"},
                                                      {mnuNames, "mnuNames"},
                                                      {mnuNew, "mnuNew"},
                                                      {mnuOpen, "mnuOpen"},
                                                      {mnuSave, "mnuSave"},
                                                      {mnuSaveAs, "mnuSaveAs"},
                                                      {mnuRecent, "mnuRecent"},
                                                      {mnuExit, "mnuExit"},
                                                      {mnuEdit, "mnuEdit"},
                                                      {mnuUndo, "mnuUndo"},
                                                      {mnuRedo, "mnuRedo"},
                                                      {mnuNoTool, "mnuNoTool"},
                                                      {mnuPencil, "mnuPencil"},
                                                      {mnuLine, "mnuLine"},
                                                      {mnuFill, "mnuFill"},
                                                      {mnuPick, "mnuPick"},
                                                      {mnuCopy, "mnuCopy"},
                                                      {mnuPaste, "mnuPaste"},
                                                      {mnuPasteNew, "mnuPasteNew"},
                                                      {mnuTile, "mnuTile"},
                                                      {mnuibmp, "mnuibmp"},
                                                      {mnuipic, "mnuipic"},
                                                      {mnuDither, "mnuDither"},
                                                      {mnuebmp, "mnuebmp"},
                                                      {mnubatche, "mnubatche"},
                                                      {mnuinsert, "mnuinsert"},
                                                      {mnuinsert2, "mnuinsert2"},
                                                      {mnudelete, "mnudelete"},
                                                      {mnuresize, "mnuresize"},
                                                      {mnuclr, "mnuclr"},
                                                      {mnuBClear, "mnuBClear"},
                                                      {mnuAnim, "mnuAnim"},
                                                      {mnuAnimSpeed, "mnuAnimSpeed"},
                                                      {mnuIncSpeed, "mnuIncSpeed"},
                                                      {mnuDecSpeed, "mnuDecSpeed"},
                                                      {mnuprops, "mnuprops"},
                                                      {mnuView, "mnuView"},
                                                      {mnuBrowse, "mnuBrowse"},
                                                      {mnuGoTo, "mnuGoTo"},
                                                      {mnuCross, "mnuCross"},
                                                      {mnuScale, "mnuScale"},
                                                      {mnu1x, "mnu1x"},
                                                      {mnu2x, "mnu2x"},
                                                      {mnu4x, "mnu4x"},
                                                      {mnu8x, "mnu8x"},
                                                      {mnu16x, "mnu16x"},
                                                      {mnu32x, "mnu32x"},
                                                      {mnuAbout, "mnuAbout"}};
    for (const auto& [object, name] : named) {
        object->setObjectName(QString::fromLatin1(name));
    }
    Picture1->setAccessibleName(QStringLiteral("Tile view"));
    HScroll1->setAccessibleName(QStringLiteral("Tile view, across"));
    VScroll1->setAccessibleName(QStringLiteral("Tile view, down"));
    Picture2->setAccessibleName(QStringLiteral("Palette strip"));
    Label2->setAccessibleName(QStringLiteral("Left button colour"));
    Label3->setAccessibleName(QStringLiteral("Right button colour"));
    Command1->setAccessibleName(QStringLiteral("Previous tile"));
    Command2->setAccessibleName(QStringLiteral("Next tile"));
    // The status line's name stays its text, so that a screen reader speaks
    // each new status (a label announces changes only while it has no name
    // of its own); what the control is goes into its description.
    Label1->setAccessibleDescription(QStringLiteral("Status line"));
}

void Form1::LayOutWindow() {
    // The places of the first size; what the window grows by goes to the
    // view, and the controls below it move down with the bottom and stay
    // centred under it.
    const int grownWidth = std::max(0, client_->width() - kClientWidth);
    const int grownHeight = std::max(0, client_->height() - kClientHeight);
    const int dx = grownWidth / 2;
    const std::pair<QWidget*, QPoint> below[] = {
        {Label2, {288, 424}},   {Label3, {320, 424}}, {Command1, {72, 432}},
        {Command2, {552, 432}}, {Label1, {104, 456}},
    };
    for (const auto& [control, first] : below) {
        control->move(first.x() + dx, first.y() + grownHeight);
    }
    // Centred as start-up centres it, from the window's outer width.
    constexpr int kWindowBorder = 3;
    Picture2->move((client_->width() + 2 * kWindowBorder - Picture2->width()) / 2 - 3,
                   408 + grownHeight);
}

std::string Form1::Caption() const {
    return caption_;
}

void Form1::SetCaption(const std::string& caption) {
    caption_ = caption;
    // Qt reads "[*]" in a title as the place of a modified mark and drops it;
    // doubled, it shows as itself.
    setWindowTitle(
        QString::fromStdString(caption).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
}

std::string Form1::StatusText() const {
    return Label1->text().toStdString();
}

void Form1::SetStatusText(const std::string& text) {
    Label1->setText(QString::fromStdString(text));
}

void Form1::Form_Load() {
    StartUp(editor_);
}

void Form1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Enabled again after a dialog: the menus took the window's state, and
    // get back their own.
    if (event->type() == QEvent::EnabledChange && isEnabled()) {
        for (QMenu* menu : findChildren<QMenu*>()) {
            const QVariant own = menu->property(kOwnEnabledState);
            if (own.isValid()) {
                menu->menuAction()->setEnabled(own.toBool());
            }
        }
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the editor, once unsaved changes are
    // saved or given up.
    bool settled = true;
    RunCommand(editor_, [&] { settled = SettleUnsavedChanges(editor_); });
    if (!settled) {
        event->ignore();
        return;
    }
    event->accept();
    EndEditor(editor_);
}

}  // namespace pixmill
