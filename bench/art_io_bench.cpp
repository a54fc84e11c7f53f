// Reading and saving ART files, each beside the least the same work can cost:
// one plain read of the whole file, or one plain durable write of its bytes.
// Every timing is wall-clock time of the work alone (manual time), so freeing
// the result and the setup stay out of it, and waiting on the disk counts.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "common/ByteBlock.h"
#include "tileset/ArtFile.h"
#include "tileset/Tileset.h"

namespace {

using Clock = std::chrono::steady_clock;

// A file the benchmarks work on, with what they need of it prepared up front.
struct Subject {
    std::string path;                 // read by the read benchmarks
    std::string skipReason;           // when set, every benchmark on it skips with this
    std::vector<std::uint8_t> bytes;  // what a save of it writes, for the write floor
    pixmill::Tileset tileset;         // what WriteArtFile saves
};

std::string gFolder;  // temporary folder of this run, removed at exit
Subject gReal;        // the real tileset from the fixtures
Subject gLarge;       // a generated 32 MiB tileset of 8192 tiles

enum class Which { kReal, kLarge };

Subject& SubjectOf(Which which) {
    return which == Which::kReal ? gReal : gLarge;
}
const char* NameOf(Which which) {
    return which == Which::kReal ? "real" : "large";
}

double Seconds(Clock::time_point start, Clock::time_point stop) {
    return std::chrono::duration<double>(stop - start).count();
}

// The read floor: open, size from fstat, read() into a vector of that size, close.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& out) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0;
    if (ok) {
        out.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        while (ok && done < out.size()) {
            const ssize_t got = ::read(fd, out.data() + done, out.size() - done);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            ok = got > 0;
            if (ok) {
                done += static_cast<std::size_t>(got);
            }
        }
    }
    ::close(fd);
    return ok;
}

// The write floor, made durable exactly as a save is: a new file beside the
// target, one write() of all the bytes, fsync, close, rename over the target,
// fsync of the folder. What it leaves out is only the serialising and the
// buffering that WriteArtFile adds.
bool WriteFileDurably(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::string temporary = path + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        ok = put > 0;
        if (ok) {
            done += static_cast<std::size_t>(put);
        }
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

// Heap in use, over all arenas: allocated blocks plus the large blocks glibc
// maps on their own (the tile array of a big tileset is one of those, and
// uordblks alone would miss it).
// A tileset's file bytes are mapped on their own when large (ByteBlock), out of
// the heap's sight, so they are added.
std::int64_t HeapInUse() {
    const struct mallinfo2 info = ::mallinfo2();
    return static_cast<std::int64_t>(info.uordblks + info.hblkhd +
                                     pixmill::ByteBlock::MappedBytes());
}

// Heap held by what read() returns while it is kept alive, per byte of the file.
// mallinfo2 counts blocks parked in a thread's tcache as in use, so on a warm
// thread the read would reuse them unseen; a new thread starts with an empty
// tcache (and an arena of its own), so the difference is what the result holds.
template <class Read>
double HeldPerFileByte(const Read& read, std::size_t fileSize) {
    std::int64_t held = 0;
    std::thread measuring([&] {
        // Sets up the thread's tcache and arena first; too big to be parked in the tcache.
        std::free(std::malloc(4096));
        const std::int64_t before = HeapInUse();
        auto kept = read();
        held = HeapInUse() - before;
        benchmark::DoNotOptimize(kept);
    });
    measuring.join();
    return static_cast<double>(held) / static_cast<double>(fileSize);
}

Subject* Usable(benchmark::State& state, Which which) {
    Subject& subject = SubjectOf(which);
    if (!subject.skipReason.empty()) {
        state.SkipWithError(subject.skipReason.c_str());
        return nullptr;
    }
    return &subject;
}

void SetCounters(benchmark::State& state, const Subject& subject) {
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(subject.bytes.size()));
    state.counters["file_bytes"] = static_cast<double>(subject.bytes.size());
}

