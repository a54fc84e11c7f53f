// The two pixel conversions the editor runs most: the browser's thumbnails (a
// page as the browser draws it, and the image of a whole tileset) and the main
// view's 24-bit buffer of a tile (the part the view shows, and the whole), each
// beside a plain memcpy of as many bytes as it writes, the least writing them
// can cost.
// Every timing is wall-clock time of the work alone (manual time), so setup and
// freeing the result stay out of it.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include "app/TileView.h"
#include "browser/Thumbnails.h"
#include "common/ByteBlock.h"
#include "palette/Remap.h"
#include "tileset/ArtFile.h"
#include "tileset/Tileset.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBrowserTiles = 3744;  // the most the browser's 16-bit pixel rows were meant for
constexpr int kViewSide = 1024;

double Seconds(Clock::time_point start, Clock::time_point stop) {
    return std::chrono::duration<double>(stop - start).count();
}

// A palette with every entry distinct, so no conversion can shortcut it.
pixmill::Palette MakePalette() {
    pixmill::Palette palette;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        palette[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i * 7 + 1),
                      static_cast<std::uint8_t>(255 - i)};
    }
    return palette;
}

// Square tiles, each with its own pattern so that no two are alike.
pixmill::Tile MakeTile(int side, int seed) {
    pixmill::Tile tile;
    tile.width = static_cast<std::int16_t>(side);
    tile.height = static_cast<std::int16_t>(side);
    tile.pixels.resize(tile.PixelCount());
    std::size_t at = 0;
    for (int x = 1; x <= side; ++x) {
        for (int y = 1; y <= side; ++y) {
            tile.pixels[at++] = static_cast<std::uint8_t>((x * 3 + y * 5 + seed) ^ (x * y));
        }
    }
    return tile;
}

// Made on first use and kept: the tileset of 512 x 512 tiles is close to 1 GB.
const pixmill::Tileset& BrowserTileset(int side) {
    static std::map<int, pixmill::Tileset> made;
    pixmill::Tileset& tileset = made[side];
    if (tileset.tiles.empty()) {
        tileset.tiles.reserve(kBrowserTiles);
        for (int i = 0; i < kBrowserTiles; ++i) {
            tileset.tiles.push_back(MakeTile(side, i));
        }
        tileset.lastTileNumber = kBrowserTiles - 1;
    }
    return tileset;
}

std::size_t BrowserImageBytes() {
    return static_cast<std::size_t>(pixmill::ThumbnailRows(kBrowserTiles)) *
           pixmill::kThumbnailCell * static_cast<std::size_t>(pixmill::kThumbnailRowBytes);
}

std::size_t ViewImageBytes() {
    return static_cast<std::size_t>(pixmill::PaddedWidth(kViewSide)) * 3 * kViewSide;
}

void SetCounters(benchmark::State& state, std::size_t bytes) {
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
    state.counters["image_bytes"] = static_cast<double>(bytes);
}

// The floor: one memcpy of `bytes` between two buffers already faulted in.
void CopyFloor(benchmark::State& state, std::size_t bytes) {
    std::vector<std::uint8_t> from(bytes, 1);
    std::vector<std::uint8_t> to(bytes, 2);
    for (auto _ : state) {
        const auto start = Clock::now();
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
        const auto stop = Clock::now();
        state.SetIterationTime(Seconds(start, stop));
    }
    benchmark::DoNotOptimize(to.data());
    SetCounters(state, bytes);
}

// One image kept across fills, as the browser keeps its own.
void BM_FillThumbnails(benchmark::State& state) {
    const pixmill::Tileset& tileset = BrowserTileset(static_cast<int>(state.range(0)));
    const pixmill::Palette palette = MakePalette();
    pixmill::ThumbnailImage image;
    image.Fill(tileset, palette);
    for (auto _ : state) {
        const auto start = Clock::now();
        image.Fill(tileset, palette);
        const auto stop = Clock::now();
        benchmark::DoNotOptimize(image.bytes().data());
        state.SetIterationTime(Seconds(start, stop));
    }
    SetCounters(state, image.bytes().size());
}

// Both fills write the same image, whatever the tile size; the argument only
// pairs the rows of the table.
void BM_FillFloor(benchmark::State& state) {
    CopyFloor(state, BrowserImageBytes());
}

