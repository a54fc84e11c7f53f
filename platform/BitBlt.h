#pragma once
// The raster copy the about window's animation is written against: a picture
// copied into a picture area, as it is or combined with what is there.

#include <QImage>

#include "platform/PictureBox.h"

namespace pixmill {

enum class RasterOp {
    SrcCopy,   // the source replaces what is there
    SrcAnd,    // source AND destination: a mask's black clears, its white keeps
    SrcPaint,  // source OR destination: an image's black keeps, its colours add
};

// Copies width x height pixels of source from (srcX, srcY) to (x, y) of the
// target, clipped at the edges of both; a position off either picture draws
// only the part that overlaps, and nothing is refused.
void BitBlt(PictureBox& target, int x, int y, int width, int height, const QImage& source, int srcX,
            int srcY, RasterOp op);

}  // namespace pixmill
