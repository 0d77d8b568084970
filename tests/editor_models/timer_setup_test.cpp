#include "editor_models/timer_setup.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

TimeOfDay at(int hour, int minute, int second = 0) {
    return {hour, minute, second};
}

const TimeOfDay kThree = at(15, 0);

// --- starting -------------------------------------------------------------------------

TEST(TimerStartTest, RefusedWhileTheNoticeMomentIsPassing) {
    const TimerStartCheck check = checkTimerStart(at(14, 58), kThree, 3);
    EXPECT_EQ(check.outcome, TimerStartOutcome::Refused);
    EXPECT_EQ(check.message, "時刻が過ぎようとしています。\r\n中止いたします。");
    // At the set time itself it has not yet passed.
    EXPECT_EQ(checkTimerStart(kThree, kThree, 3).message,
              "時刻が過ぎようとしています。\r\n中止いたします。");
}

TEST(TimerStartTest, RefusedShortlyAfterTheSetTime) {
    const TimerStartCheck check = checkTimerStart(at(15, 10), kThree, 3);
    EXPECT_EQ(check.outcome, TimerStartOutcome::Refused);
    EXPECT_EQ(check.message, "時刻が既に過ぎています。\r\n中止いたします。");
    EXPECT_EQ(checkTimerStart(at(15, 32, 59), kThree, 3).outcome, TimerStartOutcome::Refused);
}

TEST(TimerStartTest, AcceptedExactlyAtTheNoticeMoment) {
    EXPECT_EQ(checkTimerStart(at(14, 57), kThree, 3).outcome, TimerStartOutcome::Accepted);
    EXPECT_EQ(checkTimerStart(at(14, 57, 1), kThree, 3).outcome, TimerStartOutcome::Refused);
    EXPECT_EQ(checkTimerStart(at(14, 59, 59), kThree, 0).outcome, TimerStartOutcome::Accepted);
}

TEST(TimerStartTest, TomorrowsTimeAsksWithTheNoticeIncluded) {
    const TimerStartCheck check = checkTimerStart(at(15, 40), kThree, 3);
    EXPECT_EQ(check.outcome, TimerStartOutcome::NeedsConfirmation);
    EXPECT_EQ(check.message,
              "設定時刻が現時刻から１２時間以上（ 23 時 23 分）ありますが、\r\n"
              "これで間違いないでしょうか？");
    // The alarm's window ends 33 minutes after the set time.
    EXPECT_EQ(checkTimerStart(at(15, 33), kThree, 3).outcome, TimerStartOutcome::NeedsConfirmation);
}

TEST(TimerStartTest, TwelveHoursIsTheLimitOfTheQuestion) {
    EXPECT_EQ(checkTimerStart(at(3, 0), kThree, 0).outcome, TimerStartOutcome::NeedsConfirmation);
    EXPECT_EQ(checkTimerStart(at(3, 0), kThree, 0).message,
              "設定時刻が現時刻から１２時間以上（ 12 時 0 分）ありますが、\r\n"
              "これで間違いないでしょうか？");
    EXPECT_EQ(checkTimerStart(at(3, 0, 1), kThree, 0).outcome, TimerStartOutcome::Accepted);
    // The notice minutes count towards the twelve hours.
    EXPECT_EQ(checkTimerStart(at(3, 2), kThree, 3).outcome, TimerStartOutcome::NeedsConfirmation);
    EXPECT_EQ(checkTimerStart(at(14, 0), kThree, 3).message, "");
}

TEST(TimerStartTest, GoesRoundMidnight) {
    // Ten past midnight seen from a minute before it: accepted, not tomorrow's.
    EXPECT_EQ(checkTimerStart(at(23, 59), at(0, 10), 3).outcome, TimerStartOutcome::Accepted);
    // Midnight two minutes ahead is inside the notice.
    EXPECT_EQ(checkTimerStart(at(23, 58), at(0, 0), 3).message,
              "時刻が過ぎようとしています。\r\n中止いたします。");
    // Just after midnight a time before it has only just passed.
    EXPECT_EQ(checkTimerStart(at(0, 5), at(23, 50), 3).message,
              "時刻が既に過ぎています。\r\n中止いたします。");
}

