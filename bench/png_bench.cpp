// PNG beside the 8-bit bitmap: exporting every tile of a tileset (the work of
// `pixmill-tool export`) and importing a 1024 x 1024 picture, each timed for
// both formats in the same run, so that the ratio is read off the table.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <unistd.h>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bitmap/TileBitmap.h"
#include "bitmap/TilePng.h"
#include "palette/PaletteFile.h"
#include "tileset/ArtFile.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

struct Subject {
    std::string skipReason;
    pixmill::Tileset tileset;
    pixmill::Palette palette;
};

Subject Load(const std::string& art, const std::string& palette) {
    Subject subject;
    auto tileset = pixmill::ReadArtFile(art);
    auto colours = pixmill::ReadPaletteFile(palette);
    if (!tileset || !colours) {
        subject.skipReason = "fixture absent: " + art;
        return subject;
    }
    subject.tileset = std::move(*tileset);
    subject.palette = *colours;
    return subject;
}

// 0: the real tileset of the shared fixtures; 1: the examples of the project.
const Subject& SubjectOf(std::int64_t which) {
    static const Subject real =
        Load(PIXMILL_FIXTURES "/kenbuild/TILES000.ART", PIXMILL_FIXTURES "/kenbuild/PALETTE.DAT");
    static const Subject examples =
        Load(PIXMILL_EXAMPLES "/TILES000.ART", PIXMILL_EXAMPLES "/PIXMILL.DAT");
    return which == 0 ? real : examples;
}

fs::path Folder() {
    static const fs::path folder = [] {
        const char* base = std::getenv("PIXMILL_BENCH_DIR");
        fs::path path = fs::path(base != nullptr ? base : fs::temp_directory_path().string()) /
                        ("pixmill-png-bench-" + std::to_string(::getpid()));
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

double Seconds(Clock::time_point start, Clock::time_point stop) {
    return std::chrono::duration<double>(stop - start).count();
}

// Every tile into a folder of new files, as the tool's export does (no flush to
// disk per file); the folder is emptied outside the timing.
template <bool kPng>
void BM_ExportFiles(benchmark::State& state) {
    const Subject& subject = SubjectOf(state.range(0));
    if (!subject.skipReason.empty()) {
        state.SkipWithError(subject.skipReason.c_str());
        return;
    }
    const fs::path out = Folder() / (kPng ? "png" : "bmp");
    std::int64_t bytes = 0;
    for (auto _ : state) {
        fs::remove_all(out);
        fs::create_directories(out);
        const std::string base = (out / (kPng ? "t.png" : "t.bmp")).string();
        const auto start = Clock::now();
        bool ok = true;
        for (int position = 1; position <= subject.tileset.tileCount(); ++position) {
            const pixmill::Tile& tile = subject.tileset.tile(position);
            if (kPng && tile.PixelCount() == 0) {
                continue;
            }
            const std::string path = kPng ? pixmill::BatchPngPath(base, position)
                                          : pixmill::BatchBitmapPath(base, position);
            ok = ok && (kPng ? pixmill::WriteTilePngFile(tile, subject.palette, path,
                                                         pixmill::Flush::Later)
                             : pixmill::WriteTileBitmapFile(tile, subject.palette, path,
                                                            pixmill::Flush::Later));
        }
        const auto stop = Clock::now();
        if (!ok) {
            state.SkipWithError("a file was not written");
            break;
        }
        state.SetIterationTime(Seconds(start, stop));
        bytes = 0;
        for (const auto& entry : fs::directory_iterator(out)) {
            bytes += static_cast<std::int64_t>(entry.file_size());
        }
    }
    state.counters["written_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ExportFiles<true>)
    ->Name("BM_ExportPng")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportFiles<false>)
    ->Name("BM_ExportBmp")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// A 1024 x 1024 picture with the texture of a game's wall: smooth shading with
// some noise, so that it compresses as such pictures do, neither flat nor random.
pixmill::Tile ImportPicture() {
    pixmill::Tile tile;
    tile.width = 1024;
    tile.height = 1024;
    tile.pixels.resize(tile.PixelCount());
    std::uint8_t* p = tile.pixels.data();
    std::uint32_t noise = 12345;
    for (int x = 0; x < 1024; ++x) {
        for (int y = 0; y < 1024; ++y) {
            noise = noise * 1664525u + 1013904223u;
            *p++ = static_cast<std::uint8_t>(static_cast<std::uint32_t>((x ^ y) >> 4) % 32 * 8 +
                                             (noise >> 29));
        }
    }
    return tile;
}

const std::string& ImportFile(bool png) {
    static const std::pair<std::string, std::string> paths = [] {
        const pixmill::Tile tile = ImportPicture();
        pixmill::Palette palette{};
        const std::string pngPath = (Folder() / "big.png").string();
        const std::string bmpPath = (Folder() / "big.bmp").string();
        pixmill::WriteTilePngFile(tile, palette, pngPath);
        pixmill::WriteTileBitmapFile(tile, palette, bmpPath);
        return std::pair{pngPath, bmpPath};
    }();
    return png ? paths.first : paths.second;
}

template <bool kPng>
void BM_Import(benchmark::State& state) {
    const std::string& path = ImportFile(kPng);
    for (auto _ : state) {
        const auto start = Clock::now();
        bool ok = false;
        if constexpr (kPng) {
            auto picture = pixmill::ReadTilePngFile(path);
            ok = picture && picture->tile.width == 1024;
            benchmark::DoNotOptimize(picture);
        } else {
            auto tile = pixmill::ReadTileBitmapFile(path);
            ok = tile && tile->width == 1024;
            benchmark::DoNotOptimize(tile);
        }
        const auto stop = Clock::now();
        if (!ok) {
            state.SkipWithError("the picture did not read");
            break;
        }
        state.SetIterationTime(Seconds(start, stop));
    }
    state.counters["file_bytes"] = static_cast<double>(fs::file_size(path));
}
BENCHMARK(BM_Import<true>)->Name("BM_ImportPng")->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Import<false>)->Name("BM_ImportBmp")->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
    // As in art_io_bench: freed memory stays with the process, so every run
    // allocates from pages already faulted in, whatever ran before it.
    if (std::getenv("PIXMILL_BENCH_DEFAULT_MALLOC") == nullptr) {
        ::mallopt(M_MMAP_MAX, 0);
        ::mallopt(M_TRIM_THRESHOLD, INT_MAX);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(Folder(), ignored);
    return 0;
}
