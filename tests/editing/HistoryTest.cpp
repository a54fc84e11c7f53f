// Changes recorded for undo: undone and made again, each gives back exactly
// the bytes a save would write, keeps only what it changed, and stays within
// its budget.

#include <gtest/gtest.h>

#include <functional>

#include "editing/History.h"
#include "editing/TileEdits.h"
#include "editing/TilesetChange.h"
#include "tests/TestSupport.h"
#include "tileset/ArtFile.h"

namespace pixmill {
namespace {

using test::Bytes;
using test::PatternTile;

// Read from bytes, as the editor reads a file: the tiles look into one block.
Tileset ReadBack(const Tileset& tileset) {
    auto bytes = ArtBytes(tileset);
    EXPECT_TRUE(bytes);
    auto read = ReadArt(std::span<const std::uint8_t>(*bytes));
    EXPECT_TRUE(read) << read.reason();
    return *read;
}

Tileset Tiles(int count) {
    Tileset set;
    set.firstTileNumber = 100;
    set.lastTileNumber = 100 + count - 1;
    for (int i = 1; i <= count; ++i) {
        set.tiles.push_back(PatternTile(i, 3, static_cast<std::uint8_t>(i)));
        set.tiles.back().attributes = {static_cast<std::uint8_t>(i), 2, 3, 4};
    }
    return ReadBack(set);
}

Bytes Saved(const Tileset& tileset) {
    auto bytes = ArtBytes(tileset);
    EXPECT_TRUE(bytes) << bytes.reason();
    return bytes ? *bytes : Bytes{};
}

TEST(TilesetChange, UndoneAndMadeAgainEachGivesTheBytesASaveWrites) {
    struct Case {
        const char* what;
        std::function<void(const Tileset&, TilesetChange&)> record;
        std::function<void(Tileset&)> expected;  // the same change, made directly
    };
    const Case cases[] = {
        {"a new picture",
         [](const Tileset& s, TilesetChange& c) { c.Replace(s, 2, PatternTile(7, 9, 77)); },
         [](Tileset& s) { s.tile(2) = PatternTile(7, 9, 77); }},
        {"attribute bytes",
         [](const Tileset& s, TilesetChange& c) {
             Tile t = s.tile(3);
             t.attributes = {9, 8, 7, 6};
             c.Replace(s, 3, t);
         },
         [](Tileset& s) {
             s.tile(3).attributes = {9, 8, 7, 6};
         }},
        {"a resize",
         [](const Tileset& s, TilesetChange& c) { c.Replace(s, 4, ResizedTile(s.tile(4), 9, 2)); },
         [](Tileset& s) { ResizeTilePixels(s.tile(4), 9, 2); }},
        {"a range cleared",
         [](const Tileset& s, TilesetChange& c) {
             for (int i = 2; i <= 5; ++i) {
                 c.Replace(s, i, BlankTile());
             }
         },
         [](Tileset& s) {
             for (int i = 2; i <= 5; ++i) {
                 ClearTile(s, i);
             }
         }},
        {"an insert first", [](const Tileset&, TilesetChange& c) { c.Insert(1, BlankTile()); },
         [](Tileset& s) { ASSERT_TRUE(InsertBlankTile(s, 1)); }},
        {"an insert last", [](const Tileset&, TilesetChange& c) { c.Insert(7, BlankTile()); },
         [](Tileset& s) { ASSERT_TRUE(InsertBlankTile(s, 7)); }},
        {"a pasted tile inserted",
         [](const Tileset&, TilesetChange& c) { c.Insert(3, PatternTile(2, 2, 5)); },
         [](Tileset& s) {
             s.tiles.insert(s.tiles.begin() + 2, PatternTile(2, 2, 5));
             ++s.lastTileNumber;
         }},
        {"the first erased", [](const Tileset& s, TilesetChange& c) { c.Erase(s, 1); },
         [](Tileset& s) { RemoveTile(s, 1); }},
        {"the last erased", [](const Tileset& s, TilesetChange& c) { c.Erase(s, 6); },
         [](Tileset& s) { RemoveTile(s, 6); }},
    };
    for (const Case& c : cases) {
        Tileset tileset = Tiles(6);
        const Bytes before = Saved(tileset);
        Tileset made = Tiles(6);
        c.expected(made);
        const Bytes after = Saved(made);

        History history;
        TilesetChange change(c.what);
        c.record(tileset, change);
        EXPECT_FALSE(change.Empty()) << c.what;
        change.Apply(tileset);
        history.Record(std::move(change));
        EXPECT_EQ(Saved(tileset), after) << c.what;
        EXPECT_EQ(history.UndoName(), c.what);
        for (int round = 0; round < 2; ++round) {
            ASSERT_NE(history.Undo(tileset), nullptr);
            EXPECT_EQ(Saved(tileset), before) << c.what;
            EXPECT_EQ(history.RedoName(), c.what);
            ASSERT_NE(history.Redo(tileset), nullptr);
            EXPECT_EQ(Saved(tileset), after) << c.what;
        }
        EXPECT_EQ(history.Redo(tileset), nullptr);
    }
}

TEST(TilesetChange, AChangeThatChangesNothingIsEmpty) {
    const Tileset tileset = Tiles(3);
    TilesetChange same("Properties");
    same.Replace(tileset, 2, tileset.tile(2));
    // Equal bytes in other storage are the same tile to a save.
    Tile copied = tileset.tile(3);
    copied.pixels.data()[0] = copied.pixels.data()[0];
    same.Replace(tileset, 3, copied);
    EXPECT_TRUE(same.Empty());
    TilesetChange moved("Properties");
    Tile shifted = tileset.tile(2);
    shifted.attributes[1] = 99;
    moved.Replace(tileset, 2, shifted);
    EXPECT_FALSE(moved.Empty());
}

TEST(History, TheSavedPointIsAPlaceInTheHistory) {
    Tileset tileset = Tiles(4);
    History history;
    const auto change = [&](int position) {
        TilesetChange c("Clear");
        c.Replace(tileset, position, BlankTile());
        c.Apply(tileset);
        history.Record(std::move(c));
    };
    EXPECT_FALSE(history.Modified());
    change(1);
    change(2);
    EXPECT_TRUE(history.Modified());
    history.MarkSaved();
    EXPECT_FALSE(history.Modified());
    history.Undo(tileset);
    EXPECT_TRUE(history.Modified());
    history.Redo(tileset);
    EXPECT_FALSE(history.Modified());
    // Undone past the save and changed otherwise: the saved state is gone.
    history.Undo(tileset);
    history.Undo(tileset);
    change(3);
    EXPECT_TRUE(history.Modified());
    history.Undo(tileset);
    EXPECT_TRUE(history.Modified());
    EXPECT_FALSE(history.CanRedo() && history.RedoName() != "Clear");

    history.Clear(false);  // a recovered tileset: unsaved from the start
    EXPECT_TRUE(history.Modified());
    EXPECT_FALSE(history.CanUndo());
    history.Clear();
    EXPECT_FALSE(history.Modified());
}

TEST(History, KeepsOnlyWhatChangesAndDropsTheOldestPastItsBudget) {
    // 40 tiles of 32 x 32 read from one block; each change gives a tile a
    // picture of its own.
    Tileset source;
    source.firstTileNumber = 0;
    source.lastTileNumber = 39;
    for (int i = 0; i < 40; ++i) {
        source.tiles.push_back(PatternTile(32, 32, static_cast<std::uint8_t>(i)));
    }
    Tileset tileset = ReadBack(source);
    constexpr std::size_t kTile = 32 * 32;
    History history(10 * kTile);

    const auto paint = [&](int position, std::uint8_t seed) {
        TilesetChange c("Pencil");
        c.Replace(tileset, position, PatternTile(32, 32, seed));
        c.Apply(tileset);
        history.Record(std::move(c));
    };
    // Tiles that look into the file's block cost nothing to keep, and the new
    // pictures are the tileset's own: nothing is the history's alone.
    paint(1, 200);
    EXPECT_LT(history.OwnBytes(), kTile);
    // Painted again, the first new picture is kept by the history alone.
    paint(1, 201);
    EXPECT_GE(history.OwnBytes(), kTile);
    EXPECT_LT(history.OwnBytes(), 2 * kTile);

    // Undoing both: the pictures undone are the history's, the file's view is back.
    history.Undo(tileset);
    history.Undo(tileset);
    EXPECT_TRUE(tileset.tile(1).pixels.IsShared());
    EXPECT_EQ(tileset.tile(1).pixels, source.tile(1).pixels);

    // Many changes: the oldest go, the newest stay, and a save point among
    // the dropped ones can no longer be reached.
    for (int round = 0; round < 30; ++round) {
        paint(1 + round % 5, static_cast<std::uint8_t>(round));
    }
    EXPECT_LE(history.OwnBytes(), 10 * kTile + kTile);
    EXPECT_LT(history.size(), 30U);
    EXPECT_GT(history.size(), 5U);
    EXPECT_TRUE(history.Modified());
    while (history.CanUndo()) {
        history.Undo(tileset);
    }
    EXPECT_TRUE(history.Modified());
    // Every tile untouched by the changes still looks into the file's bytes.
    for (int i = 6; i <= 40; ++i) {
        EXPECT_TRUE(tileset.tile(i).pixels.IsShared()) << i;
    }

    // One change larger than the whole budget is kept, so that it can be undone.
    History small(kTile / 2);
    Tileset other = ReadBack(source);
    for (const std::uint8_t seed : {std::uint8_t{1}, std::uint8_t{2}, std::uint8_t{3}}) {
        TilesetChange c("Import BMP");
        c.Replace(other, 1, PatternTile(32, 32, seed));
        c.Apply(other);
        small.Record(std::move(c));
    }
    EXPECT_EQ(small.size(), 1U);
    ASSERT_NE(small.Undo(other), nullptr);
    EXPECT_EQ(other.tile(1).pixels, PatternTile(32, 32, 2).pixels);
}

}  // namespace
}  // namespace pixmill