void BM_ReadArt(benchmark::State& state, Which which) {
    Subject* subject = Usable(state, which);
    if (subject == nullptr) {
        return;
    }
    for (auto _ : state) {
        const auto start = Clock::now();
        auto tileset = pixmill::ReadArtFile(subject->path);
        const auto stop = Clock::now();
        if (!tileset) {
            state.SkipWithError(tileset.reason().c_str());
            break;
        }
        benchmark::DoNotOptimize(tileset->tiles.data());
        state.SetIterationTime(Seconds(start, stop));
    }
    if (state.error_occurred()) {
        return;
    }
    SetCounters(state, *subject);
    state.counters["held_per_file_byte"] = HeldPerFileByte(
        [subject] { return pixmill::ReadArtFile(subject->path); }, subject->bytes.size());
}

void BM_ReadFloor(benchmark::State& state, Which which) {
    Subject* subject = Usable(state, which);
    if (subject == nullptr) {
        return;
    }
    for (auto _ : state) {
        std::vector<std::uint8_t> bytes;
        const auto start = Clock::now();
        const bool ok = ReadWholeFile(subject->path, bytes);
        const auto stop = Clock::now();
        if (!ok) {
            state.SkipWithError("the plain read failed");
            break;
        }
        benchmark::DoNotOptimize(bytes.data());
        state.SetIterationTime(Seconds(start, stop));
    }
    if (state.error_occurred()) {
        return;
    }
    SetCounters(state, *subject);
    // Measured the same way as for ReadArt; about 1.0, which shows the method is sound.
    state.counters["held_per_file_byte"] = HeldPerFileByte(
        [subject] {
            std::vector<std::uint8_t> bytes;
            ReadWholeFile(subject->path, bytes);
            return bytes;
        },
        subject->bytes.size());
}

// The read floor in memory the process has never used, as a program meets it
// the first time it reads a file: a new anonymous mapping of the file's size
// (ordinary pages), one read() into it. Unmapping is not timed.
void BM_ReadFloorFresh(benchmark::State& state, Which which) {
    Subject* subject = Usable(state, which);
    if (subject == nullptr) {
        return;
    }
    const std::size_t size = subject->bytes.size();
    for (auto _ : state) {
        const auto start = Clock::now();
        void* memory =
            ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        bool ok = memory != MAP_FAILED;
        const int fd = ok ? ::open(subject->path.c_str(), O_RDONLY | O_CLOEXEC) : -1;
        std::size_t done = 0;
        while (fd >= 0 && done < size) {
            const ssize_t got = ::read(fd, static_cast<char*>(memory) + done, size - done);
            if (got <= 0) {
                break;
            }
            done += static_cast<std::size_t>(got);
        }
        ok = ok && fd >= 0 && done == size;
        if (fd >= 0) {
            ::close(fd);
        }
        const auto stop = Clock::now();
        if (memory != MAP_FAILED) {
            ::munmap(memory, size);
        }
        if (!ok) {
            state.SkipWithError("the plain read failed");
            break;
        }
        state.SetIterationTime(Seconds(start, stop));
    }
    if (!state.error_occurred()) {
        SetCounters(state, *subject);
    }
}

// Parsing a tileset whose bytes are already in memory and handed over: the
// tiles look into them, so no pixel is copied (tiles_shared counts the tiles
// with pixels that still look into the bytes; it equals tiles_with_pixels).
void BM_ParseArt(benchmark::State& state, Which which) {
    Subject* subject = Usable(state, which);
    if (subject == nullptr) {
        return;
    }
    auto block = pixmill::ByteBlock::Allocate(subject->bytes.size());
    if (!block) {
        state.SkipWithError(block.reason().c_str());
        return;
    }
    std::copy(subject->bytes.begin(), subject->bytes.end(), (*block)->data());
    const pixmill::SharedBytes bytes = std::move(*block);
    double shared = 0;
    double withPixels = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        auto tileset = pixmill::ReadArt(bytes);
        const auto stop = Clock::now();
        if (!tileset) {
            state.SkipWithError(tileset.reason().c_str());
            break;
        }
        shared = withPixels = 0;
        for (const pixmill::Tile& tile : tileset->tiles) {
            withPixels += tile.pixels.empty() ? 0 : 1;
            shared += tile.pixels.IsShared() ? 1 : 0;
        }
        state.SetIterationTime(Seconds(start, stop));
    }
    if (!state.error_occurred()) {
        SetCounters(state, *subject);
        state.counters["tiles_shared"] = shared;
        state.counters["tiles_with_pixels"] = withPixels;
    }
}

