// The example palette and tileset: the committed files are exactly what
// pixmill-make-examples writes, and they hold what examples/README.md promises.

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "editing/Attributes.h"
#include "palette/PaletteFile.h"
#include "tests/TestSupport.h"
#include "tileset/ArtFile.h"

namespace pixmill::test {
namespace {

const std::string kExamples = PIXMILL_EXAMPLES_DIR;
const std::string kPalettePath = kExamples + "/PIXMILL.DAT";
const std::string kArtPath = kExamples + "/TILES000.ART";

// The generator's exit status.
int RunMakeExamples(const std::vector<std::string>& args) {
    return RunProgram(PIXMILL_MAKE_EXAMPLES, args).exitCode;
}

Tileset ReadExampleTileset() {
    Result<Tileset> tileset = ReadArtFile(kArtPath);
    if (!tileset) {
        ADD_FAILURE() << kArtPath << ": " << tileset.reason();
        return {};
    }
    return std::move(*tileset);
}

// Decoded here from the bits, independently of the editor's unpacking.
int FrameCount(const Tile& tile) {
    return (tile.attributes[0] & 0x3F) + 1;
}
int AnimTypeOf(const Tile& tile) {
    return tile.attributes[0] >> 6;
}
int StoredX(const Tile& tile) {
    return static_cast<std::int8_t>(tile.attributes[1]);
}
int StoredY(const Tile& tile) {
    return static_cast<std::int8_t>(tile.attributes[2]);
}

TEST(ExampleFiles, CommittedFilesAreExactlyWhatTheProgramWrites) {
    ScratchDir dir;
    ASSERT_EQ(RunMakeExamples({dir.root().string()}), 0);
    EXPECT_EQ(ListDir(dir.root()), (std::vector<std::string>{"PIXMILL.DAT", "TILES000.ART"}));
    // On a difference, regenerate: build/examples/pixmill-make-examples examples
    EXPECT_TRUE(ReadBytes(dir.Path("PIXMILL.DAT")) == ReadBytes(kPalettePath));
    EXPECT_TRUE(ReadBytes(dir.Path("TILES000.ART")) == ReadBytes(kArtPath));
}

TEST(ExampleFiles, ProgramRefusesMisuseAndAMissingFolder) {
    EXPECT_EQ(RunMakeExamples({}), 2);
    ScratchDir dir;
    EXPECT_EQ(RunMakeExamples({dir.root().string(), dir.root().string()}), 2);
    EXPECT_TRUE(ListDir(dir.root()).empty());

    EXPECT_EQ(RunMakeExamples({dir.Path("missing")}), 1);
    EXPECT_TRUE(ListDir(dir.root()).empty());
}

TEST(ExamplePalette, IsABuildPaletteFromBlackToWhiteWithDistinctColours) {
    const Bytes bytes = ReadBytes(kPalettePath);
    ASSERT_EQ(bytes.size(), 768u);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        EXPECT_LE(bytes[i], 63) << "byte " << i;
    }
    const Result<Palette> palette = ReadPaletteFile(kPalettePath);
    ASSERT_TRUE(palette.ok()) << palette.reason();
    // The swatches show entries 0 and 255 after a load.
    EXPECT_EQ((*palette)[0], (PaletteEntry{0, 0, 0}));
    EXPECT_EQ((*palette)[255], (PaletteEntry{252, 252, 252}));

