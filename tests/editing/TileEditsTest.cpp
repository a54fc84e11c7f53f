#include "editing/TileEdits.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/TestSupport.h"

namespace pixmill {
namespace {

using test::PatternTile;

const TileAttributes kBlank = {0, 0, 0, 16};

// Tiles A, B, C told apart by their widths 1, 2, 3, numbered 20 to 22.
Tileset Abc() {
    Tileset set;
    set.firstTileNumber = 20;
    set.lastTileNumber = 22;
    for (int w = 1; w <= 3; ++w) {
        set.tiles.push_back(PatternTile(w, 2, static_cast<std::uint8_t>(w)));
        set.tiles.back().attributes = {static_cast<std::uint8_t>(w), 1, 1, 1};
    }
    return set;
}

std::vector<int> Widths(const Tileset& set) {
    std::vector<int> widths;
    for (const Tile& tile : set.tiles) {
        widths.push_back(tile.width);
    }
    return widths;
}

void ExpectNumbersInStep(const Tileset& set) {
    EXPECT_EQ(set.firstTileNumber, 20);
    EXPECT_EQ(std::int64_t{set.lastTileNumber} - set.firstTileNumber + 1, set.tileCount());
}

TEST(ClearTile, LeavesABlankTile) {
    Tileset set = Abc();
    ClearTile(set, 2);
    EXPECT_EQ(set.tile(2).width, 0);
    EXPECT_EQ(set.tile(2).height, 0);
    EXPECT_TRUE(set.tile(2).pixels.empty());
    EXPECT_EQ(set.tile(2).attributes, kBlank);
    EXPECT_EQ(set.tile(3).width, 3);
}

TEST(ResizeTilePixels, KeepsTheTopLeftAndFillsWithZero) {
    Tile tile = PatternTile(4, 3);
    tile.attributes = {1, 2, 3, 4};
    const Tile before = tile;
    ResizeTilePixels(tile, 6, 2);
    ASSERT_EQ(tile.width, 6);
    ASSERT_EQ(tile.height, 2);
    ASSERT_EQ(tile.pixels.size(), 12u);
    for (int x = 1; x <= 6; ++x) {
        for (int y = 1; y <= 2; ++y) {
            EXPECT_EQ(tile.Pixel(x, y), x <= 4 ? before.Pixel(x, y) : 0) << x << "," << y;
        }
    }
    EXPECT_EQ(tile.attributes, before.attributes);

    ResizeTilePixels(tile, 1, 5);
    EXPECT_EQ(tile.Pixel(1, 2), before.Pixel(1, 2));
    EXPECT_EQ(tile.Pixel(1, 3), 0);
    EXPECT_EQ(tile.pixels.size(), 5u);

    // A width with no height (as a file or an import may give) has no pixels
    // to keep, and none is read.
    for (const auto& [w, h] : {std::pair{7, 0}, std::pair{0, 7}}) {
        Tile empty;
        empty.width = static_cast<std::int16_t>(w);
        empty.height = static_cast<std::int16_t>(h);
        const Tile resized = ResizedTile(empty, 3, 2);
        EXPECT_EQ(resized.pixels, TilePixels({0, 0, 0, 0, 0, 0})) << w << "x" << h;
    }
}

TEST(InsertBlankTile, MovesTheTilesFromItsPositionUp) {
    struct Case {
        int position;
        std::vector<int> widths;
    };
    for (const Case& c : {Case{3, {1, 2, 0, 3}}, Case{2, {1, 0, 2, 3}}, Case{4, {1, 2, 3, 0}},
                          Case{1, {0, 1, 2, 3}}}) {
        Tileset set = Abc();
        ASSERT_TRUE(InsertBlankTile(set, c.position));
        EXPECT_EQ(Widths(set), c.widths) << c.position;
        EXPECT_EQ(set.tile(c.position).attributes, kBlank);
        EXPECT_EQ(set.lastTileNumber, 23);
        ExpectNumbersInStep(set);
    }
    Tileset set = Abc();
    ASSERT_TRUE(InsertBlankTile(set, 2));
    EXPECT_EQ(set.tile(3).pixels, Abc().tile(2).pixels);
}

TEST(InsertBlankTile, RefusedWhenTheTilesetCannotGrow) {
    Tileset full;
    full.firstTileNumber = 0;
    // A save writes at most 8192 tiles, so the 8193rd is refused when asked for.
    full.lastTileNumber = kMaxArtTiles - 1;
    full.tiles.resize(kMaxArtTiles);
    const Status refused = InsertBlankTile(full, 6);
    EXPECT_EQ(refused.reason(), "it holds 8192 tiles, the most an ART file can hold");
    EXPECT_EQ(full.tileCount(), kMaxArtTiles);
    EXPECT_EQ(full.lastTileNumber, kMaxArtTiles - 1);

    Tileset atTheTop = Abc();
    atTheTop.firstTileNumber = INT32_MAX - 2;
    atTheTop.lastTileNumber = INT32_MAX;
    EXPECT_FALSE(InsertBlankTile(atTheTop, 1));
    EXPECT_EQ(atTheTop.tileCount(), 3);
}

TEST(RemoveTile, MovesTheLaterTilesDown) {
    Tileset set = Abc();
    RemoveTile(set, 2);
    EXPECT_EQ(Widths(set), (std::vector<int>{1, 3}));
    EXPECT_EQ(set.lastTileNumber, 21);
    ExpectNumbersInStep(set);

    RemoveTile(set, 1);
    EXPECT_EQ(Widths(set), (std::vector<int>{3}));
    for (int outside : {0, 2}) {
        RemoveTile(set, outside);
        EXPECT_EQ(set.tileCount(), 1);
    }
    RemoveTile(set, 1);
    EXPECT_EQ(set.tileCount(), 0);
    EXPECT_EQ(set.lastTileNumber, 19);
}

}  // namespace
}  // namespace pixmill
