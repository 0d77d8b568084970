#include "shared/folder_wait.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/fake_clock.h"

using namespace std::chrono_literals;
using velmo::FolderWait;
using velmo::testing::FakeClock;
using velmo::testing::RecordingSleeper;

namespace {

// A folder that comes up at a given second of the wait; records when it was looked at.
struct LateFolder {
    int appearsAt;
    const int* second;
    std::vector<int> testedAt;

    velmo::ExistenceTest test() {
        return [this](const std::filesystem::path& folder) {
            EXPECT_EQ(folder, std::filesystem::path("/mnt/share/Data/Files1/"));
            testedAt.push_back(*second);
            return *second >= appearsAt;
        };
    }
};

const std::filesystem::path kFolder = "/mnt/share/Data/Files1/";

}  // namespace

TEST(FolderWaitTicks, FolderUpAtSecondFifteenIsFoundAtTwenty) {
    int second = 0;
    LateFolder folder{15, &second, {}};
    FolderWait wait(kFolder, folder.test());
    FolderWait::Step step = FolderWait::Step::Waiting;
    while (step == FolderWait::Step::Waiting && second < 200) {
        ++second;
        step = wait.tick();
        if (step == FolderWait::Step::Waiting) {
            EXPECT_EQ(wait.count(), second);
        }
    }
    EXPECT_EQ(step, FolderWait::Step::Found);
    EXPECT_EQ(second, 20);
    EXPECT_EQ(folder.testedAt, (std::vector<int>{10, 20}));
    EXPECT_TRUE(wait.found());
    EXPECT_EQ(wait.count(), 19);
}

TEST(FolderWaitTicks, NeverFoundTimesOutAfterTheHundredthTick) {
    int second = 0;
    LateFolder folder{1000, &second, {}};
    FolderWait wait(kFolder, folder.test());
    for (second = 1; second <= 100; ++second)
        ASSERT_EQ(wait.tick(), FolderWait::Step::Waiting) << second;
    EXPECT_EQ(wait.count(), 100);
    EXPECT_EQ(wait.tick(), FolderWait::Step::TimedOut);
    EXPECT_FALSE(wait.found());
    EXPECT_EQ(folder.testedAt, (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100}));
}

TEST(FolderWaitBlocking, WaitsTheTicksAndTheClosingPause) {
    FakeClock clock({2024, 9, 10, 9, 0, 0, 0});
    RecordingSleeper sleeper(&clock);
    int second = 0;
    LateFolder folder{15, &second, {}};
    // The clock is the only source of the second here.
    auto byClock = [&](const std::filesystem::path& path) {
        second = clock.now().minute * 60 + clock.now().second;
        return folder.test()(path);
    };
    EXPECT_TRUE(velmo::waitForFolder(kFolder, byClock, sleeper));
    EXPECT_EQ(folder.testedAt, (std::vector<int>{10, 20}));
    EXPECT_EQ(sleeper.total(), 21s);

    RecordingSleeper never;
    EXPECT_FALSE(velmo::waitForFolder(
        kFolder, [](const std::filesystem::path&) { return false; }, never));
    EXPECT_EQ(never.total(), 101s);
}
