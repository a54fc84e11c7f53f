// Pictures from paint programs: bitmaps of every common depth and PNGs of
// every kind read as their pixels' colours, and colours matched to a palette.

#include <gtest/gtest.h>
#include <png.h>

#include <functional>
#include <random>
#include <string>

#include "bitmap/ColourMatch.h"
#include "bitmap/PictureFile.h"
#include "bitmap/TilePng.h"
#include "tests/TestSupport.h"

namespace pixmill {
namespace {

using test::Bytes;
using test::Put16;
using test::Put32;

using Rgba = std::array<std::uint8_t, 4>;
using RawPixel = std::function<std::uint32_t(int x, int y)>;  // x, y from 0, top row 0

// A bitmap laid out byte by byte here: rows bottom first (top first for a
// negative height), each padded to four bytes; raw gives each pixel's stored
// value (an index, or the packed pixel; 24 bits as 0xRRGGBB).
struct BitmapLayout {
    int width = 0;
    int height = 0;
    int bits = 8;
    std::uint32_t compression = 0;
    std::uint32_t infoSize = 40;
    std::vector<std::uint32_t> masks;  // after a 40-byte header, or inside a larger one
    std::vector<PaletteEntry> table;
    bool topDown = false;
};

BitmapLayout Layout(int width, int height, int bits, std::uint32_t compression = 0,
                    std::uint32_t infoSize = 40, std::vector<std::uint32_t> masks = {},
                    bool topDown = false) {
    BitmapLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bits = bits;
    layout.compression = compression;
    layout.infoSize = infoSize;
    layout.masks = std::move(masks);
    layout.topDown = topDown;
    return layout;
}

Bytes MakeBitmap(const BitmapLayout& layout, const RawPixel& raw) {
    Bytes b(14 + layout.infoSize, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 14, static_cast<std::int32_t>(layout.infoSize));
    Put32(b, 18, layout.width);
    Put32(b, 22, layout.topDown ? -layout.height : layout.height);
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<std::int16_t>(layout.bits));
    Put32(b, 30, static_cast<std::int32_t>(layout.compression));
    Put32(b, 46, static_cast<std::int32_t>(layout.table.size()));
    for (std::size_t i = 0; i < layout.masks.size(); ++i) {
        if (layout.infoSize > 40) {
            Put32(b, 54 + 4 * i, static_cast<std::int32_t>(layout.masks[i]));
        } else {
            b.resize(b.size() + 4);
            Put32(b, b.size() - 4, static_cast<std::int32_t>(layout.masks[i]));
        }
    }
    for (const PaletteEntry& e : layout.table) {
        b.insert(b.end(), {e.blue, e.green, e.red, 0});
    }
    Put32(b, 10, static_cast<std::int32_t>(b.size()));
    const std::size_t stride = (static_cast<std::size_t>(layout.width * layout.bits) + 31) / 32 * 4;
    for (int r = 0; r < layout.height; ++r) {
        const int y = layout.topDown ? r : layout.height - 1 - r;
        Bytes row(stride, 0);
        for (int x = 0; x < layout.width; ++x) {
            const std::uint32_t v = raw(x, y);
            const auto ux = static_cast<std::size_t>(x);
            switch (layout.bits) {
                case 1:
                    row[ux / 8] |= static_cast<std::uint8_t>(v << (7 - ux % 8));
                    break;
                case 4:
                    row[ux / 2] |= static_cast<std::uint8_t>(v << (ux % 2 == 0 ? 4 : 0));
                    break;
                case 8:
                    row[ux] = static_cast<std::uint8_t>(v);
                    break;
                default:
                    for (int k = 0; k < layout.bits / 8; ++k) {
                        row[ux * static_cast<std::size_t>(layout.bits / 8) +
                            static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(v >> (8 * k));
                    }
            }
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

struct Decoded {
    PictureHead head;
    Bytes rows;
};

// Every row of the picture, read in bands of three rows to cross band edges.
Decoded Decode(Result<std::unique_ptr<PictureReader>> opened) {
    EXPECT_TRUE(opened) << opened.reason();
    if (!opened) {
        return {};
    }
    PictureReader& reader = **opened;
    Decoded d{reader.head(),
              Bytes(reader.head().RowBytes() * static_cast<std::size_t>(reader.head().height))};
    for (int first = 0; first < d.head.height; first += 3) {
        const int n = std::min(3, d.head.height - first);
        EXPECT_TRUE(reader.ReadRows(
            d.rows.data() + d.head.RowBytes() * static_cast<std::size_t>(first), n));
    }
    return d;
}

Decoded DecodeBitmap(const Bytes& bytes) {
    MemorySource source(bytes);
    return Decode(OpenBitmapPicture(source));
}

Bytes RgbaRows(int width, int height, const std::function<Rgba(int, int)>& colour) {
    Bytes rows;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgba c = colour(x, y);
            rows.insert(rows.end(), c.begin(), c.end());
        }
    }
    return rows;
}

TEST(BitmapPicture, EveryDepthReadsAsItsColours) {
    // A 5 x 3 picture (odd widths pad every depth's rows) of colours made
    // from the position, so that every pixel is told apart.
    const auto colour = [](int x, int y) {
        return Rgba{static_cast<std::uint8_t>(40 * x + 3), static_cast<std::uint8_t>(70 * y + 5),
                    static_cast<std::uint8_t>(11 * (x + y)), 255};
    };
    const auto packed = [&](int x, int y) {
        const Rgba c = colour(x, y);
        return std::uint32_t{c[0]} << 16 | std::uint32_t{c[1]} << 8 | c[2];
    };
    const Bytes expected = RgbaRows(5, 3, colour);
    const struct {
        const char* name;
        BitmapLayout layout;
        RawPixel raw;
    } cases[] = {
        {"24 bits", Layout(5, 3, 24), packed},
        {"24 bits top row first", Layout(5, 3, 24, 0, 40, {}, true), packed},
        // The fourth byte is unused without masks, whatever it holds.
        {"32 bits", Layout(5, 3, 32), [&](int x, int y) { return packed(x, y) | 0x07000000u; }},
        {"32 bits, masks in a V5 header",
         Layout(5, 3, 32, 3, 124, {0xFF00u, 0xFF0000u, 0xFF000000u, 0xFFu}),
         [&](int x, int y) {
             const Rgba c = colour(x, y);
             return std::uint32_t{c[0]} << 8 | std::uint32_t{c[1]} << 16 |
                    std::uint32_t{c[2]} << 24 | 0xFF;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Decoded d = DecodeBitmap(MakeBitmap(c.layout, c.raw));
        EXPECT_FALSE(d.head.indexed);
        EXPECT_EQ(d.rows, expected);
    }
}

TEST(BitmapPicture, SixteenBitsAndAlphaMasksScaleToEightBits) {
    // 5-5-5 without masks, 5-6-5 with masks after a plain header, and 4-4-4-4
    // with an alpha mask: each level scaled to 0..255.
    const auto scale = [](std::uint32_t v, int bits) {
        return static_cast<std::uint8_t>(v * 255 / ((1u << bits) - 1));
    };
    const struct {
        const char* name;
        BitmapLayout layout;
        int r, g, b, a;  // bits of each channel, low to high: b, g, r, a
    } cases[] = {
        {"5-5-5", Layout(3, 2, 16), 5, 5, 5, 0},
        {"5-6-5", Layout(3, 2, 16, 3, 40, {0xF800u, 0x07E0u, 0x001Fu}), 5, 6, 5, 0},
        {"4-4-4-4", Layout(3, 2, 16, 6, 40, {0x0F00u, 0x00F0u, 0x000Fu, 0xF000u}), 4, 4, 4, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto value = [&](int x, int y) { return static_cast<std::uint32_t>(x * 7 + y * 13); };
        const auto raw = [&](int x, int y) {
            const std::uint32_t v = value(x, y);
            const std::uint32_t b = v % (1u << c.b);
            const std::uint32_t g = (v + 3) % (1u << c.g);
            const std::uint32_t r = (v + 5) % (1u << c.r);
            const std::uint32_t a = c.a == 0 ? 0 : (v + 1) % (1u << c.a);
            return b | g << c.b | r << (c.b + c.g) | a << (c.b + c.g + c.r);
        };
        const Bytes expected = RgbaRows(3, 2, [&](int x, int y) {
            const std::uint32_t v = value(x, y);
            return Rgba{scale((v + 5) % (1u << c.r), c.r), scale((v + 3) % (1u << c.g), c.g),
                        scale(v % (1u << c.b), c.b),
                        c.a == 0 ? std::uint8_t{255} : scale((v + 1) % (1u << c.a), c.a)};
        });
        EXPECT_EQ(DecodeBitmap(MakeBitmap(c.layout, raw)).rows, expected);
    }
}

TEST(BitmapPicture, IndexedDepthsKeepTheirIndicesAndColourTable) {
    std::vector<PaletteEntry> table;
    for (int i = 0; i < 16; ++i) {
        table.push_back({static_cast<std::uint8_t>(i * 16), 7, static_cast<std::uint8_t>(255 - i)});
    }
    for (const int bits : {1, 4, 8}) {
        SCOPED_TRACE(bits);
        const std::uint32_t most = bits == 1 ? 2 : 16;
        BitmapLayout layout = Layout(13, 4, bits);
        layout.table.assign(table.begin(), table.begin() + most);
        const auto index = [&](int x, int y) {
            return static_cast<std::uint32_t>(x * 3 + y) % most;
        };
        const Decoded d = DecodeBitmap(MakeBitmap(layout, index));
        EXPECT_TRUE(d.head.indexed);
        EXPECT_EQ(d.head.colours, layout.table);
        Bytes expected;
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 13; ++x) {
                expected.push_back(static_cast<std::uint8_t>(index(x, y)));
            }
        }
        EXPECT_EQ(d.rows, expected);
    }
}

TEST(BitmapPicture, WhatCannotBeReadIsRefusedWithItsReason) {
    const RawPixel zero = [](int, int) { return 0u; };
    const Bytes good = MakeBitmap(Layout(4, 4, 24), zero);
    const auto with = [&](std::size_t at, std::int32_t value, bool wide = true) {
        Bytes b = good;
        if (wide) {
            Put32(b, at, value);
        } else {
            Put16(b, at, static_cast<std::int16_t>(value));
        }
        return b;
    };
    const std::vector<std::pair<Bytes, std::string>> broken{
        {{}, "too short for a bitmap header"},
        {Bytes(good.begin(), good.begin() + 50), "too short for a bitmap header"},
        {with(0, 0x4E50), "not a Windows bitmap"},
        {with(14, 12), "old kind"},
        {with(14, 5000), "too short for its header"},
        {with(30, 1), "compressed (RLE)"},
        {with(30, 4), "it is compressed"},
        {with(28, 2, false), "it has 2 bits a pixel"},
        {with(30, 3), "colour masks do not fit 24 bits"},
        {with(18, 40000), "40000 x 4 pixels; a tile is at most 32767 x 32767"},
        {with(22, -40000), "4 x -40000 pixels"},
        {with(18, -1), "-1 x 4 pixels"},
        {Bytes(good.begin(), good.end() - 1),
         "ends inside its pixel rows (101 bytes, 102 bytes needed)"},
        // A bitmap of 30000 x 30000 pixels claimed by a few bytes.
        {with(22, 30000), "ends inside its pixel rows"},
        {MakeBitmap(Layout(2, 2, 32, 3, 40, {0xF0F0u, 0xFF0000u, 0xFFu}), zero),
         "not runs of bits"},
    };
    for (const auto& [bytes, why] : broken) {
        SCOPED_TRACE(why);
        MemorySource source(bytes);
        const auto read = OpenBitmapPicture(source);
        ASSERT_FALSE(read);
        EXPECT_NE(read.reason().find(why), std::string::npos) << read.reason();
    }
}

// A PNG made with libpng's own writer of any colour type, depth and interlace;
// rows as libpng takes them.
Bytes WritePng(int width, int height, int colourType, int depth, bool interlaced,
               const std::vector<Bytes>& rows, const std::vector<png_color>& plte = {},
               const Bytes& trns = {}) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    Bytes out;
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, std::size_t n) {
            auto* bytes = static_cast<Bytes*>(png_get_io_ptr(p));
            bytes->insert(bytes->end(), data, data + n);
        },
        nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height),
                 depth, colourType, interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!plte.empty()) {
        png_set_PLTE(png, info, plte.data(), static_cast<int>(plte.size()));
    }
    if (!trns.empty()) {
        png_set_tRNS(png, info, trns.data(), static_cast<int>(trns.size()), nullptr);
    }
    png_write_info(png, info);
    std::vector<png_bytep> pointers;
    std::vector<Bytes> copies = rows;
    for (Bytes& row : copies) {
        pointers.push_back(row.data());
    }
    png_write_image(png, pointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

TEST(PngPicture, EveryColourTypeReadsAsItsColours) {
    // 3 x 5 pictures, big-endian 16-bit samples where the depth is 16.
    const auto level = [](int x, int y) { return static_cast<std::uint8_t>(x * 80 + y * 9); };
    std::vector<Bytes> grey16, greyAlpha, rgb16, rgba;
    for (int y = 0; y < 5; ++y) {
        Bytes g16, ga, c16, c;
        for (int x = 0; x < 3; ++x) {
            const std::uint8_t v = level(x, y);
            g16.insert(g16.end(), {v, v});
            ga.insert(ga.end(), {v, static_cast<std::uint8_t>(x * 100)});
            const auto half = static_cast<std::uint8_t>(v / 2);
            const auto rest = static_cast<std::uint8_t>(255 - v);
            c16.insert(c16.end(), {v, v, half, half, rest, rest});
            c.insert(c.end(), {v, 1, 2, static_cast<std::uint8_t>(y * 60)});
        }
        grey16.push_back(g16);
        greyAlpha.push_back(ga);
        rgb16.push_back(c16);
        rgba.push_back(c);
    }
    const struct {
        const char* name;
        Bytes png;
        std::function<Rgba(int, int)> colour;
    } cases[] = {
        // 16-bit samples VVVV are level VV of 8 bits.
        {"grey, 16 bits", WritePng(3, 5, PNG_COLOR_TYPE_GRAY, 16, false, grey16),
         [&](int x, int y) {
             const std::uint8_t v = level(x, y);
             return Rgba{v, v, v, 255};
         }},
        {"grey and alpha, interlaced",
         WritePng(3, 5, PNG_COLOR_TYPE_GRAY_ALPHA, 8, true, greyAlpha),
         [&](int x, int y) {
             const std::uint8_t v = level(x, y);
             return Rgba{v, v, v, static_cast<std::uint8_t>(x * 100)};
         }},
        {"RGB, 16 bits", WritePng(3, 5, PNG_COLOR_TYPE_RGB, 16, false, rgb16),
         [&](int x, int y) {
             const std::uint8_t v = level(x, y);
             return Rgba{v, static_cast<std::uint8_t>(v / 2), static_cast<std::uint8_t>(255 - v),
                         255};
         }},
        {"RGBA", WritePng(3, 5, PNG_COLOR_TYPE_RGB_ALPHA, 8, false, rgba),
         [&](int x, int y) {
             return Rgba{level(x, y), 1, 2, static_cast<std::uint8_t>(y * 60)};
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemorySource source(c.png);
        const Decoded d = Decode(OpenPngPicture(source));
        EXPECT_FALSE(d.head.indexed);
        EXPECT_EQ(d.rows, RgbaRows(3, 5, c.colour));
    }

    // Indexed, 2 bits a pixel, with see-through entries: the indices, the
    // table and each entry's alpha.
    std::vector<Bytes> packed;
    Bytes indices;
    for (int y = 0; y < 5; ++y) {
        std::uint8_t byte = 0;
        for (int x = 0; x < 3; ++x) {
            const auto i = static_cast<std::uint8_t>((x + y) % 4);
            byte = static_cast<std::uint8_t>(byte | i << (6 - 2 * x));
            indices.push_back(i);
        }
        packed.push_back({byte});
    }
    const std::vector<png_color> plte{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
    const Bytes png = WritePng(3, 5, PNG_COLOR_TYPE_PALETTE, 2, false, packed, plte, {0, 200});
    MemorySource source(png);
    const Decoded d = Decode(OpenPngPicture(source));
    EXPECT_TRUE(d.head.indexed);
    EXPECT_EQ(d.rows, indices);
    EXPECT_EQ(d.head.colours,
              (std::vector<PaletteEntry>{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}}));
    EXPECT_EQ(d.head.alphas, (Bytes{0, 200, 255, 255}));
}

// Every entry a different colour.
Palette DistinctPalette() {
    Palette palette;
    for (std::size_t i = 0; i < 256; ++i) {
        palette[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i * 7),
                      static_cast<std::uint8_t>(255 - i)};
    }
    return palette;
}

int BruteForceNearest(const Palette& palette, int r, int g, int b) {
    int best = 0;
    for (int i = 1; i < 256; ++i) {
        if (ColourDistance(r, g, b, palette[static_cast<std::size_t>(i)]) <
            ColourDistance(r, g, b, palette[static_cast<std::size_t>(best)])) {
            best = i;
        }
    }
    return best;
}

TEST(ColourMatch, TheNearestEntryIsByWeightedDistanceAndTheLowestIndexOnATie) {
    Palette palette{};
    palette.fill({255, 0, 255});
    palette[1] = {100, 100, 130};  // 30 blue levels away: 11 x 900
    palette[2] = {100, 115, 100};  // 15 green levels away: 59 x 225, nearer unweighted
    palette[3] = {100, 100, 130};
    NearestColour nearest(palette);
    EXPECT_EQ(nearest(100, 100, 100), 1);
    EXPECT_EQ(nearest(100, 100, 130), 1);
    EXPECT_EQ(nearest.ExactIndex(100, 100, 130), 1);
    EXPECT_EQ(nearest.ExactIndex(100, 100, 100), -1);

    // The search through each cell's candidates finds what a search of every
    // entry finds: for palettes of distinct colours, of ramps with repeats, of
    // a few colours, and of one.
    std::mt19937 random(5);
    std::vector<Palette> palettes(4);
    for (std::size_t i = 0; i < 256; ++i) {
        palettes[0][i] = {static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
                          static_cast<std::uint8_t>(random())};
        const auto ramp = static_cast<std::uint8_t>((i % 32) * 8);
        palettes[1][i] = {ramp, static_cast<std::uint8_t>(ramp / (1 + i / 32)), 0};
        palettes[2][i] = i % 5 == 0 ? PaletteEntry{200, 10, 10} : PaletteEntry{10, 200, 10};
        palettes[3][i] = {9, 9, 9};
    }
    for (const Palette& p : palettes) {
        NearestColour matcher(p);
        for (int k = 0; k < 20000; ++k) {
            const auto r = static_cast<std::uint8_t>(random());
            const auto g = static_cast<std::uint8_t>(random());
            const auto b = static_cast<std::uint8_t>(random());
            ASSERT_EQ(matcher(r, g, b), BruteForceNearest(p, r, g, b));
        }
    }
}

Result<Tile> MatchRows(const PictureHead& head, const Bytes& rows, const Palette& palette,
                       bool dither) {
    MemoryPicture picture(head, rows.data(), static_cast<std::ptrdiff_t>(head.RowBytes()));
    return MatchPictureToPalette(picture, palette, dither);
}

TEST(PictureMatch, AColourTableThatIsThePaletteKeepsEveryIndexRepeatsIncluded) {
    // A game palette repeats colours; which of the repeats a pixel has matters.
    Palette palette = DistinctPalette();
    palette[200] = palette[100];
    palette[201] = palette[100];
    const Tile tile = test::TileOf(
        16, 16, [](int x, int y) { return (x - 1) * 16 + (y - 1); });  // every index once
    const auto png = TilePngBytes(tile, palette);
    ASSERT_TRUE(png);
    for (const bool dither : {false, true}) {
        MemorySource source(*png);
        const auto read = ReadPicture(source, palette, dither);
        ASSERT_TRUE(read) << read.reason();
        EXPECT_EQ(read->pixels, tile.pixels);
    }

    // The same table reordered: each colour goes to its entry, the repeated
    // one to its first; an index past a short table keeps its value; a
    // see-through entry gives 255.
    PictureHead head;
    head.width = 5;
    head.height = 1;
    head.indexed = true;
    head.colours = {palette[7], palette[100], palette[3], {1, 2, 3}};
    head.alphas = {255, 255, 255, 0};
    const auto matched = MatchRows(head, {0, 1, 2, 3, 9}, palette, false);
    ASSERT_TRUE(matched);
    EXPECT_EQ(matched->pixels, (TilePixels{7, 100, 3, 255, 9}));
}

TEST(PictureMatch, HalfTransparentPixelsBecomeTheSeeThroughColour) {
    const Palette palette = DistinctPalette();
    PictureHead head;
    head.width = 4;
    head.height = 1;
    const PaletteEntry c = palette[42];
    const Bytes rows{c.red, c.green, c.blue, 128, c.red, c.green, c.blue, 127,
                     c.red, c.green, c.blue, 0,   c.red, c.green, c.blue, 255};
    for (const bool dither : {false, true}) {
        const auto matched = MatchRows(head, rows, palette, dither);
        ASSERT_TRUE(matched);
        EXPECT_EQ(matched->pixels, (TilePixels{42, 255, 255, 42}));
    }
}

TEST(PictureMatch, DitheringSpreadsTheDifferenceButNeverChangesAnExactColour) {
    // Black and a grey of 100, and far colours: a flat grey of 50 lies midway.
    Palette palette;
    palette.fill({255, 0, 0});
    palette[0] = {0, 0, 0};
    palette[1] = {100, 100, 100};
    PictureHead head;
    head.width = 40;
    head.height = 40;
    // Mostly the grey of 50; every seventh pixel the palette's grey exactly.
    const auto exact = [](int x, int y) { return (x * 3 + y * 5) % 7 == 0; };
    const Bytes rows = RgbaRows(40, 40, [&](int x, int y) {
        return exact(x, y) ? Rgba{100, 100, 100, 255} : Rgba{50, 50, 50, 255};
    });
    const auto flat = MatchRows(head, rows, palette, false);
    const auto dithered = MatchRows(head, rows, palette, true);
    ASSERT_TRUE(flat && dithered);
    int sum = 0;
    int count = 0;
    for (int x = 1; x <= 40; ++x) {
        for (int y = 1; y <= 40; ++y) {
            if (exact(x - 1, y - 1)) {
                ASSERT_EQ(dithered->Pixel(x, y), 1);
                ASSERT_EQ(flat->Pixel(x, y), 1);
                continue;
            }
            ASSERT_EQ(flat->Pixel(x, y), 0);  // a tie: the lower index
            ASSERT_LE(dithered->Pixel(x, y), 1);
            sum += palette[dithered->Pixel(x, y)].red;
            ++count;
        }
    }
    // The mix of black and grey looks like the grey of 50 it stands for.
    EXPECT_NEAR(static_cast<double>(sum) / count, 50.0, 3.0);
}

TEST(PictureFile, ThePictureIsToldByItsFirstBytes) {
    const Palette palette = DistinctPalette();
    const Tile tile = test::PatternTile(6, 4, 9);
    auto png = TilePngBytes(tile, palette);
    ASSERT_TRUE(png);
    const Bytes bmp = MakeBitmap(Layout(6, 4, 24), [&](int x, int y) {
        const PaletteEntry& c = palette[tile.Pixel(x + 1, y + 1)];
        return std::uint32_t{c.red} << 16 | std::uint32_t{c.green} << 8 | c.blue;
    });
    for (const Bytes& bytes : {*png, bmp}) {
        MemorySource source(bytes);
        const auto read = ReadPicture(source, palette, false);
        ASSERT_TRUE(read) << read.reason();
        EXPECT_EQ(read->pixels, tile.pixels);
    }
    const Bytes text{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'};
    MemorySource source(text);
    const auto refused = ReadPicture(source, palette, false);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.reason(), "it is neither a PNG nor a Windows bitmap");
}

}  // namespace
}  // namespace pixmill
