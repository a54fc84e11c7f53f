// pixmill-make-examples FOLDER: writes the example palette (PIXMILL.DAT) and
// tileset (TILES000.ART) that a first run of the editor can open.
//
// Everything is computed with integer arithmetic from fixed tables, so every
// build on every machine writes the same bytes; the committed files are checked
// against this program's output. Exit status: 0 done, 1 a file failed, 2 misuse.

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editing/Attributes.h"
#include "palette/PaletteFile.h"
#include "tileset/ArtFile.h"

namespace {

using pixmill::Palette;
using pixmill::Tile;
using pixmill::TileAttributes;
using std::uint8_t;

// ---------------------------------------------------------------- palette ---
//
// Eight ramps of 32 entries, each from near black to the full hue and on to a
// light tint: greys first (so entry 0 is black), then red, orange, yellow,
// green, teal, blue and purple. Entry 255 is white, which Build games also
// treat as the see-through colour of sprites.

constexpr int kRampLength = 32;
constexpr int kGrey = 0;
constexpr int kRed = 32;
constexpr int kOrange = 64;
constexpr int kYellow = 96;
constexpr int kGreen = 128;
constexpr int kTeal = 160;
constexpr int kBlue = 192;
constexpr int kPurple = 224;
constexpr uint8_t kWhite = 255;
constexpr uint8_t kClear = kWhite;  // background of sprite-like tiles

struct Rgb6 {
    int red, green, blue;  // 0..63, as a Build palette stores them
};

// The full hue of each colour ramp, reached at step 23 of 31.
constexpr Rgb6 kHues[] = {{58, 10, 10}, {63, 34, 6},  {62, 56, 10}, {14, 50, 14},
                          {8, 48, 48},  {12, 24, 60}, {44, 16, 56}};
constexpr int kFullStep = 23;

int RampValue(int full, int step) {
    if (step <= kFullStep) {
        return (full * (step + 1) + (kFullStep + 1) / 2) / (kFullStep + 1);
    }
    // Past the full hue, two thirds of the way towards white at the last step.
    return full + ((63 - full) * (step - kFullStep) + 6) / 12;
}

Palette MakePalette() {
    Palette palette{};
    auto set = [&palette](int index, int r, int g, int b) {
        auto& e = palette[static_cast<std::size_t>(index)];
        // The palette holds 8-bit values; the file stores them divided by 4.
        e.red = static_cast<uint8_t>(r * 4);
        e.green = static_cast<uint8_t>(g * 4);
        e.blue = static_cast<uint8_t>(b * 4);
    };
    for (int step = 0; step < kRampLength; ++step) {
        const int grey = (step * 60 + 15) / 31;
        set(kGrey + step, grey, grey, grey);
    }
    for (int ramp = 0; ramp < 7; ++ramp) {
        const Rgb6 hue = kHues[ramp];
        for (int step = 0; step < kRampLength; ++step) {
            set(kRed + ramp * kRampLength + step, RampValue(hue.red, step),
                RampValue(hue.green, step), RampValue(hue.blue, step));
        }
    }
    set(kWhite, 63, 63, 63);
    return palette;
}

// Entry `step` (0 darkest .. 31 lightest) of the ramp starting at `ramp`. The
// purple ramp gives up its last step to white.
uint8_t Shade(int ramp, int step) {
    const int last = ramp == kPurple ? kRampLength - 2 : kRampLength - 1;
    return static_cast<uint8_t>(ramp + std::clamp(step, 0, last));
}

// ------------------------------------------------------------ drawing aids ---

int IntSqrt(int n) {
    int root = 0;
    while ((root + 1) * (root + 1) <= n) {
        ++root;
    }
    return root;
}

// Ordered dithering: the threshold (0..15) at a pixel, for smooth gradients
// in a 32-step ramp.
int Bayer4(int x, int y) {
    static constexpr int kMatrix[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return kMatrix[y & 3][x & 3];
}

// A step given in sixteenths, dithered to a whole step.
int Dithered(int sixteenths, int x, int y) {
    return (sixteenths + Bayer4(x, y)) / 16;
}

// A tile of the given size whose pixel at (x, y), counted from 0 at the top
// left, is colour(x, y).
template <class ColourAt>
Tile Paint(int width, int height, ColourAt colour) {
    Tile tile;
    tile.width = static_cast<std::int16_t>(width);
    tile.height = static_cast<std::int16_t>(height);
    tile.pixels.resize(tile.PixelCount());
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            tile.Pixel(x + 1, y + 1) = colour(x, y);
        }
    }
    return tile;
}