void BM_BuildTileView(benchmark::State& state) {
    const pixmill::Tile tile = MakeTile(kViewSide, 7);
    const pixmill::Palette palette = MakePalette();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        const pixmill::TileViewImage image = pixmill::BuildTileViewImage(tile, palette);
        const auto stop = Clock::now();
        benchmark::DoNotOptimize(image.bytes.data());
        bytes = image.bytes.size();
        state.SetIterationTime(Seconds(start, stop));
    }
    SetCounters(state, bytes);
}

void BM_TileViewFloor(benchmark::State& state) {
    CopyFloor(state, ViewImageBytes());
}

// The browser as the editor uses it: one page of 64 thumbnails drawn when
// shown. PageTiles(side) is 72 tiles, enough for pages starting at rows 0 and
// 1, held as the editor holds a tileset it has read: its tiles look into one
// block of the file's bytes.
const pixmill::Tileset& PageTiles(int side) {
    static std::map<int, pixmill::Tileset> made;
    pixmill::Tileset& tileset = made[side];
    if (tileset.tiles.empty()) {
        pixmill::Tileset built;
        for (int i = 0; i < 72; ++i) {
            built.tiles.push_back(MakeTile(side, i));
        }
        built.lastTileNumber = 71;
        const auto bytes = pixmill::ArtBytes(built);
        auto block = pixmill::ByteBlock::Allocate(bytes->size());
        std::memcpy((*block)->data(), bytes->data(), bytes->size());
        tileset = std::move(*pixmill::ReadArt(pixmill::SharedBytes(std::move(*block))));
    }
    return tileset;
}
constexpr std::size_t kPageBytes =
    std::size_t{pixmill::kBrowserPageSide} * static_cast<std::size_t>(pixmill::kThumbnailRowBytes);

// A whole page drawn afresh, as after a change to the tiles.
void BM_BrowserPage(benchmark::State& state) {
    const pixmill::Tileset& tileset = PageTiles(static_cast<int>(state.range(0)));
    const pixmill::Palette palette = MakePalette();
    pixmill::ThumbnailImage page;
    int first = 0;
    for (auto _ : state) {
        page.Reset(tileset.tileCount());
        first = 1 - first;
        const auto start = Clock::now();
        const auto bytes = page.DrawPage(tileset, palette, first);
        const auto stop = Clock::now();
        benchmark::DoNotOptimize(bytes.data());
        state.SetIterationTime(Seconds(start, stop));
    }
    SetCounters(state, kPageBytes);
}

// A scroll by one cell row: seven rows move, one is drawn.
void BM_BrowserScroll(benchmark::State& state) {
    const pixmill::Tileset& tileset = PageTiles(static_cast<int>(state.range(0)));
    const pixmill::Palette palette = MakePalette();
    pixmill::ThumbnailImage page;
    page.Reset(tileset.tileCount());
    int first = 0;
    page.DrawPage(tileset, palette, first);
    for (auto _ : state) {
        first = 1 - first;
        const auto start = Clock::now();
        const auto bytes = page.DrawPage(tileset, palette, first);
        const auto stop = Clock::now();
        benchmark::DoNotOptimize(bytes.data());
        state.SetIterationTime(Seconds(start, stop));
    }
    SetCounters(state, kPageBytes);
}

void BM_PageFloor(benchmark::State& state) {
    CopyFloor(state, kPageBytes);
}

// The view's inner size in drawing pixels.
constexpr int kViewWidth = 637;
constexpr int kViewHeight = 389;

// What the view converts of a 1024 x 1024 tile centred in it at a zoom.
pixmill::TileRegion ShownRegion(int zoom) {
    const pixmill::ViewPoint at =
        pixmill::LayOutTile(kViewWidth + 4, kViewHeight + 4, kViewSide, kViewSide, zoom, 0, 0);
    return pixmill::VisibleTileRegion(kViewSide, kViewSide, zoom, at.x, at.y, kViewWidth,
                                      kViewHeight);
}

std::size_t RegionBytes(const pixmill::TileRegion& region) {
    return static_cast<std::size_t>(pixmill::PaddedWidth(region.width)) * 3 *
           static_cast<std::size_t>(region.height);
}

void BM_BuildShownTileView(benchmark::State& state) {
    const pixmill::Tile tile = MakeTile(kViewSide, 7);
    const pixmill::Palette palette = MakePalette();
    const pixmill::TileRegion region = ShownRegion(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto start = Clock::now();
        const pixmill::TileViewImage image = pixmill::BuildTileViewImage(tile, palette, region);
        const auto stop = Clock::now();
        benchmark::DoNotOptimize(image.bytes.data());
        state.SetIterationTime(Seconds(start, stop));
    }
    SetCounters(state, RegionBytes(region));
    state.counters["shown_pixels"] = static_cast<double>(region.width) * region.height;
}

