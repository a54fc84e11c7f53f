// Pictures matched to a palette: a 1024 x 1024 true-colour picture decoded
// alone (the floor), decoded and matched, and decoded and matched with
// dithering, all from memory, so that the ratios are read off the table.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <png.h>

#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "bitmap/PictureFile.h"
#include "palette/PaletteFile.h"

namespace {

using pixmill::bench::Clock;
using pixmill::bench::Seconds;
using Bytes = std::vector<std::uint8_t>;
constexpr int kSide = 1024;

const pixmill::Palette& GamePalette() {
    static const pixmill::Palette palette = [] {
        auto read = pixmill::ReadPaletteFile(PIXMILL_EXAMPLES "/PIXMILL.DAT");
        return read ? *read : pixmill::Palette{};
    }();
    return palette;
}

// 0, a texture: blocks of palette colours shaded across each block, as a
// paint program leaves a drawing; 16,384 colours at most. 1, noise: nearly
// every pixel a colour of its own, the worst case for remembering matches.
Bytes RgbRows(int kind) {
    Bytes rows;
    rows.reserve(static_cast<std::size_t>(kSide) * kSide * 3);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            if (kind == 0) {
                const auto& base =
                    GamePalette()[static_cast<std::size_t>(((x / 32) * 7 + (y / 32) * 13) % 256)];
                const int shade = (x % 32) / 4 + (y % 32) / 4;
                rows.push_back(static_cast<std::uint8_t>(std::min(255, base.red + shade)));
                rows.push_back(static_cast<std::uint8_t>(std::min(255, base.green + shade)));
                rows.push_back(base.blue);
            } else {
                const std::uint32_t h = (static_cast<std::uint32_t>(x) * 73856093u) ^
                                        (static_cast<std::uint32_t>(y) * 19349663u);
                const std::uint32_t v = h * 2654435761u;
                rows.push_back(static_cast<std::uint8_t>(v >> 24));
                rows.push_back(static_cast<std::uint8_t>(v >> 16));
                rows.push_back(static_cast<std::uint8_t>(v >> 8));
            }
        }
    }
    return rows;
}

Bytes Png(const Bytes& rows) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = kSide;
    image.height = kSide;
    image.format = PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, rows.data(), 0, nullptr);
    Bytes png(size);
    png_image_write_to_memory(&image, png.data(), &size, 0, rows.data(), 0, nullptr);
    png.resize(size);
    return png;
}

// The same picture as a 24-bit bitmap, bottom row first.
Bytes Bitmap(const Bytes& rows) {
    Bytes b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    pixmill::PutI32(b.data() + 10, 54);
    pixmill::PutI32(b.data() + 14, 40);
    pixmill::PutI32(b.data() + 18, kSide);
    pixmill::PutI32(b.data() + 22, kSide);
    pixmill::PutI16(b.data() + 26, 1);
    pixmill::PutI16(b.data() + 28, 24);
    for (int y = kSide - 1; y >= 0; --y) {
        const std::uint8_t* row = rows.data() + static_cast<std::size_t>(y) * kSide * 3;
        for (int x = 0; x < kSide; ++x) {
            b.insert(b.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
        }
    }
    return b;
}

// 0: the texture as a PNG, 1: the noise as a PNG, 2: the texture as a bitmap.
const Bytes& Picture(std::int64_t which) {
    static const std::vector<Bytes> pictures = [] {
        const Bytes texture = RgbRows(0);
        return std::vector<Bytes>{Png(texture), Png(RgbRows(1)), Bitmap(texture)};
    }();
    return pictures[static_cast<std::size_t>(which)];
}

void Label(benchmark::State& state) {
    static const char* const kNames[] = {"texture PNG", "noise PNG", "texture BMP"};
    state.SetLabel(kNames[state.range(0)]);
    state.counters["file_bytes"] = static_cast<double>(Picture(state.range(0)).size());
}

// Decoding alone: every row read, a band at a time, as the matching reads them.
void BM_DecodePicture(benchmark::State& state) {
    const Bytes& bytes = Picture(state.range(0));
    Bytes band;
    for (auto _ : state) {
        const auto start = Clock::now();
        pixmill::MemorySource source(bytes);
        auto reader = pixmill::OpenPicture(source);
        bool ok = reader.ok();
        if (ok) {
            band.resize((*reader)->head().RowBytes() * 64);
            for (int first = 0; ok && first < kSide; first += 64) {
                ok = (*reader)->ReadRows(band.data(), 64).ok();
            }
        }
        const auto stop = Clock::now();
        if (!ok) {
            state.SkipWithError("the picture did not read");
            break;
        }
        benchmark::DoNotOptimize(band.data());
        state.SetIterationTime(Seconds(start, stop));
    }
    Label(state);
}

template <bool kDither>
void BM_Match(benchmark::State& state) {
    const Bytes& bytes = Picture(state.range(0));
    for (auto _ : state) {
        const auto start = Clock::now();
        pixmill::MemorySource source(bytes);
        auto tile = pixmill::ReadPicture(source, GamePalette(), kDither);
        const auto stop = Clock::now();
        if (!tile || tile->width != kSide) {
            state.SkipWithError("the picture did not read");
            break;
        }
        benchmark::DoNotOptimize(tile->pixels.data());
        state.SetIterationTime(Seconds(start, stop));
    }
    Label(state);
}

BENCHMARK(BM_DecodePicture)->DenseRange(0, 2)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Match<false>)
    ->Name("BM_MatchPicture")
    ->DenseRange(0, 2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Match<true>)
    ->Name("BM_MatchPictureDithered")
    ->DenseRange(0, 2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
    pixmill::bench::KeepFreedMemory();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
