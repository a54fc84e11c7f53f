// Draws the program's icon: a mosaic of sixteen tiles in the colours of a game's
// palette on a dark rounded square, with a pencil across it, all as pixel art on
// a 64 x 64 grid. Usage: make_icon SIZE OUT.png (SIZE 256 draws each grid cell
// as 4 x 4 pixels; other sizes average the 256 picture down).

#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/AtomicFile.h"

namespace {

constexpr int kGrid = 64;
constexpr int kFull = 256;

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
};

constexpr Rgba Opaque(std::uint32_t rgb) {
    return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
            static_cast<std::uint8_t>(rgb), 255};
}

// Base colour and shade of each tile, and how the two are laid out.
struct TileLook {
    std::uint32_t light;
    std::uint32_t dark;
    int pattern;  // 0 bricks, 1 checks, 2 stripes, 3 dots
};

constexpr std::array<TileLook, 16> kTiles{{
    {0xB4583C, 0x7C3424, 0},
    {0x6C8C3C, 0x48602C, 1},
    {0x4C6CA8, 0x304878, 2},
    {0x9C9488, 0x6C665C, 3},
    {0xD8A040, 0xA06C20, 1},
    {0x8C5C9C, 0x5C3C6C, 0},
    {0x3C8C8C, 0x245C5C, 3},
    {0xC87858, 0x904C34, 2},
    {0x5C7C4C, 0x3C5434, 2},
    {0xB0B0B8, 0x74747C, 0},
    {0xA84848, 0x703030, 3},
    {0x4C88C8, 0x2C5C94, 1},
    {0xC8B478, 0x948450, 3},
    {0x586878, 0x3C4654, 1},
    {0x7CA84C, 0x547830, 0},
    {0xD87C3C, 0x9C5024, 2},
}};

