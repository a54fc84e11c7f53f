#include "editing/SetChanges.h"

#include <gtest/gtest.h>

#include "editing/TilesetChange.h"
#include "tests/TestSupport.h"

namespace pixmill {
namespace {

// Three files of two tiles each.
Tileset ThreeFiles() {
    Tileset set;
    for (int i = 0; i < 6; ++i) {
        set.tiles.push_back(test::PatternTile(2, 2, static_cast<std::uint8_t>(i)));
    }
    for (int f = 0; f < 3; ++f) {
        SetFile file;
        file.path = "TILES00" + std::to_string(f) + ".ART";
        file.fileNumber = f;
        file.firstTileNumber = 2 * f;
        file.firstPosition = 2 * f + 1;
        file.tileCount = 2;
        set.setFiles.push_back(file);
    }
    set.lastTileNumber = 5;
    return set;
}

TEST(SetChanges, NameTheFilesAnEditReachedAndNoneOnceItIsUndone) {
    const Tileset saved = ThreeFiles();
    Tileset now = saved;
    EXPECT_TRUE(ChangedSetFiles(now, saved).empty());

    TilesetChange edit("Clear");
    edit.Replace(now, 6, Tile{});
    edit.Replace(now, 2, test::PatternTile(3, 3));
    edit.Apply(now);
    EXPECT_EQ(ChangedSetFiles(now, saved), (std::vector<std::size_t>{0, 2}));
    edit.Revert(now);
    EXPECT_TRUE(ChangedSetFiles(now, saved).empty());

    // The same pixels in a buffer of their own are no change either.
    now.tile(4).pixels[0] = saved.tile(4).pixels[0];
    EXPECT_TRUE(ChangedSetFiles(now, saved).empty());
    now.tile(4).attributes[3] = 9;
    EXPECT_EQ(ChangedSetFiles(now, saved), (std::vector<std::size_t>{1}));
}

}  // namespace
}  // namespace pixmill
