#include "app/SettingsValues.h"

#include <gtest/gtest.h>

namespace pixmill {
namespace {

using Files = std::vector<std::string>;

TEST(SettingsValues, OnlyValuesOfTheirKindAndRangeAreTaken) {
    EXPECT_EQ(StoredScale(16), 16);
    EXPECT_EQ(StoredScale(32), 32);
    for (long long wrong : {0LL, 3LL, 64LL, -8LL, 4294967304LL}) {
        EXPECT_EQ(StoredScale(wrong), std::nullopt) << wrong;
    }
    EXPECT_EQ(StoredSwitch("true"), true);
    EXPECT_EQ(StoredSwitch("0"), false);
    EXPECT_EQ(StoredSwitch("yes"), std::nullopt);
    EXPECT_EQ(StoredSwitch(""), std::nullopt);
    EXPECT_FALSE(UsablePath(""));
    EXPECT_FALSE(UsablePath(std::string("a\nb")));
    EXPECT_FALSE(UsablePath(std::string(5000, 'a')));
    EXPECT_TRUE(UsablePath("/games/duke/TILES000.ART"));
}

TEST(SettingsValues, RecentFilesKeepTheLastEightEachOnce) {
    const Files stored = {"a", "",  "b", "a", std::string("c\x01"), "d", "e", "f",
                          "g", "h", "i", "j"};
    EXPECT_EQ(UsableRecentFiles(stored), (Files{"a", "b", "d", "e", "f", "g", "h", "i"}));
    EXPECT_EQ(WithRecentFile({"a", "b", "c"}, "b"), (Files{"b", "a", "c"}));
    EXPECT_EQ(WithRecentFile({}, "x"), (Files{"x"}));
    EXPECT_EQ(WithRecentFile({"1", "2", "3", "4", "5", "6", "7", "8"}, "9"),
              (Files{"9", "1", "2", "3", "4", "5", "6", "7"}));
}

}  // namespace
}  // namespace pixmill