// --- the status line ------------------------------------------------------------------

TEST(TimerStatusTest, MinutesBeforeCountTheBegunMinute) {
    EXPECT_EQ(timerStatusText(at(14, 57), kThree), "設定時刻、3 分前です");
    EXPECT_EQ(timerStatusText(at(14, 57, 1), kThree), "設定時刻、3 分前です");
    EXPECT_EQ(timerStatusText(at(14, 56, 59), kThree), "設定時刻、4 分前です");
    EXPECT_EQ(timerStatusText(at(14, 58, 59), kThree), "設定時刻、2 分前です");
}

TEST(TimerStatusTest, TheMinuteEitherSideIsTheSetTime) {
    EXPECT_EQ(timerStatusText(at(14, 59), kThree), "設定時刻です");
    EXPECT_EQ(timerStatusText(at(14, 59, 59), kThree), "設定時刻です");
    EXPECT_EQ(timerStatusText(kThree, kThree), "設定時刻です");
    EXPECT_EQ(timerStatusText(at(15, 0, 59), kThree), "設定時刻です");
}

TEST(TimerStatusTest, PassedInWholeMinutesAndHours) {
    EXPECT_EQ(timerStatusText(at(15, 1), kThree), "設定時刻を、1 分経過しています");
    EXPECT_EQ(timerStatusText(at(15, 59, 59), kThree), "設定時刻を、59 分経過しています");
    EXPECT_EQ(timerStatusText(at(17, 5, 30), kThree), "設定時刻を、2 時間 5 分経過しています");
    // Across midnight.
    EXPECT_EQ(timerStatusText(at(0, 20), at(23, 50)), "設定時刻を、30 分経過しています");
}

TEST(TimerStatusTest, AnHourOrMoreAheadInHoursAndMinutes) {
    EXPECT_EQ(timerStatusText(at(14, 0), kThree), "設定時刻、1 時間 0 分前です");
    EXPECT_EQ(timerStatusText(at(14, 0, 30), kThree), "設定時刻、1 時間 0 分前です");
    EXPECT_EQ(timerStatusText(at(14, 0, 59), kThree), "設定時刻、1 時間 0 分前です");
    EXPECT_EQ(timerStatusText(at(14, 1), kThree), "設定時刻、59 分前です");
    EXPECT_EQ(timerStatusText(at(23, 0), at(1, 30)), "設定時刻、2 時間 30 分前です");
}

// --- the countdown --------------------------------------------------------------------

TEST(TimerCountdownTest, BegunMinutesAreRoundedUpBeforeTheHoursSplitOff) {
    EXPECT_EQ(timerCountdownText(at(14, 0, 30), kThree, 0), "設定時刻まで、1 時間 0 分");
    EXPECT_EQ(timerCountdownText(at(14, 0), kThree, 0), "設定時刻まで、1 時間 0 分");
    EXPECT_EQ(timerCountdownText(at(14, 0, 1), kThree, 0), "設定時刻まで、1 時間 0 分");
    EXPECT_EQ(timerCountdownText(at(14, 1), kThree, 0), "設定時刻まで、59 分");
    EXPECT_EQ(timerCountdownText(at(12, 29, 59), kThree, 0), "設定時刻まで、2 時間 31 分");
    EXPECT_EQ(timerCountdownText(at(14, 59, 59), kThree, 0), "設定時刻まで、1 分");
}

TEST(TimerCountdownTest, NoticeMinutesInFullWidth) {
    EXPECT_EQ(timerCountdownText(at(14, 50), kThree, 3),
              "設定時刻まで、10 分（ ３分前に通知します ）");
    EXPECT_EQ(timerCountdownText(at(14, 50), kThree, 9),
              "設定時刻まで、10 分（ ９分前に通知します ）");
    EXPECT_EQ(timerCountdownText(at(14, 50), kThree, 0), "設定時刻まで、10 分");
}

