#include "tests/TestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace pixmill::test {

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