    std::set<std::tuple<int, int, int>> colours;
    for (const PaletteEntry& e : *palette) {
        colours.insert({e.red, e.green, e.blue});
    }
    EXPECT_EQ(colours.size(), 256u);
}

TEST(ExampleTileset, ReadsBackWithEveryPromisedSize) {
    const Tileset tileset = ReadExampleTileset();
    EXPECT_EQ(tileset.artVersion, 1);
    EXPECT_EQ(tileset.firstTileNumber, 0);
    EXPECT_EQ(tileset.lastTileNumber, tileset.tileCount() - 1);
    EXPECT_EQ(tileset.artFileNumber, 0);
    EXPECT_GE(tileset.tileCount(), 30);

    std::set<std::pair<int, int>> sizes;
    for (const Tile& tile : tileset.tiles) {
        sizes.insert({tile.width, tile.height});
    }
    const std::pair<int, int> promised[] = {{0, 0},   {1, 1},    {5, 3},    {16, 16}, {32, 32},
                                            {64, 64}, {128, 32}, {32, 200}, {96, 96}, {256, 128}};
    for (const auto& size : promised) {
        EXPECT_EQ(sizes.count(size), 1u) << size.first << " x " << size.second;
    }
    // Small enough to sit in the repository.
    EXPECT_LT(ReadBytes(kArtPath).size(), 200u * 1024u);
}

TEST(ExampleTileset, PaletteChartShowsEveryEntryInIndexOrder) {
    const Tileset tileset = ReadExampleTileset();
    const Tile* chart = nullptr;
    for (const Tile& tile : tileset.tiles) {
        if (tile.width == 256 && tile.height == 128) {
            chart = &tile;
        }
    }
    ASSERT_NE(chart, nullptr);
    for (int index = 0; index < 256; ++index) {
        const int x = index % 16 * 16 + 8;
        const int y = index / 16 * 8 + 4;
        EXPECT_EQ(chart->Pixel(x, y), index) << "swatch " << index;
    }
}

struct Sequence {
    int position;
    int frames;
    int animType;
    int speed;
    friend bool operator==(const Sequence&, const Sequence&) = default;
};

TEST(ExampleTileset, AnimationsCarryTheirSettingsOnTheFirstFrame) {
    const Tileset tileset = ReadExampleTileset();
    std::vector<Sequence> sequences;
    for (int i = 1; i <= tileset.tileCount(); ++i) {
        const Tile& first = tileset.tile(i);
        if (FrameCount(first) == 1) {
            continue;
        }
        sequences.push_back({i, FrameCount(first), AnimTypeOf(first), first.attributes[3]});
        // The editor unpacks the same values.
        const ShownAttributes shown = UnpackAttributes(first.attributes);
        EXPECT_EQ(shown.frameCount, FrameCount(first)) << "tile " << i;
        EXPECT_EQ(shown.animType, AnimTypeOf(first)) << "tile " << i;

        ASSERT_LE(i + FrameCount(first) - 1, tileset.tileCount()) << "tile " << i;
        for (int f = 1; f < FrameCount(first); ++f) {
            const Tile& frame = tileset.tile(i + f);
            EXPECT_EQ(frame.width, first.width) << "tile " << i + f;
            EXPECT_EQ(frame.height, first.height) << "tile " << i + f;
            EXPECT_EQ(frame.attributes, (TileAttributes{0, 0, 0, 0})) << "tile " << i + f;
            // Each frame moves.
            EXPECT_FALSE(frame.pixels == tileset.tile(i + f - 1).pixels) << "tile " << i + f;
        }
        i += FrameCount(first) - 1;
    }
    const std::vector<Sequence> expected{
        {16, 8, kAnimForwards, 3}, {24, 4, kAnimOscillate, 5}, {28, 4, kAnimBackwards, 8}};
    EXPECT_EQ(sequences, expected);
    // Byte 0 of the spinning bar: type 2 in bits 6-7, 8 - 1 in bits 0-5.
    EXPECT_EQ(tileset.tile(16).attributes[0], 0x87);
}

TEST(ExampleTileset, OffsetsOfBothSignsThatThePropertiesDialogAccepts) {
    const Tileset tileset = ReadExampleTileset();
    bool xPositive = false, xNegative = false, yPositive = false, yNegative = false;
    for (int i = 1; i <= tileset.tileCount(); ++i) {
        const Tile& tile = tileset.tile(i);
        xPositive = xPositive || StoredX(tile) > 0;
        xNegative = xNegative || StoredX(tile) < 0;
        yPositive = yPositive || StoredY(tile) > 0;
        yNegative = yNegative || StoredY(tile) < 0;

        // Opening the dialog and pressing Ok leaves every tile as it is: no
        // magnitude of 128, which the dialog would refuse.
        const ShownAttributes shown = UnpackAttributes(tile.attributes);
        EXPECT_LE(shown.xMagnitude, 127) << "tile " << i;
        EXPECT_LE(shown.yMagnitude, 127) << "tile " << i;
        EnteredAttributes entered;
        entered.frameCount = shown.frameCount;
        entered.animType = shown.animType;
        entered.xMagnitude = shown.xMagnitude;
        entered.xNegative = shown.xNegative;
        entered.yMagnitude = shown.yMagnitude;
        entered.yNegative = shown.yNegative;
        EXPECT_EQ(PackAttributes(entered, tile.attributes), tile.attributes) << "tile " << i;
    }
    EXPECT_TRUE(xPositive);
    EXPECT_TRUE(xNegative);
    EXPECT_TRUE(yPositive);
    EXPECT_TRUE(yNegative);
}

}  // namespace
}  // namespace pixmill::test
