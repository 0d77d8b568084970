#include "app/navigation/day_count.h"

#include <gtest/gtest.h>

#include "calendar/julius_day.h"
#include "calendar/julius_error.h"
#include "tests/support/scripted_user_interface.h"

namespace velmo {
namespace {

using testing::ScriptedUserInterface;

class DayCountTest : public ::testing::Test {
protected:
    ScriptedUserInterface ui;
    DayCount count{ui};
};

TEST_F(DayCountTest, DaysBetweenDatesByCountMode) {
    count.start = {2024, 1, 1};
    count.end = {2024, 12, 31};
    count.setCountMode(kCountOneEnd);
    EXPECT_EQ(count.days, 365);
    count.setCountMode(kCountBothEnds);
    EXPECT_EQ(count.days, 366);
    // An end before the start counts backwards.
    count.start = {2024, 3, 1};
    count.end = {2024, 2, 1};
    ASSERT_TRUE(count.compute());
    EXPECT_EQ(count.days, -28);
    // 31 February is the equivalent later date, 3 March in 2023.
    count.start = {2023, 2, 31};
    count.end = {2023, 3, 3};
    count.setCountMode(kCountOneEnd);
    EXPECT_EQ(count.days, 0);
    EXPECT_TRUE(ui.texts().empty());
}

TEST_F(DayCountTest, EndOrStartFromTheOtherDate) {
    count.setResultMode(kResultEnd);
    count.start = {2024, 1, 31};
    count.days = 30;
    count.countMode = kCountBothEnds;
    ASSERT_TRUE(count.compute());
    EXPECT_EQ(count.end, (Ymd{2024, 2, 29}));

    count.setResultMode(kResultStart);
    count.end = {2024, 3, 1};
    count.days = 1;
    count.countMode = kCountOneEnd;
    ASSERT_TRUE(count.compute());
    EXPECT_EQ(count.start, (Ymd{2024, 2, 29}));

    // Each result mode undoes the others.
    count.start = {1999, 7, 20};
    count.end = {2031, 1, 3};
    for (int mode : {kCountOneEnd, kCountBothEnds}) {
        count.countMode = mode;
        count.setResultMode(kResultDays);
        ASSERT_TRUE(count.compute());
        count.end = {1, 1, 1};
        count.setResultMode(kResultEnd);
        ASSERT_TRUE(count.compute());
        EXPECT_EQ(count.end, (Ymd{2031, 1, 3}));
        count.start = {1, 1, 1};
        count.setResultMode(kResultStart);
        ASSERT_TRUE(count.compute());
        EXPECT_EQ(count.start, (Ymd{1999, 7, 20}));
    }
}

TEST_F(DayCountTest, LongSpansAreNotCut) {
    count.start = {0, 1, 1};
    count.end = {9999, 12, 31};
    count.setCountMode(kCountBothEnds);
    EXPECT_EQ(count.days, kDayCountMaxDays);
    EXPECT_EQ(count.days, ymdToJuliusDay(9999, 12, 31) - ymdToJuliusDay(0, 1, 1) + 1);

    count.setResultMode(kResultEnd);
    count.end = {};
    ASSERT_TRUE(count.compute());
    EXPECT_EQ(count.end, (Ymd{9999, 12, 31}));

    count.start = {2000, 1, 1};
    count.days = 100000;
    count.countMode = kCountOneEnd;
    ASSERT_TRUE(count.compute());
    EXPECT_EQ(count.end, (Ymd{2273, 10, 16}));
    count.setResultMode(kResultStart);
    count.end = {2024, 6, 15};
    count.days = 50000;
    ASSERT_TRUE(count.compute());
    EXPECT_EQ(count.start, (Ymd{1887, 7, 24}));
    EXPECT_TRUE(ui.texts().empty());
}

TEST_F(DayCountTest, ResultsOutsideTheYearsAreRefused) {
    count.setResultMode(kResultEnd);
    count.start = {9999, 12, 1};
    count.end = {2024, 5, 5};
    count.days = 100;
    EXPECT_FALSE(count.compute());
    EXPECT_EQ(count.end, (Ymd{2024, 5, 5}));
    EXPECT_EQ(count.start, (Ymd{9999, 12, 1}));
    EXPECT_EQ(count.days, 100);

    count.setResultMode(kResultStart);
    count.start = {300, 3, 3};
    count.end = {0, 1, 5};
    count.days = 5;
    EXPECT_FALSE(count.compute());
    EXPECT_EQ(count.start, (Ymd{300, 3, 3}));
    count.days = 4;
    EXPECT_TRUE(count.compute());
    EXPECT_EQ(count.start, (Ymd{0, 1, 1}));
    count.start = {300, 3, 3};
    // A negative count goes the other way, past 9999 as well.
    count.end = {9999, 12, 30};
    count.days = -2;
    EXPECT_FALSE(count.compute());
    EXPECT_EQ(count.start, (Ymd{300, 3, 3}));
    // The last and first days themselves are fine.
    count.days = -1;
    EXPECT_TRUE(count.compute());
    EXPECT_EQ(count.start, (Ymd{9999, 12, 31}));

    const std::vector<std::string> expected(3, kDayCountOutOfRangeMessage);
    EXPECT_EQ(ui.texts(), expected);
    ASSERT_EQ(ui.shown().size(), 3u);
    EXPECT_EQ(ui.shown()[0].kind, testing::ShownBox::Kind::Message);
}

TEST_F(DayCountTest, DatesInThe1582GapAreRefused) {
    count.start = {1582, 10, 10};
    count.end = {1583, 1, 1};
    count.days = 7;
    EXPECT_FALSE(count.compute());
    EXPECT_EQ(count.days, 7);
    count.setResultMode(kResultEnd);
    EXPECT_FALSE(count.compute());
    EXPECT_EQ(count.end, (Ymd{1583, 1, 1}));
    EXPECT_EQ(ui.texts(), std::vector<std::string>(2, kJuliusGapMessage));
    // The days either side are there.
    count.start = {1582, 10, 4};
    count.days = 1;
    ASSERT_TRUE(count.compute());
    EXPECT_EQ(count.end, (Ymd{1582, 10, 15}));
}

TEST(DayCountSteps, FieldsWrapAndCarry) {
    EXPECT_EQ(steppedDate({2024, 1, 31}, DateField::Day, 1), (Ymd{2024, 2, 1}));
    EXPECT_EQ(steppedDate({2024, 3, 1}, DateField::Day, -1), (Ymd{2024, 2, 31}));
    // The day wraps at 31 whatever the month.
    EXPECT_EQ(steppedDate({2024, 2, 29}, DateField::Day, 1), (Ymd{2024, 2, 30}));
    EXPECT_EQ(steppedDate({2024, 1, 15}, DateField::Month, -1), (Ymd{2023, 12, 15}));
    EXPECT_EQ(steppedDate({2024, 12, 15}, DateField::Month, 1), (Ymd{2025, 1, 15}));
    EXPECT_EQ(steppedDate({2024, 12, 31}, DateField::Day, 1), (Ymd{2025, 1, 1}));
    EXPECT_EQ(steppedDate({2025, 1, 1}, DateField::Day, -1), (Ymd{2024, 12, 31}));
    // The year wraps alone.
    EXPECT_EQ(steppedDate({9999, 5, 6}, DateField::Year, 1), (Ymd{0, 5, 6}));
    EXPECT_EQ(steppedDate({0, 5, 6}, DateField::Year, -1), (Ymd{9999, 5, 6}));
    EXPECT_EQ(steppedDate({9999, 12, 31}, DateField::Day, 1), (Ymd{0, 1, 1}));
    EXPECT_EQ(steppedDate({2024, 6, 10}, DateField::Day, 1), (Ymd{2024, 6, 11}));
}

TEST_F(DayCountTest, StepsComputeOrWait) {
    count.start = {2024, 1, 30};
    count.end = {2024, 2, 10};
    count.step(true, DateField::Day, 3);
    EXPECT_EQ(count.start, (Ymd{2024, 2, 2}));
    EXPECT_EQ(count.days, 8);
    EXPECT_FALSE(count.pending());

    count.setAutoCompute(false);
    count.step(false, DateField::Month, -2);
    EXPECT_EQ(count.end, (Ymd{2023, 12, 10}));
    EXPECT_EQ(count.days, 8);
    EXPECT_TRUE(count.pending());
    count.typed();
    EXPECT_TRUE(count.notComputedShown());
    count.setCountMode(kCountBothEnds);
    EXPECT_EQ(count.days, 8);
    ASSERT_TRUE(count.compute());
    EXPECT_FALSE(count.pending());
    EXPECT_FALSE(count.notComputedShown());
    EXPECT_EQ(count.days, -53);

    count.end = {2024, 2, 2};
    count.changed();
    EXPECT_TRUE(count.pending());
    count.setAutoCompute(true);
    EXPECT_EQ(count.days, 1);
    EXPECT_FALSE(count.pending());
}

TEST_F(DayCountTest, CalendarClicksFillTheDateThatIsNoResult) {
    count.fillFromCalendar(2024, 5, 1);
    EXPECT_EQ(count.start, (Ymd{2024, 5, 1}));
    count.fillsStart = false;
    count.fillFromCalendar(2024, 5, 11);
    EXPECT_EQ(count.end, (Ymd{2024, 5, 11}));
    EXPECT_EQ(count.days, 10);

    count.setResultMode(kResultEnd);
    EXPECT_TRUE(count.fillsStart);
    count.fillFromCalendar(2024, 5, 4);
    EXPECT_EQ(count.start, (Ymd{2024, 5, 4}));
    EXPECT_EQ(count.end, (Ymd{2024, 5, 14}));
    count.setResultMode(kResultStart);
    EXPECT_FALSE(count.fillsStart);
    count.setResultMode(kResultDays);
    EXPECT_FALSE(count.fillsStart);
}

TEST_F(DayCountTest, LookFollowsTheModes) {
    DayCountLook look = count.look();
    EXPECT_EQ(look.startCaption, "開始日");
    EXPECT_EQ(look.endCaption, "終了日");
    EXPECT_EQ(look.daysCaption, "日数（計算結果）");
    EXPECT_TRUE(look.daysBold && !look.startBold && !look.endBold);
    EXPECT_TRUE(!look.daysEnabled && look.startEnabled && look.endEnabled);

    count.setResultMode(kResultStart);
    count.countMode = kCountBothEnds;
    look = count.look();
    EXPECT_EQ(look.startCaption, "開始日（計算結果）");
    EXPECT_EQ(look.daysCaption, "期間");
    EXPECT_TRUE(look.startBold && !look.endBold && !look.daysBold);
    EXPECT_TRUE(!look.startEnabled && look.endEnabled && look.daysEnabled);

    count.setResultMode(kResultEnd);
    look = count.look();
    EXPECT_EQ(look.startCaption, "開始日");
    EXPECT_EQ(look.endCaption, "終了日（計算結果）");
    EXPECT_TRUE(look.endBold && !look.startBold && !look.daysBold);
    EXPECT_TRUE(look.startEnabled && !look.endEnabled && look.daysEnabled);
}

}  // namespace
}  // namespace velmo
