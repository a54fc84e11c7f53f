#include "common/Transpose.h"

#include <gtest/gtest.h>

#include <vector>

namespace pixmill {
namespace {

TEST(TransposeBytes, EveryByteLandsWhereItsRowAndColumnSay) {
    const struct {
        int rows, columns;
    } sizes[] = {{1, 1}, {3, 100}, {15, 17}, {16, 16}, {33, 48}, {64, 64}, {130, 65}};
    for (const auto& size : sizes) {
        for (const bool upwards : {false, true}) {
            // Rows padded to a stride, as in a bitmap; walked from the last when upwards.
            const int stride = size.columns + 3;
            std::vector<std::uint8_t> source(static_cast<std::size_t>(stride * size.rows));
            for (std::size_t i = 0; i < source.size(); ++i) {
                source[i] = static_cast<std::uint8_t>(i * 31 + i / 251);
            }
            const std::uint8_t* first =
                upwards ? source.data() + (size.rows - 1) * stride : source.data();
            const std::ptrdiff_t step = upwards ? -stride : stride;
            std::vector<std::uint8_t> columns(static_cast<std::size_t>(size.rows * size.columns));
            TransposeBytes(first, step, columns.data(), size.rows, size.rows, size.columns);
            for (int r = 0; r < size.rows; ++r) {
                for (int c = 0; c < size.columns; ++c) {
                    ASSERT_EQ(columns[static_cast<std::size_t>(c * size.rows + r)],
                              first[r * step + c])
                        << size.rows << "x" << size.columns << " at " << r << "," << c;
                }
            }
        }
    }
}

}  // namespace
}  // namespace pixmill
