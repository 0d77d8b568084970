#include "app/navigation/month_table.h"

#include <gtest/gtest.h>

#include "calendar/julius_day.h"

namespace velmo {
namespace {

using Kind = ShowMonthTarget::Kind;

TEST(MonthTable, WindowAroundMidJanuaryCrossesTheYear) {
    MonthTable table;
    table.fill(2024, 1);
    const char* const labels[] = {"１２月", "１月", "２月", "３月", "４月"};
    for (int slot = 0; slot < kWindowSlots; ++slot)
        EXPECT_EQ(table.record(slot).label, labels[slot]);
    EXPECT_EQ(table.record(0).year, 2023);
    EXPECT_EQ(table.record(0).fileName, "Ca202312.myc");
    EXPECT_EQ(table.windowStart(), ymdToJuliusDay(2023, 12, 1));
    EXPECT_EQ(table.windowEnd(), ymdToJuliusDay(2024, 4, 30));
    // Slot 5 starts as the month after the window.
    EXPECT_EQ(table.record(kFreeSlot).month, 5);
    EXPECT_EQ(table.record(kFreeSlot).label, "2024. 5");
}

TEST(MonthTable, WindowEndInSeptemberIsNewYearsEve) {
    MonthTable table;
    table.fill(2024, 9);
    EXPECT_EQ(table.windowEnd(), ymdToJuliusDay(2024, 12, 31));
    EXPECT_EQ(table.record(kFreeSlot).year, 2025);
    EXPECT_EQ(table.record(kFreeSlot).fileName, "Ca202501.myc");
    EXPECT_EQ(windowTabLabel(12), "１２月");
}

TEST(MonthTable, ShowMonthGoesToSlotFreeMonthOrRefuses) {
    MonthTable table;
    table.fill(2024, 9);
    const ShowMonthTarget inWindow = showMonthTarget(table, "202410");
    EXPECT_EQ(inWindow.kind, Kind::WindowSlot);
    EXPECT_EQ(inWindow.slot, 2);
    // The month before the window's first month is a free month.
    const ShowMonthTarget before = showMonthTarget(table, yearMonthText(2024, 7));
    EXPECT_EQ(before.kind, Kind::FreeMonth);
    EXPECT_EQ(before.month, 7);
    EXPECT_EQ(showMonthTarget(table, "000101").kind, Kind::TooOld);
    // About 299 years after the window end is shown, about 301 years is refused.
    EXPECT_EQ(showMonthTarget(table, "232312").kind, Kind::FreeMonth);
    EXPECT_EQ(showMonthTarget(table, "232601").kind, Kind::TooFar);
}

TEST(MonthTable, StepsRollTheYearAndEntryChecksTheMonth) {
    EXPECT_EQ(yearMonthText(2024, 0), "202312");
    EXPECT_EQ(yearMonthText(2024, 13), "202501");
    EXPECT_EQ(freeMonthLabel(2031, 10), "2031.10");
    EXPECT_FALSE(validYearMonthEntry("202413"));
    EXPECT_FALSE(validYearMonthEntry("202400"));
    EXPECT_FALSE(validYearMonthEntry("2024"));
    EXPECT_TRUE(validYearMonthEntry("000101"));
}

}  // namespace
}  // namespace velmo
