#pragma once
// What the exports learn about one cell of the 6 × 7 month grid: its date, its names as
// the month view splits them, and the day lines the view shows in it.

#include <array>
#include <string>
#include <vector>

namespace velmo {

inline constexpr int kExportGridCells = 42;
inline constexpr int kExportCellLines = 5;

struct ExportDay {
    int year = 0;
    int month = 0;
    int day = 0;
    int weekday = 0;  // 1 = Sunday .. 7 = Saturday
    bool inDisplayedMonth = false;
    bool hasNames = false;     // the day has any holiday or memorial-day name at all
    std::string holidayName;   // the last holiday name of the day
    std::string specialNames;  // the memorial-day names, joined as the month view joins them
    // The first five day lines the month view shows in the cell, "，" back to ",".
    std::array<std::string, kExportCellLines> lines;
};

// Sunday first, week rows top to bottom: the cells of the displayed month's grid.
using ExportGrid = std::array<ExportDay, kExportGridCells>;

// The grid's days that belong to the displayed month, in date order.
std::vector<ExportDay> displayedMonthDays(const ExportGrid& grid);

}  // namespace velmo
