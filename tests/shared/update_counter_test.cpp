#include "shared/update_counter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <thread>
#include <vector>

#include "store/file_helpers.h"
#include "store/temporary_files.h"
#include "tests/support/failing_calls.h"
#include "tests/support/fake_clock.h"
#include "tests/support/temp_folder.h"

using namespace std::chrono_literals;
using velmo::bumpUpdateCounter;
using velmo::readUpdateCounter;
using velmo::testing::Call;
using velmo::testing::FailingCalls;
using velmo::testing::RecordingSleeper;
using velmo::testing::TempFolder;

namespace {

constexpr int kTries = 5;
constexpr auto kWait = 1000ms;

const std::string kThirtyDigits(30, '9');

}  // namespace

TEST(UpdateCounterLine, OnlyAWholeIntegerCounts) {
    EXPECT_EQ(velmo::parseCounterLine("57"), 57);
    EXPECT_EQ(velmo::parseCounterLine("  42 \t"), 42);
    EXPECT_EQ(velmo::parseCounterLine("2147483647"), 2147483647);
    EXPECT_EQ(velmo::parseCounterLine("-7"), -7);
    for (const char* bad : {"", "   ", "abc", "12abc", "1 2", "+5", "0x10", "2147483648",
                            "-99999999999", kThirtyDigits.c_str()}) {
        EXPECT_EQ(velmo::parseCounterLine(bad), -1) << bad;
    }
}

TEST(UpdateCounterRead, MissingFileStartsAtOne) {
    TempFolder folder;
    RecordingSleeper sleeper;
    EXPECT_EQ(readUpdateCounter(folder / "update.myc", kTries, kWait, sleeper), 1);
    EXPECT_EQ(TempFolder::read(folder / "update.myc"), "1\r\n");
    EXPECT_TRUE(sleeper.pauses().empty());
}

TEST(UpdateCounterRead, LineOneOfTheFile) {
    TempFolder folder;
    RecordingSleeper sleeper;
    folder.write("update.myc", "1234\r\nleft over\r\n");
    EXPECT_EQ(readUpdateCounter(folder / "update.myc", kTries, kWait, sleeper), 1234);
    folder.write("update.myc", "");
    EXPECT_EQ(readUpdateCounter(folder / "update.myc", kTries, kWait, sleeper), -1);
    folder.write("update.myc", kThirtyDigits + "\r\n");
    EXPECT_EQ(readUpdateCounter(folder / "update.myc", kTries, kWait, sleeper), -1);
    // A number that cannot be read is left as it is, not replaced by a fresh count.
    EXPECT_EQ(TempFolder::read(folder / "update.myc"), kThirtyDigits + "\r\n");
    EXPECT_TRUE(sleeper.pauses().empty());
}

TEST(UpdateCounterRead, OtherSpellingOnDiskIsRead) {
    TempFolder folder;
    RecordingSleeper sleeper;
    folder.write("UPDATE.MYC", "9\r\n");
    EXPECT_EQ(readUpdateCounter(folder / "update.myc", kTries, kWait, sleeper), 9);
    EXPECT_FALSE(std::filesystem::exists(folder / "update.myc"));
}

TEST(UpdateCounterRead, BusyFileIsTriedAgainAfterAPause) {
    TempFolder folder;
    folder.write("update.myc", "8\r\n");
    RecordingSleeper sleeper;
    FailingCalls fail;
    fail.failNth(Call::Open, 1, EBUSY);
    fail.failNth(Call::Open, 2, EACCES);
    EXPECT_EQ(readUpdateCounter(folder / "update.myc", kTries, kWait, sleeper), 8);
    EXPECT_EQ(sleeper.pauses(), (std::vector<std::chrono::milliseconds>{kWait, kWait}));
}

TEST(UpdateCounterRead, EveryTryFailedGivesMinusOne) {
    TempFolder folder;
    RecordingSleeper sleeper;
    std::filesystem::create_directory(folder / "update.myc");
    EXPECT_EQ(readUpdateCounter(folder / "update.myc", 3, 300ms, sleeper), -1);
    EXPECT_EQ(sleeper.pauses(), (std::vector<std::chrono::milliseconds>{300ms, 300ms}));

    // A missing file that cannot be created is a failure too, not a count of one.
    RecordingSleeper again;
    FailingCalls fail;
    fail.failFrom(Call::CreateExclusive, 1, EACCES);
    EXPECT_EQ(readUpdateCounter(folder / "other.myc", 2, 300ms, again), -1);
    EXPECT_FALSE(std::filesystem::exists(folder / "other.myc"));
}

