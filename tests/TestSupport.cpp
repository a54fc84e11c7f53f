#include "tests/TestSupport.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>
#include <system_error>

#include "palette/PaletteFile.h"
#include "tileset/ArtFile.h"

namespace pixmill::test {

std::int32_t Get32(const Bytes& b, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(b.at(at + i)) << (8 * i);
    }
    return static_cast<std::int32_t>(value);
}
std::int16_t Get16(const Bytes& b, std::size_t at) {
    return static_cast<std::int16_t>(b.at(at) | b.at(at + 1) << 8);
}
void Put32(Bytes& b, std::size_t at, std::int32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        b.at(at + i) = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
    }
}
void Put16(Bytes& b, std::size_t at, std::int16_t value) {
    b.at(at) = static_cast<std::uint8_t>(value);
    b.at(at + 1) = static_cast<std::uint8_t>(static_cast<std::uint16_t>(value) >> 8);
}

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pixmill-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a scratch folder");
    }
    root_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    // Tests may leave read-only folders behind; make them writable again first.
    for (auto it = std::filesystem::recursive_directory_iterator(root_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::permissions(root_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(root_, ignored);
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::vector<std::string> ListDir(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<Bytes> DamagedCopies(const Bytes& good, int count) {
    std::mt19937 random(12345);
    std::vector<Bytes> copies;
    for (int i = 0; i < count; ++i) {
        Bytes copy = good;
        if (!copy.empty() && i % 3 != 2) {
            const int edits = 1 + static_cast<int>(random() % 4);
            for (int e = 0; e < edits; ++e) {
                // Most damage lands in the first 64 bytes, where the sizes are.
                const std::size_t span =
                    random() % 2 == 0 ? std::min<std::size_t>(64, copy.size()) : copy.size();
                copy[random() % span] = static_cast<std::uint8_t>(random());
            }
        }
        if (i % 3 != 0) {
            copy.resize(random() % (copy.size() + 1));
        }
        copies.push_back(std::move(copy));
    }
    return copies;
}

std::string FixturePath(const std::string& relative) {
    std::filesystem::path path = std::filesystem::path(PIXMILL_FIXTURES) / relative;
    return std::filesystem::exists(path) ? path.string() : std::string();
}

Tile PatternTile(int width, int height, std::uint8_t seed) {
    return TileOf(width, height, [seed](int x, int y) { return seed + 16 * x + y; });
}

std::optional<KenBuildFixtures> LoadKenBuildFixtures() {
    const std::string artPath = FixturePath("kenbuild/TILES000.ART");
    const std::string palettePath = FixturePath("kenbuild/PALETTE.DAT");
    if (artPath.empty() || palettePath.empty()) {
        return std::nullopt;
    }
    auto tileset = ReadArtFile(artPath);
    auto palette = ReadPaletteFile(palettePath);
    if (!tileset || !palette) {
        throw std::runtime_error("the shared fixtures do not read: " + tileset.reason() +
                                 palette.reason());
    }
    return KenBuildFixtures{std::move(*tileset), *palette};
}

std::vector<std::string> ProgramRun::ErrLines() const {
    std::vector<std::string> lines;
    std::istringstream in(err);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      const RunOptions& options) {
    // Output goes to files in a folder of its own, so a test's output folder
    // shows only what the program wrote and no pipe can fill up.
    ScratchDir capture;
    const std::string outPath =
        options.stdoutPath.empty() ? capture.Path("out") : options.stdoutPath;
    const std::string errPath = capture.Path("err");
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);

    const pid_t child = fork();
    if (child < 0) {
        throw std::runtime_error("cannot start " + program);
    }
    if (child == 0) {
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 ||
            dup2(err, 2) < 0) {
            _exit(127);
        }
        if (options.fileSizeLimit >= 0) {
            const auto limit = static_cast<rlim_t>(options.fileSizeLimit);
            const rlimit fsize{limit, limit};
            // Ignored, the signal becomes a plain write error the program must handle.
            if (setrlimit(RLIMIT_FSIZE, &fsize) != 0 || signal(SIGXFSZ, SIG_IGN) == SIG_ERR) {
                _exit(127);
            }
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            throw std::runtime_error("lost track of " + program);
        }
    }
    ProgramRun run;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    const auto text = [](const std::string& path) {
        const auto bytes = ReadBytes(path);
        return std::string(bytes.begin(), bytes.end());
    };
    run.out = options.stdoutPath.empty() ? text(outPath) : std::string();
    run.err = text(errPath);
    return run;
}

}  // namespace pixmill::test
