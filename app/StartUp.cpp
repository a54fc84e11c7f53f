#include "app/StartUp.h"

#include <QAction>
#include <QCoreApplication>
#include <filesystem>
#include <system_error>

#include "about/About.h"
#include "app/ArtCommands.h"
#include "app/CommandLine.h"
#include "app/Editor.h"
#include "app/Form1.h"
#include "app/PaletteCommands.h"
#include "app/Recovery.h"
#include "app/SetCommands.h"
#include "app/Settings.h"
#include "browser/Form2.h"
#include "editing/Form3.h"
#include "names/NamesWindow.h"
#include "platform/PictureBox.h"

namespace pixmill {
namespace {

// The border of a fixed-size window on each side; the strip's position is
// worked out from the window's outer width.
constexpr int kWindowBorder = 3;

}  // namespace

void StartUp(Editor& editor) {
    Form1& form = *editor.form1;
    editor.tileNames = TileNames();
    editor.state.zoomFactor = 1;
    SetMenuEnabled(form.mnuTile, false);

    form.Picture2->SetOuterSize(512, 8);
    const int outerWidth = Form1::kClientWidth + 2 * kWindowBorder;
    form.Picture2->move((outerWidth - form.Picture2->width()) / 2 - 3, form.Picture2->y());

    editor.form2->Picture1->SetOuterSize(kBrowserPageSide, kBrowserPageSide);
    // The browser's cells carry their labels, and empty tiles their checker.
    editor.thumbnailImage.SetDecorated(true);
    // Entries 0 and 255, black until a palette is loaded.
    ShowSwatches(editor);
}

std::string PaletteNeededText(const std::string& artPath) {
    return std::string("Load a palette (File > Load Palette...), then open ").append(artPath);
}

void OpenCommandLineFiles(Editor& editor, const CommandLine& line) {
    Form1& form = *editor.form1;
    std::error_code error;
    const bool set = !line.art.empty() && std::filesystem::is_directory(line.art, error);
    std::string palette = line.palette;
    if (palette.empty() && !line.art.empty()) {
        // A set's palette lies in its folder, among its files.
        palette = PaletteBeside(set ? (std::filesystem::path(line.art) / "TILES000.ART").string()
                                    : line.art);
    }
    if (palette.empty()) {
        palette = RememberedPalette(editor);
    }
    if (!palette.empty()) {
        LoadPalette(editor, palette);
    }
    // Before the ART file, so that the first tile shows its name.
    if (!line.names.empty()) {
        LoadNames(editor, line.names);
    }
    if (line.art.empty()) {
        return;
    }
    if (!form.mnuOpen->isEnabled()) {
        form.SetStatusText(PaletteNeededText(line.art));
        return;
    }
    if (set) {
        OpenTileSet(editor, line.art);
        return;
    }
    LoadArtFile(editor, line.art);
}

void EndEditor(Editor& editor) {
    // Kept while the windows still have their places.
    SaveSettings(editor);
    editor.MarkEnded();
    // Whatever was unsaved has been saved or given up by now.
    if (editor.recovery) {
        editor.recovery->Remove();
    }
    if (editor.about() != nullptr) {
        editor.about()->hide();
    }
    if (editor.hasForm3()) {
        editor.form3().hide();
    }
    editor.form2->hide();
    editor.form1->hide();
    QCoreApplication::quit();
}

}  // namespace pixmill
