#include "app/PreviewFrames.h"

#include <gtest/gtest.h>

#include <vector>

#include "editing/Attributes.h"

namespace pixmill {
namespace {

// The tiles that ticks draw, starting from frameOffset.
std::vector<int> Ticks(int count, int current, int frameOffset, int frames, int type, int tiles) {
    std::vector<int> drawn;
    int offset = frameOffset;
    for (int i = 0; i < count; ++i) {
        const std::optional<PreviewFrame> frame =
            NextPreviewFrame(current, offset, frames, type, tiles);
        if (!frame) {
            break;
        }
        drawn.push_back(current + frame->delta);
        offset = frame->nextOffset;
    }
    return drawn;
}

TEST(NextPreviewFrame, PlaysTheFramesAndStartsOverAtTheEnds) {
    struct Case {
        const char* what;
        int current, offset, frames, type, tiles;
        std::vector<int> drawn;
    };
    const Case cases[] = {
        {"forwards", 10, 0, 4, kAnimForwards, 20, {10, 11, 12, 13, 10, 11}},
        {"forwards at the end of the list", 19, 0, 4, kAnimForwards, 20, {19, 20, 19, 20, 19}},
        {"backwards at the start", 3, 0, 5, kAnimBackwards, 20, {3, 2, 1, 3, 2, 1}},
        {"one frame", 7, 0, 1, kAnimForwards, 20, {7, 7, 7}},
        {"resumes at a frame left from before", 10, 2, 4, kAnimForwards, 20, {12, 13, 10}},
        {"an offset the animation does not reach", 10, 9, 4, kAnimForwards, 30, {10, 11, 12}},
        {"none", 10, 0, 4, kAnimNone, 20, {}},
        {"oscillate", 10, 0, 4, kAnimOscillate, 20, {10, 11, 12, 13, 12, 11, 10, 11, 12}},
        {"oscillate turns at the last tile",
         18,
         0,
         5,
         kAnimOscillate,
         20,
         {18, 19, 20, 19, 18, 19}},
        {"oscillate resumes within its round", 10, 4, 4, kAnimOscillate, 20, {12, 11, 10, 11}},
        {"oscillate of one frame", 7, 0, 1, kAnimOscillate, 20, {7, 7, 7}},
        {"oscillate from an offset past its round", 10, 9, 3, kAnimOscillate, 20, {10, 11, 12}},
        {"no tile current", 0, 0, 4, kAnimForwards, 20, {}},
        {"current tile past the list", 21, 0, 4, kAnimForwards, 20, {}},
    };
    for (const Case& c : cases) {
        const int ticks = c.drawn.empty() ? 3 : static_cast<int>(c.drawn.size());
        EXPECT_EQ(Ticks(ticks, c.current, c.offset, c.frames, c.type, c.tiles), c.drawn) << c.what;
    }
}

}  // namespace
}  // namespace pixmill
