#include "app/navigation/function_timer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/navigation/time_correction.h"
#include "calendar/julius_day.h"
#include "editor_models/timer_alarm.h"

namespace velmo {
namespace {

using Log = std::vector<std::string>;

class FunctionTimerTest : public ::testing::Test {
protected:
    FunctionTickHooks hooks() {
        FunctionTickHooks h;
        h.editorOpen = [this] { return editorOpen; };
        h.editorUnmodified = [this] { return editorUnmodified; };
        h.bringMainWindowToFront = [this] { log.push_back("front"); };
        h.windowVisible = [this] { return visible; };
        h.refreshClock = [this] { log.push_back("clock"); };
        h.trayIconShown = [this] { return trayShown; };
        h.showTrayIcon = [this] {
            trayShown = true;
            log.push_back("tray");
        };
        h.setInterval = [this](int ms) { log.push_back("interval " + std::to_string(ms)); };
        h.chosenInterval = [this] { return chosen; };
        h.checkTimerAlarm = [this] { log.push_back("alarm"); };
        h.correctionOrDateChangeRunning = [this] { return busy; };
        h.timeAdjustCompanionPresent = [this] { return companion; };
        h.refreshMessagePanel = [this] { log.push_back("panel"); };
        h.startCorrectionIfDue = [this] {
            log.push_back("correction?");
            return correctionStarts;
        };
        h.dateChangeTick = [this] { log.push_back("date"); };
        return h;
    }

    bool editorOpen = false;
    bool editorUnmodified = true;
    bool visible = true;
    bool trayShown = true;
    int chosen = 6;
    bool busy = false;
    bool companion = false;
    bool correctionStarts = false;
    Log log;
};

TEST_F(FunctionTimerTest, AVisibleWindowRefreshesTheClockThenChecksAlarmCorrectionAndDate) {
    FunctionTimer timer(hooks(), kFunctionTimerStartMs);
    timer.tick();
    EXPECT_EQ(log, (Log{"clock", "alarm", "correction?", "date"}));
}

TEST_F(FunctionTimerTest, AHiddenWindowGetsItsTrayIconBackAndKeepsTheDateForLater) {
    visible = false;
    trayShown = false;
    FunctionTimer timer(hooks(), kFunctionTimerStartMs);
    timer.tick();
    timer.tick();
    // The icon is shown once; the clock panel is not refreshed while nobody sees it.
    EXPECT_EQ(std::count(log.begin(), log.end(), "tray"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "clock"), 0);
}

TEST_F(FunctionTimerTest, TheCompanionOrARunningStepEndTheTickEarly) {
    FunctionTimer timer(hooks(), kFunctionTimerStartMs);
    companion = true;
    timer.tick();
    EXPECT_EQ(log, (Log{"clock", "alarm", "panel"}));
    log.clear();
    busy = true;
    timer.tick();
    EXPECT_EQ(log, (Log{"clock", "alarm"}));
    log.clear();
    busy = companion = false;
    correctionStarts = true;
    timer.tick();
    EXPECT_EQ(log, (Log{"clock", "alarm", "correction?"}));
}

TEST_F(FunctionTimerTest, TheChosenIntervalAppliesAfter300Ticks) {
    chosen = 0;
    FunctionTimer timer(hooks(), kFunctionTimerStartMs);
    for (int i = 0; i < kIntervalWaitTicks - 1; ++i)
        timer.tick();
    EXPECT_EQ(timer.intervalMs(), kFunctionTimerStartMs);
    EXPECT_FALSE(timer.intervalSwitched());
    timer.tick();
    EXPECT_EQ(timer.intervalMs(), 1000);
    EXPECT_TRUE(timer.intervalSwitched());
    EXPECT_EQ(std::count(log.begin(), log.end(), "interval 1000"), 1);
    // Later ticks do not switch again.
    timer.tick();
    EXPECT_EQ(std::count(log.begin(), log.end(), "interval 1000"), 1);
}

TEST_F(FunctionTimerTest, AMonthInitialisationKeepsAChosenIntervalOnceSwitched) {
    chosen = 9;
    FunctionTimer timer(hooks(), kFunctionTimerStartMs);
    timer.resetToStartInterval();
    EXPECT_EQ(timer.intervalMs(), kFunctionTimerStartMs);
    for (int i = 0; i < kIntervalWaitTicks; ++i)
        timer.tick();
    timer.resetToStartInterval();
    EXPECT_EQ(timer.intervalMs(), 60000);
}

TEST(ChosenTimerInterval, FollowsTheTableAndFallsBackToTenSeconds) {
    const int expected[] = {1000, 2000, 3000, 4000, 5000, 7000, 10000, 20000, 30000, 60000};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(chosenTimerIntervalMs(i), expected[i]) << i;
    EXPECT_EQ(chosenTimerIntervalMs(-1), 10000);
    EXPECT_EQ(chosenTimerIntervalMs(10), 10000);
}

TEST_F(FunctionTimerTest, AnUntouchedEditorBringsTheWindowForwardAfter30SecondsThenEvery180) {
    editorOpen = true;
    FunctionTimer timer(hooks(), kFunctionTimerStartMs);
    timer.editorOpened();
    timer.tick();
    timer.tick();
    EXPECT_EQ(std::count(log.begin(), log.end(), "front"), 0);
    timer.tick();  // 30 seconds
    EXPECT_EQ(std::count(log.begin(), log.end(), "front"), 1);
    EXPECT_EQ(timer.editorIdleSeconds(), kEditorIdleSeconds);
    editorUnmodified = false;
    for (int i = 0; i < 18; ++i)
        timer.tick();
    // A page being typed in is left alone; the countdown starts over all the same.
    EXPECT_EQ(std::count(log.begin(), log.end(), "front"), 1);
    EXPECT_EQ(timer.editorIdleSeconds(), kEditorIdleSeconds);
}

TimeOfDay at(int hour, int minute, int second = 0) {
    return {hour, minute, second};
}

TEST(TimerAlarm, RingsFromTheNoticeTimeUntilHalfAnHourAfterIt) {
    const TimeOfDay noon = at(12, 0);
    EXPECT_FALSE(timerAlarmDue(at(11, 56, 59), noon, 3));
    EXPECT_TRUE(timerAlarmDue(at(11, 57), noon, 3));
    EXPECT_TRUE(timerAlarmDue(at(12, 0), noon, 3));
    // A tick after the computer slept still rings up to 12:32:59.
    EXPECT_TRUE(timerAlarmDue(at(12, 32), noon, 3));
    EXPECT_TRUE(timerAlarmDue(at(12, 32, 59), noon, 3));
    EXPECT_FALSE(timerAlarmDue(at(12, 33), noon, 3));
    EXPECT_FALSE(timerAlarmDue(at(0, 0), noon, 3));
}

TEST(TimerAlarm, ASetTimeJustAfterMidnightRingsBeforeIt) {
    EXPECT_TRUE(timerAlarmDue(at(23, 58), at(0, 1), 3));
    EXPECT_FALSE(timerAlarmDue(at(23, 57), at(0, 1), 3));
    EXPECT_TRUE(timerAlarmDue(at(0, 20), at(23, 55), 0));
    EXPECT_FALSE(timerAlarmDue(at(0, 25), at(23, 55), 0));
}

class TimeCorrectionTest : public ::testing::Test {
protected:
    TimeCorrectionTest() { keys.cbTShuusei = true; }

