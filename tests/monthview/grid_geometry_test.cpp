#include "monthview/grid_geometry.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

std::int32_t jd(int y, int m, int d) {
    return ymdToJuliusDay(y, m, d);
}

TEST(FirstCellDay, DayOneNeverInTheTopLeftCellByDefault) {
    // June 2024 starts on a Saturday, September 2024 on a Sunday.
    EXPECT_EQ(firstCellDay(2024, 6, dowSun, false), jd(2024, 5, 26));
    EXPECT_EQ(firstCellDay(2024, 9, dowSun, false), jd(2024, 8, 25));
    EXPECT_EQ(firstCellDay(2024, 9, dowSun, true), jd(2024, 9, 1));
}

TEST(FirstCellDay, FollowsTheFirstDayOfWeek) {
    // 1 June 2024 is a Saturday: with Monday first the row starts on Monday 27 May.
    EXPECT_EQ(firstCellDay(2024, 6, dowMon, false), jd(2024, 5, 27));
    EXPECT_EQ(weekdayOf(firstCellDay(2024, 6, dowMon, false)), 2);
    // 1 July 2024 is a Monday: with Monday first it would be top-left, so a week earlier.
    EXPECT_EQ(firstCellDay(2024, 7, dowMon, false), jd(2024, 6, 24));
    EXPECT_EQ(firstCellDay(2024, 7, dowMon, true), jd(2024, 7, 1));
}

TEST(RowCount, SevenWithoutAutoResize) {
    for (int month = 1; month <= 12; ++month)
        EXPECT_EQ(rowCount(2024, month, firstCellDay(2024, month, dowSun, false), false, false), 7);
}

TEST(RowCount, AutoResizeCountsTheWeeksTheMonthNeeds) {
    // February 2015: Sunday 1st to Saturday 28th, exactly four weeks.
    const std::int32_t tight = firstCellDay(2015, 2, dowSun, true);
    EXPECT_EQ(tight, jd(2015, 2, 1));
    EXPECT_EQ(rowCount(2015, 2, tight, true, true), 5);
    // The last day ends a row: one more row of next-month days unless LastRowLastDay.
    EXPECT_EQ(rowCount(2015, 2, tight, true, false), 6);
    // June 2024 from 26 May: 30 June is a Sunday, the start of a sixth week row.
    EXPECT_EQ(rowCount(2024, 6, jd(2024, 5, 26), true, false), 7);
    // August 2024 from 28 July ends on Saturday 31st: five rows, one more without LastRowLastDay.
    EXPECT_EQ(rowCount(2024, 8, jd(2024, 7, 28), true, true), 6);
    EXPECT_EQ(rowCount(2024, 8, jd(2024, 7, 28), true, false), 7);
}

TEST(GridGeometry, CellsHeaderAndControlSize) {
    KvMCalProperties p;
    EXPECT_EQ(headerRect(p, 2), (Rect{256, 0, 384, 24}));
    EXPECT_EQ(cellRect(p, 1, 0), (Rect{0, 24, 128, 119}));
    EXPECT_EQ(cellRectOfIndex(p, 41), (Rect{768, 24 + 5 * 95, 896, 24 + 6 * 95}));
    EXPECT_EQ(preferredControlSize(p), (Size{7 * 128 + 3, 6 * 95 + 24 + 3}));
    const Size control = preferredControlSize(p);
    EXPECT_EQ(memoAreaRect(p, 7, control), (Rect{384, 24 + 5 * 95, control.width, 24 + 6 * 95}));
    // No grid line on the control's outer edges.
    EXPECT_EQ(gridLinesOf(cellRectOfIndex(p, 0), control), (GridLines{true, true}));
    EXPECT_EQ(gridLinesOf(cellRectOfIndex(p, 41), control), (GridLines{false, false}));
}

TEST(GridGeometry, DayNumberOffsetsSaturateInsteadOfWrapping) {
    KvMCalProperties p;
    const Rect cell{128, 24, 256, 119};
    const DayNumberPlacement normal = placeDayNumber(p, cell, 18, 20, 10, false);
    EXPECT_EQ(normal.numberRect, (Rect{128 + 8, 24 + 23 - 18, 128 + 28 + 4, 24 + 23 + 1}));
    EXPECT_EQ(normal.nameLeft, 128 + 8 + 10 + 4);
    EXPECT_EQ(normal.nameRight, 256);
    // "25" wider than LenHidukeW: the offset is 0, never 256 - 2.
    const DayNumberPlacement wide = placeDayNumber(p, cell, 18, 30, 300, true);
    EXPECT_EQ(wide.numberRect.left, 128);
    EXPECT_EQ(wide.nameLeft, 128 + 255 + 4);
    EXPECT_EQ(wide.nameRight, 256 + 9);
}

TEST(KvMCalProperties, MetricsSaturateAndNeverReachZero) {
    KvMCalProperties p;
    EXPECT_EQ(deriveMetrics(p), (DerivedMetrics{18, 25, 43}));
    p.LenFontYoteiH = 250;
    p.LenGyokan = 10;
    p.LenHidukeH = 200;
    p.LenTopItem = 100;
    EXPECT_EQ(deriveMetrics(p).LinePitch, 255);
    EXPECT_EQ(deriveMetrics(p).DateBand, 255);
    p.LenFontYoteiH = 0;
    p.LenGyokan = 0;
    EXPECT_EQ(deriveMetrics(p).LinePitch, 1);

    p.LenDayW = 0;
    p.LenDayH = 0;
    p.ItemGyo = 200;
    const KvMCalProperties fixed = normalizedProperties(p);
    EXPECT_EQ(fixed.LenDayW, 1);
    EXPECT_EQ(fixed.LenDayH, 1);
    EXPECT_EQ(fixed.ItemGyo, kMaxItemGyo);
    EXPECT_EQ(tabSpaceCount(KvMCalProperties{}), 3);
}

}  // namespace
}  // namespace velmo
