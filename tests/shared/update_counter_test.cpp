#include "shared/update_counter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
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

// Reads of a counter file whose content the test sets; none of them may pause.
class UpdateCounterRead : public ::testing::Test {
protected:
    int readWith(std::string_view content) {
        folder_.write("update.myc", content);
        return read();
    }
    int read() { return readUpdateCounter(folder_ / "update.myc", kTries, kWait, sleeper_); }
    void TearDown() override { EXPECT_TRUE(sleeper_.pauses().empty()); }

    TempFolder folder_;
    RecordingSleeper sleeper_;
};

TEST_F(UpdateCounterRead, MissingFileStartsAtOne) {
    EXPECT_EQ(read(), 1);
    EXPECT_EQ(TempFolder::read(folder_ / "update.myc"), "1\r\n");
}

TEST_F(UpdateCounterRead, LineOneOfTheFile) {
    EXPECT_EQ(readWith("1234\r\nleft over\r\n"), 1234);
    EXPECT_EQ(readWith(""), -1);
    EXPECT_EQ(readWith(kThirtyDigits + "\r\n"), -1);
    // A number that cannot be read is left as it is, not replaced by a fresh count.
    EXPECT_EQ(TempFolder::read(folder_ / "update.myc"), kThirtyDigits + "\r\n");
}

TEST_F(UpdateCounterRead, OtherSpellingOnDiskIsRead) {
    folder_.write("UPDATE.MYC", "9\r\n");
    EXPECT_EQ(read(), 9);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "update.myc"));
}

// A counter file holding 41 whose system calls fail as each test plans.
class UpdateCounterRetry : public ::testing::Test {
protected:
    UpdateCounterRetry() { folder_.write("update.myc", "41\r\n"); }
    int read(int tries) { return readUpdateCounter(file_, tries, kWait, sleeper_); }
    velmo::CounterBump bump(int tries) { return bumpUpdateCounter(file_, tries, kWait, sleeper_); }
    std::vector<std::chrono::milliseconds> pauses(std::size_t count) const {
        return std::vector<std::chrono::milliseconds>(count, kWait);
    }

    TempFolder folder_;
    std::filesystem::path file_ = folder_ / "update.myc";
    RecordingSleeper sleeper_;
    FailingCalls fail_;
};

TEST_F(UpdateCounterRetry, BusyFileIsReadAfterAPause) {
    fail_.failNth(Call::Open, 1, EBUSY);
    fail_.failNth(Call::Open, 2, EACCES);
    EXPECT_EQ(read(kTries), 41);
    EXPECT_EQ(sleeper_.pauses(), pauses(2));
}

TEST_F(UpdateCounterRetry, EveryReadFailedGivesMinusOne) {
    fail_.failFrom(Call::Open, 1, EBUSY);
    EXPECT_EQ(read(3), -1);
    EXPECT_EQ(sleeper_.pauses(), pauses(2));
}

TEST_F(UpdateCounterRetry, MissingFileThatCannotBeCreatedIsNoCountOfOne) {
    std::filesystem::remove(file_);
    fail_.failFrom(Call::CreateExclusive, 1, EACCES);
    EXPECT_EQ(read(2), -1);
    EXPECT_FALSE(std::filesystem::exists(file_));
}

TEST_F(UpdateCounterRetry, FolderInThePlaceOfTheFileIsNoCount) {
    std::filesystem::remove(file_);
    std::filesystem::create_directory(file_);
    EXPECT_EQ(read(3), -1);
    EXPECT_EQ(bump(3).after, -1);
}

TEST_F(UpdateCounterRetry, RefusedWriteIsTriedAgain) {
    fail_.failNth(Call::Rename, 1, EBUSY);
    EXPECT_EQ(bump(kTries).after, 42);
    EXPECT_EQ(sleeper_.pauses(), pauses(1));
}

TEST_F(UpdateCounterRetry, EveryWriteRefusedFailsKeepingTheOldCount) {
    fail_.failFrom(Call::Rename, 1, EBUSY);
    const velmo::CounterBump bump = this->bump(3);
    EXPECT_FALSE(bump.succeeded());
    EXPECT_EQ(bump.after, -1);
    EXPECT_EQ(fail_.count(Call::Rename), 3);
    EXPECT_EQ(sleeper_.pauses(), pauses(2));
    EXPECT_EQ(TempFolder::read(file_), "41\r\n");
}

TEST(UpdateCounterBump, RaisesByOneAndReportsTheValueFound) {
    struct Case {
        std::optional<std::string> content;  // none: no file
        int before;
        int after;
    };
    for (const Case& c : std::vector<Case>{{std::nullopt, 0, 1},
                                           {"57\r\n", 57, 58},
                                           {"garbage\r\n", 0, 1},
                                           {"", 0, 1},
                                           {kThirtyDigits + "\r\n", 0, 1},
                                           {"-5\r\n", 0, 1},
                                           {"1000000000\r\n", 1000000000, 1000000001},
                                           {"1000000001\r\n", 1000000001, 1},
                                           {"2147483647\r\n", 2147483647, 1}}) {
        TempFolder folder;
        RecordingSleeper sleeper;
        const std::string what = c.content.value_or("(no file)");
        if (c.content)
            folder.write("update.myc", *c.content);
        const velmo::CounterBump bump =
            bumpUpdateCounter(folder / "update.myc", kTries, kWait, sleeper);
        EXPECT_EQ(bump.before, c.before) << what;
        EXPECT_EQ(bump.after, c.after) << what;
        EXPECT_EQ(TempFolder::read(folder / "update.myc"), std::to_string(c.after) + "\r\n");
        EXPECT_TRUE(sleeper.pauses().empty()) << what;
    }
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
