// Drawing 24-bit buffers into picture areas: magnification, clipping, row
// order and rows the buffer does not hold.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/Dib.h"
#include "platform/PictureBox.h"

namespace pixmill {
namespace {

// A w x h top-down buffer whose pixel (x, y), 0-based, is (x, y, 7).
std::vector<std::uint8_t> Ramp(int w, int h, DibHeader& header) {
    header = DibHeader{};
    header.width = w;
    header.height = -h;
    const auto stride = static_cast<std::size_t>(DibRowStride(w));
    std::vector<std::uint8_t> bits(stride * static_cast<std::size_t>(h), 0xEE);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p =
                &bits[static_cast<std::size_t>(y) * stride + 3 * static_cast<std::size_t>(x)];
            p[0] = 7;
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = static_cast<std::uint8_t>(x);
        }
    }
    return bits;
}

TEST(DibTest, StretchMagnifiesEachPixelIntoASquareAndClipsAtTheEdges) {
    PictureBox box(nullptr, 0, QColor(1, 2, 3));
    box.SetOuterSize(20, 10);
    DibHeader header;
    const auto bits = Ramp(5, 3, header);
    ASSERT_TRUE(StretchDIBits(box, -2, 4, 15, 9, 0, 0, 5, 3, bits, header));
    // Column 0 covers x -2..0, column 1 x 1..3; row 2 covers y 10.. (off the box).
    EXPECT_EQ(box.Point(0, 4), QColor(0, 0, 7));
    EXPECT_EQ(box.Point(1, 4), QColor(1, 0, 7));
    EXPECT_EQ(box.Point(3, 6), QColor(1, 0, 7));
    EXPECT_EQ(box.Point(4, 7), QColor(2, 1, 7));
    EXPECT_EQ(box.Point(12, 9), QColor(4, 1, 7));
    EXPECT_EQ(box.Point(13, 4), QColor(1, 2, 3));  // right of the drawing
    EXPECT_EQ(box.Point(5, 3), QColor(1, 2, 3));   // above it
}

// Every pixel of a magnification by a whole factor, as the tile view draws
// one, is the source pixel the general rule names: srcX + (x - destX) * srcWidth
// / destWidth, black past the buffer's width.
TEST(DibTest, WholeMagnificationsShowTheSourcePixelOfEveryColumn) {
    PictureBox box(nullptr, 0, QColor(1, 2, 3));
    box.SetOuterSize(70, 12);
    DibHeader header;
    const auto bits = Ramp(6, 2, header);
    for (const int factor : {2, 3, 8, 32}) {
        for (const int destX : {-37, -1, 0, 5}) {
            for (const int srcX : {0, 2}) {
                const int srcWidth = 6;  // from srcX 2, the last two columns lie past the buffer
                box.Cls();
                StretchDIBits(box, destX, 1, srcWidth * factor, 2 * 5, srcX, 0, srcWidth, 2, bits,
                              header);
                for (int x = std::max(0, destX); x < std::min(70, destX + srcWidth * factor); ++x) {
                    const int sx = srcX + (x - destX) / factor;
                    const QColor want = sx < 6 ? QColor(sx, 0, 7) : QColor(0, 0, 0);
                    ASSERT_EQ(box.Point(x, 1), want)
                        << factor << " " << destX << " " << srcX << " at " << x;
                }
                if (const int after = destX + srcWidth * factor; after >= 0 && after < 70) {
                    ASSERT_EQ(box.Point(after, 1), QColor(1, 2, 3));  // right of the drawing
                }
            }
        }
    }
}

TEST(DibTest, RowsRunTopDownForANegativeHeightAndBottomUpOtherwise) {
    PictureBox box(nullptr, 0, QColor(1, 2, 3));
    box.SetOuterSize(4, 4);
    DibHeader header;
    auto bits = Ramp(2, 2, header);
    StretchDIBits(box, 0, 0, 2, 2, 0, 0, 2, 2, bits, header);
    EXPECT_EQ(box.Point(0, 0), QColor(0, 0, 7));
    EXPECT_EQ(box.Point(1, 1), QColor(1, 1, 7));
    header.height = 2;
    StretchDIBits(box, 0, 0, 2, 2, 0, 0, 2, 2, bits, header);
    EXPECT_EQ(box.Point(0, 0), QColor(0, 1, 7));
    EXPECT_EQ(box.Point(1, 1), QColor(1, 0, 7));
}

TEST(DibTest, RowsTheBufferDoesNotHoldDrawBlackAndOtherFormatsDrawNothing) {
    PictureBox box(nullptr, 0, QColor(1, 2, 3));
    box.SetOuterSize(8, 8);
    DibHeader header;
    auto bits = Ramp(8, 3, header);
    header.height = -8;  // the page is 8 rows, the buffer ends after 3
    ASSERT_TRUE(SetDIBitsToDevice(box, 0, 0, 8, 8, 0, 0, bits, header));
    EXPECT_EQ(box.Point(7, 2), QColor(7, 2, 7));
    EXPECT_EQ(box.Point(0, 3), QColor(0, 0, 0));
    EXPECT_EQ(box.Point(7, 7), QColor(0, 0, 0));

    box.Cls();
    header.bitsPerPixel = 8;
    EXPECT_FALSE(SetDIBitsToDevice(box, 0, 0, 8, 8, 0, 0, bits, header));
    EXPECT_EQ(box.Point(0, 0), QColor(1, 2, 3));
}

}  // namespace
}  // namespace pixmill
