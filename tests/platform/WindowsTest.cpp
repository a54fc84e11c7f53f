// Placing windows on screens of any size, and the open dialog's filters.

#include "platform/Windows.h"

#include <gtest/gtest.h>

#include "platform/QtPrompts.h"

namespace pixmill {
namespace {

TEST(WindowsTest, AWindowTooLargeForTheScreenKeepsItsTitleBarAndCornerOnIt) {
    struct Case {
        int width, height;
        ScreenRect area;
        ScreenPoint at;
    };
    const Case cases[] = {
        {648, 520, {0, 30, 1280, 994}, {316, 267}},      // fits: centred
        {1296, 1040, {0, 0, 1280, 1024}, {0, 0}},        // scale factor 2
        {1296, 500, {0, 30, 1280, 994}, {0, 277}},       // too wide only
        {600, 1040, {1280, 24, 1024, 744}, {1492, 24}},  // too high, on a second screen
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceInArea(c.width, c.height, c.area), c.at) << c.width << "x" << c.height;
    }
}

TEST(WindowsTest, OpenDialogsOfferEveryFileAfterTheirOwnFilter) {
    EXPECT_EQ(QtOpenFileFilter("Build (*.DAT)|*.DAT|Windows (*.PAL)|*.PAL"),
              "Build (*.DAT);;Windows (*.PAL);;All files (*)");
}

}  // namespace
}  // namespace pixmill
