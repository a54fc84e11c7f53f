#include "about/Credits.h"

namespace pixmill {

int NextCreditsTop(int creditsTop, int creditsHeight, int windowHeight) {
    if (creditsTop <= -creditsHeight - 20) {
        creditsTop = windowHeight;
    }
    return creditsTop - 5;
}

}  // namespace pixmill
