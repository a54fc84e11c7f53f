#pragma once
// Helpers shared by the tests: scratch folders, whole-file reads, small tiles.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

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

// A tile whose pixel (x, y) is seed + 16 * x + y (wrapping at 256), so that
// every position of a small tile is told apart.
Tile PatternTile(int width, int height, std::uint8_t seed = 0);

}  // namespace pixmill::test
