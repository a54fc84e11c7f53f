// Opening the real tileset through "Open ART...", from the command to the
// first tile drawn with the browser filled, in an offscreen editor. Skipped
// when the shared fixtures are absent.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QAction>
#include <QApplication>
#include <filesystem>
#include <string>

#include "app/Editor.h"
#include "app/Form1.h"
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

}  // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
