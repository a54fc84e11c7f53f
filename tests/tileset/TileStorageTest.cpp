// Tiles read from a file look into the file's bytes until they are changed;
// these are the faults such sharing invites.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <functional>

#include "editing/TileEdits.h"
#include "tests/TestSupport.h"
#include "tileset/ArtFile.h"

namespace pixmill {
namespace {

using test::Bytes;
using test::PatternTile;
using test::ReadBytes;
using test::ScratchDir;
using test::WriteBytes;

Tileset FourTiles() {
    Tileset set;
    set.firstTileNumber = 10;
    set.lastTileNumber = 13;
    set.tiles = {PatternTile(3, 2, 1), PatternTile(4, 4, 2), PatternTile(0, 0),
                 PatternTile(5, 1, 3)};
    return set;
}

TEST(TileStorage, AnEditReachesOnlyItsOwnTileAndLeavesTheBytesSavedForTheOthers) {
    ScratchDir dir;
    const std::string path = dir.Path("T.ART");
    ASSERT_TRUE(WriteArtFile(FourTiles(), path));
    const Bytes original = ReadBytes(path);

    const std::vector<std::pair<const char*, std::function<void(Tile&)>>> edits = {
        {"a pixel", [](Tile& t) { t.Pixel(2, 3) = 200; }},
        {"the bytes through data()", [](Tile& t) { t.pixels.data()[0] ^= 0xFF; }},
        {"an index", [](Tile& t) { t.pixels[5] = 7; }},
        {"a resize", [](Tile& t) { ResizeTilePixels(t, 6, 6); }},
        {"a clear", [](Tile& t) { t = Tile{}; }},
        {"a fill", [](Tile& t) { t.pixels.assign(t.PixelCount(), 9); }},
        {"a shorter size", [](Tile& t) { t.pixels.resize(3); }},
    };
    for (const auto& [what, edit] : edits) {
        auto set = ReadArtFile(path);
        ASSERT_TRUE(set) << set.reason();
        const Tileset before = *set;
        const Tile copyOfTile2 = set->tile(2);
        edit(set->tile(2));
        // The copy made before the edit and every other tile keep their pixels.
        EXPECT_EQ(copyOfTile2.pixels, before.tile(2).pixels) << what;
        for (int i : {1, 3, 4}) {
            EXPECT_EQ(set->tile(i).pixels, before.tile(i).pixels) << what << ", tile " << i;
            EXPECT_EQ(set->tile(i).pixels, FourTiles().tile(i).pixels) << what << ", tile " << i;
        }
        EXPECT_FALSE(set->tile(2).pixels.IsShared()) << what;
        // A copy of a tile that owns its pixels shares them until either side
        // writes: the same edit again reaches only the tile it is made on.
        const Tile afterFirst = set->tile(2);
        const Tile snapshotCopy = afterFirst;
        Tile second = afterFirst;
        edit(second);
        EXPECT_EQ(afterFirst.pixels, snapshotCopy.pixels) << what;
        EXPECT_EQ(set->tile(2).pixels, snapshotCopy.pixels) << what;
        if (!second.pixels.empty() && !afterFirst.pixels.empty()) {
            EXPECT_NE(second.pixels.data(), set->tile(2).pixels.data()) << what;
        }
        // Saving writes the untouched tiles' bytes exactly as they were read.
        set->tile(2) = FourTiles().tile(2);
        auto saved = ArtBytes(*set);
        ASSERT_TRUE(saved);
        EXPECT_EQ(*saved, original) << what;
    }
}

TEST(TileStorage, AFileChangedAfterItWasReadChangesNothingRead) {
    ScratchDir dir;
    const std::string path = dir.Path("T.ART");
    ASSERT_TRUE(WriteArtFile(FourTiles(), path));
    auto set = ReadArtFile(path);
    ASSERT_TRUE(set);
    const Bytes original = ReadBytes(path);

    // Overwritten in place (same file, not a new one put over it), then cut short.
    Bytes garbage(original.size(), 0xAB);
    {
        std::FILE* f = std::fopen(path.c_str(), "r+b");
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(std::fwrite(garbage.data(), 1, garbage.size(), f), garbage.size());
        std::fclose(f);
    }
    ASSERT_EQ(::truncate(path.c_str(), 20), 0);

    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(set->tile(i).pixels, FourTiles().tile(i).pixels) << "tile " << i;
    }
    auto saved = ArtBytes(*set);
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, original);
}

TEST(TileStorage, BytesHandedOverAreParsedWithoutCopyingAPixel) {
    auto bytes = ArtBytes(FourTiles());
    ASSERT_TRUE(bytes);
    auto block = ByteBlock::Allocate(bytes->size());
    ASSERT_TRUE(block);
    std::copy(bytes->begin(), bytes->end(), (*block)->data());
    const std::uint8_t* begin = (*block)->data();
    const std::uint8_t* end = begin + (*block)->size();

    auto set = ReadArt(SharedBytes(*block));
    ASSERT_TRUE(set) << set.reason();
    for (int i = 1; i <= 4; ++i) {
        const Tile& tile = set->tile(i);
        EXPECT_EQ(tile.pixels, FourTiles().tile(i).pixels) << "tile " << i;
        if (!tile.pixels.empty()) {
            EXPECT_TRUE(tile.pixels.IsShared()) << "tile " << i;
            EXPECT_TRUE(tile.pixels.data() >= begin && tile.pixels.data() < end) << "tile " << i;
        }
    }
    // The block outlives the caller's hold on it for as long as a tile looks into it.
    block->reset();
    EXPECT_EQ(set->tile(4).pixels, FourTiles().tile(4).pixels);
}

}  // namespace
}  // namespace pixmill
