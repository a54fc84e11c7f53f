#include "app/PaletteCommands.h"

#include <QAction>

#include <QLabel>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/PaletteStrip.h"
#include "app/SetCommands.h"
#include "app/Settings.h"
#include "app/WindowProcedures.h"
#include "palette/PaletteFile.h"
#include "platform/PictureBox.h"

namespace pixmill {
namespace {

QColor ColourOf(const PaletteEntry& entry) {
    return QColor(entry.red, entry.green, entry.blue);
}

}  // namespace

void DrawPaletteStrip(Editor& editor) {
    PictureBox& strip = *editor.form1->Picture2;
    for (int i = 0; i < 256; ++i) {
        const int x = 4 * (i % 128);
        const int y = 4 * (i / 128);
        strip.FillBox(x, y, x + 3, y + 3, ColourOf(editor.palette[static_cast<std::size_t>(i)]));
    }
    strip.Refresh();
}

void ShowSwatches(Editor& editor) {
    Form1& form = *editor.form1;
    const std::pair<QLabel*, std::uint8_t> swatches[] = {{form.Label2, editor.state.leftColour},
                                                         {form.Label3, editor.state.rightColour}};
    for (const auto& [swatch, index] : swatches) {
        const PaletteEntry& entry = editor.palette[index];
        SetBackColor(swatch, ColourOf(entry));
        QPalette colours = swatch->palette();
        colours.setColor(QPalette::WindowText,
                         DarkTextOn(entry) ? QColor(0, 0, 0) : QColor(255, 255, 255));
        swatch->setPalette(colours);
        swatch->setText(QString::number(index));
        const std::string button = swatch == form.Label2 ? "Left" : "Right";
        swatch->setToolTip(
            QString::fromStdString(button + " button colour: " + PaletteEntryText(index, entry)));
    }
}

void LoadPalette(Editor& editor, const std::string& path) {
    Form1& form = *editor.form1;
    // Read into a scratch table first: a file that fails half-way must not
    // leave the palette half replaced.
    Result<Palette> read = ReadPaletteFile(path);
    if (!read) {
        Warn(editor.prompts, "Error opening palette.\n" + read.reason());
        return;
    }
    editor.palette = *read;
    editor.palettePath = path;
    // Its shade tables and the LOOKUP.DAT beside it; a refusal leaves the palette loaded.
    const std::string tablesRefused = LoadGameTables(editor, path);
    DrawPaletteStrip(editor);
    if (editor.state.currentTile > 0) {
        FillBrowser(editor);
        RenderCurrentTile(editor, editor.state.currentTile);
    }
    form.mnuOpen->setEnabled(true);
    form.mnuexppal->setEnabled(true);
    form.mnuNew->setEnabled(true);
    editor.state.leftColour = 0;
    editor.state.rightColour = 255;
    ShowSwatches(editor);
    editor.palettePath = path;
    RememberPalette(editor, path);
    if (!tablesRefused.empty()) {
        Warn(editor.prompts, tablesRefused);
    }
}

void ExportPalette(Editor& editor, const std::string& path) {
    if (!ConfirmOverwrite(editor, path)) {
        return;
    }
    const Status written = WritePaletteFile(editor.palette, path);
    if (!written) {
        Warn(editor.prompts, "Error writing palette.\n" + written.reason());
    }
}

}  // namespace pixmill
