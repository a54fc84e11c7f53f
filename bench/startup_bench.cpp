// The editor started as a user starts it, with a tileset on its command line:
// from the program's start to its first tile on the screen. Each run starts
// the real program in a new process, with PIXMILL_QUIT_AFTER_START set so that
// it prints the steady clock's reading once its window, with the tile drawn,
// is on the screen, and ends; the time is from just before the start to that
// reading. The process's whole life, its ending included, is the counter
// "whole_ms".

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::string Fixture(const char* name) {
    const std::filesystem::path path = std::filesystem::path(PIXMILL_FIXTURES) / name;
    return std::filesystem::exists(path) ? path.string() : std::string();
}

struct EditorRun {
    int status = -1;  // the exit status, or -1
    std::string out;
};

// Runs the editor with args, standard error thrown away.
EditorRun RunEditor(std::vector<std::string> args) {
    args.insert(args.begin(), PIXMILL_BINARY);
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    EditorRun run;
    int out[2];
    if (pipe(out) != 0) {
        return run;
    }
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, out[1], 1);
    posix_spawn_file_actions_addclose(&files, out[0]);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int started = posix_spawn(&child, argv[0], &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    close(out[1]);
    char buffer[256];
    for (ssize_t got; started == 0 && (got = read(out[0], buffer, sizeof buffer)) > 0;) {
        run.out.append(buffer, static_cast<std::size_t>(got));
    }
    close(out[0]);
    int status = 0;
    if (started == 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        run.status = WEXITSTATUS(status);
    }
    return run;
}

// The steady clock's reading that the editor printed, in nanoseconds; 0 for none.
long long FirstTileReading(const std::string& out) {
    long long ns = 0;
    return std::sscanf(out.c_str(), "first-tile %lld", &ns) == 1 ? ns : 0;
}

// untilExit: time the whole life (the floor, which shows no window).
void TimeStarts(benchmark::State& state, const std::vector<std::string>& args,
                bool untilExit = false) {
    double whole = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const EditorRun run = RunEditor(args);
        const auto end = std::chrono::steady_clock::now();
        const long long shown = FirstTileReading(run.out);
        if (run.status != 0 || (!untilExit && shown == 0)) {
            state.SkipWithError("the editor did not start and end cleanly");
            return;
        }
        const double startNs =
            static_cast<double>(std::chrono::nanoseconds(start.time_since_epoch()).count());
        state.SetIterationTime(untilExit ? std::chrono::duration<double>(end - start).count()
                                         : (static_cast<double>(shown) - startNs) / 1e9);
        whole += std::chrono::duration<double, std::milli>(end - start).count();
    }
    state.counters["whole_ms"] = benchmark::Counter(whole, benchmark::Counter::kAvgIterations);
}

// The real tileset, its PALETTE.DAT found beside it.
void BM_StartToFirstTile_Real(benchmark::State& state) {
    const std::string art = Fixture("kenbuild/TILES000.ART");
    if (art.empty()) {
        state.SkipWithError("fixture absent: kenbuild/TILES000.ART");
        return;
    }
    TimeStarts(state, {art});
}
BENCHMARK(BM_StartToFirstTile_Real)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_StartToFirstTile_Examples(benchmark::State& state) {
    TimeStarts(state, {"--palette", PIXMILL_EXAMPLES_DIR "/PIXMILL.DAT",
                       PIXMILL_EXAMPLES_DIR "/TILES000.ART"});
}
BENCHMARK(BM_StartToFirstTile_Examples)->UseManualTime()->Unit(benchmark::kMillisecond);

// For information: the editor's windows up with no file.
void BM_StartEmpty(benchmark::State& state) {
    TimeStarts(state, {});
}
BENCHMARK(BM_StartEmpty)->UseManualTime()->Unit(benchmark::kMillisecond);

// The floor: the same program started and ended with no window at all
// (--version), which loads the same libraries.
void BM_StartFloor(benchmark::State& state) {
    TimeStarts(state, {"--version"}, true);
}
BENCHMARK(BM_StartFloor)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // Offscreen unless told otherwise (QT_QPA_PLATFORM=xcb with a display).
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("PIXMILL_QUIT_AFTER_START", "1", 1);
    // The editors started keep their settings in a folder of their own, not
    // in those of the user running the benchmark.
    std::string config =
        (std::filesystem::temp_directory_path() / "pixmill-bench-config-XXXXXX").string();
    if (mkdtemp(config.data()) != nullptr) {
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(config, ignored);
    return 0;
}
