#include "tests/tools/ToolFiles.h"

#include <gtest/gtest.h>

#include "tests/TestSupport.h"

namespace pixmill::test {

Bytes ArtFileBytes(const std::vector<Tile>& tiles, std::int32_t countField, std::int32_t first) {
    const std::size_t n = tiles.size();
    Bytes b(16 + 8 * n, 0);
    Put32(b, 0, 1);
    Put32(b, 4, countField);
    Put32(b, 8, first);
    Put32(b, 12, first + static_cast<std::int32_t>(n) - 1);
    for (std::size_t i = 0; i < n; ++i) {
        Put16(b, 16 + 2 * i, tiles[i].width);
        Put16(b, 16 + 2 * n + 2 * i, tiles[i].height);
        for (std::size_t k = 0; k < 4; ++k) {
            b[16 + 4 * n + 4 * i + k] = tiles[i].attributes[k];
        }
    }
    for (const Tile& tile : tiles) {
        b.insert(b.end(), tile.pixels.begin(), tile.pixels.end());
    }
    return b;
}

Bytes BuildPaletteBytes(std::size_t extra) {
    Bytes b;
    for (int i = 0; i < 256; ++i) {
        b.push_back(static_cast<std::uint8_t>(i % 64));
        b.push_back(static_cast<std::uint8_t>(63 - i % 64));
        b.push_back(static_cast<std::uint8_t>(i / 4));
    }
    for (std::size_t i = 0; i < extra; ++i) {
        b.push_back(static_cast<std::uint8_t>(i * 7));
    }
    return b;
}

Bytes BitmapHeader(int width, int height, int bitsPerPixel, int compression) {
    Bytes b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 10, 1078);
    Put32(b, 14, 40);
    Put32(b, 18, width);
    Put32(b, 22, height);
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<std::int16_t>(bitsPerPixel));
    Put32(b, 30, compression);
    return b;
}

void ExpectRefused(const ToolRun& run, const std::filesystem::path& outDir,
                   const std::vector<std::string>& before) {
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.out, "");
    const auto lines = run.ErrLines();
    ASSERT_EQ(lines.size(), 1u) << run.err;
    EXPECT_EQ(lines[0].rfind("pixmill-tool: ", 0), 0u) << lines[0];
    EXPECT_GT(lines[0].size(), 20u) << "no reason given: " << lines[0];
    EXPECT_EQ(ListDir(outDir), before) << "after: " << lines[0];
}

}  // namespace pixmill::test
