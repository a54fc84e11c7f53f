#include "tests/TestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <system_error>

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
    Tile tile;
    tile.width = static_cast<std::int16_t>(width);
    tile.height = static_cast<std::int16_t>(height);
    tile.pixels.resize(tile.PixelCount());
    for (int x = 1; x <= width; ++x) {
        for (int y = 1; y <= height; ++y) {
            tile.Pixel(x, y) = static_cast<std::uint8_t>(seed + 16 * x + y);
        }
    }
    return tile;
}

}  // namespace pixmill::test
