#include "app/navigation/hot_keys.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

TEST(HotKeys, RegisteredByTheirConditionsInTableOrder) {
    EXPECT_EQ(hotKeysToRegister(false, false), std::vector<HotKey>{HotKey::Resident});
    EXPECT_EQ(hotKeysToRegister(true, true),
              (std::vector<HotKey>{HotKey::Resident, HotKey::Editor, HotKey::TodayBalloon}));
    EXPECT_EQ(hotKeysToRegister(false, true),
              (std::vector<HotKey>{HotKey::Resident, HotKey::TodayBalloon}));
}

TEST(HotKeys, TheMarkerFileSilencesTheFailureMessages) {
    testing::TempFolder folder;
    EXPECT_FALSE(hotKeyMessagesSilenced(folder.path()));
    std::ofstream(folder.path() / kHotKeyMessagesOffFile) << "";
    EXPECT_TRUE(hotKeyMessagesSilenced(folder.path()));
}

TEST(AutoResidentCountdown, ReachesZeroOnceAndACancelStopsIt) {
    AutoResidentCountdown countdown;
    countdown.start(2);
    EXPECT_TRUE(countdown.running());
    EXPECT_FALSE(countdown.step());
    EXPECT_EQ(countdown.secondsLeft(), 1);
    EXPECT_TRUE(countdown.step());
    EXPECT_FALSE(countdown.step());
    EXPECT_FALSE(countdown.running());

    countdown.start(5);
    countdown.cancel();
    EXPECT_FALSE(countdown.step());
    countdown.start(-3);
    EXPECT_FALSE(countdown.running());
}

}  // namespace
}  // namespace velmo
