#include "app/GoToTile.h"

#include <gtest/gtest.h>

#include "tests/TestSupport.h"

namespace pixmill {
namespace {

using Kind = GoToTarget::Kind;

// 20 tiles whose ART numbers are 100 to 119, and names kept by ART number,
// two of them outside the file.
struct Named {
    Tileset tileset;
    TileNames names;
    Named() {
        tileset.firstTileNumber = 100;
        tileset.lastTileNumber = 119;
        tileset.tiles.resize(20);
        const std::pair<int, const char*> named[] = {
            {105, "DOOR1"}, {106, "DOOR10"}, {110, "door2"}, {111, "WALL"},
            {112, "WALL"},  {50, "DOORX"},   {200, "SKY"}};
        for (const auto& [number, name] : named) {
            names.ExtendTo(number);
            names.Set(number, name);
        }
    }
};

TEST(GoToTile, TakesAPositionAnArtNumberOrAName) {
    const Named file;
    const struct {
        const char* typed;
        Kind kind;
        int position;  // or, for a list, the first choice's
        std::string message;
    } cases[] = {
        {"12", Kind::Tile, 12, ""},
        {"  20 ", Kind::Tile, 20, ""},
        {"#111", Kind::Tile, 12, ""},
        {"#100", Kind::Tile, 1, ""},
        {"#99", Kind::Refused, 0,
         "There is no tile #99 in this file; its ART numbers are 100 to 119."},
        {"#120", Kind::Refused, 0,
         "There is no tile #120 in this file; its ART numbers are 100 to 119."},
        {"21", Kind::Refused, 0, "There is no tile 21 in this file; its tiles are 1 to 20."},
        {"0", Kind::Refused, 0, "There is no tile 0 in this file; its tiles are 1 to 20."},
        {"-3", Kind::Refused, 0, "There is no tile -3 in this file; its tiles are 1 to 20."},
        {"12.5", Kind::Refused, 0,
         "Type a tile's position (12), its ART number (#11) or its name."},
        {"#DOOR1", Kind::Refused, 0,
         "Type a tile's position (12), its ART number (#11) or its name."},
        // A name that equals the text wins over those that begin with it.
        {"door1", Kind::Tile, 6, ""},
        {"Door2", Kind::Tile, 11, ""},
        {"doo", Kind::Choose, 6, ""},
        {"wall", Kind::Choose, 12, ""},
        // SKY names ART number 200, which this file does not hold.
        {"sky", Kind::Refused, 0, "No tile is named \"sky\"."},
        {"   ", Kind::Nothing, 0, ""},
    };
    for (const auto& c : cases) {
        const GoToTarget target = FindTileToGoTo(c.typed, file.tileset, file.names);
        EXPECT_EQ(target.kind, c.kind) << c.typed;
        EXPECT_EQ(target.message, c.message) << c.typed;
        if (c.kind == Kind::Tile) {
            EXPECT_EQ(target.position, c.position) << c.typed;
        }
        if (c.kind == Kind::Choose) {
            ASSERT_FALSE(target.choices.empty()) << c.typed;
            EXPECT_EQ(target.choices.front().position, c.position) << c.typed;
        }
    }
    // The list is in the file's order, each line with its position and ART number.
    const GoToTarget doors = FindTileToGoTo("DOO", file.tileset, file.names);
    EXPECT_EQ(doors.choices, (std::vector<NamedTile>{{6, "DOOR1"}, {7, "DOOR10"}, {11, "door2"}}));
    EXPECT_EQ(doors.matchCount, 3);
    EXPECT_EQ(doors.text, "DOO");
    EXPECT_EQ(NamedTileText(doors.choices[1], file.tileset), "DOOR10 - tile 7 (ART 106)");
}

TEST(GoToTile, WithoutNamesOrTilesItSaysWhy) {
    Named file;
    EXPECT_EQ(FindTileToGoTo("rock", file.tileset, TileNames()).message,
              "No tile is named \"rock\".\nNo names of this file's tiles are loaded "
              "(File > Load Names.h...).");
    EXPECT_EQ(FindTileToGoTo("1", Tileset(), file.names).message, "There is no tile to go to.");
    // A number too large for any type is no tile either.
    EXPECT_EQ(FindTileToGoTo("99999999999999999999999", file.tileset, file.names).kind,
              Kind::Refused);

    // Many names beginning alike: a short list, and the count of all of them.
    file.tileset.tiles.resize(60);
    file.tileset.lastTileNumber = 159;
    for (int i = 0; i < 40; ++i) {
        file.names.ExtendTo(120 + i);
        file.names.Set(120 + i, "N" + std::to_string(i));
    }
    const GoToTarget many = FindTileToGoTo("n", file.tileset, file.names);
    EXPECT_EQ(many.kind, Kind::Choose);
    EXPECT_EQ(many.matchCount, 40);
    EXPECT_EQ(many.choices.size(), static_cast<std::size_t>(kMaxGoToChoices));
    EXPECT_EQ(many.choices.front(), (NamedTile{21, "N0"}));
}

TEST(GoToTile, InAGamesSetNumbersAreTheGamesAcrossItsFiles) {
    // TILES000.ART holds 0 to 3, TILES002.ART 8 to 9 (a gap of 4 to 7).
    Named set;
    set.tileset.tiles.resize(6);
    set.tileset.firstTileNumber = 0;
    set.tileset.setFiles = {{"/g/TILES000.ART", 0, false, 0, 1, 4, {}},
                            {"/g/TILES002.ART", 2, false, 8, 5, 2, {}}};
    set.names.ExtendTo(9);
    set.names.Set(9, "LAVA");
    const std::pair<const char*, int> found[] = {{"9", 6}, {"#9", 6}, {"3", 4}, {"lava", 6}};
    for (const auto& [typed, position] : found) {
        const GoToTarget target = FindTileToGoTo(typed, set.tileset, set.names);
        EXPECT_EQ(target.kind, Kind::Tile) << typed;
        EXPECT_EQ(target.position, position) << typed;
    }
    const GoToTarget gap = FindTileToGoTo("5", set.tileset, set.names);
    EXPECT_EQ(gap.message, "There is no tile 5 in this set; its numbers are 0 to 9.");
    EXPECT_EQ(NamedTileText({6, "LAVA"}, set.tileset), "LAVA - tile 9 (TILES002.ART)");
}

}  // namespace
}  // namespace pixmill
