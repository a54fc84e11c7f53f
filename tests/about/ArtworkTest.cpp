#include "about/Artwork.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace pixmill {
namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

std::uint32_t At(const ArtPicture& picture, int x, int y) {
    return picture.pixels[static_cast<std::size_t>(y * picture.width + x)];
}

struct Band {
    int top;
    int bottom;  // one past the last row
};

// Runs of rows holding any non-black pixel, split by fully black rows.
std::vector<Band> InkBands(const ArtPicture& picture) {
    std::vector<Band> bands;
    bool inBand = false;
    for (int y = 0; y < picture.height; ++y) {
        bool ink = false;
        for (int x = 0; x < picture.width && !ink; ++x) {
            ink = At(picture, x, y) != kBlack;
        }
        if (ink && !inBand) {
            bands.push_back({y, picture.height});
        } else if (!ink && inBand) {
            bands.back().bottom = y;
        }
        inBand = ink;
    }
    return bands;
}

bool ColumnHasInk(const ArtPicture& picture, const Band& band, int x) {
    for (int y = band.top; y < band.bottom; ++y) {
        if (At(picture, x, y) != kBlack) {
            return true;
        }
    }
    return false;
}

TEST(AboutArtwork, EveryPictureHoldsWidthTimesHeightPixels) {
    const AboutArtwork art = DrawAboutArtwork();
    const std::pair<const char*, const ArtPicture*> pictures[] = {
        {"credits", &art.credits},           {"second", &art.second},
        {"sparkle1Mask", &art.sparkle1Mask}, {"sparkle1Image", &art.sparkle1Image},
        {"sparkle2Mask", &art.sparkle2Mask}, {"sparkle2Image", &art.sparkle2Image},
        {"spriteMask", &art.spriteMask},     {"spriteImage", &art.spriteImage}};
    for (const auto& [name, picture] : pictures) {
        SCOPED_TRACE(name);
        EXPECT_GT(picture->width, 0);
        EXPECT_GT(picture->height, 0);
        EXPECT_EQ(picture->pixels.size(), static_cast<std::size_t>(picture->width) *
                                              static_cast<std::size_t>(picture->height));
    }
    EXPECT_LE(art.credits.width, 300);
    EXPECT_LE(art.second.width, 300);
}

// The window copies the mask with AND and the image with OR: anything but pure
// black or white in a mask, or colour outside the mask's hole, would tint the
// background.
TEST(AboutArtwork, MasksAndImagesCombineCleanly) {
    const AboutArtwork art = DrawAboutArtwork();
    const std::pair<const ArtPicture*, const ArtPicture*> pairs[] = {
        {&art.sparkle1Mask, &art.sparkle1Image},
        {&art.sparkle2Mask, &art.sparkle2Image},
        {&art.spriteMask, &art.spriteImage}};
    for (const auto& [mask, image] : pairs) {
        SCOPED_TRACE(mask == &art.spriteMask ? "sprite" : "sparkle");
        ASSERT_EQ(mask->width, image->width);
        ASSERT_EQ(mask->height, image->height);
        ASSERT_EQ(mask->pixels.size(), image->pixels.size());
        int holes = 0;
        int lit = 0;
        for (std::size_t i = 0; i < mask->pixels.size(); ++i) {
            const std::uint32_t m = mask->pixels[i];
            ASSERT_TRUE(m == kBlack || m == kWhite) << "mask pixel " << i << " is " << m;
            if (m == kWhite) {
                ASSERT_EQ(image->pixels[i], kBlack) << "image pixel " << i;
            } else {
                ++holes;
                lit += image->pixels[i] != kBlack ? 1 : 0;
            }
        }
        // Something must show, and the picture must not fill its whole box.
        EXPECT_GT(lit, 0);
        EXPECT_LT(holes, static_cast<int>(mask->pixels.size()));
    }
}

TEST(AboutArtwork, CreditsAreCentredLinesOfSeparateLetters) {
    const ArtPicture credits = DrawAboutArtwork().credits;
    const std::vector<Band> bands = InkBands(credits);
    ASSERT_GE(bands.size(), 10u);
    int lettered = 0;
    for (const Band& band : bands) {
        int left = 0;
        while (left < credits.width && !ColumnHasInk(credits, band, left)) {
            ++left;
        }
        int right = credits.width;
        while (right > left && !ColumnHasInk(credits, band, right - 1)) {
            --right;
        }
        ASSERT_LT(left, right);
        EXPECT_LE(std::abs(left - (credits.width - right)), 3)
            << "rows " << band.top << " to " << band.bottom << " are off centre";
        // Letters show as runs of inked columns with gaps between them.
        int runs = 0;
        for (int x = left; x < right; ++x) {
            const bool ink = ColumnHasInk(credits, band, x);
            runs += ink && (x == left || !ColumnHasInk(credits, band, x - 1)) ? 1 : 0;
        }
        lettered += runs >= 5 ? 1 : 0;
    }
    EXPECT_GE(lettered, 10);

    std::set<std::uint32_t> colours(credits.pixels.begin(), credits.pixels.end());
    colours.erase(kBlack);
    EXPECT_GE(colours.size(), 4u) << "the lines should come in a few colours";
}

TEST(AboutArtwork, SecondPictureIsASmallEmblem) {
    const ArtPicture second = DrawAboutArtwork().second;
    EXPECT_GE(second.height, 40);
    EXPECT_LE(second.height, 100);
    std::set<std::uint32_t> colours(second.pixels.begin(), second.pixels.end());
    EXPECT_GE(colours.size(), 4u);
    EXPECT_EQ(second.pixels.front(), kBlack) << "the emblem sits on black";
}

TEST(AboutArtwork, DrawsTheSamePixelsEveryTime) {
    const AboutArtwork a = DrawAboutArtwork();
    const AboutArtwork b = DrawAboutArtwork();
    EXPECT_EQ(a.credits.pixels, b.credits.pixels);
    EXPECT_EQ(a.second.pixels, b.second.pixels);
    EXPECT_EQ(a.sparkle1Image.pixels, b.sparkle1Image.pixels);
    EXPECT_EQ(a.sparkle2Image.pixels, b.sparkle2Image.pixels);
    EXPECT_EQ(a.spriteImage.pixels, b.spriteImage.pixels);
}

}  // namespace
}  // namespace pixmill
