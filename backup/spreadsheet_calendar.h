#pragma once
// The spreadsheet calendar of the displayed month as plain cells: which address of the
// sheet gets which value, font colour and smaller font. The xlsx writer lays these out;
// keeping the decisions here lets them be checked without opening a workbook.

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "backup/export_day.h"
#include "core/clock.h"
#include "store/colour_text.h"
#include "store/export_settings.h"

namespace velmo {

// Addresses are 1-based (row 1 is the first row, column 1 the first column).
inline constexpr int kSheetTitleRow = 9;
inline constexpr int kSheetTitleColumn = 16;
inline constexpr int kSheetCreationDateRow = 10;
inline constexpr int kSheetCreationDateColumn = 37;
inline constexpr int kSheetWeeks = 6;
inline constexpr int kSheetWeekRows = 8;    // rows from one week's day numbers to the next
inline constexpr int kSheetDayColumns = 5;  // columns of one day, and from one day to the next
inline constexpr int kSheetDayRows = 1 + kExportCellLines;  // the day number, then its lines

// Where the day number of grid week 1..6 and weekday column 0..6 (Sunday first) goes.
inline constexpr int sheetDayRow(int week) {
    return week * kSheetWeekRows + 7;
}
inline constexpr int sheetDayColumn(int weekdayColumn) {
    return weekdayColumn * kSheetDayColumns + 4;
}

inline constexpr Colour sheetRgb(int r, int g, int b) {
    return static_cast<Colour>(r) | static_cast<Colour>(g) << 8 | static_cast<Colour>(b) << 16;
}

// The font colours of one kind of day.
struct SheetPalette {
    Colour holiday;  // also Sunday
    Colour saturday;
    Colour weekday;
    Colour memorial;
};
inline constexpr SheetPalette kSheetMonthPalette{sheetRgb(255, 0, 0), sheetRgb(0, 204, 255),
                                                 sheetRgb(0, 0, 0), sheetRgb(0, 204, 0)};
inline constexpr SheetPalette kSheetNeighbourPalette{
    sheetRgb(230, 216, 173), sheetRgb(193, 182, 255), sheetRgb(192, 192, 192),
    sheetRgb(192, 192, 192)};
// The font of a neighbouring month's day number is this much smaller.
inline constexpr int kSheetNeighbourSizeDelta = -2;

// What a cell shows, so the writer can give it its font.
enum class SheetCellKind { Title, CreationDate, DayNumber, DayName, DayLine };

struct SheetCell {
    int row = 0;
    int column = 0;
    SheetCellKind kind = SheetCellKind::DayLine;
    std::variant<std::monostate, std::string, int> value;  // none: the colour only
    std::optional<Colour> fontColour;                      // 0x00BBGGRR
    int fontSizeDelta = 0;

    bool operator==(const SheetCell&) const = default;
};

struct SpreadsheetCalendar {
    std::string sheetName;         // "2026年12月"
    std::vector<SheetCell> cells;  // one per address, rows then columns in order
};

// The cell at an address, or null.
const SheetCell* findSheetCell(const SpreadsheetCalendar& calendar, int row, int column);

// "令和8年12月10日作成": today in its era, for the creation date cell.
std::string sheetCreationDateText(const LocalDate& today);

SpreadsheetCalendar buildSpreadsheetCalendar(int year, int month, const ExportGrid& grid,
                                             const ExportSettings& settings,
                                             const LocalDate& today);

}  // namespace velmo
