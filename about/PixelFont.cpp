#include "about/PixelFont.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <vector>

namespace pixmill {
namespace {

// Rows top first, separated by spaces; '#' is ink. A glyph of seven rows ends
// on the baseline; one of nine has two rows of descender. Blank columns at
// either side are trimmed, so narrow letters take less room.
struct GlyphArt {
    char c;
    const char* rows;
};

// clang-format off
constexpr GlyphArt kGlyphArt[] = {
    {'A', ".###. #...# #...# ##### #...# #...# #...#"},
    {'B', "####. #...# #...# ####. #...# #...# ####."},
    {'C', ".###. #...# #.... #.... #.... #...# .###."},
    {'D', "####. #...# #...# #...# #...# #...# ####."},
    {'E', "##### #.... #.... ####. #.... #.... #####"},
    {'F', "##### #.... #.... ####. #.... #.... #...."},
    {'G', ".###. #...# #.... #.### #...# #...# .####"},
    {'H', "#...# #...# #...# ##### #...# #...# #...#"},
    {'I', "### .#. .#. .#. .#. .#. ###"},
    {'J', "..### ...#. ...#. ...#. ...#. #..#. .##.."},
    {'K', "#...# #..#. #.#.. ##... #.#.. #..#. #...#"},
    {'L', "#.... #.... #.... #.... #.... #.... #####"},
    {'M', "#...# ##.## #.#.# #.#.# #...# #...# #...#"},
    {'N', "#...# #...# ##..# #.#.# #..## #...# #...#"},
    {'O', ".###. #...# #...# #...# #...# #...# .###."},
    {'P', "####. #...# #...# ####. #.... #.... #...."},
    {'Q', ".###. #...# #...# #...# #.#.# #..#. .##.#"},
    {'R', "####. #...# #...# ####. #.#.. #..#. #...#"},
    {'S', ".#### #.... #.... .###. ....# ....# ####."},
    {'T', "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#.."},
    {'U', "#...# #...# #...# #...# #...# #...# .###."},
    {'V', "#...# #...# #...# #...# #...# .#.#. ..#.."},
    {'W', "#...# #...# #...# #.#.# #.#.# #.#.# .#.#."},
    {'X', "#...# #...# .#.#. ..#.. .#.#. #...# #...#"},
    {'Y', "#...# #...# .#.#. ..#.. ..#.. ..#.. ..#.."},
    {'Z', "##### ....# ...#. ..#.. .#... #.... #####"},
    {'a', "..... ..... .###. ....# .#### #...# .####"},
    {'b', "#.... #.... #.##. ##..# #...# #...# ####."},
    {'c', "..... ..... .###. #.... #.... #...# .###."},
    {'d', "....# ....# .##.# #..## #...# #...# .####"},
    {'e', "..... ..... .###. #...# ##### #.... .###."},
    {'f', "..## .#.. .#.. ###. .#.. .#.. .#.."},
    {'g', "..... ..... .#### #...# #...# #...# .#### ....# .###."},
    {'h', "#.... #.... #.##. ##..# #...# #...# #...#"},
    {'i', ".#. ... ##. .#. .#. .#. ###"},
    {'j', "..# ... .## ..# ..# ..# ..# #.# .#."},
    {'k', "#... #... #..# #.#. ##.. #.#. #..#"},
    {'l', "##. .#. .#. .#. .#. .#. ###"},
    {'m', "..... ..... ##.#. #.#.# #.#.# #...# #...#"},
    {'n', "..... ..... #.##. ##..# #...# #...# #...#"},
    {'o', "..... ..... .###. #...# #...# #...# .###."},
    {'p', "..... ..... ####. #...# #...# #...# ####. #.... #...."},
    {'q', "..... ..... .#### #...# #...# #...# .#### ....# ....#"},
    {'r', "..... ..... #.##. ##..# #.... #.... #...."},
    {'s', "..... ..... .#### #.... .###. ....# ####."},
    {'t', ".#.. .#.. ###. .#.. .#.. .#.# ..#."},
    {'u', "..... ..... #...# #...# #...# #..## .##.#"},
    {'v', "..... ..... #...# #...# #...# .#.#. ..#.."},
    {'w', "..... ..... #...# #...# #.#.# #.#.# .#.#."},
    {'x', "..... ..... #...# .#.#. ..#.. .#.#. #...#"},
    {'y', "..... ..... #...# #...# #...# #...# .#### ....# .###."},
    {'z', "..... ..... ##### ...#. ..#.. .#... #####"},
    {'0', ".###. #...# #..## #.#.# ##..# #...# .###."},
    {'1', "..#.. .##.. ..#.. ..#.. ..#.. ..#.. .###."},
    {'2', ".###. #...# ....# ...#. ..#.. .#... #####"},
    {'3', "####. ....# ....# .###. ....# ....# ####."},
    {'4', "...#. ..##. .#.#. #..#. ##### ...#. ...#."},
    {'5', "##### #.... ####. ....# ....# #...# .###."},
    {'6', "..##. .#... #.... ####. #...# #...# .###."},
    {'7', "##### ....# ...#. ..#.. .#... .#... .#..."},
    {'8', ".###. #...# #...# .###. #...# #...# .###."},
    {'9', ".###. #...# #...# .#### ....# ...#. .##.."},
    {'.', ". . . . . . #"},
    {',', ".. .. .. .. .. .# .# #. .."},
    {'!', "# # # # # . #"},
    {'?', ".###. #...# ....# ...#. ..#.. ..... ..#.."},
    {'\'', "# # . . . . ."},
    {'"', "#.# #.# ... ... ... ... ..."},
    {'(', "..# .#. #.. #.. #.. .#. ..#"},
    {')', "#.. .#. ..# ..# ..# .#. #.."},
    {'-', ".... .... .... #### .... .... ...."},
    {'+', "..... ..#.. ..#.. ##### ..#.. ..#.. ....."},
    {':', ". . # . . # ."},
    {';', ".. .. .# .. .. .# .# #. .."},
    {'/', "....# ...#. ...#. ..#.. .#... .#... #...."},
    {'&', ".##.. #..#. #.#.. .#... #.#.# #..#. .##.#"},
    {'*', "..... #.#.# .###. ##### .###. #.#.# ....."},
    {'#', ".#.#. ##### .#.#. .#.#. .#.#. ##### .#.#."},
    {'@', ".###. #...# #.### #.#.# #.### #.... .###."},
};
// clang-format on

constexpr int kSpaceWidth = 3;
constexpr int kGlyphGap = 1;

struct Glyph {
    int width = 0;
    std::vector<std::string> rows;  // kFontHeight rows of width characters
};

std::vector<std::string> SplitRows(std::string_view art) {
    std::vector<std::string> rows;
    std::size_t start = 0;
    while (start <= art.size()) {
        std::size_t end = art.find(' ', start);
        if (end == std::string_view::npos) {
            end = art.size();
        }
        rows.emplace_back(art.substr(start, end - start));
        start = end + 1;
    }
    return rows;
}

Glyph MakeGlyph(std::string_view art) {
    std::vector<std::string> rows = SplitRows(art);
    const std::size_t fullWidth = rows.front().size();
    std::size_t left = fullWidth;
    std::size_t right = 0;
    for (const std::string& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (row[i] == '#') {
                left = std::min(left, i);
                right = std::max(right, i + 1);
            }
        }
    }
    Glyph glyph;
    glyph.width = static_cast<int>(right - left);
    rows.resize(static_cast<std::size_t>(kFontHeight), std::string(fullWidth, '.'));
    for (std::string& row : rows) {
        glyph.rows.push_back(row.substr(left, right - left));
    }
    return glyph;
}

// Stands in for characters the font lacks, so a missing glyph shows.
Glyph MissingGlyph() {
    return MakeGlyph("#### #..# #..# #..# #..# #..# ####");
}

const std::array<Glyph, 128>& Glyphs() {
    static const std::array<Glyph, 128> glyphs = [] {
        std::array<Glyph, 128> all;
        all.fill(MissingGlyph());
        all[static_cast<std::size_t>(' ')] =
            Glyph{kSpaceWidth, std::vector<std::string>(static_cast<std::size_t>(kFontHeight))};
        for (const GlyphArt& art : kGlyphArt) {
            all[static_cast<std::size_t>(art.c)] = MakeGlyph(art.rows);
        }
        return all;
    }();
    return glyphs;
}

const Glyph& GlyphFor(char c) {
    const auto index = static_cast<unsigned char>(c);
    return Glyphs()[index < 128 ? index : std::size_t{0}];
}

void FillBlock(ArtPicture& picture, int x, int y, int size, std::uint32_t colour) {
    for (int row = std::max(y, 0); row < std::min(y + size, picture.height); ++row) {
        for (int col = std::max(x, 0); col < std::min(x + size, picture.width); ++col) {
            picture.pixels[static_cast<std::size_t>(row * picture.width + col)] = colour;
        }
    }
}

}  // namespace

