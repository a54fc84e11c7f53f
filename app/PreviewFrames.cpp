#include "app/PreviewFrames.h"

#include <algorithm>

#include "editing/Attributes.h"

namespace pixmill {

std::optional<PreviewFrame> NextPreviewFrame(int currentTile, int frameOffset, int frameCount,
                                             int animType, int tileCount) {
    if (currentTile < 1 || currentTile > tileCount) {
        return std::nullopt;
    }
    if (animType == kAnimOscillate) {
        // The frames forward and back again without repeating either end:
        // 0, 1, ..., last, last - 1, ..., 1, as the game plays them. frameOffset
        // counts the ticks of one such round; the animation turns at the last
        // tile of the file rather than run past it.
        const int last = std::max(0, std::min(frameCount, tileCount - currentTile + 1) - 1);
        const int round = 2 * last;
        const int step = frameOffset >= 0 && frameOffset < round ? frameOffset : 0;
        const int delta = step <= last ? step : round - step;
        return PreviewFrame{delta, round == 0 ? 0 : (step + 1) % round};
    }
    if (animType != kAnimForwards && animType != kAnimBackwards) {
        return std::nullopt;
    }
    const int sign = animType == kAnimForwards ? 1 : -1;
    int offset = frameOffset;
    const int drawn = currentTile + sign * offset;
    if (offset < 0 || offset > frameCount - 1 || drawn < 1 || drawn > tileCount) {
        offset = 0;
    }
    const int next = offset + 1 > frameCount - 1 ? 0 : offset + 1;
    return PreviewFrame{sign * offset, next};
}

}  // namespace pixmill
