#include "backup/spreadsheet_calendar.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "tests/backup/xlsx_test_grid.h"

namespace velmo {
namespace {

using testing::dayAddress;
using testing::gridDay;
using testing::plainMonthGrid;

using Value = decltype(SheetCell::value);

constexpr LocalDate kToday{2026, 12, 10};
constexpr Colour kRed = sheetRgb(255, 0, 0);
constexpr Colour kSaturdayBlue = sheetRgb(0, 204, 255);
constexpr Colour kBlack = sheetRgb(0, 0, 0);
constexpr Colour kMemorialGreen = sheetRgb(0, 204, 0);
constexpr Colour kNeighbourHoliday = sheetRgb(230, 216, 173);
constexpr Colour kNeighbourSaturday = sheetRgb(193, 182, 255);
constexpr Colour kSilver = sheetRgb(192, 192, 192);

class SpreadsheetCalendarTest : public ::testing::Test {
protected:
    SpreadsheetCalendar build() const {
        return buildSpreadsheetCalendar(2026, 12, grid, settings, kToday);
    }
    // The cell at the day number's address moved by (dr, dc); fails the test when absent.
    static const SheetCell& cellAt(const SpreadsheetCalendar& sheet, testing::SheetAddress a,
                                   int dr = 0, int dc = 0) {
        const SheetCell* cell = findSheetCell(sheet, a.row + dr, a.column + dc);
        if (cell == nullptr) {
            ADD_FAILURE() << "no cell at " << a.row + dr << "," << a.column + dc;
            static const SheetCell none{};
            return none;
        }
        return *cell;
    }
    static bool hasCell(const SpreadsheetCalendar& sheet, testing::SheetAddress a, int dr, int dc) {
        return findSheetCell(sheet, a.row + dr, a.column + dc) != nullptr;
    }

