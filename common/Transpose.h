#pragma once
// Turning rows of bytes into columns: a bitmap's rows into a tile's columns
// (tiles are stored column by column) and back.

#include <cstddef>
#include <cstdint>

namespace pixmill {

// Copies a rows x columns block: the byte at source[r * sourceStride + c] goes
// to destination[c * destinationStride + r]. Strides may be negative (a
// bitmap's rows run bottom up). Done in small square blocks, so that reads and
// writes both stay in the cache whatever the sizes.
void TransposeBytes(const std::uint8_t* source, std::ptrdiff_t sourceStride,
                    std::uint8_t* destination, std::ptrdiff_t destinationStride, int rows,
                    int columns);

}  // namespace pixmill
