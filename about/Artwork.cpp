#include "about/Artwork.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "about/PixelFont.h"

namespace pixmill {
namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr int kPictureWidth = 300;  // the window's width

ArtPicture Blank(int width, int height, std::uint32_t colour = kBlack) {
    ArtPicture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                          colour);
    return picture;
}

void Put(ArtPicture& picture, int x, int y, std::uint32_t colour) {
    if (x >= 0 && y >= 0 && x < picture.width && y < picture.height) {
        picture.pixels[static_cast<std::size_t>(y * picture.width + x)] = colour;
    }
}

// ---- credits ----

struct CreditLine {
    std::string_view text;  // empty for a gap
    int scale;
    std::uint32_t colour;
};

constexpr int kTitleScale = 4;
constexpr int kLineGap = 3;    // between lines of text, at scale 1
constexpr int kBlankLine = 8;  // the height of an empty line
constexpr int kMargin = 10;    // above the first and below the last line

constexpr std::uint32_t kBody = 0xE8E8E8;
constexpr std::uint32_t kHeading = 0xFFB347;
constexpr std::uint32_t kVersion = 0x7FD4FF;
constexpr std::uint32_t kLicence = 0x8EE08E;
constexpr std::uint32_t kQuiet = 0xB8B8C8;
constexpr std::uint32_t kThanks = 0xFF9ECF;

constexpr CreditLine kCreditLines[] = {
    {"PIXMILL", kTitleScale, 0},  // drawn with its own gradient
    {"", 1, 0},
    {"An editor for the tilesets", 1, kBody},
    {"of Build Engine games", 1, kBody},
    {"", 1, 0},
    {"Version 0.1", 2, kVersion},
    {"", 1, 0},
    {"Made by", 2, kHeading},
    {"the Pixmill contributors", 1, kBody},
    {"", 1, 0},
    {"Released under the MIT licence", 1, kLicence},
    {"Copyright (c) the Pixmill contributors", 1, kQuiet},
    {"", 1, 0},
    {"Thanks to everyone who keeps", 1, kThanks},
    {"Build games alive", 1, kThanks},
};

// Gold at the top of the letters, burnt orange at the baseline.
constexpr std::uint32_t kTitleRows[kFontHeight] = {0xFFF6B0, 0xFFEA80, 0xFFDB50, 0xFFC828, 0xFFB010,
                                                   0xF39200, 0xE07000, 0xC85800, 0xC85800};
constexpr std::uint32_t kTitleShadow = 0x5A1808;

int LineHeight(const CreditLine& line) {
    return line.text.empty() ? kBlankLine : (kFontHeight + kLineGap) * line.scale;
}

// A thin rule under the title that fades towards both ends.
void DrawRule(ArtPicture& picture, int y, int halfWidth) {
    const int centre = picture.width / 2;
    for (int dx = -halfWidth; dx < halfWidth; ++dx) {
        const int distance = dx < 0 ? -dx - 1 : dx;
        const int level = 255 - 200 * distance / halfWidth;
        const auto r = static_cast<std::uint32_t>(level);
        const auto g = static_cast<std::uint32_t>(level * 3 / 4);
        const auto b = static_cast<std::uint32_t>(level / 4);
        Put(picture, centre + dx, y, (r << 16) | (g << 8) | b);
    }
}

ArtPicture DrawCredits() {
    int height = 2 * kMargin;
    for (const CreditLine& line : kCreditLines) {
        height += LineHeight(line);
    }
    ArtPicture picture = Blank(kPictureWidth, height);
    int y = kMargin;
    for (const CreditLine& line : kCreditLines) {
        if (!line.text.empty()) {
            const int x = (picture.width - TextWidth(line.text, line.scale)) / 2;
            if (line.scale == kTitleScale) {
                DrawText(picture, x + 2, y + 2, line.text, line.scale, kTitleShadow);
                DrawTextRows(picture, x, y, line.text, line.scale, kTitleRows);
                DrawRule(picture, y + kFontAscent * line.scale + 6, 80);
            } else {
                DrawText(picture, x, y, line.text, line.scale, line.colour);
            }
        }
        y += LineHeight(line);
    }
    return picture;
}

// ---- the windmill under the credits ----

constexpr int kEmblemHeight = 84;

// The slack past the exact edge keeps single pixels from poking out at the
// four extremes, which looks rounder at these sizes.
bool InEllipse(int x, int y, int cx, int cy, int rx, int ry) {
    const long dx = x - cx;
    const long dy = y - cy;
    const long rx2 = static_cast<long>(rx) * rx;
    const long ry2 = static_cast<long>(ry) * ry;
    const long slack = static_cast<long>(rx) * ry * std::max(rx, ry);
    return dx * dx * ry2 + dy * dy * rx2 < rx2 * ry2 + slack;
}

