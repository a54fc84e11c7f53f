#pragma once
// Rows of palette indices turned into rows of 24-bit pixels (blue, green, red),
// the work of every picture the windows show. Where the processor has 64-byte
// byte permutes (AVX-512 VBMI) 64 pixels take a handful of instructions;
// elsewhere one table word per pixel.

#include <cstddef>
#include <cstdint>

#include "palette/Palette.h"
#include "palette/PaletteWords.h"

namespace pixmill {

class PaletteRows {
  public:
    // allowWide false keeps to the plain path, for comparing the two.
    explicit PaletteRows(const Palette& palette, bool allowWide = true);

    // Whether the wide path is in use.
    bool wide() const { return wide_; }
    const PaletteWords& words() const { return words_; }

    // n indices, left to right, into exactly 3n bytes at out.
    void Convert(const std::uint8_t* indices, std::size_t n, std::uint8_t* out) const {
        ConvertRows(indices, 0, n, 1, out, 0);
    }
    // The same for rows of n indices indexStride bytes apart, into rows
    // outStride bytes apart.
    void ConvertRows(const std::uint8_t* indices, std::size_t indexStride, std::size_t n,
                     std::size_t rows, std::uint8_t* out, std::size_t outStride) const;

  private:
    PaletteWords words_;
    // Blue, green and red of every entry, one plane each.
    alignas(64) std::uint8_t planes_[3][256];
    bool wide_ = false;
};

}  // namespace pixmill