bool InRoundedSquare(double x, double y, double lo, double hi, double radius) {
    const double cx = std::clamp(x, lo + radius, hi - radius);
    const double cy = std::clamp(y, lo + radius, hi - radius);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

Rgba TileCell(int x, int y) {
    // Tiles of 12 cells with gaps of 2, from cell 6.
    const int tx = (x - 6) / 14;
    const int ty = (y - 6) / 14;
    const int u = (x - 6) % 14;
    const int v = (y - 6) % 14;
    if (x < 6 || y < 6 || tx > 3 || ty > 3 || u >= 12 || v >= 12) {
        return {};
    }
    const TileLook& look = kTiles[static_cast<std::size_t>(ty * 4 + tx)];
    bool dark = false;
    switch (look.pattern) {
        case 0:  // bricks: mortar every fourth row, joints staggered
            dark = v % 4 == 3 || (u + (v / 4 % 2) * 3) % 6 == 5;
            break;
        case 1:
            dark = (u / 3 + v / 3) % 2 == 1;
            break;
        case 2:
            dark = (u + v) % 6 < 2;
            break;
        default:
            dark = u % 4 == 1 && v % 4 == 1;
            break;
    }
    // A lit top-left edge and a shaded bottom-right one, as bevelled wall tiles.
    if (u == 0 || v == 0) {
        return Opaque(look.light | 0x202020);
    }
    if (u == 11 || v == 11) {
        return Opaque(look.dark);
    }
    return Opaque(dark ? look.dark : look.light);
}

// The pencil, from its eraser at the top right to its point at the bottom left.
bool Pencil(double x, double y, Rgba& out) {
    const double sx = 56.5, sy = 9.5, length = 50.0, half = 4.6;
    const double ax = -std::sqrt(0.5), ay = std::sqrt(0.5);  // along, towards the point
    const double t = (x - sx) * ax + (y - sy) * ay;
    const double s = (x - sx) * -ay + (y - sy) * ax;  // across
    const double cone = 11.0;
    if (t < -1.2 || t > length + 1.2) {
        return false;
    }
    const double width = t < length - cone ? half : half * (length - t) / cone;
    if (std::abs(s) > width + 1.2) {
        return false;
    }
    if (std::abs(s) > width || t < 0 || t > length) {
        out = Opaque(0x1A1C22);  // outline
        return true;
    }
    if (t < 6) {
        out = Opaque(t < 1.5 || s > 2.5 ? 0xC06478 : 0xE88C9C);  // eraser
    } else if (t < 9) {
        out = Opaque(std::abs(t - 7.5) < 0.6 ? 0x7C808C : 0xC0C4CC);  // metal band
    } else if (t < length - cone) {
        out = Opaque(s < -1.6 ? 0xFFDC64 : s > 1.6 ? 0xC8841C : 0xF4B430);  // painted wood
    } else if (t < length - 3.5) {
        out = Opaque(s > 1.0 ? 0xC8A078 : 0xECCCA4);  // bare wood
    } else {
        out = Opaque(0x34343C);  // graphite
    }
    return true;
}

Rgba Cell(int x, int y) {
    const double cx = x + 0.5, cy = y + 0.5;
    Rgba colour;
    if (Pencil(cx, cy, colour)) {
        return colour;
    }
    if (!InRoundedSquare(cx, cy, 1, 63, 9)) {
        return {};
    }
    if (!InRoundedSquare(cx, cy, 2, 62, 8)) {
        return Opaque(0x12141A);  // rim
    }
    const Rgba tile = TileCell(x, y);
    return tile.a != 0 ? tile : Opaque(y < 32 ? 0x2E3440 : 0x272C36);
}

std::vector<Rgba> Draw(int size) {
    std::vector<Rgba> full(kFull * kFull);
    for (int y = 0; y < kFull; ++y) {
        for (int x = 0; x < kFull; ++x) {
            full[static_cast<std::size_t>(y * kFull + x)] =
                Cell(x * kGrid / kFull, y * kGrid / kFull);
        }
    }
    if (size == kFull) {
        return full;
    }
    // Each pixel the average of the full picture's pixels it covers, weighted by alpha.
    std::vector<Rgba> small(static_cast<std::size_t>(size * size));
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double r = 0, g = 0, b = 0, a = 0, n = 0;
            for (int fy = y * kFull / size; fy < (y + 1) * kFull / size; ++fy) {
                for (int fx = x * kFull / size; fx < (x + 1) * kFull / size; ++fx) {
                    const Rgba& p = full[static_cast<std::size_t>(fy * kFull + fx)];
                    r += p.r * p.a;
                    g += p.g * p.a;
                    b += p.b * p.a;
                    a += p.a;
                    n += 1;
                }
            }
            const auto channel = [](double value) {
                return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
            };
            small[static_cast<std::size_t>(y * size + x)] =
                a > 0 ? Rgba{channel(r / a), channel(g / a), channel(b / a), channel(a / n)}
                      : Rgba{};
        }
    }
    return small;
}

}  // namespace

int main(int argc, char** argv) {
    const int size = argc == 3 ? std::atoi(argv[1]) : 0;
    if (size < 16 || size > kFull) {
        std::fprintf(stderr, "usage: make_icon SIZE OUT.png (SIZE 16 to 256)\n");
        return 2;
    }
    const std::vector<Rgba> pixels = Draw(size);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(size);
    image.height = static_cast<png_uint_32>(size);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t length = 0;
    if (png_image_write_get_memory_size(image, length, 0, pixels.data(), 0, nullptr) == 0) {
        std::fprintf(stderr, "make_icon: %s\n", image.message);
        return 1;
    }
    std::vector<std::uint8_t> bytes(length);
    if (png_image_write_to_memory(&image, bytes.data(), &length, 0, pixels.data(), 0, nullptr) ==
        0) {
        std::fprintf(stderr, "make_icon: %s\n", image.message);
        return 1;
    }
    bytes.resize(length);
    if (pixmill::Status written = pixmill::WriteFileAtomically(argv[2], bytes); !written) {
        std::fprintf(stderr, "make_icon: cannot write %s: %s\n", argv[2], written.reason().c_str());
        return 1;
    }
    return 0;
}