// The game's light and palette swaps: 32 shade tables and a swap, every
// entry moved, as a real PALETTE.DAT and LOOKUP.DAT have them.
struct GameTables {
    pixmill::ShadeTables shades;
    pixmill::LookupTables lookup;
    GameTables() {
        for (std::size_t s = 0; s < 32; ++s) {
            pixmill::ColourMap shade{};
            for (std::size_t i = 0; i < 256; ++i) {
                shade[i] = static_cast<std::uint8_t>(i * (32 - s) / 32);
            }
            shades.shades.push_back(shade);
        }
        pixmill::PaletteSwap swap;
        swap.number = 21;
        for (std::size_t i = 0; i < 256; ++i) {
            swap.map[i] = static_cast<std::uint8_t>(i ^ 0x5A);
        }
        lookup.swaps.push_back(swap);
    }
};

// As the editor draws through a shade and a swap: the palette composed for
// the drawing (once a drawing), then the same conversion.
const pixmill::DrawingChoice kShadeAndSwap{16, 21, {}};

void BM_BuildShownTileViewShaded(benchmark::State& state) {
    const pixmill::Tile tile = MakeTile(kViewSide, 7);
    const pixmill::Palette palette = MakePalette();
    const GameTables tables;
    const pixmill::TileRegion region = ShownRegion(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto start = Clock::now();
        const pixmill::Palette shown =
            pixmill::ChosenPalette(palette, tables.shades, tables.lookup, kShadeAndSwap);
        const pixmill::TileViewImage image = pixmill::BuildTileViewImage(tile, shown, region);
        const auto stop = Clock::now();
        benchmark::DoNotOptimize(image.bytes.data());
        state.SetIterationTime(Seconds(start, stop));
    }
    SetCounters(state, RegionBytes(region));
}

void BM_BrowserPageShaded(benchmark::State& state) {
    const pixmill::Tileset& tileset = PageTiles(static_cast<int>(state.range(0)));
    const pixmill::Palette palette = MakePalette();
    const GameTables tables;
    pixmill::ThumbnailImage page;
    int first = 0;
    for (auto _ : state) {
        page.Reset(tileset.tileCount());
        first = 1 - first;
        const auto start = Clock::now();
        const pixmill::Palette shown =
            pixmill::ChosenPalette(palette, tables.shades, tables.lookup, kShadeAndSwap);
        const auto bytes = page.DrawPage(tileset, shown, first);
        const auto stop = Clock::now();
        benchmark::DoNotOptimize(bytes.data());
        state.SetIterationTime(Seconds(start, stop));
    }
    SetCounters(state, kPageBytes);
}

void BM_ShownTileViewFloor(benchmark::State& state) {
    CopyFloor(state, RegionBytes(ShownRegion(static_cast<int>(state.range(0)))));
}

// Each pair runs side by side so the ratio can be read straight off the table.
BENCHMARK(BM_FillThumbnails)->Arg(64)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillFloor)->Arg(64)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillThumbnails)->Arg(512)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillFloor)->Arg(512)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildTileView)->Arg(kViewSide)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TileViewFloor)->Arg(kViewSide)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BrowserPage)->Arg(64)->Arg(512)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BrowserScroll)->Arg(64)->Arg(512)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PageFloor)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildShownTileView)->Arg(1)->Arg(8)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShownTileViewFloor)->Arg(1)->Arg(8)->UseManualTime()->Unit(benchmark::kMicrosecond);
// Each beside the same drawing without a shade or swap (above).
BENCHMARK(BM_BuildShownTileViewShaded)
    ->Arg(1)
    ->Arg(8)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BrowserPageShaded)->Arg(64)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The view's buffer is a new vector on every call. Keeping freed memory with the
// process serves it from pages already faulted in, whatever ran before, rather
// than from a fresh mapping or a reused heap depending on history (glibc's
// sliding mmap threshold). PIXMILL_BENCH_DEFAULT_MALLOC=1 leaves glibc as it is.
struct KeepFreedMemory {
    KeepFreedMemory() {
        if (std::getenv("PIXMILL_BENCH_DEFAULT_MALLOC") != nullptr) {
            return;
        }
        ::mallopt(M_MMAP_MAX, 0);
        ::mallopt(M_TRIM_THRESHOLD, INT_MAX);
    }
};
const KeepFreedMemory gKeepFreedMemory;

}  // namespace
