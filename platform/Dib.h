#pragma once
// Drawing of 24-bit pixel buffers into a picture area, after the two calls the
// editor's drawing is written against: one that magnifies, one that copies.

#include <cstdint>
#include <span>

#include "common/DibHeader.h"
#include "platform/PictureBox.h"

namespace pixmill {

// Draws the source rectangle (srcX, srcY, srcWidth x srcHeight; srcY counted
// from the top row) of the buffer into the destination rectangle, magnified or
// shrunk by nearest neighbour and clipped to the picture. Rows the buffer does
// not hold draw black. Returns false, drawing nothing, for a header that does
// not describe a 24-bit buffer.
bool StretchDIBits(PictureBox& target, int destX, int destY, int destWidth, int destHeight,
                   int srcX, int srcY, int srcWidth, int srcHeight,
                   std::span<const std::uint8_t> bits, const DibHeader& header);

// Copies width x height pixels from (srcX, srcY) of the buffer to (destX, destY)
// unscaled, clipped to the picture; rows the buffer does not hold draw black.
bool SetDIBitsToDevice(PictureBox& target, int destX, int destY, int width, int height, int srcX,
                       int srcY, std::span<const std::uint8_t> bits, const DibHeader& header);

}  // namespace pixmill
