// ReadTileBitmap on any bytes: every pixel of an accepted picture is the byte at
// its place in the rows, and the tile written as a bitmap reads back the same.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "bitmap/TileBitmap.h"
#include "common/ByteIo.h"
#include "fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto tile = pixmill::ReadTileBitmap(std::span<const std::uint8_t>(data, size));
    if (!tile) {
        return 0;
    }
    PIXMILL_FUZZ_CHECK(size >= 54);
    const std::int32_t storedHeight = pixmill::GetI32(data + 22);
    PIXMILL_FUZZ_CHECK(tile->width == pixmill::GetI32(data + 18));
    PIXMILL_FUZZ_CHECK(tile->height == (storedHeight < 0 ? -std::int64_t{storedHeight}
                                                         : std::int64_t{storedHeight}));
    PIXMILL_FUZZ_CHECK(tile->pixels.size() == tile->PixelCount());

    // Rows start where the header says when that lies within the file.
    std::size_t rows = pixmill::GetU32(data + 10);
    if (rows < 54 || rows > size) {
        rows = pixmill::kBitmapRowsOffset;
    }
    const std::size_t stride = pixmill::BitmapRowStride(tile->width);
    PIXMILL_FUZZ_CHECK(rows + stride * static_cast<std::size_t>(tile->height) <= size);
    for (int y = 1; y <= tile->height; ++y) {
        const std::size_t row =
            static_cast<std::size_t>(storedHeight < 0 ? y - 1 : tile->height - y);
        for (int x = 1; x <= tile->width; ++x) {
            PIXMILL_FUZZ_CHECK(tile->Pixel(x, y) ==
                               data[rows + row * stride + static_cast<std::size_t>(x - 1)]);
        }
    }

    const pixmill::Palette palette{};
    const auto bytes = pixmill::TileBitmapBytes(*tile, palette);
    const auto again = pixmill::ReadTileBitmap(bytes);
    PIXMILL_FUZZ_CHECK(again.ok() && again->width == tile->width && again->height == tile->height);
    PIXMILL_FUZZ_CHECK(again->pixels.size() == tile->pixels.size());
    PIXMILL_FUZZ_CHECK(
        tile->pixels.empty() ||
        std::memcmp(again->pixels.data(), tile->pixels.data(), tile->pixels.size()) == 0);
    return 0;
}
