// View > "Shade" and "Palette Swap": tiles drawn as the game shows them in
// its light and under its palette swaps. Only the drawing changes, never a
// tile or a file.

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <functional>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/SetCommands.h"
#include "app/WindowProcedures.h"
#include "common/ByteIo.h"
#include "palette/LookupFile.h"
#include "palette/PaletteFile.h"
#include "palette/ShadeTables.h"

namespace pixmill {
namespace {

// A palette file with shade tables is about 74 KB; anything far larger is not one.
constexpr std::int64_t kMaxPaletteFile = 16 << 20;

// Redraws what shows tiles, as a palette load does: the view without a new
// layout, and the browser.
void DrawThrough(Editor& editor, const DrawingChoice& choice) {
    editor.drawing = choice;
    if (editor.state.currentTile > 0) {
        FillBrowser(editor);
        RenderCurrentTile(editor, editor.state.currentTile);
    }
}

QAction* AddChoice(Editor& editor, QMenu* menu, QActionGroup* group, const QString& caption,
                   bool checked, std::function<void(DrawingChoice&)> choose) {
    QAction* item = menu->addAction(caption);
    item->setCheckable(true);
    item->setChecked(checked);
    group->addAction(item);
    QObject::connect(item, &QAction::triggered, menu, [&editor, choose = std::move(choose)] {
        RunCommand(editor, [&] {
            DrawingChoice choice = editor.drawing;
            choose(choice);
            DrawThrough(editor, choice);
        });
    });
    return item;
}

}  // namespace

Palette ShownPalette(const Editor& editor) {
    return ChosenPalette(editor.palette, editor.shadeTables, editor.lookupTables, editor.drawing);
}

void FillDrawingMenus(Editor& editor, Form1& form) {
    QMenu* shade = form.mnuShade;
    QMenu* swap = form.mnuSwap;
    for (QMenu* menu : {shade, swap}) {
        for (QActionGroup* old : menu->findChildren<QActionGroup*>(Qt::FindDirectChildrenOnly)) {
            delete old;
        }
        menu->clear();
    }
    const DrawingChoice& now = editor.drawing;

    auto* shades = new QActionGroup(shade);
    AddChoice(editor, shade, shades, QStringLiteral("None"), !now.shade,
              [](DrawingChoice& c) { c.shade.reset(); });
    for (std::size_t level = 0; level < editor.shadeTables.shades.size(); ++level) {
        const int at = static_cast<int>(level);
        AddChoice(editor, shade, shades, QString::number(at), now.shade == at,
                  [at](DrawingChoice& c) { c.shade = at; });
    }
    SetMenuEnabled(shade, !editor.shadeTables.shades.empty());

    auto* swaps = new QActionGroup(swap);
    const LookupTables& lookup = editor.lookupTables;
    AddChoice(editor, swap, swaps, QStringLiteral("None"), !now.swapNumber && !now.alternative,
              [](DrawingChoice& c) { c.swapNumber.reset(), c.alternative.reset(); });
    for (const PaletteSwap& each : lookup.swaps) {
        const int number = each.number;
        AddChoice(editor, swap, swaps, QStringLiteral("Swap %1").arg(number),
                  now.swapNumber == number, [number](DrawingChoice& c) {
                      c.swapNumber = number;
                      c.alternative.reset();
                  });
    }
    if (!lookup.alternatives.empty()) {
        swap->addSeparator();
    }
    for (std::size_t i = 0; i < lookup.alternatives.size(); ++i) {
        const int at = static_cast<int>(i);
        AddChoice(editor, swap, swaps,
                  QString::fromLatin1(kAlternativePaletteNames[i].data(),
                                      static_cast<qsizetype>(kAlternativePaletteNames[i].size())),
                  now.alternative == at, [at](DrawingChoice& c) {
                      c.alternative = at;
                      c.swapNumber.reset();
                  });
    }
    SetMenuEnabled(swap, !lookup.swaps.empty() || !lookup.alternatives.empty());
}

std::string LoadGameTables(Editor& editor, const std::string& palettePath) {
    editor.shadeTables = {};
    editor.lookupTables = {};
    editor.drawing = {};
    std::string refused;
    if (PaletteFormatOf(palettePath) == PaletteFormat::Build) {
        Result<std::vector<std::uint8_t>> bytes = ReadSmallFile(palettePath, kMaxPaletteFile);
        Result<ShadeTables> tables =
            bytes ? ReadShadeTables(*bytes) : Result<ShadeTables>(Status::Fail(bytes.reason()));
        if (tables) {
            editor.shadeTables = std::move(*tables);
        } else {
            refused += "\nIts shade tables were not loaded: " + tables.reason();
        }
    }
    if (const std::string lookup = LookupBeside(palettePath); !lookup.empty()) {
        if (Result<LookupTables> read = ReadLookupFile(lookup)) {
            editor.lookupTables = std::move(*read);
        } else {
            refused += "\n" + lookup + " was not loaded: " + read.reason();
        }
    }
    FillDrawingMenus(editor, *editor.form1);
    return refused.empty() ? refused : "The palette was loaded." + refused;
}

}  // namespace pixmill
