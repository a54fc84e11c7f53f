#include "palette/PaletteRows.h"

#include <array>
#include <bit>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#define PIXMILL_PALETTE_ROWS_VBMI 1
#endif

namespace pixmill {
namespace {

void StoreThree(std::uint8_t* out, std::uint32_t value) {
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
    out[2] = static_cast<std::uint8_t>(value >> 16);
}

#if defined(PIXMILL_PALETTE_ROWS_VBMI)
// Where byte j of output chunk k (bytes 64k to 64k + 63 of 64 pixels) comes
// from: pixel (64k + j) / 3, channel (64k + j) % 3.
struct Interleave {
    std::array<std::array<std::uint8_t, 64>, 3> blueGreen{};  // pixel, +64 for green
    std::array<std::array<std::uint8_t, 64>, 3> red{};        // pixel
    std::array<std::uint64_t, 3> redMask{};                   // bytes that are red
};

constexpr Interleave MakeInterleave() {
    Interleave table;
    for (std::size_t k = 0; k < 3; ++k) {
        for (std::size_t j = 0; j < 64; ++j) {
            const std::size_t p = 64 * k + j;
            const auto pixel = static_cast<std::uint8_t>(p / 3);
            const std::size_t channel = p % 3;
            table.blueGreen[k][j] = static_cast<std::uint8_t>(channel == 1 ? pixel + 64 : pixel);
            table.red[k][j] = pixel;
            if (channel == 2) {
                table.redMask[k] |= std::uint64_t{1} << j;
            }
        }
    }
    return table;
}

constexpr Interleave kInterleave = MakeInterleave();

#define PIXMILL_VBMI __attribute__((target("avx512f,avx512bw,avx512vbmi")))

// The plane's bytes for 64 indices: two 128-entry permutes, one for each half
// of the palette, chosen by each index's top bit.
PIXMILL_VBMI inline __m512i LookUp(const __m512i (&plane)[4], __m512i indices, __mmask64 high) {
    const __m512i low = _mm512_permutex2var_epi8(plane[0], indices, plane[1]);
    const __m512i top = _mm512_permutex2var_epi8(plane[2], indices, plane[3]);
    return _mm512_mask_blend_epi8(high, low, top);
}

PIXMILL_VBMI void ConvertWide(const std::uint8_t (&planes)[3][256], const std::uint8_t* rowIndices,
                              std::size_t indexStride, std::size_t n, std::size_t rows,
                              std::uint8_t* rowOut, std::size_t outStride) {
    __m512i blue[4];
    __m512i green[4];
    __m512i red[4];
    for (int i = 0; i < 4; ++i) {
        blue[i] = _mm512_loadu_si512(planes[0] + 64 * i);
        green[i] = _mm512_loadu_si512(planes[1] + 64 * i);
        red[i] = _mm512_loadu_si512(planes[2] + 64 * i);
    }
    __m512i blueGreen[3];
    __m512i redPick[3];
    for (int k = 0; k < 3; ++k) {
        blueGreen[k] =
            _mm512_loadu_si512(kInterleave.blueGreen[static_cast<std::size_t>(k)].data());
        redPick[k] = _mm512_loadu_si512(kInterleave.red[static_cast<std::size_t>(k)].data());
    }
    for (std::size_t row = 0; row < rows; ++row) {
        const std::uint8_t* indices = rowIndices + row * indexStride;
        std::uint8_t* out = rowOut + row * outStride;
        for (std::size_t x = 0; x < n; x += 64) {
            const std::size_t count = n - x < 64 ? n - x : 64;
            // The last group reads and writes only its own bytes.
            const __mmask64 in = count == 64 ? ~__mmask64{0} : (__mmask64{1} << count) - 1;
            const __m512i at = _mm512_maskz_loadu_epi8(in, indices + x);
            const __mmask64 high = _mm512_movepi8_mask(at);
            const __m512i b = LookUp(blue, at, high);
            const __m512i g = LookUp(green, at, high);
            const __m512i r = LookUp(red, at, high);
            const std::size_t bytes = 3 * count;
            for (std::size_t k = 0; k < 3 && 64 * k < bytes; ++k) {
                const __m512i mixed = _mm512_permutex2var_epi8(b, blueGreen[k], g);
                const __m512i chunk = _mm512_mask_blend_epi8(
                    kInterleave.redMask[k], mixed,
                    _mm512_maskz_permutexvar_epi8(~__mmask64{0}, redPick[k], r));
                const std::size_t left = bytes - 64 * k;
                const __mmask64 keep = left >= 64 ? ~__mmask64{0} : (__mmask64{1} << left) - 1;
                _mm512_mask_storeu_epi8(out + 3 * x + 64 * k, keep, chunk);
            }
        }
    }
}

const bool kHaveVbmi = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                       __builtin_cpu_supports("avx512vbmi");
#endif

}  // namespace

PaletteRows::PaletteRows(const Palette& palette, bool allowWide)
    : words_(MakePaletteWords(palette)) {
    for (std::size_t i = 0; i < 256; ++i) {
        planes_[0][i] = palette[i].blue;
        planes_[1][i] = palette[i].green;
        planes_[2][i] = palette[i].red;
    }
#if defined(PIXMILL_PALETTE_ROWS_VBMI)
    wide_ = allowWide && kHaveVbmi;
#else
    (void)allowWide;
#endif
}

void PaletteRows::ConvertRows(const std::uint8_t* indices, std::size_t indexStride, std::size_t n,
                              std::size_t rows, std::uint8_t* out, std::size_t outStride) const {
#if defined(PIXMILL_PALETTE_ROWS_VBMI)
    if (wide_) {
        ConvertWide(planes_, indices, indexStride, n, rows, out, outStride);
        return;
    }
#endif
    for (std::size_t row = 0; row < rows; ++row, indices += indexStride, out += outStride) {
        // One whole word a pixel; its fourth byte lands on the next pixel,
        // written after it. The last pixel stores exactly three.
        std::size_t x = 0;
        for (; x + 1 < n; ++x) {
            StoreWord(out + 3 * x, words_[indices[x]]);
        }
        if (x < n) {
            StoreThree(out + 3 * x, words_[indices[x]]);
        }
    }
}

}  // namespace pixmill
