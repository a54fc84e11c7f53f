#pragma once
// Helpers shared by the tests: scratch folders, whole-file reads, small tiles.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "palette/Palette.h"
#include "tileset/Tileset.h"

namespace pixmill::test {

using Bytes = std::vector<std::uint8_t>;

// Little-endian fields, written out here rather than taken from the core, so
// that the tests check the layouts against an independent reading.
std::int32_t Get32(const Bytes& b, std::size_t at);
std::int16_t Get16(const Bytes& b, std::size_t at);
void Put32(Bytes& b, std::size_t at, std::int32_t value);
void Put16(Bytes& b, std::size_t at, std::int16_t value);

// A fresh folder, removed with everything in it when the object goes.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    std::string Path(const std::string& name) const { return (root_ / name).string(); }
    const std::filesystem::path& root() const { return root_; }

  private:
    std::filesystem::path root_;
};

std::vector<std::uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
// Names of the entries of a folder, sorted.
std::vector<std::string> ListDir(const std::filesystem::path& dir);

// Damaged copies of a good file, the same every run: bytes overwritten (header
// fields above all), the end cut off, or both.
std::vector<Bytes> DamagedCopies(const Bytes& good, int count);

// Path of a file in the shared fixtures; empty when it is absent.
std::string FixturePath(const std::string& relative);

// The real tileset of a Build game and its palette, from the shared fixtures;
// nothing when they are absent.
struct KenBuildFixtures {
    Tileset tileset;
    Palette palette;
};
std::optional<KenBuildFixtures> LoadKenBuildFixtures();

// A width x height tile whose pixel (x, y) is value(x, y), kept to 8 bits.
template <class Value>
Tile TileOf(int width, int height, Value value) {
    Tile tile;
    tile.width = static_cast<std::int16_t>(width);
    tile.height = static_cast<std::int16_t>(height);
    tile.pixels.resize(tile.PixelCount());
    for (int x = 1; x <= width; ++x) {
        for (int y = 1; y <= height; ++y) {
            tile.Pixel(x, y) = static_cast<std::uint8_t>(value(x, y));
        }
    }
    return tile;
}

// A tile whose pixel (x, y) is seed + 16 * x + y (wrapping at 256), so that
// every position of a small tile is told apart.
Tile PatternTile(int width, int height, std::uint8_t seed = 0);

// A program run in a child process, as a script runs it, and what it said.
struct ProgramRun {
    int exitCode = -1;  // the negated signal number when the program was killed
    std::string out;
    std::string err;
    std::vector<std::string> ErrLines() const;
};

struct RunOptions {
    long long fileSizeLimit = -1;  // bytes, via RLIMIT_FSIZE; -1: none
    std::string stdoutPath;        // where standard output goes; empty: captured
};

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                      const RunOptions& options = {});

}  // namespace pixmill::test
