// A page drawn as it is shown must show exactly what the same rows of the
// whole image of every tile show, whatever order the pages come in.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "browser/Thumbnails.h"
#include "tests/TestSupport.h"

namespace pixmill {
namespace {

constexpr std::size_t kCellRowBytes = 1680 * 70;

Palette SomePalette() {
    Palette palette;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        palette[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                      static_cast<std::uint8_t>(i * 37 + 11)};
    }
    return palette;
}

// count tiles whose sizes cycle through sizes, each with its own pattern.
Tileset Tiles(int count, const std::vector<std::pair<int, int>>& sizes) {
    Tileset set;
    for (int i = 0; i < count; ++i) {
        const auto [w, h] = sizes[static_cast<std::size_t>(i) % sizes.size()];
        set.tiles.push_back(test::PatternTile(w, h, static_cast<std::uint8_t>(i)));
    }
    set.lastTileNumber = count - 1;
    return set;
}

// The rows firstRow to firstRow + 7 of the whole image, black past its end.
std::vector<std::uint8_t> Reference(const ThumbnailImage& whole, int firstRow) {
    std::vector<std::uint8_t> page(8 * kCellRowBytes, 0);
    const auto from = whole.FromCellRow(firstRow);
    if (!from.empty()) {
        std::memcpy(page.data(), from.data(), std::min(from.size(), page.size()));
    }
    return page;
}

TEST(ThumbnailPage, EveryPageEqualsTheSameRowsOfTheWholeImage) {
    const struct {
        int count;
        std::vector<std::pair<int, int>> sizes;
    } cases[] = {
        {0, {{8, 8}}},
        {1, {{64, 64}}},
        {9, {{3, 5}, {0, 0}, {70, 1}}},
        {64, {{64, 64}}},
        {65, {{512, 512}, {1, 300}, {65, 64}, {0, 4}}},
        {203, {{32, 32}, {128, 96}, {5, 200}}},
    };
    const Palette palette = SomePalette();
    for (const auto& c : cases) {
        const Tileset set = Tiles(c.count, c.sizes);
        ThumbnailImage whole;
        whole.Fill(set, palette);
        ThumbnailImage paged;
        paged.Reset(set.tileCount());
        EXPECT_EQ(paged.rows(), whole.rows());
        const int last = std::max(0, whole.rows() - 8);
        // Scrolls of one row both ways, a jump, the last page, the same page twice.
        for (int first : {0, 1, 2, 1, 0, 7, last, last, std::max(0, last - 3), 3, 0}) {
            const auto page = paged.DrawPage(set, palette, first);
            ASSERT_EQ(std::vector<std::uint8_t>(page.begin(), page.end()), Reference(whole, first))
                << c.count << " tiles, first row " << first;
        }
    }
}

// Pages of any grid, decorated as the browser draws them, match the whole
// image of the same grid.
TEST(ThumbnailPage, PagesOfOtherGridsEqualTheSameRowsOfTheWholeImage) {
    const Palette palette = SomePalette();
    const Tileset set = Tiles(203, {{32, 32}, {0, 0}, {128, 96}, {5, 200}});
    for (const auto& [columns, pageRows] : {std::pair{3, 5}, {13, 2}, {1, 1}, {16, 9}}) {
        ThumbnailImage whole;
        whole.SetGrid(columns, pageRows);
        whole.SetDecorated(true);
        whole.Fill(set, palette);
        ThumbnailImage paged;
        paged.SetDecorated(true);
        paged.Reset(set.tileCount());
        paged.SetGrid(columns, pageRows);
        ASSERT_EQ(paged.rows(), ThumbnailRows(203, columns));
        const std::size_t cellRow = whole.rowBytes() * 70;
        ASSERT_GE(whole.rowBytes(), static_cast<std::size_t>(columns) * 210);
        for (int first : {0, 1, 3, 2, paged.rows() - 1, 0}) {
            const auto page = paged.DrawPage(set, palette, first);
            std::vector<std::uint8_t> expected(cellRow * static_cast<std::size_t>(pageRows), 0);
            const auto from = whole.FromCellRow(first);
            std::memcpy(expected.data(), from.data(), std::min(from.size(), expected.size()));
            ASSERT_EQ(std::vector<std::uint8_t>(page.begin(), page.end()), expected)
                << columns << " x " << pageRows << ", first row " << first;
        }
    }
}

TEST(ThumbnailPage, AResetPageShowsTheTilesAsTheyAreNow) {
    const Palette palette = SomePalette();
    Tileset set = Tiles(20, {{16, 16}});
    ThumbnailImage paged;
    paged.Reset(set.tileCount());
    paged.DrawPage(set, palette, 0);
    set.tile(3) = test::PatternTile(40, 10, 99);
    set.tiles.resize(12);
    set.lastTileNumber = 11;
    paged.Reset(set.tileCount());
    const auto page = paged.DrawPage(set, palette, 0);
    ThumbnailImage whole;
    whole.Fill(set, palette);
    EXPECT_EQ(std::vector<std::uint8_t>(page.begin(), page.end()), Reference(whole, 0));
}

}  // namespace
}  // namespace pixmill
