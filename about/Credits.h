#pragma once
// Where the about window's credits picture goes at each tick. No window code.

namespace pixmill {

// The credits' top after one tick: 5 pixels higher, or, once the picture has
// left the top by 20 pixels, starting again from the bottom edge.
int NextCreditsTop(int creditsTop, int creditsHeight, int windowHeight);

}  // namespace pixmill
