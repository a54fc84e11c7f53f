#pragma once
// The one editor: the tileset, the palette and the editor state that every
// command reads and changes, and the windows that show them. Procedures take
// it by reference; tests make their own.

#include <QPointer>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "browser/Thumbnails.h"
#include "common/DibHeader.h"
#include "editing/History.h"
#include "names/TileNames.h"
#include "palette/Palette.h"
#include "palette/Remap.h"
#include "platform/DialogFolders.h"
#include "platform/Prompts.h"
#include "tileset/Tileset.h"

namespace pixmill {

class Form1;
class Form2;
class Form3;
class About;
class RecoveryKeeper;

class Editor {
  public:
    explicit Editor(Prompts& prompts);
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    Prompts& prompts;
    Tileset tileset;
    Palette palette{};
    EditorState state;
    TileNames tileNames;

    // Whether a tileset is loaded or created; one with an empty artPath has
    // no file yet ("New ART").
    bool tilesetOpen = false;
    // Goes up each time the tileset is replaced as a whole (loaded, created,
    // recovered), so that a command that let events run can tell that it
    // still works on the tileset it started with.
    std::uint64_t tilesetGeneration = 0;
    // Every change to the tileset since it was loaded or created, for undo.
    History history;
    // The palette file last loaded, for the recovery copy.
    std::string palettePath;
    // The shade tables of that palette file and the swaps and alternative
    // palettes of the LOOKUP.DAT beside it (empty when there are none), and
    // the ones the tiles are drawn through.
    ShadeTables shadeTables;
    LookupTables lookupTables;
    DrawingChoice drawing;

    // The tiles as last read from disk, which "Export Changes as Mod..."
    // compares with, and as last read or written, which tells a set's save
    // the files to write. Copies of tiles share their pixels.
    Tileset loadedTileset;
    Tileset savedTileset;

    // What is kept between runs; nothing until main opens the user's.
    SettingsStore settings;
    // The folder each kind of file dialog was last answered in.
    DialogFolders dialogFolders;
    // "Recent Files", the last ART files opened or saved, most recent first.
    std::vector<std::string> recentFiles;

    // The browser's page of thumbnails, drawn as it is shown, and its header.
    ThumbnailImage thumbnailImage;
    DibHeader browserHeader;

    // Created with the editor; Form2 stays hidden until "Browser..." shows it.
    std::unique_ptr<Form1> form1;
    std::unique_ptr<Form2> form2;

    // The properties dialog, made the first time anything touches it (in
    // practice the first drawing of a tile). The one way to reach it.
    Form3& form3();
    bool hasForm3() const { return form3_ != nullptr; }

    // The about window while it is open: made by OpenAbout, destroyed by
    // CloseAbout once the event being handled (its own "&Ok") is done.
    About* about() const { return about_.get(); }
    About& OpenAbout();
    void CloseAbout();

    // The recovery copy of unsaved work, kept in folder once this is called
    // (the editor calls it at start; tests give a scratch folder or none).
    std::unique_ptr<RecoveryKeeper> recovery;
    void KeepRecoveryCopies(const std::string& folder);

    bool ended() const { return ended_; }
    void MarkEnded() { ended_ = true; }

    // Ends a drawing stroke still in progress as its undo step (see RunCommand).
    void FinishStroke();

  private:
    std::unique_ptr<Form3> form3_;
    std::unique_ptr<About> about_;
    QPointer<About> closingAbout_;
    bool ended_ = false;
};

// Runs one window event's handler; anything it throws becomes a message
// instead of ending the editor.
template <class Handler>
void RunHandler(Editor& editor, Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        Warn(editor.prompts, std::string("The command could not be finished.\n") + e.what());
    } catch (...) {
        Warn(editor.prompts, "The command could not be finished.");
    }
}

// Runs one command. A drawing stroke still in progress (its button not yet
// up: a key pressed while dragging, a release that never came) ends first as
// its own undo step, so that no command meets a tile changed but not recorded.
template <class Command>
void RunCommand(Editor& editor, Command&& command) {
    RunHandler(editor, [&] {
        editor.FinishStroke();
        command();
    });
}

}  // namespace pixmill