TEST(UpdateCounterBump, RaisesByOneAndReportsTheValueFound) {
    struct Case {
        std::string content;
        int before;
        int after;
    };
    for (const Case& c : std::vector<Case>{{"57\r\n", 57, 58},
                                           {"garbage\r\n", 0, 1},
                                           {"", 0, 1},
                                           {kThirtyDigits + "\r\n", 0, 1},
                                           {"-5\r\n", 0, 1},
                                           {"1000000000\r\n", 1000000000, 1000000001},
                                           {"1000000001\r\n", 1000000001, 1},
                                           {"2147483647\r\n", 2147483647, 1}}) {
        TempFolder folder;
        RecordingSleeper sleeper;
        folder.write("update.myc", c.content);
        const velmo::CounterBump bump =
            bumpUpdateCounter(folder / "update.myc", kTries, kWait, sleeper);
        EXPECT_EQ(bump.before, c.before) << c.content;
        EXPECT_EQ(bump.after, c.after) << c.content;
        EXPECT_EQ(TempFolder::read(folder / "update.myc"), std::to_string(c.after) + "\r\n");
    }
}

TEST(UpdateCounterBump, MissingFileBecomesOne) {
    TempFolder folder;
    RecordingSleeper sleeper;
    const velmo::CounterBump bump =
        bumpUpdateCounter(folder / "update.myc", kTries, kWait, sleeper);
    EXPECT_EQ(bump.before, 0);
    EXPECT_EQ(bump.after, 1);
    EXPECT_EQ(TempFolder::read(folder / "update.myc"), "1\r\n");
}

TEST(UpdateCounterBump, RefusedWriteRetriesThenFailsKeepingTheOldCount) {
    TempFolder folder;
    folder.write("update.myc", "41\r\n");
    {
        RecordingSleeper sleeper;
        FailingCalls fail;
        fail.failNth(Call::Rename, 1, EBUSY);
        const velmo::CounterBump bump =
            bumpUpdateCounter(folder / "update.myc", kTries, kWait, sleeper);
        EXPECT_EQ(bump.after, 42);
        EXPECT_EQ(sleeper.pauses(), std::vector<std::chrono::milliseconds>{kWait});
    }
    RecordingSleeper sleeper;
    FailingCalls fail;
    fail.failFrom(Call::Rename, 1, EBUSY);
    const velmo::CounterBump bump = bumpUpdateCounter(folder / "update.myc", 3, kWait, sleeper);
    EXPECT_FALSE(bump.succeeded());
    EXPECT_EQ(bump.after, -1);
    EXPECT_EQ(fail.count(Call::Rename), 3);
    EXPECT_EQ(sleeper.pauses().size(), 2U);
    EXPECT_EQ(TempFolder::read(folder / "update.myc"), "42\r\n");
}

TEST(UpdateCounterBump, LeavesNothingTheProgramsMasksPickUp) {
    TempFolder folder;
    RecordingSleeper sleeper;
    bumpUpdateCounter(folder / "update.myc", kTries, kWait, sleeper);
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        const std::string name = entry.path().filename().string();
        if (name == "update.myc")
            continue;
        EXPECT_EQ(name.front(), '.') << name;
        for (const char* mask : {"*.myc", "*.lock", "*.mcp", "*.dat", "*.tmp"})
            EXPECT_FALSE(velmo::matchesMask(name, mask)) << name << " " << mask;
    }
}

// Several processes of one host bumping at once: every bump must see the one before,
// even though each write replaces the file under the others.
TEST(UpdateCounterBump, ConcurrentBumpsOnOneHostLoseNoCount) {
    TempFolder folder;
    constexpr int kWorkers = 4;
    constexpr int kBumpsEach = 25;
    std::vector<std::vector<int>> seen(kWorkers);
    std::vector<std::thread> workers;
    workers.reserve(kWorkers);
    for (int w = 0; w < kWorkers; ++w) {
        workers.emplace_back([&, w] {
            RecordingSleeper sleeper;
            for (int i = 0; i < kBumpsEach; ++i) {
                const velmo::CounterBump bump =
                    bumpUpdateCounter(folder / "update.myc", kTries, 1ms, sleeper);
                seen[w].push_back(bump.after);
                EXPECT_EQ(bump.after, bump.before + 1);
            }
        });
    }
    for (std::thread& worker : workers)
        worker.join();
    std::set<int> values;
    for (const auto& list : seen)
        values.insert(list.begin(), list.end());
    EXPECT_EQ(values.size(), static_cast<std::size_t>(kWorkers * kBumpsEach));
    EXPECT_EQ(*values.begin(), 1);
    EXPECT_EQ(*values.rbegin(), kWorkers * kBumpsEach);
    EXPECT_EQ(TempFolder::read(folder / "update.myc"),
              std::to_string(kWorkers * kBumpsEach) + "\r\n");
}
