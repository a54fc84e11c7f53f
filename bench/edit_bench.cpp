// The editing commands at work, offscreen: one tick of the animation preview
// beside a plain copy of the bytes its drawing converts, and inserting and
// deleting the first tile of the largest ART file, the edit alone and the
// whole command with its browser fill. Edits are timed alone (manual time).

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QAction>
#include <QApplication>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/WindowProcedures.h"
#include "bench/BenchEditor.h"
#include "bitmap/TileBitmap.h"
#include "editing/TileEdits.h"
#include "platform/ScriptedPrompts.h"

namespace {

using pixmill::bench::Clock;
using pixmill::bench::PatternTile;
using pixmill::bench::Seconds;
using pixmill::bench::Session;

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

// The game's light and a palette swap, as a real PALETTE.DAT and LOOKUP.DAT
// give them: 32 shade tables and a swap, every entry moved; shade 16 and the
// swap chosen.
void DrawThroughShadeAndSwap(pixmill::Editor& editor) {
    for (std::size_t s = 0; s < 32; ++s) {
        pixmill::ColourMap shade{};
        for (std::size_t i = 0; i < 256; ++i) {
            shade[i] = static_cast<std::uint8_t>(i * (32 - s) / 32);
        }
        editor.shadeTables.shades.push_back(shade);
    }
    pixmill::PaletteSwap swap;
    swap.number = 21;
    for (std::size_t i = 0; i < 256; ++i) {
        swap.map[i] = static_cast<std::uint8_t>(i ^ 0x5A);
    }
    editor.lookupTables.swaps.push_back(swap);
    editor.drawing = {16, 21, {}};
}

// The same tick drawn through a shade and a swap.
void BM_PreviewTickShaded(benchmark::State& state) {
    Session session(8, 256);
    pixmill::Editor& editor = session.editor;
    DrawThroughShadeAndSwap(editor);
    editor.tileset.tile(1).attributes = {0x80 | 3, 0, 0, 0};
    editor.form1->mnu4x->trigger();
    editor.form1->mnuAnim->trigger();
    for (auto _ : state) {
        editor.form1->Timer1_Timer();
    }
    editor.form1->mnuAnim->trigger();
}
BENCHMARK(BM_PreviewTickShaded)->Unit(benchmark::kMicrosecond);

// The view redrawn (as a crosshair toggle or a palette load redraws it): a
// 1024 x 1024 tile at zoom 1, the view showing 637 x 389 of it; /1 through a
// shade and a swap.
void BM_RedrawView(benchmark::State& state) {
    Session session(1, 1024);
    pixmill::Editor& editor = session.editor;
    if (state.range(0) == 1) {
        DrawThroughShadeAndSwap(editor);
    }
    for (auto _ : state) {
        pixmill::RenderCurrentTile(editor, 1);
    }
    state.SetLabel(state.range(0) == 1 ? "shade and swap" : "the palette as it is");
}
BENCHMARK(BM_RedrawView)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

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

// The core's edit alone, at the first position of 8191 tiles of 64 x 64 (the
// most that still take one more).
void BM_InsertFirstTile(benchmark::State& state) {
    pixmill::Tileset tileset;
    for (int i = 0; i < pixmill::kMaxArtTiles - 1; ++i) {
        tileset.tiles.push_back(PatternTile(64, i));
    }
    tileset.lastTileNumber = pixmill::kMaxArtTiles - 2;
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

// "Insert before current" and "Delete" on tile 1 of 8191 tiles of 64 x 64, as
// the user runs them: status texts, the browser's fill and the drawing, and
// the undo step each records.
void BM_InsertDeleteCommands(benchmark::State& state) {
    Session session(pixmill::kMaxArtTiles - 1, 64);
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

// "Batch Clear..." of tiles 1 to 4096 of 8192 tiles of 64 x 64, then Edit >
// Undo and Redo, as the user runs them: each with the browser's page and the
// view drawn again.
void BM_BatchClearUndoCommands(benchmark::State& state) {
    Session session(pixmill::kMaxArtTiles, 64);
    pixmill::Editor& editor = session.editor;
    const int timed = static_cast<int>(state.range(0));
    for (auto _ : state) {
        session.prompts.AnswerInput("1");
        session.prompts.AnswerInput("4096");
        const auto start = Clock::now();
        editor.form1->mnuBClear->trigger();
        const auto cleared = Clock::now();
        editor.form1->mnuUndo->trigger();
        const auto undone = Clock::now();
        editor.form1->mnuRedo->trigger();
        const auto redone = Clock::now();
        editor.form1->mnuUndo->trigger();
        state.SetIterationTime(timed == 0   ? Seconds(start, cleared)
                               : timed == 1 ? Seconds(cleared, undone)
                                            : Seconds(undone, redone));
    }
    const char* labels[] = {"Batch Clear", "Undo", "Redo"};
    state.SetLabel(labels[timed]);
    if (!session.prompts.Messages().empty()) {
        state.SkipWithError("a command was refused");
    }
}
BENCHMARK(BM_BatchClearUndoCommands)
    ->DenseRange(0, 2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// A fresh folder for each run of a batch, removed untimed.
std::filesystem::path BatchFolder() {
    const char* base = std::getenv("PIXMILL_BENCH_DIR");
    return std::filesystem::path(base != nullptr ? base : std::filesystem::temp_directory_path()) /
           "pixmill-edit-bench";
}

constexpr int kBatchTiles = 4096;

// "Batch Export..." of tiles 1 to 4096 of 64 x 64 into an empty folder: the
// range answered, the name chosen, a status text painted for each file.
void BM_BatchExport(benchmark::State& state) {
    Session session(kBatchTiles, 64);
    pixmill::Editor& editor = session.editor;
    const std::filesystem::path folder = BatchFolder();
    for (auto _ : state) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        session.prompts.AnswerInput("1");
        session.prompts.AnswerInput(std::to_string(kBatchTiles));
        session.prompts.AnswerSave((folder / "tiles.bmp").string());
        const auto start = Clock::now();
        editor.form1->mnubatche->trigger();
        state.SetIterationTime(Seconds(start, Clock::now()));
    }
    if (!session.prompts.Messages().empty() || session.prompts.unusedAnswers() != 0) {
        state.SkipWithError("the batch did not run through");
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_BatchExport)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

// The same 4096 files, their bytes made beforehand, each written with one
// open, one write and a close; durable: as the export writes them, through a
// temporary file flushed to disk and renamed, and the folder flushed.
void BatchFloor(benchmark::State& state, bool durable) {
    const std::vector<std::uint8_t> bytes(1078 + 64 * 64, 7);
    const std::filesystem::path folder = BatchFolder();
    for (auto _ : state) {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        const auto start = Clock::now();
        for (int n = 1; n <= kBatchTiles; ++n) {
            const std::string path = (folder / ("tiles" + std::to_string(n) + ".BMP")).string();
            const std::string written = durable ? path + ".tmp" : path;
            const int fd = ::open(written.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 ||
                ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
                state.SkipWithError("cannot write");
                return;
            }
            if (durable) {
                ::fsync(fd);
            }
            ::close(fd);
            if (durable) {
                std::rename(written.c_str(), path.c_str());
                const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
                ::fsync(dir);
                ::close(dir);
            }
        }
        state.SetIterationTime(Seconds(start, Clock::now()));
    }
    std::filesystem::remove_all(folder);
}
void BM_BatchExportFloor(benchmark::State& state) {
    BatchFloor(state, false);
}
void BM_BatchExportDurableFloor(benchmark::State& state) {
    BatchFloor(state, true);
}
BENCHMARK(BM_BatchExportFloor)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BatchExportDurableFloor)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// "Import BMP..."'s reading of a 1024 x 1024 bitmap into a scratch tile,
// beside one plain read of the file into a fresh buffer (open, fstat, a
// vector of its size, read, close).
std::string ImportSubject() {
    static const std::string path = [] {
        const std::filesystem::path folder = BatchFolder().string() + "-import";
        std::filesystem::create_directories(folder);
        const std::string file = (folder / "big.bmp").string();
        pixmill::WriteTileBitmapFile(PatternTile(1024, 5), pixmill::Palette{}, file);
        return file;
    }();
    return path;
}

void BM_ImportBitmap(benchmark::State& state) {
    const std::string path = ImportSubject();
    for (auto _ : state) {
        const auto start = Clock::now();
        pixmill::Result<pixmill::Tile> tile = pixmill::ReadTileBitmapFile(path);
        const auto stop = Clock::now();
        if (!tile) {
            state.SkipWithError("the bitmap did not read");
            break;
        }
        benchmark::DoNotOptimize(tile->pixels.data());
        state.SetIterationTime(Seconds(start, stop));
    }
}
BENCHMARK(BM_ImportBitmap)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_ImportFloor(benchmark::State& state) {
    const std::string path = ImportSubject();
    for (auto _ : state) {
        const auto start = Clock::now();
        const int fd = ::open(path.c_str(), O_RDONLY);
        struct stat info {};
        ::fstat(fd, &info);
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
        const bool ok = ::read(fd, bytes.data(), bytes.size()) == info.st_size;
        ::close(fd);
        const auto stop = Clock::now();
        if (!ok) {
            state.SkipWithError("the plain read failed");
            break;
        }
        benchmark::DoNotOptimize(bytes.data());
        state.SetIterationTime(Seconds(start, stop));
    }
}
BENCHMARK(BM_ImportFloor)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
    return pixmill::bench::RunWindowBenchmarks(argc, argv);
}
