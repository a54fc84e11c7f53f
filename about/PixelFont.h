#pragma once
// A small proportional bitmap font for the about window's pictures: glyphs on a
// 5 x 9 grid (7 rows above the baseline, 2 for descenders), drawn at a whole
// scale. Covers ASCII letters, digits and common punctuation.

#include <cstdint>
#include <string_view>

#include "about/Artwork.h"

namespace pixmill {

inline constexpr int kFontAscent = 7;  // rows down to and including the baseline
inline constexpr int kFontHeight = 9;  // with the descender rows

// Width in pixels of text at the given scale, without a gap after the last glyph.
int TextWidth(std::string_view text, int scale);

// Draws text with its top-left corner at (x, y); pixels outside the picture are
// skipped. Characters without a glyph show as a hollow box.
void DrawText(ArtPicture& picture, int x, int y, std::string_view text, int scale,
              std::uint32_t colour);

// As DrawText, but the colour follows the glyph row (0 .. kFontHeight - 1), for
// gradients.
void DrawTextRows(ArtPicture& picture, int x, int y, std::string_view text, int scale,
                  const std::uint32_t (&rowColours)[kFontHeight]);

}  // namespace pixmill
