// The editor's windows at work, offscreen: opening the real tileset through
// "Open ART..." (skipped when the shared fixtures are absent), and scrolling
// the browser.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/Editor.h"
#include "app/Form1.h"
#include "app/WindowProcedures.h"
#include "browser/Browser.h"
#include "browser/Form2.h"
#include "common/ByteBlock.h"
#include "platform/ScriptedPrompts.h"
#include "tileset/ArtFile.h"

namespace {

std::string Fixture(const char* name) {
    const std::filesystem::path path = std::filesystem::path(PIXMILL_FIXTURES) / name;
    return std::filesystem::exists(path) ? path.string() : std::string();
}

// An editor with both windows on screen, so that the status texts and pages
// are painted as they are for a user, and the palette loaded.
struct ShownEditor {
    pixmill::ScriptedPrompts prompts;
    pixmill::Editor editor{prompts};
    explicit ShownEditor(const std::string& palette) {
        pixmill::Form1& form = *editor.form1;
        form.Form_Load();
        form.show();
        form.mnuBrowse->trigger();
        prompts.AnswerOpen(palette);
        form.mnuPal->trigger();
    }
};

void BM_OpenRealTileset(benchmark::State& state) {
    const std::string palette = Fixture("kenbuild/PALETTE.DAT");
    const std::string art = Fixture("kenbuild/TILES000.ART");
    if (palette.empty() || art.empty()) {
        state.SkipWithError("the shared fixtures are absent");
        return;
    }
    ShownEditor shown(palette);
    pixmill::ScriptedPrompts& prompts = shown.prompts;
    pixmill::Editor& editor = shown.editor;
    pixmill::Form1& form = *editor.form1;
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

// Our own palette, so that this needs no fixture.
std::string PalettePath() {
    return std::string(PIXMILL_EXAMPLES_DIR) + "/PIXMILL.DAT";
}

// The most tiles an ART file holds, 8192 of 64 x 64 (33,620,000 bytes), made
// once in a temporary folder removed at exit.
struct LargeFile {
    std::filesystem::path folder;
    std::string path;
    std::size_t size = 0;
    LargeFile() {
        folder = std::filesystem::temp_directory_path() /
                 ("pixmill-open-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        path = (folder / "TILES000.ART").string();
        pixmill::Tileset tileset;
        tileset.tiles.resize(pixmill::kMaxArtTiles);
        tileset.lastTileNumber = pixmill::kMaxArtTiles - 1;
        for (std::size_t i = 0; i < tileset.tiles.size(); ++i) {
            pixmill::Tile& tile = tileset.tiles[i];
            tile.width = 64;
            tile.height = 64;
            tile.pixels.resize(tile.PixelCount());
            for (std::size_t p = 0; p < tile.PixelCount(); ++p) {
                tile.pixels[p] = static_cast<std::uint8_t>(p * 7 + i);
            }
        }
        if (pixmill::WriteArtFile(tileset, path)) {
            size = std::filesystem::file_size(path);
        }
    }
    ~LargeFile() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};
const LargeFile& Large() {
    static const LargeFile file;
    return file;
}

// Resident memory of the process, from /proc/self/statm.
std::int64_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::int64_t pages = 0;
    std::int64_t resident = 0;
    statm >> pages >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}

// Opening the 8192-tile file through "Open ART...", to the first tile and the
// browser's page drawn. held_per_file_byte: resident memory after the first
// open above the idle editor (palette loaded, both windows shown), per byte
// of the file.
void BM_OpenLargeTileset(benchmark::State& state) {
    const LargeFile& file = Large();
    if (file.size == 0) {
        state.SkipWithError("the large file could not be written");
        return;
    }
    ShownEditor shown(PalettePath());
    pixmill::ScriptedPrompts& prompts = shown.prompts;
    pixmill::Editor& editor = shown.editor;
    pixmill::Form1& form = *editor.form1;
    const std::int64_t idle = ResidentBytes();
    prompts.AnswerOpen(file.path);
    form.mnuOpen->trigger();
    const std::int64_t opened = ResidentBytes();
    for (auto _ : state) {
        prompts.AnswerOpen(file.path);
        form.mnuOpen->trigger();
        benchmark::DoNotOptimize(editor.state.currentTile);
    }
    if (!prompts.Messages().empty() || editor.tileset.tileCount() != pixmill::kMaxArtTiles) {
        state.SkipWithError("the tileset did not open");
        return;
    }
    state.counters["held_per_file_byte"] =
        static_cast<double>(opened - idle) / static_cast<double>(file.size);
}
BENCHMARK(BM_OpenLargeTileset)->Unit(benchmark::kMillisecond);

// The floor of that open: one plain read of the file into a new vector, as
// art_io_bench's read floor (open, fstat, a vector of that size, read(), close).
void BM_OpenLargeFloor(benchmark::State& state) {
    const LargeFile& file = Large();
    for (auto _ : state) {
        const int fd = ::open(file.path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat info {};
        std::vector<std::uint8_t> bytes;
        std::size_t done = 0;
        if (fd >= 0 && ::fstat(fd, &info) == 0) {
            bytes.resize(static_cast<std::size_t>(info.st_size));
            while (done < bytes.size()) {
                const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
                if (got <= 0) {
                    break;
                }
                done += static_cast<std::size_t>(got);
            }
        }
        if (fd >= 0) {
            ::close(fd);
        }
        benchmark::DoNotOptimize(bytes.data());
        if (done != file.size) {
            state.SkipWithError("the plain read failed");
            break;
        }
    }
}
BENCHMARK(BM_OpenLargeFloor)->Unit(benchmark::kMillisecond);

// A game's set: 20 files of 256 tiles of 64 x 64 (TILES000.ART to
// TILES019.ART, 1,050,640 bytes each), made once in a temporary folder
// removed at exit.
struct SetFolder {
    std::filesystem::path folder;
    std::vector<std::string> paths;
    std::size_t size = 0;
    SetFolder() {
        folder = std::filesystem::temp_directory_path() /
                 ("pixmill-set-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        for (int f = 0; f < 20; ++f) {
            pixmill::Tileset tileset;
            tileset.firstTileNumber = 256 * f;
            tileset.lastTileNumber = 256 * f + 255;
            tileset.tiles.resize(256);
            for (std::size_t i = 0; i < tileset.tiles.size(); ++i) {
                pixmill::Tile& tile = tileset.tiles[i];
                tile.width = 64;
                tile.height = 64;
                tile.pixels.resize(tile.PixelCount());
                for (std::size_t p = 0; p < tile.PixelCount(); ++p) {
                    tile.pixels[p] =
                        static_cast<std::uint8_t>(p * 7 + i + static_cast<std::size_t>(f));
                }
            }
            char name[16];
            std::snprintf(name, sizeof name, "TILES%03d.ART", f);
            const std::string path = (folder / name).string();
            if (!pixmill::WriteArtFile(tileset, path)) {
                size = 0;
                return;
            }
            paths.push_back(path);
            size += std::filesystem::file_size(path);
        }
    }
    ~SetFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};
const SetFolder& Set() {
    static const SetFolder set;
    return set;
}

// Bytes the heap has handed out and not taken back, and the blocks of file
// bytes mapped on their own. Resident memory would not do here: the files
// were made in this process, and their pages, freed, are reused by the open.
std::int64_t HeldBytes() {
    const struct mallinfo2 info = ::mallinfo2();
    return static_cast<std::int64_t>(info.uordblks + info.hblkhd +
                                     pixmill::ByteBlock::MappedBytes());
}

// "Open Tile Set..." on the 20 files, to the first tile and the browser's
// page drawn. held_per_file_byte: memory the set holds, per byte of the
// files: what the editor holds with the set open above what it holds with the
// small examples tileset open instead, once both have been shown (so that
// what a first drawing makes once, the properties dialog and the page
// buffers, counts for neither).
void BM_OpenTileSet(benchmark::State& state) {
    const SetFolder& set = Set();
    if (set.size == 0) {
        state.SkipWithError("the set could not be written");
        return;
    }
    ShownEditor shown(PalettePath());
    pixmill::ScriptedPrompts& prompts = shown.prompts;
    pixmill::Editor& editor = shown.editor;
    pixmill::Form1& form = *editor.form1;
    prompts.AnswerOpen(set.folder.string());
    form.mnuOpenSet->trigger();
    prompts.AnswerOpen(std::string(PIXMILL_EXAMPLES_DIR) + "/TILES000.ART");
    form.mnuOpen->trigger();
    const std::int64_t idle = HeldBytes();
    prompts.AnswerOpen(set.folder.string());
    form.mnuOpenSet->trigger();
    const std::int64_t opened = HeldBytes();
    for (auto _ : state) {
        prompts.AnswerOpen(set.folder.string());
        form.mnuOpenSet->trigger();
        benchmark::DoNotOptimize(editor.state.currentTile);
    }
    if (!prompts.Messages().empty() || editor.tileset.tileCount() != 20 * 256) {
        state.SkipWithError("the set did not open");
        return;
    }
    state.counters["held_per_file_byte"] =
        static_cast<double>(opened - idle) / static_cast<double>(set.size);
}
BENCHMARK(BM_OpenTileSet)->Unit(benchmark::kMillisecond);

// Its floor: each of the 20 files read plainly into a new buffer (open,
// fstat, a buffer of its size left uninitialised, read(), close). As the
// editor keeps the set it shows until the new one is read whole, the files
// read last time are let go only once this time's are read.
void BM_OpenTileSetFloor(benchmark::State& state) {
    const SetFolder& set = Set();
    std::vector<std::unique_ptr<std::uint8_t[]>> held;
    for (auto _ : state) {
        std::vector<std::unique_ptr<std::uint8_t[]>> files;
        std::size_t read = 0;
        for (const std::string& path : set.paths) {
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            struct stat info {};
            std::unique_ptr<std::uint8_t[]> bytes;
            std::size_t done = 0;
            if (fd >= 0 && ::fstat(fd, &info) == 0) {
                const auto size = static_cast<std::size_t>(info.st_size);
                bytes = std::make_unique_for_overwrite<std::uint8_t[]>(size);
                while (done < size) {
                    const ssize_t got = ::read(fd, bytes.get() + done, size - done);
                    if (got <= 0) {
                        break;
                    }
                    done += static_cast<std::size_t>(got);
                }
            }
            if (fd >= 0) {
                ::close(fd);
            }
            read += done;
            files.push_back(std::move(bytes));
        }
        held = std::move(files);
        benchmark::DoNotOptimize(held.data());
        if (read != set.size) {
            state.SkipWithError("the plain read failed");
            break;
        }
    }
}
BENCHMARK(BM_OpenTileSetFloor)->Unit(benchmark::kMillisecond);

// Scrolling the browser of the largest tileset the editor holds: each step
// jumps 97 rows, so every cell of the new page is drawn.
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