// Not the floor the targets are set against, but the least a read can cost:
// read() into a buffer already in use, so no allocation and no page faults are
// left, only the copy from the page cache. Shows how much of the floor above is
// the fresh memory.
void BM_ReadFloorNoAlloc(benchmark::State& state, Which which) {
    Subject* subject = Usable(state, which);
    if (subject == nullptr) {
        return;
    }
    std::vector<std::uint8_t> bytes;
    ReadWholeFile(subject->path, bytes);
    for (auto _ : state) {
        const auto start = Clock::now();
        const bool ok = ReadWholeFile(subject->path, bytes);
        const auto stop = Clock::now();
        if (!ok) {
            state.SkipWithError("the plain read failed");
            break;
        }
        benchmark::DoNotOptimize(bytes.data());
        state.SetIterationTime(Seconds(start, stop));
    }
    if (!state.error_occurred()) {
        SetCounters(state, *subject);
    }
}

void BM_WriteArt(benchmark::State& state, Which which) {
    Subject* subject = Usable(state, which);
    if (subject == nullptr) {
        return;
    }
    const std::string target = gFolder + "/save-" + NameOf(which) + ".ART";
    for (auto _ : state) {
        const auto start = Clock::now();
        const pixmill::Status saved = pixmill::WriteArtFile(subject->tileset, target);
        const auto stop = Clock::now();
        if (!saved) {
            state.SkipWithError(saved.reason().c_str());
            break;
        }
        state.SetIterationTime(Seconds(start, stop));
    }
    std::filesystem::remove(target);
    if (!state.error_occurred()) {
        SetCounters(state, *subject);
    }
}

void BM_WriteFloor(benchmark::State& state, Which which) {
    Subject* subject = Usable(state, which);
    if (subject == nullptr) {
        return;
    }
    const std::string target = gFolder + "/floor-" + NameOf(which) + ".ART";
    for (auto _ : state) {
        const auto start = Clock::now();
        const bool ok = WriteFileDurably(target, subject->bytes);
        const auto stop = Clock::now();
        if (!ok) {
            state.SkipWithError("the plain write failed");
            break;
        }
        state.SetIterationTime(Seconds(start, stop));
    }
    std::filesystem::remove(target);
    if (!state.error_occurred()) {
        SetCounters(state, *subject);
    }
}

// Each pair runs side by side so the ratio can be read straight off the table.
BENCHMARK_CAPTURE(BM_ReadArt, real, Which::kReal)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ReadFloor, real, Which::kReal)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ReadFloorFresh, real, Which::kReal)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ParseArt, real, Which::kReal)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ReadFloorNoAlloc, real, Which::kReal)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ReadArt, large, Which::kLarge)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadFloorFresh, large, Which::kLarge)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ParseArt, large, Which::kLarge)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ReadFloor, large, Which::kLarge)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadFloorNoAlloc, large, Which::kLarge)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WriteArt, real, Which::kReal)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WriteFloor, real, Which::kReal)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WriteArt, large, Which::kLarge)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WriteFloor, large, Which::kLarge)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// What the write benchmarks save and the write floor writes; also warms the
// page cache, so that every read benchmark reads from memory.
void PrepareSubject(Subject& subject) {
    std::vector<std::uint8_t> onDisk;
    if (!ReadWholeFile(subject.path, onDisk)) {
        subject.skipReason = "cannot read " + subject.path;
        return;
    }
    auto tileset = pixmill::ReadArtFile(subject.path);
    if (!tileset) {
        subject.skipReason = subject.path + ": " + tileset.reason();
        return;
    }
    auto bytes = pixmill::ArtBytes(*tileset);
    if (!bytes) {
        subject.skipReason = subject.path + ": " + bytes.reason();
        return;
    }
    subject.tileset = std::move(*tileset);
    subject.bytes = std::move(*bytes);
}

