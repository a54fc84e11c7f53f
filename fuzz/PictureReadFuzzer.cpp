// The picture readers (bitmaps of every depth, PNGs of every kind, told apart
// by their first bytes) on any bytes, matched to a palette with and without
// dithering: an accepted picture is a whole tile of the size its header gives;
// see-through pixels are 255; without dithering every pixel is the nearest
// entry (or kept by its colour table), and dithering never changes a pixel
// whose colour is in the palette exactly.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "bitmap/ColourMatch.h"
#include "bitmap/PictureFile.h"
#include "fuzz/FuzzCheck.h"

namespace {

pixmill::Palette FuzzPalette() {
    // Repeated colours and near neighbours, as game palettes have.
    pixmill::Palette palette{};
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const auto v = static_cast<std::uint8_t>((i % 64) * 4);
        palette[i] = {v, static_cast<std::uint8_t>(i < 128 ? v : 255 - v),
                      static_cast<std::uint8_t>(i / 2)};
    }
    return palette;
}

int Nearest(const pixmill::Palette& palette, int r, int g, int b) {
    int best = 0;
    for (int i = 1; i < 256; ++i) {
        if (pixmill::ColourDistance(r, g, b, palette[static_cast<std::size_t>(i)]) <
            pixmill::ColourDistance(r, g, b, palette[static_cast<std::size_t>(best)])) {
            best = i;
        }
    }
    return best;
}

// The picture's rows as its reader gives them, for pictures small enough to check.
bool DecodeRows(std::span<const std::uint8_t> bytes, pixmill::PictureHead& head,
                std::vector<std::uint8_t>& rows) {
    pixmill::MemorySource source(bytes);
    auto reader = pixmill::OpenPicture(source);
    if (!reader) {
        return false;
    }
    head = (*reader)->head();
    if (std::size_t{1} * head.RowBytes() * static_cast<std::size_t>(head.height) > (1u << 16)) {
        return false;
    }
    rows.resize(head.RowBytes() * static_cast<std::size_t>(head.height));
    return rows.empty() || (*reader)->ReadRows(rows.data(), head.height).ok();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    static const pixmill::Palette palette = FuzzPalette();
    pixmill::MemorySource plainSource(bytes);
    const auto plain = pixmill::ReadPicture(plainSource, palette, false);
    pixmill::MemorySource ditherSource(bytes);
    const auto dithered = pixmill::ReadPicture(ditherSource, palette, true);
    PIXMILL_FUZZ_CHECK(plain.ok() == dithered.ok());
    if (!plain) {
        return 0;
    }
    for (const pixmill::Tile* tile : {&*plain, &*dithered}) {
        PIXMILL_FUZZ_CHECK(tile->width >= 0 && tile->height >= 0);
        PIXMILL_FUZZ_CHECK(tile->pixels.size() == tile->PixelCount());
    }
    PIXMILL_FUZZ_CHECK(plain->width == dithered->width && plain->height == dithered->height);

    pixmill::PictureHead head;
    std::vector<std::uint8_t> rows;
    if (!DecodeRows(bytes, head, rows)) {
        return 0;
    }
    PIXMILL_FUZZ_CHECK(head.width == plain->width && head.height == plain->height);
    pixmill::NearestColour nearest(palette);
    for (int y = 0; y < head.height; ++y) {
        for (int x = 0; x < head.width; ++x) {
            const std::uint8_t got = plain->Pixel(x + 1, y + 1);
            const std::uint8_t spread = dithered->Pixel(x + 1, y + 1);
            const std::size_t at = static_cast<std::size_t>(y) * head.RowBytes();
            int r = 0, g = 0, b = 0, alpha = 255, kept = -1;
            if (head.indexed) {
                const std::uint8_t index = rows[at + static_cast<std::size_t>(x)];
                if (index >= head.colours.size()) {
                    PIXMILL_FUZZ_CHECK(got == index && spread == index);
                    continue;
                }
                const pixmill::PaletteEntry& c = head.colours[index];
                r = c.red, g = c.green, b = c.blue, alpha = head.alphas[index];
                if (c == palette[index]) {
                    kept = index;
                }
            } else {
                const std::uint8_t* p = rows.data() + at + 4 * static_cast<std::size_t>(x);
                r = p[0], g = p[1], b = p[2], alpha = p[3];
            }
            if (alpha < 128) {
                PIXMILL_FUZZ_CHECK(got == 255 && spread == 255);
            } else if (kept >= 0) {
                PIXMILL_FUZZ_CHECK(got == kept && spread == kept);
            } else {
                PIXMILL_FUZZ_CHECK(got == Nearest(palette, r, g, b));
                const int exact =
                    nearest.ExactIndex(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                       static_cast<std::uint8_t>(b));
                PIXMILL_FUZZ_CHECK(exact < 0 || spread == exact);
            }
        }
    }
    return 0;
}
