// The editing commands at work, offscreen: one tick of the animation preview
// beside a plain copy of the bytes its drawing converts, and inserting and
// deleting the first tile of the largest ART file, the edit alone and the
// whole command with its browser fill. Edits are timed alone (manual time).

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QAction>
#include <QApplication>
#include <chrono>
#include <cstring>
#include <vector>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/WindowProcedures.h"
#include "editing/TileEdits.h"
#include "platform/ScriptedPrompts.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start, Clock::time_point stop) {
    return std::chrono::duration<double>(stop - start).count();
}

pixmill::Tile PatternTile(int side, int seed) {
    pixmill::Tile tile;
    tile.width = static_cast<std::int16_t>(side);
    tile.height = static_cast<std::int16_t>(side);
    tile.pixels.resize(tile.PixelCount());
    for (std::size_t i = 0; i < tile.pixels.size(); ++i) {
        tile.pixels[i] = static_cast<std::uint8_t>(i * 7 + static_cast<std::size_t>(seed));
    }
    return tile;
}

// An editor with count tiles of side x side, a palette of distinct colours and
// tile 1 current.
struct Session {
    pixmill::ScriptedPrompts prompts;
    pixmill::Editor editor{prompts};

    Session(int count, int side) {
        editor.form1->Form_Load();
        for (std::size_t i = 0; i < editor.palette.size(); ++i) {
            editor.palette[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i * 7),
                                 static_cast<std::uint8_t>(255 - i)};
        }
        for (int i = 0; i < count; ++i) {
            editor.tileset.tiles.push_back(PatternTile(side, i));
        }
        editor.tileset.lastTileNumber = count - 1;
        editor.state.currentTile = 1;
        pixmill::FillBrowser(editor);
        pixmill::UpdateTileView(editor, 0);
        pixmill::RenderCurrentTile(editor, 1);
    }
};

// A forwards animation of four 256 x 256 frames at zoom 4, the view showing
// 160 x 98 of each frame's pixels.
void BM_PreviewTick(benchmark::State& state) {
    Session session(8, 256);
    pixmill::Editor& editor = session.editor;
    editor.tileset.tile(1).attributes = {0x80 | 3, 0, 0, 0};
    editor.form1->mnu4x->trigger();
    editor.form1->mnuAnim->trigger();
    for (auto _ : state) {
        editor.form1->Timer1_Timer();
    }
    editor.form1->mnuAnim->trigger();
}
BENCHMARK(BM_PreviewTick)->Unit(benchmark::kMicrosecond);

// The bytes a tick's drawing converts (a 256 x 256 tile at 24 bits), copied.
void BM_PreviewTickFloor(benchmark::State& state) {
    const std::size_t bytes = 256 * 256 * 3;
    std::vector<std::uint8_t> from(bytes, 1), to(bytes, 2);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PreviewTickFloor)->Unit(benchmark::kMicrosecond);

// The core's edit alone, at the first position of 8192 tiles of 64 x 64.
void BM_InsertFirstTile(benchmark::State& state) {
    pixmill::Tileset tileset;
    for (int i = 0; i < pixmill::kMaxArtTiles; ++i) {
        tileset.tiles.push_back(PatternTile(64, i));
    }
    tileset.lastTileNumber = pixmill::kMaxArtTiles - 1;
    const bool timeDelete = state.range(0) == 1;
    for (auto _ : state) {
        const auto start = Clock::now();
        pixmill::InsertBlankTile(tileset, 1);
        const auto inserted = Clock::now();
        pixmill::RemoveTile(tileset, 1);
        const auto removed = Clock::now();
        state.SetIterationTime(timeDelete ? Seconds(inserted, removed) : Seconds(start, inserted));
    }
    state.SetLabel(timeDelete ? "RemoveTile" : "InsertBlankTile");
}
BENCHMARK(BM_InsertFirstTile)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMicrosecond);

// "Insert before current" and "Delete" on tile 1 of 8192 tiles of 64 x 64, as
// the user runs them: status texts, the browser's fill and the drawing.
void BM_InsertDeleteCommands(benchmark::State& state) {
    Session session(pixmill::kMaxArtTiles, 64);
    pixmill::Editor& editor = session.editor;
    const bool timeDelete = state.range(0) == 1;
    for (auto _ : state) {
        editor.state.currentTile = 1;
        const auto start = Clock::now();
        editor.form1->mnuinsert2->trigger();
        const auto inserted = Clock::now();
        editor.form1->mnudelete->trigger();
        const auto removed = Clock::now();
        state.SetIterationTime(timeDelete ? Seconds(inserted, removed) : Seconds(start, inserted));
    }
    state.SetLabel(timeDelete ? "Delete" : "Insert before current");
    if (!session.prompts.Messages().empty()) {
        state.SkipWithError("a command was refused");
    }
}
BENCHMARK(BM_InsertDeleteCommands)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