TEST(TimerCountdownTest, PassedTimesCountToTomorrow) {
    EXPECT_EQ(timerCountdownText(at(23, 59), at(0, 10), 3),
              "設定時刻まで、11 分（ ３分前に通知します ）");
    EXPECT_EQ(timerCountdownText(at(15, 40), kThree, 0), "設定時刻まで、23 時間 20 分");
    EXPECT_EQ(timerCountdownText(kThree, kThree, 0), "設定時刻まで、24 時間 0 分");
}

// --- editing --------------------------------------------------------------------------

TEST(TimerFieldStepTest, SecondsCarryIntoMinutesAndHours) {
    EXPECT_EQ(stepTimeField(at(10, 20, 59), TimeField::Second, +1), at(10, 21, 0));
    EXPECT_EQ(stepTimeField(at(10, 59, 59), TimeField::Second, +1), at(11, 0, 0));
    EXPECT_EQ(stepTimeField(at(10, 20, 0), TimeField::Second, -1), at(10, 19, 59));
    EXPECT_EQ(stepTimeField(at(0, 0, 0), TimeField::Second, -1), at(23, 59, 59));
    EXPECT_EQ(stepTimeField(at(10, 20, 30), TimeField::Second, +1), at(10, 20, 31));
}

TEST(TimerFieldStepTest, MinutesCarryIntoTheHour) {
    EXPECT_EQ(stepTimeField(at(23, 59), TimeField::Minute, +1), at(0, 0));
    EXPECT_EQ(stepTimeField(at(10, 0, 15), TimeField::Minute, -1), at(9, 59, 15));
    EXPECT_EQ(stepTimeField(at(0, 0), TimeField::Minute, -1), at(23, 59));
    EXPECT_EQ(stepTimeField(at(10, 5), TimeField::Minute, +1), at(10, 6));
}

TEST(TimerFieldStepTest, TheHourWrapsAlone) {
    EXPECT_EQ(stepTimeField(at(23, 59, 59), TimeField::Hour, +1), at(0, 59, 59));
    EXPECT_EQ(stepTimeField(at(0, 30), TimeField::Hour, -1), at(23, 30));
    EXPECT_EQ(stepTimeField(at(7, 30), TimeField::Hour, +1), at(8, 30));
}

TEST(TimerFieldParseTest, ReadsPlainNumbersInRange) {
    EXPECT_EQ(parseTimeFields("15", "0", "00"), at(15, 0));
    EXPECT_EQ(parseTimeFields("23", "59", "59"), at(23, 59, 59));
    EXPECT_EQ(parseTimeFields("0", "5", "7"), at(0, 5, 7));
}

TEST(TimerFieldParseTest, RejectsWhatIsNoTime) {
    EXPECT_FALSE(parseTimeFields("24", "0", "0"));
    EXPECT_FALSE(parseTimeFields("1", "60", "0"));
    EXPECT_FALSE(parseTimeFields("1", "0", "60"));
    EXPECT_FALSE(parseTimeFields("", "0", "0"));
    EXPECT_FALSE(parseTimeFields("1", "", "0"));
    EXPECT_FALSE(parseTimeFields("1", "0", ""));
    EXPECT_FALSE(parseTimeFields("1a", "0", "0"));
    EXPECT_FALSE(parseTimeFields("-1", "0", "0"));
    EXPECT_FALSE(parseTimeFields(" 1", "0", "0"));
    EXPECT_FALSE(parseTimeFields("99999999999", "0", "0"));
}

TEST(TimerNoticeTest, OutOfRangeNoticeFallsBackToThree) {
    EXPECT_EQ(shownNoticeMinutes(0), 0);
    EXPECT_EQ(shownNoticeMinutes(9), 9);
    EXPECT_EQ(shownNoticeMinutes(10), 3);
    EXPECT_EQ(shownNoticeMinutes(-1), 3);
}

}  // namespace
}  // namespace velmo
