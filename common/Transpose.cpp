#include "common/Transpose.h"

#include <algorithm>

#if defined(__x86_64__)
#include <immintrin.h>
#define PIXMILL_TRANSPOSE_AVX2 1
#endif
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace pixmill {
namespace {

// Blocks of this many rows and columns keep a block's source and destination
// lines (16 KiB at most) in the first-level cache.
constexpr int kBand = 64;

void TransposeScalar(const std::uint8_t* source, std::ptrdiff_t sourceStride,
                     std::uint8_t* destination, std::ptrdiff_t destinationStride, int rows,
                     int columns) {
    for (int c = 0; c < columns; ++c) {
        std::uint8_t* out = destination + c * destinationStride;
        const std::uint8_t* in = source + c;
        for (int r = 0; r < rows; ++r) {
            out[r] = in[r * sourceStride];
        }
    }
}

#if defined(__SSE2__)
// 16 rows of 16 bytes into 16 columns, by interleaving ever wider pieces.
void Transpose16(const std::uint8_t* source, std::ptrdiff_t sourceStride, std::uint8_t* destination,
                 std::ptrdiff_t destinationStride) {
    __m128i a[16];
    __m128i b[16];
    for (int i = 0; i < 16; ++i) {
        a[i] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + i * sourceStride));
    }
    for (int i = 0; i < 8; ++i) {  // bytes of row pairs
        b[2 * i] = _mm_unpacklo_epi8(a[2 * i], a[2 * i + 1]);
        b[2 * i + 1] = _mm_unpackhi_epi8(a[2 * i], a[2 * i + 1]);
    }
    for (int j = 0; j < 4; ++j) {  // pairs of pairs: four rows
        a[4 * j] = _mm_unpacklo_epi16(b[4 * j], b[4 * j + 2]);
        a[4 * j + 1] = _mm_unpackhi_epi16(b[4 * j], b[4 * j + 2]);
        a[4 * j + 2] = _mm_unpacklo_epi16(b[4 * j + 1], b[4 * j + 3]);
        a[4 * j + 3] = _mm_unpackhi_epi16(b[4 * j + 1], b[4 * j + 3]);
    }
    for (int k = 0; k < 2; ++k) {  // eight rows
        for (int m = 0; m < 4; ++m) {
            b[8 * k + 2 * m] = _mm_unpacklo_epi32(a[8 * k + m], a[8 * k + 4 + m]);
            b[8 * k + 2 * m + 1] = _mm_unpackhi_epi32(a[8 * k + m], a[8 * k + 4 + m]);
        }
    }
    for (int n = 0; n < 8; ++n) {  // all sixteen: one column each
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + (2 * n) * destinationStride),
                         _mm_unpacklo_epi64(b[n], b[8 + n]));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + (2 * n + 1) * destinationStride),
                         _mm_unpackhi_epi64(b[n], b[8 + n]));
    }
}
#endif

#if defined(PIXMILL_TRANSPOSE_AVX2)
// 16 rows of 32 bytes into 32 columns: the steps of Transpose16 on two blocks
// side by side, one in each half of the registers.
__attribute__((target("avx2"))) void Transpose16x32(const std::uint8_t* source,
                                                    std::ptrdiff_t sourceStride,
                                                    std::uint8_t* destination,
                                                    std::ptrdiff_t destinationStride) {
    __m256i a[16];
    __m256i b[16];
    for (int i = 0; i < 16; ++i) {
        a[i] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + i * sourceStride));
    }
    for (int i = 0; i < 8; ++i) {
        b[2 * i] = _mm256_unpacklo_epi8(a[2 * i], a[2 * i + 1]);
        b[2 * i + 1] = _mm256_unpackhi_epi8(a[2 * i], a[2 * i + 1]);
    }
    for (int j = 0; j < 4; ++j) {
        a[4 * j] = _mm256_unpacklo_epi16(b[4 * j], b[4 * j + 2]);
        a[4 * j + 1] = _mm256_unpackhi_epi16(b[4 * j], b[4 * j + 2]);
        a[4 * j + 2] = _mm256_unpacklo_epi16(b[4 * j + 1], b[4 * j + 3]);
        a[4 * j + 3] = _mm256_unpackhi_epi16(b[4 * j + 1], b[4 * j + 3]);
    }
    for (int k = 0; k < 2; ++k) {
        for (int m = 0; m < 4; ++m) {
            b[8 * k + 2 * m] = _mm256_unpacklo_epi32(a[8 * k + m], a[8 * k + 4 + m]);
            b[8 * k + 2 * m + 1] = _mm256_unpackhi_epi32(a[8 * k + m], a[8 * k + 4 + m]);
        }
    }
    for (int n = 0; n < 8; ++n) {
        const __m256i even = _mm256_unpacklo_epi64(b[n], b[8 + n]);
        const __m256i odd = _mm256_unpackhi_epi64(b[n], b[8 + n]);
        // The low halves are columns 0 to 15, the high halves 16 to 31.
        for (int half = 0; half < 2; ++half) {
            std::uint8_t* column = destination + (16 * half + 2 * n) * destinationStride;
            _mm_storeu_si128(
                reinterpret_cast<__m128i*>(column),
                half == 0 ? _mm256_castsi256_si128(even) : _mm256_extracti128_si256(even, 1));
            _mm_storeu_si128(
                reinterpret_cast<__m128i*>(column + destinationStride),
                half == 0 ? _mm256_castsi256_si128(odd) : _mm256_extracti128_si256(odd, 1));
        }
    }
}

const bool kHaveAvx2 = __builtin_cpu_supports("avx2");
#endif

// One block of at most kBand x kBand.
void TransposeBlock(const std::uint8_t* source, std::ptrdiff_t sourceStride,
                    std::uint8_t* destination, std::ptrdiff_t destinationStride, int rows,
                    int columns) {
#if defined(__SSE2__)
    const int fullRows = rows - rows % 16;
    const int fullColumns = columns - columns % 16;
    for (int r = 0; r < fullRows; r += 16) {
        int c = 0;
#if defined(PIXMILL_TRANSPOSE_AVX2)
        if (kHaveAvx2) {
            for (; c + 32 <= fullColumns; c += 32) {
                Transpose16x32(source + r * sourceStride + c, sourceStride,
                               destination + c * destinationStride + r, destinationStride);
            }
        }
#endif
        for (; c < fullColumns; c += 16) {
            Transpose16(source + r * sourceStride + c, sourceStride,
                        destination + c * destinationStride + r, destinationStride);
        }
    }
    // The edges that do not fill a block of 16.
    TransposeScalar(source + fullColumns, sourceStride,
                    destination + fullColumns * destinationStride, destinationStride, rows,
                    columns - fullColumns);
    TransposeScalar(source + fullRows * sourceStride, sourceStride, destination + fullRows,
                    destinationStride, rows - fullRows, fullColumns);
#else
    TransposeScalar(source, sourceStride, destination, destinationStride, rows, columns);
#endif
}

}  // namespace

void TransposeBytes(const std::uint8_t* source, std::ptrdiff_t sourceStride,
                    std::uint8_t* destination, std::ptrdiff_t destinationStride, int rows,
                    int columns) {
    for (int r = 0; r < rows; r += kBand) {
        for (int c = 0; c < columns; c += kBand) {
            TransposeBlock(source + r * sourceStride + c, sourceStride,
                           destination + c * destinationStride + r, destinationStride,
                           std::min(kBand, rows - r), std::min(kBand, columns - c));
        }
    }
}

}  // namespace pixmill