// Attribute bytes through the same packing the properties dialog uses, from
// stored offsets (the dialog shows x with its sign reversed).
TileAttributes Attributes(int frames, int animType, int xOffset, int yOffset, int speed) {
    pixmill::EnteredAttributes entered;
    entered.frameCount = frames;
    entered.animType = animType;
    entered.xMagnitude = std::abs(xOffset);
    entered.xNegative = xOffset > 0;
    entered.yMagnitude = std::abs(yOffset);
    entered.yNegative = yOffset < 0;
    return pixmill::PackAttributes(entered, {0, 0, 0, static_cast<uint8_t>(speed)});
}

TileAttributes Animation(int frames, int animType, int speed) {
    return Attributes(frames, animType, 0, 0, speed);
}

TileAttributes Offsets(int xOffset, int yOffset) {
    return Attributes(1, pixmill::kAnimNone, xOffset, yOffset, 0);
}

// ------------------------------------------------------------------ tiles ---

// A 5 x 7 capital P.
constexpr const char* kGlyphP[] = {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."};

bool GlyphAt(int column, int row) {
    return column >= 0 && column < 5 && row >= 0 && row < 7 && kGlyphP[row][column] == '#';
}

// The welcome tile: a bevelled frame around a large P with a drop shadow.
Tile TitleCard() {
    constexpr int kSize = 64;
    constexpr int kScale = 7;
    constexpr int kLeft = (kSize - 5 * kScale) / 2;
    constexpr int kTop = (kSize - 7 * kScale) / 2;
    return Paint(kSize, kSize, [](int x, int y) {
        const int edge = std::min({x, y, kSize - 1 - x, kSize - 1 - y});
        if (edge < 4) {
            // Light on the top and left, dark on the bottom and right, mitred.
            const bool lit = x + y < kSize - 1;
            return Shade(kGrey, lit ? 26 - edge : 8 + edge);
        }
        if (x >= kLeft && y >= kTop && GlyphAt((x - kLeft) / kScale, (y - kTop) / kScale)) {
            return Shade(kYellow, 27 - (y - kTop) / 7);
        }
        const int sx = x - kLeft - 2;
        const int sy = y - kTop - 2;
        if (sx >= 0 && sy >= 0 && GlyphAt(sx / kScale, sy / kScale)) {
            return Shade(kBlue, 3);
        }
        return Shade(kBlue, Dithered((4 + y * 14 / kSize) * 16 + 8, x, y));
    });
}

// One pixel, the smallest tile there is.
Tile Dot() {
    return Paint(1, 1, [](int, int) { return Shade(kYellow, 23); });
}

// Five columns of five hues, three steps each: a width that is not a multiple of four.
Tile HueChips() {
    static constexpr int kRamps[] = {kRed, kOrange, kYellow, kGreen, kBlue};
    return Paint(5, 3, [](int x, int y) { return Shade(kRamps[x], 27 - 6 * y); });
}

// The same P at its natural size, for the smallest zoom steps.
Tile SmallGlyph() {
    return Paint(7, 9, [](int x, int y) {
        return GlyphAt(x - 1, y - 1) ? Shade(kGrey, 31) : Shade(kBlue, 6);
    });
}

Tile Checkerboard() {
    return Paint(16, 16, [](int x, int y) {
        return ((x / 2 + y / 2) % 2 == 0) ? Shade(kGrey, 26) : Shade(kGrey, 8);
    });
}

// A disc with a dark rim, lighter towards its top.
Tile Circle() {
    return Paint(32, 32, [](int x, int y) {
        const int dx = 2 * x + 1 - 32;
        const int dy = 2 * y + 1 - 32;
        const int d2 = dx * dx + dy * dy;
        if (d2 > 28 * 28) {
            return kClear;
        }
        if (d2 > 26 * 26) {
            return Shade(kRed, 6);
        }
        return Shade(kRed, 28 - y / 3);
    });
}

// Concentric rings, each in the next hue.
Tile Rings() {
    return Paint(32, 32, [](int x, int y) {
        const int dx = 2 * x + 1 - 32;
        const int dy = 2 * y + 1 - 32;
        const int radius = IntSqrt(dx * dx + dy * dy) / 2;
        if (radius > 15) {
            return kClear;
        }
        const int ring = radius / 3;
        return ring % 2 == 1 ? Shade(kGrey, 4) : Shade(kRed + (ring / 2) * 2 * kRampLength, 24);
    });
}

// Warning stripes at 45 degrees; they tile seamlessly.
Tile DiagonalStripes() {
    return Paint(64, 64, [](int x, int y) {
        return ((x + y) / 8) % 2 == 0 ? Shade(kYellow, 22 + (x + y) % 8 / 3) : Shade(kGrey, 3);
    });
}

// Bricks of 16 x 8 with a pixel of mortar, every other row shifted by half a
// brick; each brick gets its own shade so the wall does not look printed.
Tile BrickWall() {
    return Paint(64, 64, [](int x, int y) {
        const int row = y / 8;
        const int shifted = x + (row % 2) * 8;
        const int column = shifted / 16 % 4;
        const int inBrickX = shifted % 16;
        const int inBrickY = y % 8;
        if (inBrickX == 15 || inBrickY == 7) {
            return Shade(kGrey, 14);
        }
        const int tone = 14 + (column * 7 + row * 5) % 4 * 2;
        const int light = inBrickY == 0 ? 3 : (inBrickY == 6 ? -3 : 0);
        return Shade(kRed, tone + light);
    });
}

// A wooden crate: a framed box of planks with a diagonal brace.
Tile Crate() {
    return Paint(64, 64, [](int x, int y) {
        const int edge = std::min({x, y, 63 - x, 63 - y});
        if (edge == 0) {
            return Shade(kOrange, 2);
        }
        if (edge < 7) {
            return Shade(kOrange, edge == 1 ? 16 : 12);
        }
        if (std::abs(x - y) < 5) {
            return Shade(kOrange, std::abs(x - y) == 4 ? 5 : 14);
        }
        const int plank = (y - 7) % 10;
        if (plank == 9) {
            return Shade(kOrange, 4);
        }
        const int grain = (x * 3 + y * 7) % 23 == 0 ? -3 : 0;
        return Shade(kOrange, 10 + grain);
    });
}

// The eight ramps of the palette as bands, darkest on the left.
Tile Ramps() {
    return Paint(128, 32, [](int x, int y) { return Shade((y / 4) * kRampLength, x / 4); });
}

// Every palette entry as a 16 x 8 swatch, sixteen to a row, in index order.
Tile PaletteChart() {
    return Paint(256, 128, [](int x, int y) { return static_cast<uint8_t>(y / 8 * 16 + x / 16); });
}

// A glowing sun: the orange ramp from its lightest step at the centre to black
// at the edge, dithered.
Tile Sun() {
    return Paint(96, 96, [](int x, int y) {
        const int dx = 2 * x + 1 - 96;
        const int dy = 2 * y + 1 - 96;
        const int distance = std::min(IntSqrt(dx * dx + dy * dy), 96);
        return Shade(kOrange, Dithered((96 - distance) * 31 * 16 / 96, x, y));
    });
}

// A stone column lit from the left, with a capital, a base and joints.
Tile Pillar() {
    return Paint(32, 200, [](int x, int y) {
        const int across = std::abs(2 * x + 1 - 32 + 12);
        int step = 29 - across * 24 / 44;
        if (y < 12 || y >= 188) {
            step += 2;
        }
        if (y == 11 || y == 188 || (y > 12 && y < 188 && y % 44 == 12)) {
            step = 4;
        }
        return Shade(kGrey, step);
    });
}

// Direction of the bar in frame i, in thousandths: eight steps of 22.5 degrees
// cover half a turn, after which the bar looks the same again.
constexpr std::array<std::array<int, 2>, 8> kBarDirections = {{{1000, 0},
                                                               {924, 383},
                                                               {707, 707},
                                                               {383, 924},
                                                               {0, 1000},
                                                               {-383, 924},
                                                               {-707, 707},
                                                               {-924, 383}}};

Tile SpinningBar(int frame) {
    const int c = kBarDirections[static_cast<std::size_t>(frame)][0];
    const int s = kBarDirections[static_cast<std::size_t>(frame)][1];
    return Paint(32, 32, [c, s](int x, int y) {
        // Coordinates doubled so that the centre falls between pixels.
        const int dx = 2 * x + 1 - 32;
        const int dy = 2 * y + 1 - 32;
        if (dx * dx + dy * dy <= 6 * 6) {
            return Shade(kYellow, 26);
        }
        const int along = dx * c + dy * s;
        const int across = dy * c - dx * s;
        if (std::abs(across) <= 6000 && std::abs(along) <= 26000) {
            return Shade(kTeal, 28 - std::abs(along) / 1500);
        }
        return kClear;
    });
}

// A shaded ball of the given radius, lit from the upper left.
Tile Ball(int radius) {
    return Paint(32, 32, [radius](int x, int y) {
        const int dx = 2 * x + 1 - 32;
        const int dy = 2 * y + 1 - 32;
        if (dx * dx + dy * dy > 4 * radius * radius) {
            return kClear;
        }
        const int hx = dx + 2 * radius / 3;
        const int hy = dy + 2 * radius / 3;
        const int fromLight = IntSqrt(hx * hx + hy * hy);
        return Shade(kGreen, 30 - fromLight * 24 / (3 * radius));
    });
}

// Chevrons pointing left that move right by four pixels per frame, so that
// played backwards they travel the way they point.
Tile Chevrons(int frame) {
    return Paint(16, 16, [frame](int x, int y) {
        const int v = x - std::abs(2 * y + 1 - 16) / 2 + 16;
        return (v - 4 * frame + 32) % 16 < 8 ? Shade(kBlue, 26) : Shade(kBlue, 8);
    });
}

// A ring with a crosshair, the mark of a sprite's hot spot.
Tile Marker(int ramp) {
    return Paint(24, 24, [ramp](int x, int y) {
        const int dx = 2 * x + 1 - 24;
        const int dy = 2 * y + 1 - 24;
        const int radius = IntSqrt(dx * dx + dy * dy);
        if ((radius >= 17 && radius <= 21) || std::abs(dx) <= 1 || std::abs(dy) <= 1) {
            return Shade(ramp, 22);
        }
        return kClear;
    });
}

pixmill::Tileset MakeTileset() {
    std::vector<Tile> tiles;
    tiles.push_back(TitleCard());
    tiles.push_back(Tile{});  // 0 x 0: an empty slot, as in every new tileset
    tiles.push_back(Dot());
    tiles.push_back(HueChips());
    tiles.push_back(SmallGlyph());
    tiles.push_back(Checkerboard());
    tiles.push_back(Circle());
    tiles.push_back(Rings());
    tiles.push_back(DiagonalStripes());
    tiles.push_back(BrickWall());
    tiles.push_back(Crate());
    tiles.push_back(Ramps());
    tiles.push_back(PaletteChart());
    tiles.push_back(Sun());
    tiles.push_back(Pillar());

    // Animations: only the first tile of a sequence carries the frame count,
    // the direction and the speed.
    const std::size_t bar = tiles.size();
    for (int frame = 0; frame < 8; ++frame) {
        tiles.push_back(SpinningBar(frame));
    }
    tiles[bar].attributes = Animation(8, pixmill::kAnimForwards, 3);

    const std::size_t ball = tiles.size();
    for (int radius : {6, 9, 12, 15}) {
        tiles.push_back(Ball(radius));
    }
    tiles[ball].attributes = Animation(4, pixmill::kAnimOscillate, 5);

    const std::size_t chevrons = tiles.size();
    for (int frame = 0; frame < 4; ++frame) {
        tiles.push_back(Chevrons(frame));
    }
    tiles[chevrons].attributes = Animation(4, pixmill::kAnimBackwards, 8);

    // Offsets in all four diagonal directions.
    struct Offset {
        int ramp, x, y;
    };
    for (const Offset& o : {Offset{kRed, 12, -12}, Offset{kGreen, -12, 12}, Offset{kTeal, 20, 6},
                            Offset{kPurple, -6, -20}}) {
        tiles.push_back(Marker(o.ramp));
        tiles.back().attributes = Offsets(o.x, o.y);
    }

    pixmill::Tileset tileset;
    tileset.artVersion = 1;
    tileset.firstTileNumber = 0;
    tileset.lastTileNumber = static_cast<std::int32_t>(tiles.size()) - 1;
    tileset.tiles = std::move(tiles);
    return tileset;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: pixmill-make-examples FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string palettePath = folder + "/PIXMILL.DAT";
    const std::string artPath = folder + "/TILES000.ART";

    if (const auto written = pixmill::WritePaletteFile(MakePalette(), palettePath); !written) {
        std::fprintf(stderr, "pixmill-make-examples: cannot write %s: %s\n", palettePath.c_str(),
                     written.reason().c_str());
        return 1;
    }
    if (const auto written = pixmill::WriteArtFile(MakeTileset(), artPath); !written) {
        std::fprintf(stderr, "pixmill-make-examples: cannot write %s: %s\n", artPath.c_str(),
                     written.reason().c_str());
        return 1;
    }
    return 0;
}
