#pragma once
// The about window's eight pictures, drawn by code so that every build shows
// the same pixels. No window code here.

#include <cstdint>
#include <vector>

namespace pixmill {

// A picture: rows top first, each pixel 0xRRGGBB.
struct ArtPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// Each sparkle and the sprite come as a mask and an image: the mask is copied
// with AND (white keeps the background, black clears it), then the image with
// OR (black where the background shows).
struct AboutArtwork {
    ArtPicture credits;  // scrolls up through the window
    ArtPicture second;   // follows directly under the credits
    ArtPicture sparkle1Mask, sparkle1Image;
    ArtPicture sparkle2Mask, sparkle2Image;
    ArtPicture spriteMask, spriteImage;  // drawn along the top edge
};

AboutArtwork DrawAboutArtwork();

}  // namespace pixmill
