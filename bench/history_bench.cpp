// Undo on the largest tileset the editor holds, 8192 tiles of 64 x 64 read
// from one block as a file is: recording a step (its change built, made and
// kept) and undoing it, beside the same edit made directly on the model with
// no history; the memory the history keeps after 100 single-tile edits; and
// what the editor's thread pays for a recovery copy (a snapshot of the
// tileset) beside one write of the file, which runs on the writer's thread.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>

#include "bench/BenchSupport.h"
#include "editing/History.h"
#include "editing/TileEdits.h"
#include "editing/TilesetChange.h"
#include "recovery/RecoveryStore.h"
#include "tileset/ArtFile.h"

namespace {

using pixmill::Tile;
using pixmill::Tileset;
using pixmill::TilesetChange;
using pixmill::bench::Clock;
using pixmill::bench::PatternTile;
using pixmill::bench::Seconds;

constexpr int kSide = 64;

// count tiles read back from their file's bytes, each looking into one block.
const Tileset& Largest(int count) {
    static std::map<int, Tileset> made;
    auto found = made.find(count);
    if (found == made.end()) {
        Tileset built;
        built.lastTileNumber = count - 1;
        for (int i = 0; i < count; ++i) {
            built.tiles.push_back(PatternTile(kSide, i));
        }
        auto bytes = pixmill::ArtBytes(built);
        auto read = pixmill::ReadArt(std::span<const std::uint8_t>(*bytes));
        found = made.emplace(count, std::move(*read)).first;
    }
    return found->second;
}

enum Edit { kResize, kClear, kInsertFirst, kBatchClear };

const char* Name(Edit edit) {
    const char* names[] = {"Resize", "Clear", "Insert at 1", "Batch Clear of 4096"};
    return names[edit];
}

int Count(Edit edit) {
    return edit == kInsertFirst ? pixmill::kMaxArtTiles - 1 : pixmill::kMaxArtTiles;
}

TilesetChange Record(Edit edit, const Tileset& tileset) {
    TilesetChange change(Name(edit));
    switch (edit) {
        case kResize:
            change.Replace(tileset, 100, pixmill::ResizedTile(tileset.tile(100), 65, 64));
            break;
        case kClear:
            change.Replace(tileset, 100, pixmill::BlankTile());
            break;
        case kInsertFirst:
            change.Insert(1, pixmill::BlankTile());
            break;
        case kBatchClear:
            for (int i = 1; i <= 4096; ++i) {
                change.Replace(tileset, i, pixmill::BlankTile());
            }
            break;
    }
    return change;
}

// The step: built, made and kept; then its undo. Each timed alone.
void BM_HistoryStep(benchmark::State& state) {
    const auto edit = static_cast<Edit>(state.range(0));
    const bool timeUndo = state.range(1) == 1;
    Tileset tileset = Largest(Count(edit));
    pixmill::History history;
    for (auto _ : state) {
        const auto start = Clock::now();
        history.Record([&] {
            TilesetChange change = Record(edit, tileset);
            change.Apply(tileset);
            return change;
        }());
        const auto recorded = Clock::now();
        history.Undo(tileset);
        const auto undone = Clock::now();
        state.SetIterationTime(timeUndo ? Seconds(recorded, undone) : Seconds(start, recorded));
    }
    state.SetLabel(std::string(Name(edit)) + (timeUndo ? ", undo" : ", record"));
}
BENCHMARK(BM_HistoryStep)
    ->ArgsProduct({{kResize, kClear, kInsertFirst, kBatchClear}, {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// The floor: the same edit made directly on the model, as before there was
// undo, with its pixels copied where it changes them; put back untimed.
void BM_HistoryStepFloor(benchmark::State& state) {
    const auto edit = static_cast<Edit>(state.range(0));
    Tileset tileset = Largest(Count(edit));
    const Tileset original = tileset;
    for (auto _ : state) {
        const auto start = Clock::now();
        switch (edit) {
            case kResize:
                pixmill::ResizeTilePixels(tileset.tile(100), 65, 64);
                break;
            case kClear:
                pixmill::ClearTile(tileset, 100);
                break;
            case kInsertFirst:
                pixmill::InsertBlankTile(tileset, 1);
                break;
            case kBatchClear:
                for (int i = 1; i <= 4096; ++i) {
                    pixmill::ClearTile(tileset, i);
                }
                break;
        }
        const auto stop = Clock::now();
        state.SetIterationTime(Seconds(start, stop));
        // Only what the edit changed is put back, so that the untimed part
        // stays small beside the timed one.
        if (edit == kInsertFirst) {
            pixmill::RemoveTile(tileset, 1);
        } else if (edit == kBatchClear) {
            std::copy_n(original.tiles.begin(), 4096, tileset.tiles.begin());
        } else {
            tileset.tile(100) = original.tile(100);
        }
    }
    state.SetLabel(Name(edit));
}
BENCHMARK(BM_HistoryStepFloor)
    ->DenseRange(kResize, kBatchClear)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// 100 single-tile edits, ten to each of ten tiles, each a new picture of the
// tile (as a pencil stroke leaves it): the bytes only the history keeps,
// beside the pixels the edits changed.
void BM_HistoryMemory(benchmark::State& state) {
    std::size_t kept = 0;
    std::size_t changed = 0;
    for (auto _ : state) {
        Tileset tileset = Largest(pixmill::kMaxArtTiles);
        pixmill::History history;
        changed = 0;
        for (int edit = 0; edit < 100; ++edit) {
            const int position = 1 + edit % 10;
            Tile painted = tileset.tile(position);
            painted.pixels[static_cast<std::size_t>(edit)] ^= 0xFF;  // gets pixels of its own
            changed += painted.PixelCount();
            TilesetChange change("Pencil");
            change.Replace(tileset, position, std::move(painted));
            change.Apply(tileset);
            history.Record(std::move(change));
        }
        kept = history.OwnBytes();
        benchmark::DoNotOptimize(kept);
    }
    state.counters["history_bytes"] = static_cast<double>(kept);
    state.counters["changed_bytes"] = static_cast<double>(changed);
    state.counters["held_per_changed_byte"] =
        static_cast<double>(kept) / static_cast<double>(changed);
}
BENCHMARK(BM_HistoryMemory)->Iterations(3)->Unit(benchmark::kMillisecond);

std::filesystem::path Scratch() {
    const char* base = std::getenv("PIXMILL_BENCH_DIR");
    return std::filesystem::path(base != nullptr ? base : std::filesystem::temp_directory_path()) /
           "pixmill-history-bench";
}

// What a change costs the editor's thread for the recovery copy: the
// snapshot handed to the writer.
void BM_RecoverySnapshot(benchmark::State& state) {
    const Tileset& tileset = Largest(pixmill::kMaxArtTiles);
    for (auto _ : state) {
        Tileset snapshot = tileset;
        benchmark::DoNotOptimize(snapshot.tiles.data());
    }
}
BENCHMARK(BM_RecoverySnapshot)->Unit(benchmark::kMicrosecond);

// The writer's work: the copy of the 8192-tile file and its note, through
// the safe writer (flushed to disk), the old copy removed.
void BM_RecoveryWrite(benchmark::State& state) {
    const Tileset& tileset = Largest(pixmill::kMaxArtTiles);
    std::filesystem::remove_all(Scratch());
    pixmill::RecoveryCopy copy(Scratch().string());
    for (auto _ : state) {
        if (!copy.Write(tileset, "/games/TILES000.ART", "/games/PALETTE.DAT")) {
            state.SkipWithError("the copy could not be written");
            break;
        }
    }
    copy.Remove();
    std::filesystem::remove_all(Scratch());
}
BENCHMARK(BM_RecoveryWrite)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
