#include "app/navigation/quick_day_entry.h"

#include <gtest/gtest.h>

using namespace velmo;

namespace {

using Kind = QuickDayEntryOutcome::Kind;

QuickDayEntryOutcome refused(const std::string& shown) {
    return {Kind::Refused, 0, "[ " + shown + " ]日は、日付に出来ません。"};
}

}  // namespace

TEST(QuickDayEntryTest, DaysOfTheDisplayedMonthOpen) {
    EXPECT_EQ(submitQuickDayEntry("1", 29), (QuickDayEntryOutcome{Kind::OpenDay, 1, {}}));
    EXPECT_EQ(submitQuickDayEntry("29", 29), (QuickDayEntryOutcome{Kind::OpenDay, 29, {}}));
    EXPECT_EQ(submitQuickDayEntry("31", 31), (QuickDayEntryOutcome{Kind::OpenDay, 31, {}}));
    // Spaces around the number are dropped; a leading zero is still the same day.
    EXPECT_EQ(submitQuickDayEntry(" 5 ", 30), (QuickDayEntryOutcome{Kind::OpenDay, 5, {}}));
    EXPECT_EQ(submitQuickDayEntry("07", 30), (QuickDayEntryOutcome{Kind::OpenDay, 7, {}}));
}

TEST(QuickDayEntryTest, AnythingElseIsRefusedWithTheTrimmedText) {
    // February has no 30th or 31st, in a leap year no 30th either.
    EXPECT_EQ(submitQuickDayEntry("31", 28), refused("31"));
    EXPECT_EQ(submitQuickDayEntry("30", 29), refused("30"));
    EXPECT_EQ(submitQuickDayEntry("0", 31), refused("0"));
    EXPECT_EQ(submitQuickDayEntry("-1", 31), refused("-1"));
    EXPECT_EQ(submitQuickDayEntry("abc", 31), refused("abc"));
    EXPECT_EQ(submitQuickDayEntry(" 1a ", 31), refused("1a"));
    EXPECT_EQ(submitQuickDayEntry("+5", 31), refused("+5"));
    EXPECT_EQ(submitQuickDayEntry("1 2", 31), refused("1 2"));
    EXPECT_EQ(submitQuickDayEntry("99999999999", 31), refused("99999999999"));
    EXPECT_EQ(submitQuickDayEntry("５", 31), refused("５"));
}

TEST(QuickDayEntryTest, AnEmptyBoxDoesNothing) {
    EXPECT_EQ(submitQuickDayEntry("", 31).kind, Kind::Nothing);
    EXPECT_EQ(submitQuickDayEntry("   ", 31).kind, Kind::Nothing);
}