void DrawSky(ArtPicture& picture) {
    // A crescent moon: a disc with an offset disc taken out.
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (InEllipse(x, y, 56, 20, 9, 9) && !InEllipse(x, y, 60, 16, 9, 9)) {
                Put(picture, x, y, 0xF2E9B8);
            }
        }
    }
    struct Star {
        int x, y;
        std::uint32_t colour;
    };
    constexpr Star kStars[] = {{18, 8, 0x9090B0},   {34, 40, 0xC0C0E0},  {88, 12, 0xFFFFFF},
                               {104, 34, 0x8080A0}, {122, 6, 0xC0C0E0},  {186, 10, 0xA0A0C0},
                               {204, 30, 0xFFFFFF}, {232, 14, 0x9090B0}, {258, 38, 0xC0C0E0},
                               {276, 6, 0xFFFFFF},  {292, 26, 0x8080A0}, {8, 52, 0xA0A0C0}};
    for (const Star& star : kStars) {
        Put(picture, star.x, star.y, star.colour);
    }
    // The brightest ones twinkle with a small cross.
    for (const Star& star : kStars) {
        if (star.colour == 0xFFFFFF) {
            Put(picture, star.x - 1, star.y, 0x606080);
            Put(picture, star.x + 1, star.y, 0x606080);
            Put(picture, star.x, star.y - 1, 0x606080);
            Put(picture, star.x, star.y + 1, 0x606080);
        }
    }
}

void DrawHills(ArtPicture& picture, bool front) {
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (!front && InEllipse(x, y, 150, 112, 200, 46)) {
                Put(picture, x, y, 0x2B5E33);
            }
            if (front &&
                (InEllipse(x, y, 50, 116, 120, 40) || InEllipse(x, y, 262, 114, 110, 38))) {
                // A few flowers dotted over the nearer hills.
                const bool flower = (x * 7 + y * 13) % 29 == 0 && y > 78;
                const std::uint32_t bloom = (x / 3) % 2 == 0 ? 0xF05050 : 0xF0D040;
                Put(picture, x, y, flower ? bloom : 0x3E8B3A);
            }
        }
    }
}

constexpr int kHubX = kPictureWidth / 2;
constexpr int kHubY = 33;
constexpr int kTowerTop = 34;
constexpr int kTowerBottom = 74;

void DrawTower(ArtPicture& picture) {
    for (int y = kTowerTop; y < kTowerBottom; ++y) {
        const int halfWidth = 8 + (y - kTowerTop) * 6 / (kTowerBottom - kTowerTop);
        for (int dx = -halfWidth; dx < halfWidth; ++dx) {
            std::uint32_t colour = dx < 0 ? 0xD8C8A4 : 0xAE9C78;  // lit and shaded sides
            if (dx == -halfWidth || dx == halfWidth - 1) {
                colour = 0x7A6848;
            } else if ((y - kTowerTop) % 7 == 6) {
                colour = dx < 0 ? 0xBCAA84 : 0x94825E;  // board seams
            }
            Put(picture, kHubX + dx, y, colour);
        }
    }
    // Door with a rounded top, and a lit window.
    for (int y = kTowerBottom - 12; y < kTowerBottom; ++y) {
        for (int dx = -4; dx < 4; ++dx) {
            const bool corner = y == kTowerBottom - 12 && (dx == -4 || dx == 3);
            if (!corner) {
                Put(picture, kHubX + dx, y, 0x5A3A20);
            }
        }
    }
    for (int y = 44; y < 50; ++y) {
        for (int dx = -2; dx < 2; ++dx) {
            Put(picture, kHubX + dx, y, y == 46 ? 0xD89020 : 0xFFD860);
        }
    }
}

void DrawRoof(ArtPicture& picture) {
    constexpr int top = 22;
    for (int y = top; y < kTowerTop; ++y) {
        const int halfWidth = 2 + (y - top) * 9 / (kTowerTop - top);
        for (int dx = -halfWidth; dx < halfWidth; ++dx) {
            Put(picture, kHubX + dx, y, dx < 0 ? 0xC4402E : 0x8E2A20);
        }
    }
}

