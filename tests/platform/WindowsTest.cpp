// Placing windows on screens of any size, and the open dialog's filters.

#include "platform/Windows.h"

#include <gtest/gtest.h>

#include <QWidget>
#include <tuple>
#include <vector>

#include "platform/DialogFolders.h"
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

TEST(WindowsTest, AWindowBesideAnotherGoesWhereTheScreenHasRoom) {
    const ScreenRect screen{0, 30, 1920, 1050};
    struct Case {
        const char* what;
        ScreenRect owner;
        ScreenPoint at;
    };
    const Case cases[] = {
        {"room on the right", {100, 200, 648, 520}, {748, 200}},
        {"room only on the left", {1200, 100, 648, 520}, {613, 100}},
        {"no room: against the wider side", {500, 100, 900, 520}, {1333, 100}},
        {"no room, wider on the left", {560, 100, 1000, 520}, {0, 100}},
        {"level with the owner, within the screen", {100, 900, 648, 520}, {748, 480}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceBeside(c.owner, 587, 600, screen), c.at) << c.what;
    }
}

TEST(WindowsTest, AWindowFirstShownBesideAnotherIsPlacedThereUnlessPlacedBefore) {
    QWidget owner;
    owner.resize(200, 150);
    owner.move(10, 20);
    owner.show();
    QWidget beside;
    beside.resize(300, 100);
    PlaceBesideWhenFirstShown(beside, owner);
    beside.show();
    EXPECT_EQ(beside.pos(), QPoint(owner.frameGeometry().right() + 1, owner.frameGeometry().y()));
    // Shown again, it stays where the user put it.
    beside.hide();
    beside.move(400, 300);
    beside.show();
    EXPECT_EQ(beside.pos(), QPoint(400, 300));

    QWidget placed;
    PlaceBesideWhenFirstShown(placed, owner);
    PlaceWindow(placed, 50, 60, 200, 100);
    placed.show();
    EXPECT_EQ(placed.pos(), QPoint(50, 60));
}

TEST(WindowsTest, APlaceReadBackIsKeptOnTheScreensThereAreNow) {
    const std::vector<ScreenRect> two = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    struct Case {
        const char* what;
        ScreenRect stored, kept;
    };
    const Case cases[] = {
        {"on the screen", {100, 100, 800, 600}, {100, 100, 800, 600}},
        {"on the second screen", {2000, 50, 800, 600}, {2000, 50, 800, 600}},
        {"mostly on the second screen", {1800, 100, 800, 600}, {1920, 100, 800, 600}},
        {"off every screen: centred on the first", {-5000, -5000, 800, 600}, {560, 240, 800, 600}},
        {"larger than its screen", {1900, 10, 2000, 2000}, {1920, 0, 1280, 1024}},
    };
    for (const Case& c : cases) {
        const ScreenRect kept = KeepOnScreens(c.stored, two);
        EXPECT_EQ((std::tuple{kept.x, kept.y, kept.width, kept.height}),
                  (std::tuple{c.kept.x, c.kept.y, c.kept.width, c.kept.height}))
            << c.what;
    }
}

TEST(WindowsTest, EachKindOfFileDialogStartsWhereItsKindWasLastChosen) {
    EXPECT_EQ(DialogFolders::KindOf("Build Engine Tilesets (*.ART)|*.ART"), "ART");
    EXPECT_EQ(DialogFolders::KindOf("Build Engine Names Header (*.h)|*.h"), "H");
    EXPECT_EQ(DialogFolders::KindOf("Everything|*"), "");
    DialogFolders folders;
    EXPECT_EQ(folders.StartFolder("(*.ART)|*.ART"), "");
    folders.RememberFile("/games/duke/TILES000.ART");
    EXPECT_EQ(folders.StartFolder("(*.BMP)|*.BMP"), "/games/duke");
    folders.Remember("(*.BMP)|*.BMP", "/art/out/tile.bmp");
    folders.Remember("(*.DAT)|*.DAT", "");  // cancelled
    EXPECT_EQ(folders.StartFolder("(*.BMP)|*.BMP"), "/art/out");
    EXPECT_EQ(folders.StartFolder("(*.DAT)|*.DAT"), "/art/out");  // the last chosen anywhere
    folders.Remember("(*.ART)|*.ART", "/games/sw/TILES001.ART");
    EXPECT_EQ(folders.StartFolder("(*.BMP)|*.BMP"), "/art/out");
    EXPECT_EQ(folders.byKind().size(), 2U);
}

TEST(WindowsTest, OpenDialogsOfferEveryFileAfterTheirOwnFilter) {
    EXPECT_EQ(QtOpenFileFilter("Build (*.DAT)|*.DAT|Windows (*.PAL)|*.PAL"),
              "Build (*.DAT);;Windows (*.PAL);;All files (*)");
}

}  // namespace
}  // namespace pixmill
