#pragma once
// The main window: the tile view, the palette strip and its swatches, the
// paging buttons, the status line, the menus and the shared file dialog.
// Handlers live in one file per menu: Form1_File.cpp, Form1_Edit.cpp,
// Form1_View.cpp, Form1_Tile.cpp; the animation preview's in Form1_Preview.cpp,
// the clipboard's in Form1_Clipboard.cpp, the drawing tools' in Form1_Draw.cpp,
// dropped files' in Form1_Drop.cpp, the window's resizing and the view's
// scrolling in Form1_Scroll.cpp, and those of a game's set of files, its
// shades and swaps and the mod export in Form1_Set.cpp.
//
// At its first size the window is laid out as it always was; made larger,
// the view takes the new room and the controls below it keep their places
// relative to the bottom, centred under the view.

#include <QMainWindow>
#include <QPoint>
#include <cstdint>
#include <optional>
#include <string>

#include "app/ViewLayout.h"
#include "editing/TileStroke.h"
#include "platform/Prompts.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;
class QShortcut;
class QMimeData;
class QWheelEvent;

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
    QScrollBar* HScroll1;  // the view's scroll bars, shown while the tile does not fit
    QScrollBar* VScroll1;
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
    // The tile the view shows (a frame of the preview while it runs); 0 for none.
    int shownTile = 0;

    QMenu* mnuFile;
    QAction* mnuPal;
    QAction* mnuexppal;
    QAction* mnuNames;
    QAction* mnuNew;
    QAction* mnuOpen;
    QAction* mnuSave;
    QAction* mnuSaveAs;
    QMenu* mnuRecent;       // "Recent Files": the last ART files opened or saved
    QAction* mnuOpenSet;    // "Open Tile Set..."
    QAction* mnuExportMod;  // "Export Changes as Mod..."
    QAction* mnuExit;

    QMenu* mnuEdit;
    QAction* mnuUndo;
    QAction* mnuRedo;
    // The drawing tools, one checked at a time, and the clipboard.
    QActionGroup* toolGroup;
    QAction* mnuNoTool;
    QAction* mnuPencil;
    QAction* mnuLine;
    QAction* mnuFill;
    QAction* mnuPick;
    QAction* mnuCopy;
    QAction* mnuPaste;
    QAction* mnuPasteNew;

    QMenu* mnuTile;
    QAction* mnuibmp;
    QAction* mnuipic;
    QAction* mnuebmp;
    QAction* mnubatche;
    QAction* mnuDither;
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
    QAction* mnuGoTo;
    QAction* mnuCross;
    QMenu* mnuScale;
    QAction* mnu1x;
    QAction* mnu2x;
    QAction* mnu4x;
    QAction* mnu8x;
    QAction* mnu16x;
    QAction* mnu32x;
    QMenu* mnuShade;  // "None", then a level for each shade table
    QMenu* mnuSwap;   // "None", the LOOKUP.DAT's swaps, its alternative palettes
    QAction* mnuAbout;

    std::string Caption() const;
    void SetCaption(const std::string& caption);
    std::string StatusText() const;
    void SetStatusText(const std::string& text);

    // The room the window's size leaves the view, scroll bars not yet taken.
    ViewRoom Room() const;
    // What UpdateTileView's next layout keeps in its place: the point under
    // the pointer after a zoom by the wheel, otherwise the view's centre.
    ViewAnchor TakeViewAnchor();
    // Sizes the view and shows, hides and sets the scroll bars as laid out
    // for a tile of extentX x extentY magnified pixels.
    void ShowViewLayout(const ViewLayout& layout, std::int64_t extentX, std::int64_t extentY);
    // The view at its full room without scroll bars, cleared: no tile shown.
    void ClearView();
    // Marks the scale item of factor (one of kScaleFactors) and sets the zoom,
    // without drawing.
    void SetScale(int factor);
    // Fills "Recent Files" from the editor's list.
    void ShowRecentFiles();

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
    void OpenRecentFile(const std::string& path);
    // Ctrl+S while "Save ART" is off: a tileset with no file yet is saved as a new one.
    void SaveKeyWithoutFile();
    void mnuOpenSet_Click();
    void mnuExportMod_Click();

    // Edit menu
    void mnuUndo_Click();
    void mnuRedo_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuPasteNew_Click();

    // The tile view under the drawing tools: a stroke runs from the button
    // going down to it coming up. button as MouseDown gives it; for a move,
    // the buttons held.
    void Picture1_MouseDown(int button, int shift, int x, int y);
    void Picture1_MouseMove(int button, int shift, int x, int y);
    void Picture1_MouseUp(int button, int shift, int x, int y);
    // Ends a stroke in progress as its undo step; nothing when none is.
    void FinishStroke();
    DrawingTool ChosenTool() const;
    // The view's pointer for the tool chosen.
    void ShowChosenTool();

    // A file dropped on the window: a tileset opens, a palette loads, a
    // picture dropped on the tile view is imported into the current tile.
    void Form_OLEDragDrop(const std::string& path, bool onTileView);

    // View menu, paging and the palette strip
    void mnuBrowse_Click();
    void mnuAbout_Click();
    void mnuCross_Click();
    void mnu1x_Click();
    void mnu2x_Click();
    void mnu4x_Click();
    void mnu8x_Click();
    void mnu16x_Click();
    void mnu32x_Click();
    void mnuGoTo_Click();
    void HScroll1_Change();
    void VScroll1_Change();
    void Command1_Click();
    void Command2_Click();
    // Home and End: the first and the last tile, as paging shows them.
    void GoToFirstTile();
    void GoToLastTile();
    void Picture2_MouseDown(int button, int shift, int x, int y);

    // Tile menu
    void mnuibmp_Click();
    void mnuipic_Click();
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
    // The client area's resizing, and the wheel, the middle button and the
    // tooltips over the view and the palette strip.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

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
    void Zoom(int factor);
    // Places the controls for the client area's size.
    void LayOutWindow();
    // Lays the view out again and draws what it showed, after a resize.
    void RedrawView();
    // The view's share of the wheel: zoom with Ctrl, otherwise scroll.
    void WheelOverView(QWheelEvent* event);
    void ScrollTo(int x, int y);
    // Puts a palette index into a button's swatch (1 left, 2 right).
    void SetSwatch(int button, std::uint8_t index);
    // Shows the pixels of the current tile in region again, and nothing else.
    void ShowTileCells(const PixelRect& region);
    // The file of a drag that the window would take where the pointer is.
    std::string DroppableFile(const QMimeData* mime, const QPoint& at) const;

    Editor& editor_;
    std::string caption_ = "Pixmill";
    QShortcut* saveWithoutFileKey_ = nullptr;
    QWidget* client_ = nullptr;
    // The last layout of the view and the magnified size of its tile.
    ViewLayout viewLayout_;
    std::int64_t extentX_ = 0;
    std::int64_t extentY_ = 0;
    std::optional<ViewAnchor> pendingAnchor_;
    int zoomAngle_ = 0;  // wheel turned with Ctrl, not yet a whole notch
    // A pan with the middle button: where it started and the scroll values then.
    bool panning_ = false;
    QPoint panFrom_;
    QPoint panScroll_;

    // The stroke while its button is down, and where it draws.
    struct Stroke {
        TileStroke drawing;
        int button;
        int position;
        std::uint64_t generation;
    };
    std::optional<Stroke> stroke_;
};

// A menu's own enabled state, as its title in the menu bar shows it.
void SetMenuEnabled(QMenu* menu, bool enabled);
bool MenuEnabled(const QMenu* menu);

// The background colour of a label, as the swatches show it.
void SetBackColor(QLabel* label, const QColor& colour);
QColor BackColor(const QLabel* label);

}  // namespace pixmill