// Four sails on the diagonals. Along and across are measured in steps of half a
// diagonal pixel, which keeps the drawing in whole numbers.
void DrawSails(ArtPicture& picture) {
    constexpr int kLength = 56;
    constexpr int kClothStart = 14;
    constexpr int kClothWidth = 12;
    constexpr int kDirections[4][2] = {{1, 1}, {-1, -1}, {1, -1}, {-1, 1}};
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const int dx = x - kHubX;
            const int dy = y - kHubY;
            for (const auto& d : kDirections) {
                const int along = dx * d[0] + dy * d[1];
                const int across = dy * d[0] - dx * d[1];  // turns with the sail
                if (along < 0 || along > kLength) {
                    continue;
                }
                if (across >= -1 && across <= 1) {
                    Put(picture, x, y, 0x6B4A2B);  // the stock
                } else if (along >= kClothStart && across >= 2 && across <= kClothWidth) {
                    const bool frame = along <= kClothStart + 1 || along >= kLength - 1 ||
                                       across >= kClothWidth - 1 || along % 8 < 2;
                    Put(picture, x, y, frame ? 0x7A5A3A : 0xEDE4CC);
                }
            }
        }
    }
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            Put(picture, kHubX + dx, kHubY + dy, dx == 0 && dy == 0 ? 0xB0B0B0 : 0x3A2A1A);
        }
    }
}

ArtPicture DrawWindmill() {
    ArtPicture picture = Blank(kPictureWidth, kEmblemHeight);
    DrawSky(picture);
    DrawHills(picture, false);
    DrawTower(picture);
    DrawHills(picture, true);
    DrawRoof(picture);
    DrawSails(picture);
    return picture;
}

// ---- sparkles and the sprite ----

struct Swatch {
    char key;
    std::uint32_t colour;
};

struct MaskedPicture {
    ArtPicture mask;
    ArtPicture image;
};

// Rows of pixel art; '.' lets the background through, other keys name a swatch.
MaskedPicture FromPixelArt(std::initializer_list<std::string_view> rows,
                           std::initializer_list<Swatch> swatches) {
    const int width = static_cast<int>(rows.begin()->size());
    const int height = static_cast<int>(rows.size());
    MaskedPicture result{Blank(width, height, kWhite), Blank(width, height, kBlack)};
    int y = 0;
    for (std::string_view row : rows) {
        for (int x = 0; x < width && x < static_cast<int>(row.size()); ++x) {
            const char key = row[static_cast<std::size_t>(x)];
            for (const Swatch& swatch : swatches) {
                if (swatch.key == key) {
                    Put(result.mask, x, y, kBlack);
                    Put(result.image, x, y, swatch.colour);
                }
            }
        }
        ++y;
    }
    return result;
}

MaskedPicture DrawStarSparkle() {
    return FromPixelArt(
        {
            // clang-format off
            ".....d.....",
            ".....o.....",
            ".....y.....",
            "....yYy....",
            "...yYWYy...",
            "doyYWWWYyod",
            "...yYWYy...",
            "....yYy....",
            ".....y.....",
            ".....o.....",
            ".....d.....",
            // clang-format on
        },
        {{'W', 0xFFFFFF}, {'Y', 0xFFF6A0}, {'y', 0xFFD840}, {'o', 0xE09020}, {'d', 0x804810}});
}

MaskedPicture DrawTwinkleSparkle() {
    return FromPixelArt(
        {
            // clang-format off
            "b.......b",
            ".c.....c.",
            "..c.C.c..",
            "....C....",
            "..CCWCC..",
            "....C....",
            "..c.C.c..",
            ".c.....c.",
            "b.......b",
            // clang-format on
        },
        {{'W', 0xFFFFFF}, {'C', 0xB8F0FF}, {'c', 0x50B0E0}, {'b', 0x2A6090}});
}

MaskedPicture DrawBat() {
    return FromPixelArt(
        {
            // clang-format off
            "..k..................k..",
            ".kpk......k..k......kpk.",
            ".kppk.....kkkk.....kppk.",
            "kpppk....kBBBBk....kpppk",
            "kppppk..kBrBBrBk..kppppk",
            "kpppppkkBBBBBBBBkkpppppk",
            "kppppppkBBkkkkBBkppppppk",
            "kppkpppkBBwBBwBBkpppkppk",
            "kpk.kppk.kBBBBk.kppk.kpk",
            "kk...kk...kBBk...kk...kk",
            "..........kkkk..........",
            // clang-format on
        },
        {{'k', 0x3A1E5C}, {'p', 0x7A4AB0}, {'B', 0x4E2C78}, {'r', 0xFF4040}, {'w', 0xFFFFFF}});
}

}  // namespace

AboutArtwork DrawAboutArtwork() {
    AboutArtwork art;
    art.credits = DrawCredits();
    art.second = DrawWindmill();
    MaskedPicture star = DrawStarSparkle();
    art.sparkle1Mask = std::move(star.mask);
    art.sparkle1Image = std::move(star.image);
    MaskedPicture twinkle = DrawTwinkleSparkle();
    art.sparkle2Mask = std::move(twinkle.mask);
    art.sparkle2Image = std::move(twinkle.image);
    MaskedPicture bat = DrawBat();
    art.spriteMask = std::move(bat.mask);
    art.spriteImage = std::move(bat.image);
    return art;
}

}  // namespace pixmill
