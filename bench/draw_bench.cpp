// The drawing tools at work on a 1024 x 1024 tile, offscreen: a pencil drag
// at 8x, one pointer move at a time through the view's real handler, beside
// converting the cells that move changed alone; and a fill of the whole tile
// with its redraw, beside a memset of its pixels with the same redraw.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <stdlib.h>

#include <QAction>
#include <QApplication>
#include <chrono>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/TileView.h"
#include "app/TileViewCells.h"
#include "app/WindowProcedures.h"
#include "bench/BenchEditor.h"
#include "editing/TileDrawing.h"
#include "platform/Dib.h"
#include "platform/PictureBox.h"
#include "platform/ScriptedPrompts.h"

namespace {

using pixmill::bench::Clock;
using pixmill::bench::Seconds;
constexpr int kSide = 1024;

// An editor showing one 1024 x 1024 tile of one colour at the given zoom, with
// a palette of distinct colours.
struct Session {
    pixmill::ScriptedPrompts prompts;
    pixmill::Editor editor{prompts};

    explicit Session(QAction* (*zoom)(pixmill::Form1&)) {
        editor.form1->Form_Load();
        editor.palette = pixmill::bench::DistinctPalette();
        pixmill::Tile tile;
        tile.width = kSide;
        tile.height = kSide;
        tile.pixels.assign(tile.PixelCount(), 3);
        editor.tileset.tiles.push_back(std::move(tile));
        editor.tileset.lastTileNumber = 0;
        editor.tilesetOpen = true;
        editor.state.currentTile = 1;
        editor.form1->show();
        zoom(*editor.form1)->trigger();
    }
    pixmill::Tile& tile() { return editor.tileset.tile(1); }
};

// The view point of tile pixel (x, y).
QPoint Cell(const pixmill::Editor& editor, int x, int y) {
    const int zoom = editor.state.zoomFactor;
    return {editor.state.tileDrawX + (x - 1) * zoom + zoom / 2,
            editor.state.tileDrawY + (y - 1) * zoom + zoom / 2};
}

// The visible pixels at 8x are 80 x 50 around the middle; the drag goes
// across them a row at a time, two tile pixels a move (16 view pixels), so
// that each move changes a run of three pixels.
struct Drag {
    int left, right, top, bottom;
    int x, y;
    explicit Drag(const pixmill::Editor& editor) {
        const pixmill::PixelRect shown = pixmill::ShownPixels(
            kSide, kSide, editor.state.zoomFactor, editor.state.tileDrawX, editor.state.tileDrawY,
            editor.form1->Picture1->innerWidth(), editor.form1->Picture1->innerHeight());
        left = shown.x + 2;
        right = shown.x + shown.width - 2;
        top = shown.y + 2;
        bottom = shown.y + shown.height - 2;
        x = left;
        y = top;
    }
    void Step() {
        x += 2;
        if (x > right) {
            x = left;
            y = y == bottom ? top : y + 1;
        }
    }
};

void BM_PencilMove(benchmark::State& state) {
    Session session([](pixmill::Form1& form) { return form.mnu8x; });
    pixmill::Editor& editor = session.editor;
    pixmill::Form1& form = *editor.form1;
    form.mnuPencil->trigger();
    form.Picture2_MouseDown(1, 0, 4 * 9 + 1, 1);  // colour 9
    Drag drag(editor);
    const QPoint start = Cell(editor, drag.x, drag.y);
    form.Picture1_MouseDown(1, 0, start.x(), start.y());
    for (auto _ : state) {
        drag.Step();
        const QPoint to = Cell(editor, drag.x, drag.y);
        const auto begin = Clock::now();
        form.Picture1_MouseMove(1, 0, to.x(), to.y());
        const auto end = Clock::now();
        state.SetIterationTime(Seconds(begin, end));
        // Painting is the event loop's, after the handler.
        QCoreApplication::processEvents();
    }
    form.Picture1_MouseUp(1, 0, start.x(), start.y());
    if (session.tile().Pixel(drag.left, drag.top) != 9) {
        state.SkipWithError("the pencil drew nothing");
    }
}
BENCHMARK(BM_PencilMove)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The floor: the three cells a move changes, converted to 24 bits alone.
void BM_PencilMoveFloor(benchmark::State& state) {
    pixmill::Tile tile;
    tile.width = kSide;
    tile.height = kSide;
    tile.pixels.assign(tile.PixelCount(), 3);
    pixmill::Palette palette{};
    int x = 0;
    for (auto _ : state) {
        x = (x + 2) % 70;
        const auto begin = Clock::now();
        const pixmill::TileViewImage image =
            pixmill::BuildTileViewImage(tile, palette, pixmill::TileRegion{480 + x, 490, 3, 1});
        const auto end = Clock::now();
        benchmark::DoNotOptimize(image.bytes.data());
        state.SetIterationTime(Seconds(begin, end));
    }
}
BENCHMARK(BM_PencilMoveFloor)->UseManualTime()->Unit(benchmark::kMicrosecond);

// What the view shows of a tile at its laid-out place, drawn afresh, as a
// fill's change redraws it (without the status text and the browser).
void RedrawView(pixmill::Editor& editor) {
    const pixmill::Tile& tile = editor.tileset.tile(1);
    pixmill::PictureBox& view = *editor.form1->Picture1;
    const int zoom = editor.state.zoomFactor;
    view.Cls();
    const pixmill::TileRegion shown =
        pixmill::VisibleTileRegion(tile.width, tile.height, zoom, editor.state.tileDrawX,
                                   editor.state.tileDrawY, view.innerWidth(), view.innerHeight());
    const pixmill::TileViewImage image = pixmill::BuildTileViewImage(tile, editor.palette, shown);
    pixmill::StretchDIBits(view, editor.state.tileDrawX + shown.x * zoom,
                           editor.state.tileDrawY + shown.y * zoom, shown.width * zoom,
                           shown.height * zoom, 0, 0, shown.width, shown.height, image.bytes,
                           image.header);
}

// 0: the fill as the command makes it (the tile kept for undo, the filled
// copy its own) and the redraw; 1: a memset of the tile's pixels and the
// redraw; 2 and 3: the same without the redraw.
void BM_FillWholeTile(benchmark::State& state) {
    Session session([](pixmill::Form1& form) { return form.mnu1x; });
    pixmill::Editor& editor = session.editor;
    const bool floor = state.range(0) % 2 == 1;
    const bool redraw = state.range(0) < 2;
    std::uint8_t colour = 4;
    for (auto _ : state) {
        colour = colour == 4 ? 5 : 4;
        // The tile as it was, sharing its pixels, as the undo step keeps it.
        const pixmill::Tile kept = floor ? pixmill::Tile{} : session.tile();
        const auto begin = Clock::now();
        if (floor) {
            std::memset(session.tile().pixels.data(), colour, session.tile().PixelCount());
        } else {
            pixmill::Tile filled = kept;
            pixmill::FillArea(filled, {512, 512}, colour);
            session.tile() = std::move(filled);
        }
        if (redraw) {
            RedrawView(editor);
        }
        const auto end = Clock::now();
        state.SetIterationTime(Seconds(begin, end));
    }
    if (session.tile().Pixel(kSide, kSide) != colour) {
        state.SkipWithError("the tile was not filled");
    }
    state.SetLabel(std::string(floor ? "memset" : "fill") + (redraw ? " and redraw" : " alone"));
}
BENCHMARK(BM_FillWholeTile)->DenseRange(0, 3)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
    return pixmill::bench::RunWindowBenchmarks(argc, argv);
}