    ExportGrid grid = plainMonthGrid(2026, 12);
    ExportSettings settings;
};

TEST_F(SpreadsheetCalendarTest, EveryGridDayGetsItsNumberAtItsAddressOnce) {
    const SpreadsheetCalendar sheet = build();
    EXPECT_EQ(sheet.sheetName, "2026年12月");
    // The grid starts on Sunday 29 November and ends on Saturday 9 January.
    const SheetCell* first = findSheetCell(sheet, 15, 4);
    const SheetCell* last = findSheetCell(sheet, 55, 34);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(first->value, Value{29});
    EXPECT_EQ(last->value, Value{9});
    EXPECT_EQ(first->kind, SheetCellKind::DayNumber);

    std::set<std::pair<int, int>> addresses;
    int numbers = 0;
    for (const SheetCell& cell : sheet.cells) {
        EXPECT_TRUE(addresses.insert({cell.row, cell.column}).second)
            << "two cells at " << cell.row << "," << cell.column;
        numbers += std::holds_alternative<int>(cell.value) ? 1 : 0;
    }
    EXPECT_EQ(numbers, kExportGridCells);
    EXPECT_EQ(std::get<int>(cellAt(sheet, dayAddress(grid, 12, 23)).value), 23);
}

TEST_F(SpreadsheetCalendarTest, DayNumberColourFollowsTheWeekday) {
    const SpreadsheetCalendar sheet = build();
    EXPECT_EQ(cellAt(sheet, dayAddress(grid, 12, 6)).fontColour, kRed);           // Sunday
    EXPECT_EQ(cellAt(sheet, dayAddress(grid, 12, 5)).fontColour, kSaturdayBlue);  // Saturday
    EXPECT_EQ(cellAt(sheet, dayAddress(grid, 12, 7)).fontColour, kBlack);         // Monday
    EXPECT_EQ(cellAt(sheet, dayAddress(grid, 12, 7)).fontSizeDelta, 0);
}

TEST_F(SpreadsheetCalendarTest, HolidayWithMemorialNamesFillsBothNameCells) {
    ExportDay& day = gridDay(grid, 12, 23);  // a Wednesday
    day.specialNames = "記念日A";
    day.holidayName = "祝日B";
    const auto a = dayAddress(grid, 12, 23);

    SpreadsheetCalendar sheet = build();
    EXPECT_EQ(cellAt(sheet, a).fontColour, kRed);
    EXPECT_EQ(cellAt(sheet, a, 0, 1).value, Value{"記念日A"});
    EXPECT_EQ(cellAt(sheet, a, 0, 1).fontColour, kMemorialGreen);
    EXPECT_EQ(cellAt(sheet, a, 0, 2).value, Value{"祝日B"});
    EXPECT_EQ(cellAt(sheet, a, 0, 2).fontColour, kRed);

    // Without memorial days the names go, the colours stay.
    settings.memorialDays = false;
    sheet = build();
    EXPECT_TRUE(std::holds_alternative<std::monostate>(cellAt(sheet, a, 0, 1).value));
    EXPECT_EQ(cellAt(sheet, a, 0, 1).fontColour, kMemorialGreen);
    EXPECT_EQ(cellAt(sheet, a, 0, 2).value, Value{"祝日B"});

    settings.memorialDays = true;
    settings.holidays = false;
    sheet = build();
    EXPECT_EQ(cellAt(sheet, a, 0, 1).value, Value{"記念日A"});
    EXPECT_TRUE(std::holds_alternative<std::monostate>(cellAt(sheet, a, 0, 2).value));
    EXPECT_EQ(cellAt(sheet, a).fontColour, kRed);

    // With neither, the day is an ordinary Wednesday.
    settings.memorialDays = false;
    sheet = build();
    EXPECT_FALSE(hasCell(sheet, a, 0, 1));
    EXPECT_FALSE(hasCell(sheet, a, 0, 2));
    EXPECT_EQ(cellAt(sheet, a).fontColour, kBlack);
}

TEST_F(SpreadsheetCalendarTest, MemorialNamesAloneLeaveTheDayNumberItsWeekdayColour) {
    gridDay(grid, 12, 24).specialNames = "記念日A";
    const auto a = dayAddress(grid, 12, 24);
    const SpreadsheetCalendar sheet = build();
    EXPECT_EQ(cellAt(sheet, a).fontColour, kBlack);
    EXPECT_EQ(cellAt(sheet, a, 0, 1).value, Value{"記念日A"});
    EXPECT_EQ(cellAt(sheet, a, 0, 2).fontColour, kRed);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(cellAt(sheet, a, 0, 2).value));
}

TEST_F(SpreadsheetCalendarTest, HolidayAloneIsWrittenBesideTheDayNumber) {
    gridDay(grid, 12, 23).holidayName = "祝日B";
    const auto a = dayAddress(grid, 12, 23);
    SpreadsheetCalendar sheet = build();
    for (int dc = 0; dc < 3; ++dc)
        EXPECT_EQ(cellAt(sheet, a, 0, dc).fontColour, kRed) << dc;
    EXPECT_EQ(cellAt(sheet, a, 0, 1).value, Value{"祝日B"});
    EXPECT_TRUE(std::holds_alternative<std::monostate>(cellAt(sheet, a, 0, 2).value));

    settings.holidays = false;  // memorial days alone still colour the holiday
    sheet = build();
    EXPECT_EQ(cellAt(sheet, a).fontColour, kRed);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(cellAt(sheet, a, 0, 1).value));
}

TEST_F(SpreadsheetCalendarTest, NeighbourMonthDaysAreGreyedAndSmaller) {
    gridDay(grid, 1, 1).holidayName = "元日";  // a Friday of January
    gridDay(grid, 1, 4).specialNames = "記念日A";
    const SpreadsheetCalendar sheet = build();

    const auto sunday = dayAddress(grid, 11, 29);
    EXPECT_EQ(cellAt(sheet, sunday).fontColour, kNeighbourHoliday);
    EXPECT_EQ(cellAt(sheet, sunday).fontSizeDelta, kSheetNeighbourSizeDelta);
    EXPECT_EQ(cellAt(sheet, dayAddress(grid, 11, 30)).fontColour, kSilver);
    EXPECT_EQ(cellAt(sheet, dayAddress(grid, 1, 9)).fontColour, kNeighbourSaturday);

    const auto newYear = dayAddress(grid, 1, 1);
    EXPECT_EQ(cellAt(sheet, newYear).fontColour, kNeighbourHoliday);
    EXPECT_EQ(cellAt(sheet, newYear, 0, 1).value, Value{"元日"});
    EXPECT_EQ(cellAt(sheet, newYear, 0, 1).fontColour, kNeighbourHoliday);
    EXPECT_EQ(cellAt(sheet, newYear, 1, 0).fontColour, kSilver);
    EXPECT_EQ(cellAt(sheet, newYear, 0, 1).fontSizeDelta, 0);  // only the number shrinks

    const auto memorial = dayAddress(grid, 1, 4);
    EXPECT_EQ(cellAt(sheet, memorial, 0, 1).fontColour, kSilver);
    EXPECT_EQ(cellAt(sheet, memorial, 0, 2).fontColour, kNeighbourHoliday);
}

