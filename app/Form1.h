#pragma once
// The main window: the tile view, the palette strip and its swatches, the
// paging buttons, the status line, the menus and the shared file dialog.
// Handlers live in one file per menu: Form1_File.cpp, Form1_View.cpp,
// Form1_Tile.cpp, the animation preview's in Form1_Preview.cpp, and those of
// a game's set of files, its shades and swaps and the mod export in
// Form1_Set.cpp.

#include <QMainWindow>
#include <string>

#include "platform/Prompts.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QShortcut;

namespace pixmill {

class Editor;
class PictureBox;
class Timer;

class Form1 : public QMainWindow {
    Q_OBJECT

  public:
    static constexpr int kClientWidth = 642;
    static constexpr int kClientHeight = 474;

    explicit Form1(Editor& editor);

    PictureBox* Picture1;  // the tile view
    PictureBox* Picture2;  // the palette strip
    QLabel* Label1;        // the status line
    QLabel* Label2;        // swatch of the left button
    QLabel* Label3;        // swatch of the right button
    QPushButton* Command1;
    QPushButton* Command2;
    Timer* Timer1;  // the animation preview's clock; interval 0 when stopped
    CommonDialog CommonDialog1;

    // The preview's offset of the next frame from the current tile.
    int Framenum = 0;

    QMenu* mnuFile;
    QAction* mnuPal;
    QAction* mnuexppal;
    QAction* mnuNames;
    QAction* mnuNew;
    QAction* mnuOpen;
    QAction* mnuSave;
    QAction* mnuSaveAs;
    QAction* mnuOpenSet;    // "Open Tile Set..."
    QAction* mnuExportMod;  // "Export Changes as Mod..."
    QAction* mnuExit;

    QMenu* mnuEdit;
    QAction* mnuUndo;
    QAction* mnuRedo;

    QMenu* mnuTile;
    QAction* mnuibmp;
    QAction* mnuebmp;
    QAction* mnubatche;
    QAction* mnuinsert;
    QAction* mnuinsert2;
    QAction* mnudelete;
    QAction* mnuresize;
    QAction* mnuclr;
    QAction* mnuBClear;
    QAction* mnuAnim;
    QMenu* mnuAnimSpeed;
    QAction* mnuIncSpeed;
    QAction* mnuDecSpeed;
    QAction* mnuprops;

    QMenu* mnuView;
    QAction* mnuBrowse;
    QAction* mnuCross;
    QMenu* mnuScale;
    QAction* mnu1x;
    QAction* mnu2x;
    QAction* mnu4x;
    QAction* mnu8x;
    QMenu* mnuShade;  // "None", then a level for each shade table
    QMenu* mnuSwap;   // "None", the LOOKUP.DAT's swaps, its alternative palettes
    QAction* mnuAbout;

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    std::string StatusText() const;
    void SetStatusText(const std::string& text);

  public slots:
    void Form_Load();

    // File menu
    void mnuPal_Click();
    void mnuexppal_Click();
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuExit_Click();
    void mnuNames_Click();
    // Ctrl+S while "Save ART" is off: a tileset with no file yet is saved as a new one.
    void SaveKeyWithoutFile();
    void mnuOpenSet_Click();
    void mnuExportMod_Click();

    // Edit menu
    void mnuUndo_Click();
    void mnuRedo_Click();

    // View menu, paging and the palette strip
    void mnuBrowse_Click();
    void mnuAbout_Click();
    void mnuCross_Click();
    void mnu1x_Click();
    void mnu2x_Click();
    void mnu4x_Click();
    void mnu8x_Click();
    void Command1_Click();
    void Command2_Click();
    // Home and End: the first and the last tile, as paging shows them.
    void GoToFirstTile();
    void GoToLastTile();
    void Picture2_MouseDown(int button, int shift, int x, int y);

    // Tile menu
    void mnuibmp_Click();
    void mnuebmp_Click();
    void mnubatche_Click();
    void mnuinsert_Click();
    void mnuinsert2_Click();
    void mnudelete_Click();
    void mnuresize_Click();
    void mnuclr_Click();
    void mnuBClear_Click();
    void mnuprops_Click();

    // The animation preview
    void mnuAnim_Click();
    void Timer1_Timer();
    void mnuIncSpeed_Click();
    void mnuDecSpeed_Click();

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;  // Form_Unload

  private:
    void CreateControls(QWidget* client);
    void CreateMenus();
    void CreateSetMenus();
    void ConnectHandlers();
    void CreateKeys();
    void NameControls();
    void GoToEnd(int target);
    // One speed item's change of the current tile's speed byte, by step.
    void ChangeSpeed(const char* command, int step);
    void Zoom(QAction* item, int factor);

    Editor& editor_;
    std::string caption_ = "Pixmill";
    QShortcut* saveWithoutFileKey_ = nullptr;
};

// A menu's own enabled state, as its title in the menu bar shows it.
void SetMenuEnabled(QMenu* menu, bool enabled);
bool MenuEnabled(const QMenu* menu);

// The background colour of a label, as the swatches show it.
void SetBackColor(QLabel* label, const QColor& colour);
QColor BackColor(const QLabel* label);

}  // namespace pixmill
