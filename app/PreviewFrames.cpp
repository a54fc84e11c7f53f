#include "app/PreviewFrames.h"

#include "editing/Attributes.h"

namespace pixmill {

std::optional<PreviewFrame> NextPreviewFrame(int currentTile, int frameOffset, int frameCount,
                                             int animType, int tileCount) {
    if (currentTile < 1 || currentTile > tileCount) {
        return std::nullopt;
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
