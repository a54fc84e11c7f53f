// The editor's windows at work, offscreen: opening the real tileset through
// "Open ART..." (skipped when the shared fixtures are absent), and scrolling
// the browser.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <filesystem>
#include <string>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/WindowProcedures.h"
#include "browser/Browser.h"
#include "browser/Form2.h"
#include "platform/ScriptedPrompts.h"

namespace {

std::string Fixture(const char* name) {
    const std::filesystem::path path = std::filesystem::path(PIXMILL_FIXTURES) / name;
    return std::filesystem::exists(path) ? path.string() : std::string();
}

void BM_OpenRealTileset(benchmark::State& state) {
    const std::string palette = Fixture("kenbuild/PALETTE.DAT");
    const std::string art = Fixture("kenbuild/TILES000.ART");
    if (palette.empty() || art.empty()) {
        state.SkipWithError("the shared fixtures are absent");
        return;
    }
    pixmill::ScriptedPrompts prompts;
    pixmill::Editor editor(prompts);
    pixmill::Form1& form = *editor.form1;
    form.Form_Load();
    // Both windows on screen, so that the status texts and pages are painted
    // as they are for a user.
    form.show();
    form.mnuBrowse->trigger();
    prompts.AnswerOpen(palette);
    form.mnuPal->trigger();
    for (auto _ : state) {
        prompts.AnswerOpen(art);
        form.mnuOpen->trigger();
        benchmark::DoNotOptimize(editor.state.currentTile);
    }
    if (!prompts.Messages().empty() || editor.state.currentTile != 1) {
        state.SkipWithError("the tileset did not open");
    }
}
BENCHMARK(BM_OpenRealTileset)->Unit(benchmark::kMillisecond);

// Scrolling the browser of the largest tileset the editor holds: each step
// draws a new page from the thumbnail image.
void BM_ScrollBrowser(benchmark::State& state) {
    pixmill::ScriptedPrompts prompts;
    pixmill::Editor editor(prompts);
    editor.form1->Form_Load();
    pixmill::Tileset& tileset = editor.tileset;
    tileset.tiles.resize(pixmill::kMaxTiles);
    tileset.lastTileNumber = pixmill::kMaxTiles - 1;
    for (std::size_t i = 0; i < tileset.tiles.size(); ++i) {
        pixmill::Tile& tile = tileset.tiles[i];
        tile.width = 64;
        tile.height = 64;
        tile.pixels.assign(tile.PixelCount(), static_cast<std::uint8_t>(i));
    }
    editor.state.currentTile = 1;
    pixmill::FillBrowser(editor);
    QScrollBar& scroll = *editor.form2->VScroll1;
    int value = 0;
    for (auto _ : state) {
        value = (value + 97) % (scroll.maximum() + 1);
        scroll.setValue(value);  // draws the page
    }
    state.counters["rows"] = editor.thumbnailImage.rows();
}
BENCHMARK(BM_ScrollBrowser)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
