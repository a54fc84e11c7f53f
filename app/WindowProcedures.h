#pragma once
// How the windows meet. The procedures that more than one window calls, and
// the small helpers every command needs, are declared here and nowhere else; a
// window includes another window's header only to reach that window's own
// controls. Each procedure is defined beside the window that owns it:
//
//   UpdateTileView, RenderCurrentTile, DrawTileView,
//   StopAnimationPreview, CurrentTile, ShowNoTile             app/TileViewDrawing.cpp
//   ConfirmOverwrite, SettleUnsavedChanges                    app/ArtCommands.cpp
//   MakeChange, RecordChange, UndoChange, RedoChange,
//   ShowHistoryState                                          app/Changes.cpp
//   FillBrowser, ShowCurrentTileInBrowser                     browser/Browser.cpp
//   RememberRecentFile                                        app/Settings.cpp
//   ShownPalette                                              app/ShadeCommands.cpp
//   TileListMayChange                                         app/Changes.cpp
//   ShowTileAttributes, ShowTileProperties, WarnNoTileSelected,
//   TileSelectedOrWarn                                        editing/TileAttributesWindow.cpp
//   ShowAboutWindow                                           about/About.cpp
//   the helpers below                                         app/WindowProcedures.cpp

#include <optional>
#include <string>

#include "palette/Palette.h"

class QWidget;

namespace pixmill {

class Editor;
class TilesetChange;
struct Tile;

// What a change shows again once it is made.
enum class Redraw {
    TileAndBrowser,  // the tiles' pictures or their list changed
    Tile,            // only what the view shows of the tile (its offsets)
    Nothing,         // what the command shows itself (the speed items)
};

// The one way a command changes the tileset: makes the change, records it as
// one undo step, marks the tileset unsaved, and shows the result, with
// focusAfter as the current tile. A change that changes nothing is shown but
// not recorded.
void MakeChange(Editor& editor, TilesetChange change, Redraw redraw = Redraw::TileAndBrowser);

// The same for a change already made on the tileset (a stroke drawn while the
// pointer moved): recorded, marked and shown.
void RecordChange(Editor& editor, TilesetChange change, Redraw redraw = Redraw::TileAndBrowser);

// Whether the tiles may move (an insert or a delete): not in a game's set of
// files, where every later tile would take another number in the game; then
// the user is told why.
bool TileListMayChange(Editor& editor);

// Takes the last change back, or makes the next one again, and shows the
// tile it changed. Nothing when there is none.
void UndoChange(Editor& editor);
void RedoChange(Editor& editor);

// Shows what follows from the history: the caption with its unsaved mark, the
// captions and states of Undo and Redo, and the recovery copy kept or removed.
void ShowHistoryState(Editor& editor);

// Asked before the tileset is replaced or the editor ends: true when the
// caller may go on, because nothing is unsaved or the user saved or discarded
// it; false when the user cancelled or the save failed.
bool SettleUnsavedChanges(Editor& editor);

// Works out where tile currentTile + delta is drawn (tileDrawX, tileDrawY),
// placed by the offsets of tile currentTile, and which scroll bars the view
// shows for it: a tile that fits is centred, one that does not scrolls, the
// view's centre kept on the same point of the tile. Does nothing for a tile
// that does not exist. Pixel (x, y) of the tile drawn, from 1, lies at
// (tileDrawX + (x - 1) * zoomFactor, tileDrawY + (y - 1) * zoomFactor) of the
// view's drawing coordinates, scrolled or not.
void UpdateTileView(Editor& editor, int delta);

// Draws tile n at the laid-out position, with the crosshair when it is on,
// writes the status line and ends with ShowTileAttributes. 0, or a number past
// the last tile, draws nothing.
void RenderCurrentTile(Editor& editor, int n);

// Draws tile n into the view at the laid-out place, and the crosshair when it
// is on; the status line stays. For scrolling and resizing, which show the
// same tile elsewhere. 0, or a number past the last tile, clears the view.
void DrawTileView(Editor& editor, int n);

// Stops a running animation preview and shows the current tile at rest.
void StopAnimationPreview(Editor& editor);

// The current tile, or null when none is current (or, in the middle of a
// command, currentTile lies past the list).
Tile* CurrentTile(Editor& editor);

// Clears the tile view and says that no tile is selected.
void ShowNoTile(Editor& editor);

// The colours tiles are drawn with in the view, the browser and the preview:
// the palette through the shade and the swap chosen in the View menu.
Palette ShownPalette(const Editor& editor);

// Rebuilds the browser's thumbnails, fits its scroll range and draws its page.
void FillBrowser(Editor& editor);

// Frames the current tile's cell in the browser, scrolling it into sight,
// when another tile has become current since the browser last showed it.
void ShowCurrentTileInBrowser(Editor& editor);

// Puts an ART file at the top of "Recent Files" and keeps the list.
void RememberRecentFile(Editor& editor, const std::string& path);

// Copies the current tile's attributes into the properties dialog and sets
// the speed items from its speed. Nothing when no tile is current.
void ShowTileAttributes(Editor& editor);

// Shows the properties dialog for the current tile; the main window and the
// browser take no input until it is closed. Warns when no tile is current.
void ShowTileProperties(Editor& editor);

// Opens the about window; the main window takes no input until "&Ok".
void ShowAboutWindow(Editor& editor);

// The warning of every tile command that needs a current tile.
void WarnNoTileSelected(Editor& editor);

// The first check of those commands: true when a tile is current, otherwise
// the warning.
bool TileSelectedOrWarn(Editor& editor);

// True when the caller may write path: no file is there, or the user answered
// Yes to "Overwrite existing file?". The old file stays until the new one
// replaces it whole.
bool ConfirmOverwrite(Editor& editor, const std::string& path);

// Puts text into the main window's status line and lets it be painted before
// the caller goes on. Pending events run here, so a handler may run inside
// the caller.
void ShowStatus(Editor& editor, const std::string& text);

// Shows a window that takes input while the main window does not, in front
// of the main window.
void ShowInFrontOfMainWindow(Editor& editor, QWidget& window);

// Whether the main window, and the browser, take input.
void SetMainWindowEnabled(Editor& editor, bool enabled);
void SetBrowserEnabled(Editor& editor, bool enabled);

// Asks for a number in an input box with an empty default and reads the
// leading numeric part of the answer (text that does not begin with a number
// reads as 0). Empty for Cancel or an empty answer: the command then ends
// without a message.
std::optional<double> AskNumber(Editor& editor, const std::string& prompt,
                                const std::string& title);

// Asks for the first and the last tile of a range, under title, and checks
// them in their order, the first failing check showing its message. Empty when
// the user cancelled or a check failed.
struct TileRange {
    int first = 0;
    int last = 0;
};
std::optional<TileRange> AskTileRange(Editor& editor, const std::string& title);

}  // namespace pixmill