TEST_F(SpreadsheetCalendarTest, WithoutFormatsOnlyNeighbourDaysAreColoured) {
    settings.formats = false;
    gridDay(grid, 12, 23).holidayName = "祝日B";
    gridDay(grid, 12, 24).lines[0] = "会議";
    const SpreadsheetCalendar sheet = build();
    for (const SheetCell& cell : sheet.cells) {
        if (cell.row < sheetDayRow(1))
            continue;
        const int index = ((cell.row - sheetDayRow(1)) / kSheetWeekRows) * 7 +
                          (cell.column - sheetDayColumn(0)) / kSheetDayColumns;
        const bool neighbour = !grid[static_cast<std::size_t>(index)].inDisplayedMonth;
        EXPECT_EQ(cell.fontColour.has_value(), neighbour) << cell.row << "," << cell.column;
    }
    const auto holiday = dayAddress(grid, 12, 23);
    EXPECT_EQ(cellAt(sheet, holiday, 0, 1).value, Value{"祝日B"});
    EXPECT_EQ(cellAt(sheet, dayAddress(grid, 12, 24), 1, 0).value, Value{"会議"});
    EXPECT_EQ(cellAt(sheet, dayAddress(grid, 1, 2)).fontColour, kNeighbourSaturday);
    EXPECT_TRUE(hasCell(sheet, dayAddress(grid, 1, 2), 5, 0));  // neighbour lines keep colour
    EXPECT_FALSE(hasCell(sheet, dayAddress(grid, 12, 2), 5, 0));
}

TEST_F(SpreadsheetCalendarTest, LinesAreWrittenBelowTheNumberOnlyWhenNotEmpty) {
    ExportDay& day = gridDay(grid, 12, 10);
    day.lines = {"朝会", "", "歯医者", "", "締め切り"};
    const auto a = dayAddress(grid, 12, 10);
    SpreadsheetCalendar sheet = build();
    for (int i = 0; i < kExportCellLines; ++i) {
        const SheetCell& cell = cellAt(sheet, a, i + 1, 0);
        EXPECT_EQ(cell.fontColour, kBlack);
        EXPECT_EQ(cell.kind, SheetCellKind::DayLine);
        if (day.lines[static_cast<std::size_t>(i)].empty())
            EXPECT_TRUE(std::holds_alternative<std::monostate>(cell.value)) << i;
        else
            EXPECT_EQ(cell.value, Value{day.lines[static_cast<std::size_t>(i)]});
    }
    EXPECT_FALSE(hasCell(sheet, a, 6, 0));

    settings.entries = false;
    sheet = build();
    for (const SheetCell& cell : sheet.cells)
        EXPECT_FALSE(cell.kind == SheetCellKind::DayLine &&
                     !std::holds_alternative<std::monostate>(cell.value));
}

TEST_F(SpreadsheetCalendarTest, TitleFormsAndCreationDate) {
    auto title = [&] {
        const SpreadsheetCalendar sheet = build();
        const SheetCell* cell = findSheetCell(sheet, kSheetTitleRow, kSheetTitleColumn);
        return cell == nullptr ? std::string("(none)") : std::get<std::string>(cell->value);
    };
    settings.titleText = "家族の予定";
    settings.titleForm = ExportTitleForm::YearMonth;
    EXPECT_EQ(title(), "2026 年 12 月");
    settings.titleForm = ExportTitleForm::YearMonthAndTitle;
    EXPECT_EQ(title(), "2026 年 12 月家族の予定");
    settings.titleForm = ExportTitleForm::TitleOnly;
    EXPECT_EQ(title(), "家族の予定");
    settings.title = false;
    EXPECT_EQ(title(), "(none)");

    SpreadsheetCalendar sheet = build();
    const SheetCell* date = findSheetCell(sheet, 10, 37);
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->value, Value{"令和8年12月10日作成"});
    EXPECT_EQ(date->kind, SheetCellKind::CreationDate);
    settings.creationDate = false;
    sheet = build();
    EXPECT_EQ(findSheetCell(sheet, 10, 37), nullptr);

    // An era's first year is a plain 1; the day before belongs to the era before.
    EXPECT_EQ(sheetCreationDateText({2019, 5, 1}), "令和1年5月1日作成");
    EXPECT_EQ(sheetCreationDateText({2019, 4, 30}), "平成31年4月30日作成");
    EXPECT_EQ(sheetCreationDateText({1989, 1, 8}), "平成1年1月8日作成");
}

}  // namespace
}  // namespace velmo
