#pragma once
// Which tile the animation preview draws at each tick. No window code here.

#include <optional>

namespace pixmill {

struct PreviewFrame {
    int delta = 0;       // the frame drawn is currentTile + delta
    int nextOffset = 0;  // the frame offset for the tick after this one
};

// One tick of a tile's animation: frames run forwards from currentTile or
// backwards to it, frameOffset places apart, and start over after frameCount
// frames; an oscillating one runs forwards to its last frame and back to the
// first, over and over (frameOffset then counts ticks of that round). A frame
// that would lie before tile 1 or beyond the last tile, or an offset the
// animation does not reach (left over from another tile), starts over at
// currentTile; an oscillating animation turns at the last tile instead.
// Nothing moves for the type None, or when currentTile is not a tile.
std::optional<PreviewFrame> NextPreviewFrame(int currentTile, int frameOffset, int frameCount,
                                             int animType, int tileCount);

}  // namespace pixmill
