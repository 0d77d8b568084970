#pragma once
// The 6 × 7 grid of a month as the month view hands it to the exports, days only (no
// names, no lines), for the spreadsheet calendar's tests.

#include <cstddef>
#include <stdexcept>

#include "backup/export_day.h"
#include "backup/spreadsheet_calendar.h"
#include "calendar/julius_day.h"

namespace velmo::testing {

inline ExportGrid plainMonthGrid(int year, int month) {
    ExportGrid grid{};
    const std::int32_t first = ymdToJuliusDay(year, month, 1);
    const std::int32_t start = first - (weekdayOf(first) - 1);
    for (std::size_t i = 0; i < grid.size(); ++i) {
        const auto jd = static_cast<std::int32_t>(start + static_cast<std::int32_t>(i));
        const Ymd ymd = juliusDayToYmd(jd);
        ExportDay& day = grid[i];
        day.year = ymd.year;
        day.month = ymd.month;
        day.day = ymd.day;
        day.weekday = weekdayOf(jd);
        day.inDisplayedMonth = ymd.month == month;
    }
    return grid;
}

inline std::size_t gridIndex(const ExportGrid& grid, int month, int day) {
    for (std::size_t i = 0; i < grid.size(); ++i) {
        if (grid[i].month == month && grid[i].day == day)
            return i;
    }
    throw std::out_of_range("day not in the grid");
}

inline ExportDay& gridDay(ExportGrid& grid, int month, int day) {
    return grid[gridIndex(grid, month, day)];
}

// Where the day number of a date shown in the grid goes.
struct SheetAddress {
    int row;
    int column;
};
inline SheetAddress dayAddress(const ExportGrid& grid, int month, int day) {
    const auto i = static_cast<int>(gridIndex(grid, month, day));
    return {sheetDayRow(i / 7 + 1), sheetDayColumn(i % 7)};
}

}  // namespace velmo::testing
