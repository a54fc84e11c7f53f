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
}

TEST(InsertTile, AfterAndBeforeTheCurrentTile) {
    Tileset set = Abc();
    EditorState state;
    state.currentTile = 2;
    ASSERT_TRUE(InsertTile(set, state, state.currentTile + 1));
    EXPECT_EQ(Widths(set), (std::vector<int>{1, 2, 0, 3}));
    EXPECT_EQ(state.currentTile, 3);
    EXPECT_EQ(set.tile(3).attributes, kBlank);
    EXPECT_EQ(set.lastTileNumber, 23);
    ExpectNumbersInStep(set);

    set = Abc();
    state.currentTile = 2;
    ASSERT_TRUE(InsertTile(set, state, state.currentTile));
    EXPECT_EQ(Widths(set), (std::vector<int>{1, 0, 2, 3}));
    EXPECT_EQ(state.currentTile, 2);
    EXPECT_EQ(set.tile(3).pixels, Abc().tile(2).pixels);
    ExpectNumbersInStep(set);
}

TEST(InsertTile, AtTheEndAndWithNoTileSelected) {
    Tileset set = Abc();
    EditorState state;
    state.currentTile = 3;
    ASSERT_TRUE(InsertTile(set, state, 4));
    EXPECT_EQ(Widths(set), (std::vector<int>{1, 2, 3, 0}));
    EXPECT_EQ(state.currentTile, 4);

    state.currentTile = 0;
    ASSERT_TRUE(InsertTile(set, state, state.currentTile + 1));
    EXPECT_EQ(Widths(set), (std::vector<int>{0, 1, 2, 3, 0}));
    EXPECT_EQ(state.currentTile, 1);
    ExpectNumbersInStep(set);
}

TEST(InsertTile, RefusedWhenTheTilesetCannotGrow) {
    Tileset full;
    full.firstTileNumber = 0;
    full.lastTileNumber = kMaxTiles - 1;
    full.tiles.resize(kMaxTiles);
    EditorState state;
    state.currentTile = 5;
    EXPECT_FALSE(InsertTile(full, state, 6));
    EXPECT_EQ(full.tileCount(), kMaxTiles);
    EXPECT_EQ(full.lastTileNumber, kMaxTiles - 1);
    EXPECT_EQ(state.currentTile, 5);

    Tileset atTheTop = Abc();
    atTheTop.firstTileNumber = INT32_MAX - 2;
    atTheTop.lastTileNumber = INT32_MAX;
    EXPECT_FALSE(InsertTile(atTheTop, state, 1));
    EXPECT_EQ(atTheTop.tileCount(), 3);
}

TEST(DeleteTile, TheTileBeforeBecomesCurrent) {
    Tileset set = Abc();
    EditorState state;
    state.currentTile = 2;
    DeleteTile(set, state);
    EXPECT_EQ(Widths(set), (std::vector<int>{1, 3}));
    EXPECT_EQ(state.currentTile, 1);
    EXPECT_EQ(set.lastTileNumber, 21);
    ExpectNumbersInStep(set);

    set = Abc();
    state.currentTile = 1;
    DeleteTile(set, state);
    EXPECT_EQ(Widths(set), (std::vector<int>{2, 3}));
    EXPECT_EQ(state.currentTile, 0);

    state.currentTile = 0;
    DeleteTile(set, state);  // nothing selected: nothing to delete
    EXPECT_EQ(set.tileCount(), 2);
}

TEST(DeleteTile, TheOnlyTileLeavesAnEmptyTileset) {
    Tileset set = Abc();
    set.tiles.resize(1);
    set.lastTileNumber = 20;
    EditorState state;
    state.currentTile = 1;
    DeleteTile(set, state);
    EXPECT_EQ(set.tileCount(), 0);
    EXPECT_EQ(set.lastTileNumber, 19);
    EXPECT_EQ(state.currentTile, 0);
}

}  // namespace
}  // namespace pixmill
