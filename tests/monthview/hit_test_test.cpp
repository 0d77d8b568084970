#include "monthview/hit_test.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

// Default metrics: columns of 128, header 24, rows of 95, date band 25, line pitch 18,
// thirds of 43, five line positions; the top-left cell shows day 1000.
const KvMCalProperties kP{};
const DerivedMetrics kM = deriveMetrics(kP);
constexpr std::int32_t kFirst = 1000;

MonthHit hit(int x, int y, int rows = 7, const KvMCalProperties& p = kP,
             const DerivedMetrics& m = kM) {
    return hitTestMonth(p, m, rows, kFirst, {x, y});
}

TEST(MonthHitTest, ColumnsThirdsRowsAndLinePositions) {
    const MonthHit header = hit(2 * 128 + 50, 23);
    EXPECT_TRUE(header.onHeader());
    EXPECT_EQ(header.linePosition, 0);
    EXPECT_EQ(header.column, 2);
    EXPECT_EQ(header.third, 2);
    EXPECT_EQ(header.day, kFirst + 2 - 7);
    EXPECT_EQ(header.cellIndex(), -1);

    // Thirds split at 43 and 86.
    EXPECT_EQ(hit(42, 30).third, 1);
    EXPECT_EQ(hit(43, 30).third, 2);
    EXPECT_EQ(hit(128 + 86, 30).third, 3);

    // Week row 3, column 4: the date band is the overflow position, then lines of 18.
    const int top = 24 + 2 * 95;
    const MonthHit band = hit(4 * 128, top + 24);
    EXPECT_EQ(band.row, 3);
    EXPECT_EQ(band.linePosition, 6);
    EXPECT_EQ(band.day, kFirst + 4 + 14);
    EXPECT_EQ(band.cellIndex(), 18);
    EXPECT_TRUE(band.inGrid);
    EXPECT_EQ(hit(4 * 128, top + 25).linePosition, 1);
    EXPECT_EQ(hit(4 * 128, top + 42).linePosition, 1);
    EXPECT_EQ(hit(4 * 128, top + 43).linePosition, 2);
    EXPECT_EQ(hit(4 * 128, top + 94).linePosition, 4);
}

TEST(MonthHitTest, PointsOffTheCellsArePulledOntoTheGrid) {
    // The control is 3 pixels wider and taller than its cells.
    const MonthHit right = hit(7 * 128 + 2, 30);
    EXPECT_FALSE(right.inGrid);
    EXPECT_EQ(right.column, 6);
    EXPECT_EQ(right.third, 3);
    const MonthHit below = hit(10, 24 + 6 * 95 + 1);
    EXPECT_FALSE(below.inGrid);
    EXPECT_EQ(below.row, 6);
    EXPECT_EQ(below.day, kFirst + 35);

    // A captured drag far outside.
    const MonthHit farAway = hit(-400, -300);
    EXPECT_FALSE(farAway.inGrid);
    EXPECT_EQ(farAway.column, 0);
    EXPECT_EQ(farAway.row, 0);
    EXPECT_EQ(farAway.third, 1);
    EXPECT_EQ(hit(5000, 5000).linePosition, 4);

    // A grid of fewer week rows ends earlier.
    const MonthHit shortGrid = hit(10, 24 + 5 * 95 + 10, 6);
    EXPECT_FALSE(shortGrid.inGrid);
    EXPECT_EQ(shortGrid.row, 5);
}

TEST(MonthHitTest, StaleOrOddMetricsStayWithinTheCell) {
    // LenDayW grew without UpdateMetrics: CellThird is still 43.
    KvMCalProperties wide = kP;
    wide.LenDayW = 200;
    EXPECT_EQ(hit(199, 30, 7, wide).third, 3);

    // Tall rows: positions below the last one count as the last one.
    KvMCalProperties tall = kP;
    tall.LenDayH = 250;
    const DerivedMetrics tallMetrics = deriveMetrics(tall);
    EXPECT_EQ(hit(10, 24 + 249, 7, tall, tallMetrics).linePosition, 6);
    EXPECT_EQ(hit(10, 24 + 25 + 5 * 18 - 1, 7, tall, tallMetrics).linePosition, 5);
}

}  // namespace
}  // namespace velmo
