// The wide path of the palette conversion must write exactly what the plain
// one writes, no byte more, for every length and alignment.
#include "palette/PaletteRows.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <vector>

namespace pixmill {
namespace {

TEST(PaletteRows, TheWidePathWritesWhatThePlainPathWrites) {
    std::mt19937 random(7);
    Palette palette;
    for (PaletteEntry& entry : palette) {
        entry = {static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
                 static_cast<std::uint8_t>(random())};
    }
    const PaletteRows wide(palette);
    const PaletteRows plain(palette, false);
    if (!wide.wide()) {
        std::printf("this processor has no wide path; only the plain one is checked\n");
    }
    std::vector<std::uint8_t> indices(3 * 300 + 8);
    for (std::uint8_t& index : indices) {
        index = static_cast<std::uint8_t>(random());
    }
    // Lengths around the 64-pixel groups, starting at odd places, several rows.
    for (std::size_t n :
         {0u, 1u, 2u, 21u, 22u, 42u, 43u, 63u, 64u, 65u, 127u, 128u, 129u, 200u, 300u}) {
        for (std::size_t offset : {0u, 1u, 5u}) {
            const std::size_t rows = 3;
            const std::size_t outStride = 3 * n + 7;
            std::vector<std::uint8_t> a(rows * outStride + 64, 0xEE);
            std::vector<std::uint8_t> b(a);
            wide.ConvertRows(indices.data() + offset, 300, n, rows, a.data() + 1, outStride);
            plain.ConvertRows(indices.data() + offset, 300, n, rows, b.data() + 1, outStride);
            ASSERT_EQ(a, b) << n << " pixels from " << offset;
            // And what the plain path writes is the palette's colours.
            for (std::size_t x = 0; x < n; ++x) {
                const PaletteEntry& colour = palette[indices[offset + x]];
                ASSERT_EQ(b[1 + 3 * x], colour.blue);
                ASSERT_EQ(b[1 + 3 * x + 1], colour.green);
                ASSERT_EQ(b[1 + 3 * x + 2], colour.red);
            }
            ASSERT_EQ(b[1 + 3 * n], 0xEE) << "a byte past the row was written";
        }
    }
}

}  // namespace
}  // namespace pixmill
