#include "shared/folder_probe.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "tests/support/temp_folder.h"

using namespace std::chrono_literals;
using velmo::folderReachable;
using velmo::testing::TempFolder;

namespace {

// An existence test that hangs, as a stat on a dead hard mount does, until released.
class Hang {
public:
    velmo::ExistenceTest test() {
        return [state = state_](const std::filesystem::path&) {
            std::unique_lock lock(state->mutex);
            ++state->entered;
            state->changed.notify_all();
            state->changed.wait(lock, [&] { return state->released; });
            return true;
        };
    }
    void release() {
        const std::lock_guard lock(state_->mutex);
        state_->released = true;
        state_->changed.notify_all();
    }
    int entered() {
        const std::lock_guard lock(state_->mutex);
        return state_->entered;
    }

private:
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        bool released = false;
        int entered = 0;
    };
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

// Waits (really) until every abandoned probe thread has finished.
void waitForProbesToEnd() {
    for (int i = 0; i < 10'000 && velmo::folderProbesInFlight() > 0; ++i)
        std::this_thread::sleep_for(1ms);
    ASSERT_EQ(velmo::folderProbesInFlight(), 0);
}

const auto kAlwaysThere = [](const std::filesystem::path&) { return true; };

}  // namespace

TEST(FolderProbe, RealFolderFileAndNothing) {
    TempFolder folder;
    folder.write("file", "x");
    std::filesystem::create_directory_symlink(folder.path(), folder / "link");
    EXPECT_TRUE(folderReachable(folder.path()));
    EXPECT_TRUE(folderReachable(folder / "link"));
    EXPECT_FALSE(folderReachable(folder / "file"));
    EXPECT_FALSE(folderReachable(folder / "missing"));
    EXPECT_FALSE(folderReachable(folder / "missing" / "deeper/"));
}

TEST(FolderProbe, HangingTestCountsAsAbsentAfterTheTimeout) {
    Hang hang;
    EXPECT_FALSE(folderReachable("/net/dead/Data/Files1/", 50ms, hang.test()));
    EXPECT_EQ(hang.entered(), 1);
    // The abandoned thread finishes later without the caller's frame.
    hang.release();
    waitForProbesToEnd();
}

TEST(FolderProbe, StuckProbesStopNewThreadsUntilTheyEnd) {
    Hang hang;
    // Each stuck probe keeps its thread; starting them until one is refused finds the cap.
    int before = 0;
    do {
        before = velmo::folderProbesInFlight();
        EXPECT_FALSE(folderReachable("/net/dead/", 1ms, hang.test()));
    } while (velmo::folderProbesInFlight() > before && before < 100);
    EXPECT_LT(before, 100);
    EXPECT_GT(before, 0);
    EXPECT_FALSE(folderReachable("/net/alive/", 10s, kAlwaysThere));
    EXPECT_EQ(velmo::folderProbesInFlight(), before);

    hang.release();
    waitForProbesToEnd();
    EXPECT_TRUE(folderReachable("/net/alive/", 10s, kAlwaysThere));
}
