// The windows that grow, at work offscreen: a 4096 x 4096 tile at 8x scrolled
// by one screen, beside a copy of the view's pixels; and the browser made
// twice as wide on 8192 tiles, beside drawing that wider page alone.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <stdlib.h>

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <chrono>
#include <climits>
#include <cstring>
#include <vector>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/WindowProcedures.h"
#include "bench/BenchEditor.h"
#include "browser/Browser.h"
#include "browser/Form2.h"
#include "platform/PictureBox.h"
#include "platform/ScriptedPrompts.h"

namespace {

using pixmill::bench::Clock;
using pixmill::bench::Seconds;

// Both windows shown, as a user has them.
struct Session : pixmill::bench::Session {
    Session(int count, int side) : pixmill::bench::Session(count, side, true) {}
};

// One screen down each step (from the top again after the last): every pixel
// of the view is new, converted from the 78 x 47 or so tile pixels it shows
// and magnified into it. Argument 1 also paints the window (for information:
// what the platform then copies to the screen).
void BM_ScrollTileView(benchmark::State& state) {
    Session session(1, 4096);
    pixmill::Form1& form = *session.editor.form1;
    form.mnu8x->trigger();
    QApplication::processEvents();
    QScrollBar& bar = *form.VScroll1;
    const int screen = form.Picture1->innerHeight();
    const bool paint = state.range(0) == 1;
    int value = 0;
    for (auto _ : state) {
        value = value + screen > bar.maximum() ? 0 : value + screen;
        bar.setValue(value);
        if (paint) {
            QApplication::processEvents();
        }
    }
    state.counters["view_pixels"] =
        static_cast<double>(form.Picture1->innerWidth()) * form.Picture1->innerHeight();
}
BENCHMARK(BM_ScrollTileView)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The floor: the view's newly visible pixels (every one of them, 32 bits each)
// copied between two buffers already in use.
void BM_ScrollFloor(benchmark::State& state) {
    Session session(1, 4096);
    session.editor.form1->mnu8x->trigger();
    const pixmill::PictureBox& view = *session.editor.form1->Picture1;
    const std::size_t bytes = static_cast<std::size_t>(view.innerWidth()) *
                              static_cast<std::size_t>(view.innerHeight()) * 4;
    std::vector<std::uint8_t> from(bytes, 1), to(bytes, 2);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ScrollFloor)->Unit(benchmark::kMicrosecond);

constexpr int kBrowserWidth = 587;
constexpr int kBrowserHeight = 598;

// The browser made twice as wide (8 columns to 16) over 8192 tiles of 64 x
// 64, its new page drawn and painted; made narrow again, untimed.
void BM_ResizeBrowser(benchmark::State& state) {
    Session session(pixmill::kMaxArtTiles, 64);
    pixmill::Form2& browser = *session.editor.form2;
    int columns = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        browser.resize(2 * kBrowserWidth, kBrowserHeight);
        QApplication::processEvents();
        const auto stop = Clock::now();
        state.SetIterationTime(Seconds(start, stop));
        columns = session.editor.thumbnailImage.columns();
        browser.resize(kBrowserWidth, kBrowserHeight);
        QApplication::processEvents();
    }
    state.counters["columns"] = columns;
}
BENCHMARK(BM_ResizeBrowser)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The floor: the same wide page drawn afresh (its thumbnails forgotten, as
// after any change to the tiles) and painted, in a browser already that wide.
void BM_WideBrowserPage(benchmark::State& state) {
    Session session(pixmill::kMaxArtTiles, 64);
    pixmill::Editor& editor = session.editor;
    editor.form2->resize(2 * kBrowserWidth, kBrowserHeight);
    QApplication::processEvents();
    for (auto _ : state) {
        editor.thumbnailImage.Reset(editor.tileset.tileCount());
        pixmill::DrawBrowserPage(editor);
        QApplication::processEvents();
    }
    state.counters["columns"] = editor.thumbnailImage.columns();
}
BENCHMARK(BM_WideBrowserPage)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
    return pixmill::bench::RunWindowBenchmarks(argc, argv);
}
