#pragma once
// The device-independent bitmap header that describes a 24-bit pixel buffer to
// the drawing calls: a negative height means the first row in memory is the top.

#include <cstdint>

namespace pixmill {

struct DibHeader {
    std::int32_t headerSize = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int16_t planes = 1;
    std::int16_t bitsPerPixel = 24;
    std::int32_t compression = 0;
    std::int32_t imageSize = 0;
    std::int32_t xPixelsPerMetre = 0;
    std::int32_t yPixelsPerMetre = 0;
    std::int32_t coloursUsed = 0;
    std::int32_t coloursImportant = 0;
    friend bool operator==(const DibHeader&, const DibHeader&) = default;
};

// Bytes in one row of a 24-bit buffer: three a pixel, padded to a multiple of four.
inline constexpr std::int64_t DibRowStride(std::int32_t width) {
    return (std::int64_t{width} * 3 + 3) / 4 * 4;
}

}  // namespace pixmill
