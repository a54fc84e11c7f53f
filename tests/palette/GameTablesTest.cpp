// A game's shade tables, palette swaps and alternative palettes, and tiles
// drawn through them.

#include <gtest/gtest.h>

#include <numeric>

#include "palette/LookupFile.h"
#include "palette/Remap.h"
#include "palette/ShadeTables.h"
#include "tests/TestSupport.h"

namespace pixmill {
namespace {

using test::Bytes;
using test::ReadBytes;
using test::ScratchDir;
using test::WriteBytes;

ColourMap Identity() {
    ColourMap map{};
    std::iota(map.begin(), map.end(), std::uint8_t{0});
    return map;
}

// 768 bytes of colour, the count, the tables, the translucency table, extra.
Bytes PaletteFileBytes(const std::vector<ColourMap>& shades, std::size_t translucency = 65536,
                       const Bytes& extra = {}) {
    Bytes b(770, 7);
    test::Put16(b, 768, static_cast<std::int16_t>(shades.size()));
    for (const ColourMap& shade : shades) {
        b.insert(b.end(), shade.begin(), shade.end());
    }
    for (std::size_t i = 0; i < translucency; ++i) {
        b.push_back(static_cast<std::uint8_t>(i * 13));
    }
    b.insert(b.end(), extra.begin(), extra.end());
    return b;
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(ShadeTables, AreReadWithWhatFollowsThemAndGiveTheirBytesBack) {
    ColourMap dark = Identity();
    dark[1] = 0;
    dark[255] = 254;  // as shipped files have it: drawn so, never corrected
    const Bytes file = PaletteFileBytes({Identity(), dark}, 65536, {1, 2, 3});
    auto tables = ReadShadeTables(file);
    ASSERT_TRUE(tables) << tables.reason();
    ASSERT_EQ(tables->shades.size(), 2u);
    EXPECT_EQ(tables->shades[1], dark);
    EXPECT_EQ(tables->translucency.size(), 65536u);
    EXPECT_EQ(tables->translucency[2], 26);
    EXPECT_EQ(tables->extra, (Bytes{1, 2, 3}));
    EXPECT_EQ(ShadeTablesBytes(*tables), Bytes(file.begin() + 768, file.end()));

    // The colours alone: no tables, and nothing to write after them.
    auto none = ReadShadeTables(Bytes(768, 0));
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->shades.empty());
    EXPECT_TRUE(ShadeTablesBytes(*none).empty());
}

TEST(ShadeTables, ThatDoNotFitAreRefusedWithTheirReason) {
    Bytes negative = PaletteFileBytes({});
    test::Put16(negative, 768, -3);
    Bytes cutTable = PaletteFileBytes({Identity()});
    cutTable.resize(900);
    const std::pair<Bytes, const char*> cases[] = {
        {Bytes(769, 0), "ends inside the count of shade tables"},
        {cutTable, "claims 1 shade tables (256 bytes), but only 130 bytes follow the count"},
        {PaletteFileBytes({Identity(), Identity()}, 65535),
         "translucency table is cut short: 65536 bytes are needed after the shade tables, 65535 "
         "bytes follow them"},
        {negative, "count of shade tables reads as -3"},
    };
    for (const auto& [bytes, why] : cases) {
        auto refused = ReadShadeTables(bytes);
        ASSERT_FALSE(refused) << why;
        EXPECT_TRUE(Has(refused.reason(), why)) << refused.reason();
    }
    // A count of 32767 in a small file is refused without allocating 8 MB.
    Bytes huge = PaletteFileBytes({});
    test::Put16(huge, 768, 32767);
    EXPECT_TRUE(Has(ReadShadeTables(huge).reason(), "claims 32767 shade tables"));
}

TEST(ShadeTables, OfTheRealPaletteAreKeptAsStored) {
    const std::string path = test::FixturePath("kenbuild/PALETTE.DAT");
    if (path.empty()) {
        GTEST_SKIP() << "fixtures absent";
    }
    const Bytes file = ReadBytes(path);
    auto tables = ReadShadeTables(file);
    ASSERT_TRUE(tables) << tables.reason();
    EXPECT_EQ(tables->shades.size(), 32u);
    EXPECT_EQ(tables->shades[0][255], 255);
    EXPECT_EQ(tables->shades[1][255], 254);
    EXPECT_EQ(tables->shades[31][40], 0);
    EXPECT_TRUE(tables->extra.empty());
    EXPECT_EQ(ShadeTablesBytes(*tables), Bytes(file.begin() + 768, file.end()));
}

// N swaps (number, map), then palettes of 6-bit values.
Bytes LookupFileBytes(const std::vector<std::pair<int, ColourMap>>& swaps, int palettes) {
    Bytes b{static_cast<std::uint8_t>(swaps.size())};
    for (const auto& [number, map] : swaps) {
        b.push_back(static_cast<std::uint8_t>(number));
        b.insert(b.end(), map.begin(), map.end());
    }
    for (int p = 0; p < palettes; ++p) {
        for (int i = 0; i < 768; ++i) {
            b.push_back(static_cast<std::uint8_t>((i + p) % 64));
        }
    }
    return b;
}

TEST(LookupFile, GivesSwapsByNumberAndTheAlternativePalettes) {
    ColourMap red = Identity();
    red[10] = 200;
    ColourMap blue = Identity();
    blue[10] = 100;
    ColourMap blueAgain = Identity();
    blueAgain[10] = 101;
    const Bytes file = LookupFileBytes({{21, red}, {1, blue}, {1, blueAgain}}, 2);
    auto lookup = ReadLookup(file);
    ASSERT_TRUE(lookup) << lookup.reason();
    ASSERT_EQ(lookup->swaps.size(), 2u);
    EXPECT_EQ(lookup->swaps[0].number, 1);
    EXPECT_EQ(lookup->swaps[0].map[10], 101);  // the later table, as the game keeps it
    EXPECT_EQ(lookup->swaps[1].number, 21);
    EXPECT_EQ(lookup->swaps[1].map, red);
    ASSERT_EQ(lookup->alternatives.size(), 2u);
    EXPECT_EQ(lookup->alternatives[1][0], (PaletteEntry{4, 8, 12}));  // 6-bit values times 4
    EXPECT_EQ(ReadLookup(LookupBytes(*lookup))->swaps[0].map[10], 101);
    EXPECT_EQ(LookupBytes(*lookup).size(), 1 + 2 * 257 + 2 * 768u);

    // Games without alternative palettes, and with none of either.
    EXPECT_TRUE(ReadLookup(LookupFileBytes({{1, blue}}, 0))->alternatives.empty());
    EXPECT_TRUE(ReadLookup(Bytes{0})->swaps.empty());
}

TEST(LookupFile, ThatDoesNotFitIsRefusedWithItsReason) {
    Bytes cutSwaps = LookupFileBytes({{1, Identity()}, {2, Identity()}}, 0);
    cutSwaps.resize(300);
    Bytes claims255 = {255, 1, 2, 3};
    Bytes partPalette = LookupFileBytes({{1, Identity()}}, 1);
    partPalette.resize(partPalette.size() - 468);
    Bytes sixPalettes = LookupFileBytes({}, 6);
    Bytes fiveAndSome = LookupFileBytes({}, 5);
    fiveAndSome.resize(fiveAndSome.size() + 100);
    Bytes bright = LookupFileBytes({}, 3);
    bright[1 + 768 * 2 + 3 * 7 + 1] = 64;
    const std::pair<Bytes, const char*> cases[] = {
        {{}, "the file is empty"},
        {cutSwaps, "it claims 2 palette swaps (514 bytes), but only 299 bytes follow its count"},
        {claims255, "it claims 255 palette swaps (65535 bytes), but only 3 bytes follow"},
        {partPalette, "the file ends 300 bytes into alternative palette 1 (Underwater)"},
        {sixPalettes, "768 bytes follow the five alternative palettes"},
        {fiveAndSome, "100 bytes follow the five alternative palettes"},
        {bright, "alternative palette 3 (Title screen) gives colour 7 the value 64"},
    };
    for (const auto& [bytes, why] : cases) {
        auto refused = ReadLookup(bytes);
        ASSERT_FALSE(refused) << why;
        EXPECT_TRUE(Has(refused.reason(), why)) << refused.reason();
    }
}

TEST(LookupFile, IsFoundBesideThePaletteInAnyCase) {
    ScratchDir dir;
    WriteBytes(dir.Path("palette.dat"), Bytes(768));
    EXPECT_EQ(LookupBeside(dir.Path("palette.dat")), "");
    WriteBytes(dir.Path("Lookup.Dat"), Bytes{0});
    EXPECT_EQ(LookupBeside(dir.Path("palette.dat")), dir.Path("Lookup.Dat"));
    WriteBytes(dir.Path("LOOKUP.DAT"), Bytes{0});
    EXPECT_EQ(LookupBeside(dir.Path("palette.dat")), dir.Path("LOOKUP.DAT"));
    EXPECT_FALSE(ReadLookupFile(dir.Path("absent")));
}

TEST(Remap, DrawsThroughTheSwapFirstAndThenTheShade) {
    Palette colours;
    for (std::size_t i = 0; i < 256; ++i) {
        colours[i] = {static_cast<std::uint8_t>(i), 0, static_cast<std::uint8_t>(255 - i)};
    }
    // Index 10: the swap makes it 20, shade 1 makes 20 thirty. Shade first
    // would give 40 (10 -> 40, which the swap keeps).
    ColourMap swap = Identity();
    swap[10] = 20;
    ColourMap dark = Identity();
    dark[20] = 30;
    dark[10] = 40;
    ShadeTables shades;
    shades.shades = {Identity(), dark};
    LookupTables lookup;
    lookup.swaps = {{7, swap}};
    Palette underwater{};
    underwater[30] = {1, 2, 3};
    underwater[40] = {9, 9, 9};
    lookup.alternatives = {underwater};

    const auto entry = [&](const DrawingChoice& choice, std::size_t index) {
        return ChosenPalette(colours, shades, lookup, choice)[index];
    };
    EXPECT_EQ(entry({1, 7, {}}, 10), colours[30]);
    EXPECT_EQ(entry({1, {}, {}}, 10), colours[40]);
    EXPECT_EQ(entry({{}, 7, {}}, 10), colours[20]);
    EXPECT_EQ(entry({{}, {}, {}}, 10), colours[10]);
    EXPECT_EQ(entry({1, {}, 0}, 10), (PaletteEntry{9, 9, 9}));
    EXPECT_EQ(entry({1, 7, 0}, 10), (PaletteEntry{1, 2, 3}));
    // Choices the tables do not hold draw as if not made.
    EXPECT_EQ(entry({2, 8, 1}, 10), colours[10]);
    EXPECT_EQ(entry({-1, {}, -1}, 10), colours[10]);
    EXPECT_EQ(RemappedPalette(colours, &swap, &dark)[11], colours[11]);
}

}  // namespace
}  // namespace pixmill
