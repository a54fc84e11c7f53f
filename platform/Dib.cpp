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
    const auto sourceColumn = [&](std::int64_t x) {
        const std::int64_t sx = srcX + (x - destX) * srcWidth / destWidth;
        return sx >= 0 && sx < source.width() ? sx : -1;
    };
    // A whole magnification (the tile view's) draws runs of one colour, one
    // run a source pixel; anything else looks each column up.
    const bool whole = destWidth > srcWidth && destWidth % srcWidth == 0;
    const std::int64_t factor = whole ? destWidth / srcWidth : 1;
    std::vector<std::int64_t> columns;
    if (!whole) {
        columns.resize(static_cast<std::size_t>(right - left));
        for (int x = left; x < right; ++x) {
            columns[static_cast<std::size_t>(x - left)] = sourceColumn(x);
        }
    }

    // One detach of the image for all its rows.
    const auto bytesPerLine = static_cast<std::size_t>(image.bytesPerLine());
    std::uint8_t* const pixels = image.bits();
    const auto imageRow = [&](int y) {
        return reinterpret_cast<QRgb*>(pixels + static_cast<std::size_t>(y) * bytesPerLine) + left;
    };
    std::int64_t previousRow = -2;
    for (int y = top; y < bottom; ++y) {
        const std::int64_t sy = srcY + (std::int64_t{y} - destY) * srcHeight / destHeight;
        QRgb* out = imageRow(y);
        if (sy == previousRow) {
            // Magnified rows repeat the one above.
            std::memcpy(out, imageRow(y - 1),
                        static_cast<std::size_t>(right - left) * sizeof(QRgb));
            continue;
        }
        previousRow = sy;
        const std::uint8_t* row = source.Row(sy);
        if (whole) {
            for (std::int64_t x = left; x < right;) {
                const std::int64_t sx = sourceColumn(x);
                const std::int64_t end =
                    std::min<std::int64_t>(right, destX + ((x - destX) / factor + 1) * factor);
                const QRgb colour = row != nullptr && sx >= 0 ? PixelAt(row, sx) : qRgb(0, 0, 0);
                std::fill(out + (x - left), out + (end - left), colour);
                x = end;
            }
            continue;
        }
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