void PrepareReal() {
    gReal.path = std::string(PIXMILL_FIXTURES) + "/kenbuild/TILES000.ART";
    if (!std::filesystem::is_regular_file(gReal.path)) {
        gReal.skipReason = "fixture absent: " + gReal.path;
        return;
    }
    PrepareSubject(gReal);
}

// 8192 tiles of 64 x 64, the most an ART file holds, each with its own pattern
// so that no two tiles are alike.
void PrepareLarge() {
    constexpr int kTiles = pixmill::kMaxArtTiles;
    constexpr int kSide = 64;
    pixmill::Tileset tileset;
    tileset.firstTileNumber = 0;
    tileset.lastTileNumber = kTiles - 1;
    tileset.tiles.resize(kTiles);
    for (int i = 0; i < kTiles; ++i) {
        pixmill::Tile& tile = tileset.tiles[static_cast<std::size_t>(i)];
        tile.width = kSide;
        tile.height = kSide;
        tile.pixels.resize(tile.PixelCount());
        for (int x = 1; x <= kSide; ++x) {
            for (int y = 1; y <= kSide; ++y) {
                tile.Pixel(x, y) = static_cast<std::uint8_t>((x * 3 + y * 5 + i) ^ (x * y));
            }
        }
    }
    gLarge.path = gFolder + "/TILES001.ART";
    auto bytes = pixmill::ArtBytes(tileset);
    if (!bytes || !WriteFileDurably(gLarge.path, *bytes)) {
        gLarge.skipReason = "cannot write the generated tileset to " + gLarge.path;
        return;
    }
    PrepareSubject(gLarge);
}

// Memory is kept with the process once it has been used, so every iteration of
// every benchmark allocates from pages already faulted in, whatever ran before.
// By default glibc maps the 32 MiB read buffer afresh or serves it from a freed
// heap, depending on history, and a fresh page costs so much on some virtual
// machines that the floor went from about 2.5 ms to over 100 ms with the order
// the benchmarks ran in.
// PIXMILL_BENCH_DEFAULT_MALLOC=1 leaves glibc as it is, to see that.
void KeepFreedMemory() {
    if (std::getenv("PIXMILL_BENCH_DEFAULT_MALLOC") != nullptr) {
        return;
    }
    ::mallopt(M_MMAP_MAX, 0);
    ::mallopt(M_TRIM_THRESHOLD, INT_MAX);
}

// PIXMILL_BENCH_DIR picks the file system the files go to; the default is the
// temporary folder.
bool MakeFolder() {
    const char* chosen = std::getenv("PIXMILL_BENCH_DIR");
    std::error_code error;
    const std::filesystem::path parent = chosen != nullptr
                                             ? std::filesystem::path(chosen)
                                             : std::filesystem::temp_directory_path(error);
    std::string pattern = (parent / "pixmill-bench-XXXXXX").string();
    if (error || ::mkdtemp(pattern.data()) == nullptr) {
        return false;
    }
    gFolder = pattern;
    return true;
}

// Prepares the files before the benchmark library's main runs, and removes them
// when the program ends.
struct Workspace {
    Workspace() {
        KeepFreedMemory();
        if (!MakeFolder()) {
            gReal.skipReason = gLarge.skipReason = "cannot create a temporary folder";
            return;
        }
        PrepareReal();
        PrepareLarge();
    }
    ~Workspace() {
        if (!gFolder.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(gFolder, ignored);
        }
    }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;
};

// Defined after the globals it fills, so they exist when it runs.
const Workspace gWorkspace;

}  // namespace
