#include "monthview/small_calendar.h"

#include <gtest/gtest.h>

#include "calendar/lunisolar.h"
#include "store/entry_line.h"

namespace velmo {
namespace {

using S = SmallCalendarProperties;

std::int32_t jd(int y, int m, int d) {
    return ymdToJuliusDay(y, m, d);
}

// The year view's calendar: 184 × 125 with seven rows. Column edges 0, 26, 52, 78, 105,
// 131, 157, 184; row edges 0, 17, 35, 53, 71, 89, 107, 125. Showing September 2024 (the
// grid starts on Sunday 25 August) with today the 10th.
class SmallCalendarTest : public ::testing::Test {
protected:
    SmallCalendarTest() : calendar(jd(2024, 9, 10)) {
        calendar.setClientSize({184, 125});
        calendar.setOnRedraw([this] { ++redraws; });
        calendar.setOnDayChange([this](int, int, int) { ++dayChanges; });
    }
    SmallDayCellView cellOf(std::int32_t day) const {
        const int index = day - calendar.firstCellDay();
        return calendar.dayCell(index / 7 + 1, index % 7);
    }

    TKvMCalendarModel calendar;
    int redraws = 0;
    int dayChanges = 0;
};

TEST_F(SmallCalendarTest, HitTestUsesTheDrawnCellEdges) {
    EXPECT_EQ(calendar.cellRect(0, 3), (Rect{78, 0, 105, 17}));
    EXPECT_EQ(calendar.cellRect(6, 6), (Rect{157, 107, 184, 125}));

    // Pixel 104 is drawn in column 3 although 104 div 26 is 4; the last column and row
    // reach the edge although 183 div 26 and 124 div 17 are 7.
    const SmallCalendarHit inside = calendar.hitTest({104, 36});
    EXPECT_EQ(inside.column, 3);
    EXPECT_EQ(inside.row, 2);
    EXPECT_EQ(inside.day, jd(2024, 9, 4));
    const SmallCalendarHit corner = calendar.hitTest({183, 124});
    EXPECT_EQ(corner.column, 6);
    EXPECT_EQ(corner.row, 6);
    EXPECT_EQ(corner.day, jd(2024, 10, 5));
    EXPECT_EQ(calendar.hitTest({-3, -3}), (SmallCalendarHit{0, 0, jd(2024, 8, 18)}));

    // Every pixel hits the cell that draws it.
    for (int x = 0; x < 184; ++x) {
        for (int y = 0; y < 125; y += 3) {
            const SmallCalendarHit hit = calendar.hitTest({x, y});
            const Rect cell = calendar.cellRect(hit.row, hit.column);
            ASSERT_TRUE(cell.left <= x && x < cell.right && cell.top <= y && y < cell.bottom)
                << x << "," << y;
        }
    }

    // With AutoResize October 2024 (29 September .. 2 November) needs five week rows.
    calendar.setJuliusDay(jd(2024, 10, 10));
    calendar.set(&S::AutoResize, true);
    EXPECT_EQ(calendar.rowCount(), 6);
    EXPECT_EQ(calendar.cellRect(5, 0), (Rect{0, 104, 26, 125}));
    EXPECT_EQ(calendar.hitTest({0, 124}).row, 5);
}

TEST_F(SmallCalendarTest, PressesSelectDaysOfTheMonthOrWithNeighborJumpOthers) {
    calendar.press({30, 5});
    EXPECT_EQ(calendar.juliusDay(), jd(2024, 9, 10));
    calendar.press({160, 60});
    EXPECT_EQ(calendar.juliusDay(), jd(2024, 9, 14));
    EXPECT_EQ(dayChanges, 1);
    calendar.press({10, 20});  // 25 August
    EXPECT_EQ(calendar.juliusDay(), jd(2024, 9, 14));
    calendar.set(&S::NeighborJump, true);
    calendar.press({10, 20});
    EXPECT_EQ(calendar.juliusDay(), jd(2024, 8, 25));
}

TEST_F(SmallCalendarTest, KeysMoveByDaysWeeksAndMonths) {
    struct Case {
        std::int32_t from;
        Key key;
        std::int32_t to;
    };
    const Case cases[] = {
        {jd(2024, 9, 1), Key::Left, jd(2024, 8, 31)},
        {jd(2024, 9, 28), Key::Down, jd(2024, 10, 5)},
        {jd(2024, 3, 31), Key::PageUp, jd(2024, 2, 29)},
        {jd(2023, 3, 31), Key::PageUp, jd(2023, 2, 28)},
        {jd(2024, 1, 15), Key::PageUp, jd(2023, 12, 15)},
        {jd(2024, 12, 31), Key::PageDown, jd(2025, 1, 31)},
        // The same day of October 1582 was skipped by the calendar reform.
        {jd(1582, 11, 10), Key::PageUp, jd(1582, 11, 10)},
    };
    for (const Case& c : cases) {
        calendar.setJuliusDay(c.from);
        EXPECT_TRUE(calendar.keyDown(c.key));
        EXPECT_EQ(calendar.juliusDay(), c.to) << juliusDayToYmd(c.from).month;
    }
    EXPECT_FALSE(calendar.keyDown(Key::Other));
}

TEST_F(SmallCalendarTest, DayCellFillsAndColours) {
    EXPECT_EQ(cellOf(jd(2024, 9, 10)).fill, 0xD0FFD5u);  // today, also selected
    calendar.set(&S::IsCursor, true);
    EXPECT_EQ(cellOf(jd(2024, 9, 10)).fill, 0xFFFFB9u);
    calendar.setJuliusDay(jd(2024, 9, 12));
    EXPECT_EQ(cellOf(jd(2024, 9, 10)).fill, 0xD0FFD5u);
    EXPECT_EQ(cellOf(jd(2024, 9, 12)).fill, 0xFFFFB9u);
    EXPECT_EQ(cellOf(jd(2024, 9, 13)).fill, std::nullopt);

    // A special day takes the special-day font even on a Saturday.
    EXPECT_EQ(cellOf(jd(2024, 9, 14)).numberColour, 0xFF0000u);
    calendar.rules().setSpecialDayList({"9,14,記念日"});
    EXPECT_EQ(cellOf(jd(2024, 9, 14)).numberColour, 0x008000u);

    // Neighbour days: the font colour ORed with the neighbour colour, never filled.
    calendar.setTodayDay(jd(2024, 10, 2));
    const SmallDayCellView neighbour = cellOf(jd(2024, 10, 2));
    EXPECT_TRUE(neighbour.neighbour);
    EXPECT_EQ(neighbour.numberColour, 0xC0C0C0u);
    EXPECT_EQ(neighbour.fill, std::nullopt);
    EXPECT_EQ(cellOf(jd(2024, 10, 5)).numberColour, 0xFFC0C0u);
    calendar.set(&S::ShowNeighbor, false);
    EXPECT_FALSE(cellOf(jd(2024, 10, 5)).drawn);
}

TEST_F(SmallCalendarTest, HeaderRokuyoAndGridLines) {
    EXPECT_EQ(calendar.headerCell(0).fillRect, (Rect{1, 1, 26, 17}));
    EXPECT_EQ(calendar.headerCell(3).textColour, kClWindowText);
    calendar.set(&S::FirstDayOfWeek, dowMon);
    EXPECT_EQ(calendar.headerCell(0).text, "月");
    EXPECT_EQ(calendar.headerCell(5).textColour, 0xFF0000u);
    EXPECT_EQ(calendar.headerCell(6).textColour, 0x0000FFu);
    calendar.set(&S::FirstDayOfWeek, dowSun);

    EXPECT_EQ(calendar.headerCell(0).grid, (GridLines{}));
    calendar.set(&S::Keisen, true);
    EXPECT_EQ(calendar.headerCell(0).grid, (GridLines{true, true}));
    EXPECT_EQ(cellOf(jd(2024, 10, 5)).grid, (GridLines{false, false}));
    EXPECT_EQ(cellOf(jd(2024, 10, 4)).grid, (GridLines{true, false}));

    EXPECT_TRUE(cellOf(jd(2024, 9, 11)).rokuyoText.empty());
    calendar.set(&S::ShowRokuyo, true);
    const SmallDayCellView day = cellOf(jd(2024, 9, 11));
    EXPECT_EQ(day.rokuyoText, rokuyoName(rokuyoOf(jd(2024, 9, 11))));
    // The strip is as high as the 10-point rokuyo font (13 pixels).
    EXPECT_EQ(day.rokuyoRect,
              (Rect{day.rect.left, day.rect.bottom - 13, day.rect.right, day.rect.bottom}));
    EXPECT_EQ(day.numberRect.bottom, day.rect.bottom - 13);
    EXPECT_EQ(day.rokuyoFill, std::nullopt);
    // The selected cell inverts its strip.
    const SmallDayCellView selected = cellOf(jd(2024, 9, 10));
    EXPECT_EQ(selected.rokuyoFill, selected.numberColour);
    EXPECT_EQ(selected.rokuyoColour, calendar.color());
    EXPECT_EQ(cellOf(jd(2024, 8, 27)).rokuyoColour, 0xC0C0C0u);
}

TEST_F(SmallCalendarTest, SuspendedCalendarsSkipLayout) {
    calendar.setSuspended(true);
    calendar.setJuliusDay(jd(2025, 1, 1));
    calendar.set(&S::Keisen, true);
    EXPECT_EQ(redraws, 0);
    EXPECT_EQ(dayChanges, 1);
    calendar.setSuspended(false);
    calendar.relayout();
    EXPECT_EQ(redraws, 1);
    calendar.set(&S::NeighborJump, true);
    EXPECT_EQ(redraws, 1);
}

}  // namespace
}  // namespace velmo
