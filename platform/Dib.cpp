#include "platform/Dib.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace pixmill {
namespace {

// Where the rows of a buffer lie, and which pixels it holds.
class SourceRows {
  public:
    SourceRows(std::span<const std::uint8_t> bits, const DibHeader& header)
        : bits_(bits),
          width_(header.width),
          rows_(header.height < 0 ? -std::int64_t{header.height} : header.height),
          topDown_(header.height < 0),
          stride_(DibRowStride(header.width)) {}

    bool usable(const DibHeader& header) const {
        return header.bitsPerPixel == 24 && header.compression == 0 && width_ >= 0;
    }

    // Row r counted from the top, or null when the buffer does not hold it whole.
    const std::uint8_t* Row(std::int64_t r) const {
        if (r < 0 || r >= rows_) {
            return nullptr;
        }
        const std::int64_t index = topDown_ ? r : rows_ - 1 - r;
        const std::int64_t start = index * stride_;
        if (start + std::int64_t{width_} * 3 > static_cast<std::int64_t>(bits_.size())) {
            return nullptr;
        }
        return bits_.data() + start;
    }

    std::int64_t width() const { return width_; }

  private:
    std::span<const std::uint8_t> bits_;
    std::int64_t width_;
    std::int64_t rows_;
    bool topDown_;
    std::int64_t stride_;
};

QRgb* ImageRow(QImage& image, int y) {
    return reinterpret_cast<QRgb*>(image.scanLine(y));
}

QRgb PixelAt(const std::uint8_t* row, std::int64_t x) {
    const std::uint8_t* p = row + x * 3;
    return qRgb(p[2], p[1], p[0]);
}

}  // namespace

bool StretchDIBits(PictureBox& target, int destX, int destY, int destWidth, int destHeight,
                   int srcX, int srcY, int srcWidth, int srcHeight,
                   std::span<const std::uint8_t> bits, const DibHeader& header) {
    const SourceRows source(bits, header);
    if (!source.usable(header)) {
        return false;
    }
    if (destWidth <= 0 || destHeight <= 0 || srcWidth <= 0 || srcHeight <= 0) {
        return true;
    }
    QImage& image = target.image();
    const int left = std::max(0, destX);
    const int right = static_cast<int>(
        std::min<std::int64_t>(image.width(), std::int64_t{destX} + destWidth));  // exclusive
    const int top = std::max(0, destY);
    const int bottom =
        static_cast<int>(std::min<std::int64_t>(image.height(), std::int64_t{destY} + destHeight));
    if (left >= right || top >= bottom) {
        return true;
    }

    // Source column of each visible destination column; -1 where the buffer has none.
    std::vector<std::int64_t> columns(static_cast<std::size_t>(right - left));
    for (int x = left; x < right; ++x) {
        const std::int64_t sx = srcX + (std::int64_t{x} - destX) * srcWidth / destWidth;
        columns[static_cast<std::size_t>(x - left)] = sx >= 0 && sx < source.width() ? sx : -1;
    }

    std::int64_t previousRow = -2;
    for (int y = top; y < bottom; ++y) {
        const std::int64_t sy = srcY + (std::int64_t{y} - destY) * srcHeight / destHeight;
        QRgb* out = ImageRow(image, y) + left;
        if (sy == previousRow) {
            // Magnified rows repeat the one above.
            std::memcpy(out, ImageRow(image, y - 1) + left,
                        static_cast<std::size_t>(right - left) * sizeof(QRgb));
            continue;
        }
        previousRow = sy;
        const std::uint8_t* row = source.Row(sy);
        for (std::size_t i = 0; i < columns.size(); ++i) {
            out[i] = row != nullptr && columns[i] >= 0 ? PixelAt(row, columns[i]) : qRgb(0, 0, 0);
        }
    }
    return true;
}

bool SetDIBitsToDevice(PictureBox& target, int destX, int destY, int width, int height, int srcX,
                       int srcY, std::span<const std::uint8_t> bits, const DibHeader& header) {
    return StretchDIBits(target, destX, destY, width, height, srcX, srcY, width, height, bits,
                         header);
}

}  // namespace pixmill
