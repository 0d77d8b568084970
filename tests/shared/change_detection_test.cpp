#include "shared/change_detection.h"

#include <gtest/gtest.h>

#include "shared/net_timer.h"
#include "shared/update_counter.h"
#include "tests/support/fake_clock.h"
#include "tests/support/temp_folder.h"

using namespace std::chrono_literals;
using velmo::ChangeDetector;
using velmo::CheckOutcome;
using velmo::OwnWriteOutcome;
using velmo::testing::RecordingSleeper;
using velmo::testing::TempFolder;

TEST(ChangeDetectorOwnWrite, OutcomeAndTheCountKeptAfterward) {
    struct Case {
        const char* what;
        velmo::CounterBump bump;
        OwnWriteOutcome outcome;
        int lastKnown;
        int nextRead;
        CheckOutcome nextCheck;
    };
    for (const Case& c : {
             Case{"own increment alone",
                  {5, 6},
                  OwnWriteOutcome::Settled,
                  6,
                  6,
                  CheckOutcome::Nothing},
             // Someone raised 5 to 6 between our last check and our own bump to 7.
             Case{"another computer just before",
                  {6, 7},
                  OwnWriteOutcome::ReloadNeeded,
                  7,
                  7,
                  CheckOutcome::Nothing},
             Case{"failed bump", {}, OwnWriteOutcome::Doubtful, 0, 5, CheckOutcome::Reload},
         }) {
        ChangeDetector detector;
        ASSERT_EQ(detector.check(5), CheckOutcome::Reload);
        EXPECT_EQ(detector.afterOwnWrite(c.bump), c.outcome) << c.what;
        EXPECT_EQ(detector.lastKnown(), c.lastKnown) << c.what;
        EXPECT_EQ(detector.check(c.nextRead), c.nextCheck) << c.what;
    }
}

TEST(ChangeDetectorCheck, StopRequestAboveTheLimit) {
    ChangeDetector detector;
    EXPECT_EQ(detector.check(999'000'001), CheckOutcome::Stop);
    EXPECT_EQ(detector.check(999'000'001), CheckOutcome::Stop);
    EXPECT_EQ(detector.check(999'000'000), CheckOutcome::Reload);
    EXPECT_EQ(detector.check(999'000'000), CheckOutcome::Nothing);
}

// Two computers on one shared counter file, as the main windows use it.
class TwoComputers : public ::testing::Test {
protected:
    int read() { return velmo::readUpdateCounter(counter_, 5, 1000ms, sleeper_); }
    velmo::CounterBump bump() { return velmo::bumpUpdateCounter(counter_, 5, 1000ms, sleeper_); }

    TempFolder folder_;
    std::filesystem::path counter_ = folder_ / "update.myc";
    RecordingSleeper sleeper_;
    ChangeDetector a_;
    ChangeDetector b_;
};

TEST_F(TwoComputers, WriteOnOneReloadsTheOtherOnce) {
    folder_.write("update.myc", "57\r\n");
    ASSERT_EQ(a_.check(read()), CheckOutcome::Reload);
    ASSERT_EQ(b_.check(read()), CheckOutcome::Reload);

    EXPECT_EQ(a_.afterOwnWrite(bump()), OwnWriteOutcome::Settled);
    EXPECT_EQ(a_.check(read()), CheckOutcome::Nothing);
    EXPECT_EQ(b_.check(read()), CheckOutcome::Reload);
    EXPECT_EQ(b_.check(read()), CheckOutcome::Nothing);

    // Both write before either checks: the second writer learns of the first.
    EXPECT_EQ(a_.afterOwnWrite(bump()), OwnWriteOutcome::Settled);
    EXPECT_EQ(b_.afterOwnWrite(bump()), OwnWriteOutcome::ReloadNeeded);
    EXPECT_EQ(a_.check(read()), CheckOutcome::Reload);
    EXPECT_EQ(b_.check(read()), CheckOutcome::Nothing);
}

TEST_F(TwoComputers, DeletedCounterRestartsAtOneAndEveryoneReloadsOnce) {
    folder_.write("update.myc", "57\r\n");
    a_.check(read());
    b_.check(read());
    std::filesystem::remove(counter_);
    EXPECT_EQ(a_.check(read()), CheckOutcome::Reload);
    EXPECT_EQ(a_.lastKnown(), 1);
    EXPECT_EQ(b_.check(read()), CheckOutcome::Reload);
    EXPECT_EQ(a_.check(read()), CheckOutcome::Nothing);
    EXPECT_EQ(b_.check(read()), CheckOutcome::Nothing);
}

TEST_F(TwoComputers, CounterWrapsAndTheWrapIsNoticed) {
    folder_.write("update.myc", "1000000001\r\n");
    // Read as it stands, such a count is a stop request; only a bump wraps it.
    EXPECT_EQ(b_.check(read()), CheckOutcome::Stop);
    EXPECT_EQ(a_.afterOwnWrite(bump()), OwnWriteOutcome::ReloadNeeded);
    EXPECT_EQ(a_.lastKnown(), 1);
    EXPECT_EQ(b_.check(read()), CheckOutcome::Reload);
    EXPECT_EQ(b_.lastKnown(), 1);
    EXPECT_EQ(a_.check(read()), CheckOutcome::Nothing);
}

TEST_F(TwoComputers, GarbageAndOverlongCountersReloadOnceThenSettle) {
    for (const std::string& content : {std::string("garbage\r\n"), std::string(30, '9') + "\r\n"}) {
        folder_.write("update.myc", "57\r\n");
        a_.check(read());
        folder_.write("update.myc", content);
        EXPECT_EQ(a_.check(read()), CheckOutcome::Reload) << content;
        EXPECT_EQ(a_.check(read()), CheckOutcome::Nothing) << content;
        // The own write that starts the count again from 1 brings nothing new.
        EXPECT_EQ(a_.afterOwnWrite(bump()), OwnWriteOutcome::Settled) << content;
        EXPECT_EQ(a_.lastKnown(), 1);
    }
}

TEST(WriteDoubtfulMessages, MonthAndPeriodTexts) {
    EXPECT_EQ(velmo::monthWriteDoubtfulMessage(2024, 5, "fs02"),
              "2024年5月のデータを書き損ねたおそれがあります(fs02)。\r\nチェック願います。");
    EXPECT_EQ(velmo::monthWriteDoubtfulMessage(2013, 12, "fs06"),
              "2013年12月のデータを書き損ねたおそれがあります(fs06)。\r\nチェック願います。");
    EXPECT_EQ(velmo::periodWriteErrorMessage("/mnt/share/Data/Files1/"),
              "期間予定データ書込エラー[/mnt/share/Data/Files1/CaFromTo.myc]");
}

TEST(NetTimer, IntervalFromTheSetting) {
    EXPECT_EQ(velmo::netTimerInterval(1), 10'000ms);
    EXPECT_EQ(velmo::netTimerInterval(2), 60'000ms);
    for (int off : {0, 3, -1})
        EXPECT_FALSE(velmo::netTimerInterval(off).has_value()) << off;
}
