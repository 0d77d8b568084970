#include "backup/spreadsheet_calendar.h"

#include <algorithm>
#include <map>
#include <utility>

#include "calendar/japanese_date_text.h"
#include "calendar/julius_day.h"

namespace velmo {

namespace {

// Collects cells by address: a cell coloured first and given its value later stays one.
class CellSheet {
public:
    SheetCell& at(int row, int column, SheetCellKind kind) {
        auto [it, added] = cells_.try_emplace({row, column});
        if (added) {
            it->second.row = row;
            it->second.column = column;
            it->second.kind = kind;
        }
        return it->second;
    }
    void colour(int row, int column, SheetCellKind kind, Colour colour) {
        at(row, column, kind).fontColour = colour;
    }
    std::vector<SheetCell> take() {
        std::vector<SheetCell> out;
        out.reserve(cells_.size());
        for (auto& [address, cell] : cells_)
            out.push_back(std::move(cell));
        return out;
    }

private:
    std::map<std::pair<int, int>, SheetCell> cells_;
};

std::string yearMonthTitle(int year, int month) {
    return std::to_string(year) + " 年 " + std::to_string(month) + " 月";
}

std::string titleText(int year, int month, const ExportSettings& settings) {
    switch (settings.titleForm) {
        case ExportTitleForm::YearMonthAndTitle:
            return yearMonthTitle(year, month) + settings.titleText;
        case ExportTitleForm::TitleOnly:
            return settings.titleText;
        case ExportTitleForm::YearMonth:
            break;
    }
    return yearMonthTitle(year, month);
}

void addDay(CellSheet& sheet, const ExportDay& day, int row, int column,
            const ExportSettings& settings) {
    // A neighbouring month's day is always greyed, whatever the formats option says.
    const bool neighbour = !day.inDisplayedMonth;
    const bool coloured = neighbour || settings.formats;
    const SheetPalette& palette = neighbour ? kSheetNeighbourPalette : kSheetMonthPalette;
    constexpr auto kNumber = SheetCellKind::DayNumber;
    constexpr auto kName = SheetCellKind::DayName;

    if (neighbour)
        sheet.at(row, column, kNumber).fontSizeDelta = kSheetNeighbourSizeDelta;
    if (coloured) {
        const Colour dayColour = day.weekday == 1   ? palette.holiday
                                 : day.weekday == 7 ? palette.saturday
                                                    : palette.weekday;
        sheet.colour(row, column, kNumber, dayColour);
    }

    if (settings.memorialDays || settings.holidays) {
        if (!day.specialNames.empty()) {
            if (coloured) {
                sheet.colour(row, column + 1, kName, palette.memorial);
                sheet.colour(row, column + 2, kName, palette.holiday);
            }
            if (settings.memorialDays)
                sheet.at(row, column + 1, kName).value = day.specialNames;
            if (!day.holidayName.empty()) {
                if (coloured) {
                    sheet.colour(row, column, kNumber, palette.holiday);
                    sheet.colour(row, column + 2, kName, palette.holiday);
                }
                if (settings.holidays)
                    sheet.at(row, column + 2, kName).value = day.holidayName;
            }
        } else if (!day.holidayName.empty()) {
            if (coloured) {
                sheet.colour(row, column, kNumber, palette.holiday);
                sheet.colour(row, column + 1, kName, palette.holiday);
                sheet.colour(row, column + 2, kName, palette.holiday);
            }
            if (settings.holidays)
                sheet.at(row, column + 1, kName).value = day.holidayName;
        }
    }

    sheet.at(row, column, kNumber).value = day.day;

    for (int i = 0; i < kExportCellLines; ++i) {
        const int lineRow = row + 1 + i;
        if (coloured)
            sheet.colour(lineRow, column, SheetCellKind::DayLine, palette.weekday);
        const std::string& line = day.lines[static_cast<std::size_t>(i)];
        if (settings.entries && !line.empty())
            sheet.at(lineRow, column, SheetCellKind::DayLine).value = line;
    }
}

}  // namespace

const SheetCell* findSheetCell(const SpreadsheetCalendar& calendar, int row, int column) {
    const auto it =
        std::find_if(calendar.cells.begin(), calendar.cells.end(),
                     [&](const SheetCell& c) { return c.row == row && c.column == column; });
    return it == calendar.cells.end() ? nullptr : &*it;
}

std::string sheetCreationDateText(const LocalDate& today) {
    const Wareki w = warekiOf(dateTimeToJuliusDay(today));
    return w.eraName + std::to_string(w.eraYear) + "年" + std::to_string(w.month) + "月" +
           std::to_string(w.day) + "日作成";
}

SpreadsheetCalendar buildSpreadsheetCalendar(int year, int month, const ExportGrid& grid,
                                             const ExportSettings& settings,
                                             const LocalDate& today) {
    SpreadsheetCalendar calendar;
    calendar.sheetName = std::to_string(year) + "年" + std::to_string(month) + "月";
    CellSheet sheet;
    if (settings.title) {
        sheet.at(kSheetTitleRow, kSheetTitleColumn, SheetCellKind::Title).value =
            titleText(year, month, settings);
    }
    if (settings.creationDate) {
        sheet.at(kSheetCreationDateRow, kSheetCreationDateColumn, SheetCellKind::CreationDate)
            .value = sheetCreationDateText(today);
    }
    for (std::size_t index = 0; index < grid.size(); ++index) {
        const int week = static_cast<int>(index / 7) + 1;
        const int weekdayColumn = static_cast<int>(index % 7);
        addDay(sheet, grid[index], sheetDayRow(week), sheetDayColumn(weekdayColumn), settings);
    }
    calendar.cells = sheet.take();
    return calendar;
}

}  // namespace velmo