    TimeCorrection correction(bool allowed = true) {
        return TimeCorrection(keys, allowed,
                              {[this] { return clockWindow; }, [this] { ++starts; }});
    }

    CorrectionKeys keys;
    bool clockWindow = false;
    int starts = 0;
    const std::int32_t today = ymdToJuliusDay(2026, 12, 10);  // a Thursday
};

TEST_F(TimeCorrectionTest, EveryDayStartsOnceADayAfterTheDelay) {
    TimeCorrection c = correction();
    EXPECT_FALSE(c.startIfDue(today, "090000", false));
    EXPECT_TRUE(c.startIfDue(today, "090000", true));
    EXPECT_EQ(keys.pTDay, today);
    EXPECT_FALSE(c.startIfDue(today, "090010", true));
    EXPECT_TRUE(c.startIfDue(today + 1, "000010", true));
    EXPECT_EQ(starts, 2);
}

TEST_F(TimeCorrectionTest, EveryWeekRemembersTheMondayOfTheWeek) {
    keys.pTAccess = 1;
    TimeCorrection c = correction();
    EXPECT_TRUE(c.startIfDue(today, "090000", true));
    EXPECT_EQ(keys.pTWeek, ymdToJuliusDay(2026, 12, 7));
    EXPECT_FALSE(c.startIfDue(today + 3, "090000", true));  // Sunday, same week
    EXPECT_TRUE(c.startIfDue(today + 4, "090000", true));   // the next Monday
    EXPECT_EQ(starts, 2);
}

TEST_F(TimeCorrectionTest, OnAWeekdayWaitsForTheTimeAndNeedsNoDelay) {
    keys.pTAccess = 2;
    keys.pTTime = "150000";
    keys.pTYoubi = 2;  // Monday
    TimeCorrection c = correction();
    EXPECT_FALSE(c.startIfDue(today, "150000", false));
    EXPECT_TRUE(c.startIfDue(today, "150001", false));
    EXPECT_EQ(keys.pTNini, ymdToJuliusDay(2026, 12, 7));
    EXPECT_FALSE(c.startIfDue(today + 3, "160000", false));
    EXPECT_TRUE(c.startIfDue(today + 4, "160000", false));
    keys.pTYoubi = 0;
    EXPECT_TRUE(c.startIfDue(today + 11, "160000", false));
    EXPECT_EQ(keys.pTNini, today + 5);
}

TEST_F(TimeCorrectionTest, AnOpenClockWindowIsRetriedEachTickAndGivenUpAfter12Attempts) {
    clockWindow = true;
    keys.pTDay = today - 1;
    TimeCorrection c = correction();
    for (int i = 0; i < 20; ++i)
        EXPECT_FALSE(c.startIfDue(today, "090000", true));
    EXPECT_EQ(starts, 0);
    EXPECT_EQ(keys.pTDay, 0);
    EXPECT_TRUE(c.gaveUp());
    EXPECT_EQ(c.attempts(), kCorrectionAttemptLimit);
    clockWindow = false;
    EXPECT_FALSE(c.startIfDue(today, "090000", true));
    c.dateChanged();
    EXPECT_TRUE(c.startIfDue(today + 1, "090000", true));
}

TEST_F(TimeCorrectionTest, NothingStartsWhenSwitchedOffOrNotAllowed) {
    TimeCorrection notAllowed = correction(false);
    EXPECT_FALSE(notAllowed.startIfDue(today, "090000", true));
    keys.cbTShuusei = false;
    TimeCorrection off = correction();
    EXPECT_FALSE(off.startIfDue(today, "090000", true));
    EXPECT_EQ(starts, 0);
}

}  // namespace
}  // namespace velmo