int TextWidth(std::string_view text, int scale) {
    int width = 0;
    for (char c : text) {
        width += GlyphFor(c).width + kGlyphGap;
    }
    return text.empty() ? 0 : (width - kGlyphGap) * scale;
}

void DrawText(ArtPicture& picture, int x, int y, std::string_view text, int scale,
              std::uint32_t colour) {
    std::uint32_t rowColours[kFontHeight];
    std::fill(std::begin(rowColours), std::end(rowColours), colour);
    DrawTextRows(picture, x, y, text, scale, rowColours);
}

void DrawTextRows(ArtPicture& picture, int x, int y, std::string_view text, int scale,
                  const std::uint32_t (&rowColours)[kFontHeight]) {
    for (char c : text) {
        const Glyph& glyph = GlyphFor(c);
        for (int row = 0; row < static_cast<int>(glyph.rows.size()); ++row) {
            const std::string& bits = glyph.rows[static_cast<std::size_t>(row)];
            for (int col = 0; col < static_cast<int>(bits.size()); ++col) {
                if (bits[static_cast<std::size_t>(col)] == '#') {
                    FillBlock(picture, x + col * scale, y + row * scale, scale, rowColours[row]);
                }
            }
        }
        x += (glyph.width + kGlyphGap) * scale;
    }
}

}  // namespace pixmill
