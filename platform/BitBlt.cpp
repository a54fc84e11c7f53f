#include "platform/BitBlt.h"

#include <algorithm>

namespace pixmill {

void BitBlt(PictureBox& target, int x, int y, int width, int height, const QImage& source, int srcX,
            int srcY, RasterOp op) {
    QImage& image = target.image();
    const QImage from = source.format() == QImage::Format_RGB32
                            ? source
                            : source.convertToFormat(QImage::Format_RGB32);
    // Clip the rectangle against the source, then against the target.
    const int left = std::max({0, -srcX, -x});
    const int top = std::max({0, -srcY, -y});
    const int right = std::min({width, from.width() - srcX, image.width() - x});
    const int bottom = std::min({height, from.height() - srcY, image.height() - y});
    for (int row = top; row < bottom; ++row) {
        const auto* in = reinterpret_cast<const QRgb*>(from.constScanLine(srcY + row)) + srcX;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y + row)) + x;
        for (int column = left; column < right; ++column) {
            const QRgb s = in[column] | 0xff000000u;
            QRgb& d = out[column];
            d = op == RasterOp::SrcCopy ? s : op == RasterOp::SrcAnd ? (d & s) : (d | s);
        }
    }
}

}  // namespace pixmill
