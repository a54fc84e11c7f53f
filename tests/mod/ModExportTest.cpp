#include "mod/ModExport.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "bitmap/TilePng.h"
#include "common/Crc32.h"
#include "tests/TestSupport.h"

namespace pixmill {
namespace {

using test::Bytes;
using test::PatternTile;
using test::ScratchDir;

std::string Text(const std::string& path) {
    const Bytes bytes = test::ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

Tileset Numbered(std::int32_t first, std::vector<Tile> tiles) {
    Tileset set;
    set.firstTileNumber = first;
    set.lastTileNumber = first + static_cast<std::int32_t>(tiles.size()) - 1;
    set.tiles = std::move(tiles);
    return set;
}

Palette Greys() {
    Palette palette;
    for (std::size_t i = 0; i < 256; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        palette[i] = {v, v, static_cast<std::uint8_t>(255 - i)};
    }
    return palette;
}

TEST(ModChanges, FindEveryTileThatDiffersByItsGameNumber) {
    Tile animated = PatternTile(4, 4, 1);
    animated.attributes = {0x83, 0, 0, 0x25};  // forwards, 4 frames, speed 5, game bits 2
    const Tileset base = Numbered(100, {animated, PatternTile(3, 2, 20), PatternTile(2, 2, 30),
                                        Tile{}, PatternTile(1, 1, 9)});

    Tileset changed = base;
    changed.tile(1).attributes = {0xC1, 0, 0, 0x27};  // backwards, 2 frames, speed 7
    changed.tile(2).pixels[0] = 99;                   // a pixel drawn
    changed.tile(3).attributes[1] = 0xFE;             // x offset -2
    changed.tile(4) = PatternTile(2, 1, 40);          // an empty tile given a picture
    changed.tile(5) = Tile{};                         // cleared, as "Clear" does
    changed.tile(5).attributes[3] = 16;
    changed.tiles.push_back(PatternTile(1, 2, 50));  // a tile new to the game
    changed.tiles.push_back(Tile{});                 // an empty one: nothing to ship
    changed.lastTileNumber += 2;

    const std::vector<ModTile> mods = ModChanges(base, changed);
    struct Want {
        std::int64_t number;
        bool picture, animation, gameBits, crc;
    };
    const Want wants[] = {{100, false, true, false, true}, {101, true, false, false, true},
                          {102, true, false, false, true}, {103, true, false, false, false},
                          {104, true, false, true, true},  {105, true, false, false, false}};
    ASSERT_EQ(mods.size(), std::size(wants));
    for (std::size_t i = 0; i < mods.size(); ++i) {
        const Want& want = wants[i];
        EXPECT_EQ(mods[i].number, want.number);
        EXPECT_EQ(mods[i].picture, want.picture) << want.number;
        EXPECT_EQ(mods[i].animation, want.animation) << want.number;
        EXPECT_EQ(mods[i].gameBits, want.gameBits) << want.number;
        EXPECT_EQ(mods[i].originalCrc.has_value(), want.crc) << want.number;
    }
    EXPECT_EQ(mods[1].originalCrc, Crc32Of(base.tile(2).pixels.view()));
    EXPECT_EQ(mods[1].tile.pixels[0], 99);

    EXPECT_TRUE(ModChanges(base, base).empty());
    // Undone by hand to the same pixels in a buffer of its own: no change.
    Tileset redrawn = base;
    redrawn.tile(2).pixels[0] = base.tile(2).pixels[0];
    EXPECT_TRUE(ModChanges(base, redrawn).empty());
}

TEST(ModChanges, TileDeletedFromTheEndShowsAsEmptied) {
    const Tileset base = Numbered(0, {PatternTile(2, 2, 1), PatternTile(2, 2, 2)});
    Tileset changed = base;
    changed.tiles.pop_back();
    --changed.lastTileNumber;
    const std::vector<ModTile> mods = ModChanges(base, changed);
    ASSERT_EQ(mods.size(), 1u);
    EXPECT_EQ(mods[0].number, 1);
    EXPECT_TRUE(mods[0].picture);
    EXPECT_EQ(mods[0].tile.PixelCount(), 0u);
    EXPECT_EQ(ModDefinitionText(mods, {}), "// Tiles changed with Pixmill\nundefinetile 1\n");
}

TEST(ModDefinition, WritesEachChangeAsAPortReadsIt) {
    ModTile picture;
    picture.number = 1234;
    picture.tile = PatternTile(2, 2);
    picture.tile.attributes = {0, 0xFD, 0x05, 0};
    picture.picture = true;
    picture.originalCrc = 0xCBF43926u;
    ModTile animation;
    animation.number = 20;
    animation.tile.attributes = {0x87, 0, 0, 0xF3};  // forwards, 8 frames, speed 3
    animation.animation = true;
    animation.gameBits = true;
    ModTile emptied;
    emptied.number = 7;
    emptied.picture = true;
    emptied.animation = true;
    const std::vector<ModTile> mods = {emptied, animation, picture};

    EXPECT_EQ(ModDefinitionText(mods, {false, "TILES000.ART"}),
              "// Tiles changed with Pixmill: TILES000.ART\n"
              "undefinetile 7\n"
              "animtilerange 7 7 0 0\n"
              "animtilerange 20 27 3 2\n"
              "// tile 20: the upper four bits of its speed byte changed, which no definition "
              "sets\n"
              "tilefromtexture 1234 { file \"tiles/tile1234.png\" xoffset -3 yoffset 5 }\n");
    const std::string withCrc = ModDefinitionText({picture}, {true, ""});
    EXPECT_NE(withCrc.find("tilefromtexture 1234 { file \"tiles/tile1234.png\" xoffset -3 "
                           "yoffset 5 ifcrc -873187034 }\n"),
              std::string::npos)
        << withCrc;
}

TEST(ModWrite, PutsThePngsAndTheDefinitionInPlaceTogether) {
    ScratchDir dir;
    const Tileset base = Numbered(40, {PatternTile(3, 2, 1), PatternTile(2, 2, 2)});
    Tileset changed = base;
    changed.tile(2) = PatternTile(5, 3, 77);
    const std::vector<ModTile> mods = ModChanges(base, changed);
    const std::string def = dir.Path("mymod.def");
    auto written = WriteMod(mods, Greys(), def, {true, "base"});
    ASSERT_TRUE(written) << written.reason();
    EXPECT_EQ(written->pngs, 1);
    EXPECT_EQ(written->entries, 1);
    EXPECT_EQ(Text(def), ModDefinitionText(mods, {true, "base"}));
    auto png = ReadTilePngFile(dir.Path("tiles/tile41.png"));
    ASSERT_TRUE(png) << png.reason();
    EXPECT_EQ(png->tile.width, 5);
    EXPECT_EQ(png->tile.pixels, changed.tile(2).pixels);
    EXPECT_EQ(png->colourTable[3], Greys()[3]);

    // A definition path that cannot be written leaves no file and no folder.
    ScratchDir other;
    std::filesystem::create_directory(other.Path("taken.def"));
    EXPECT_FALSE(WriteMod(mods, Greys(), other.Path("taken.def"), {}));
    EXPECT_EQ(test::ListDir(other.root()), std::vector<std::string>{"taken.def"});
}

}  // namespace
}  // namespace pixmill
