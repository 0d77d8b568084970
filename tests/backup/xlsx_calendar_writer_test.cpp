// The workbook is read back with openpyxl (tests/backup/read_xlsx.py), as a spreadsheet
// program would read it; a missing python3-openpyxl fails these tests.
#ifdef VELMO_HAVE_XLSX

#include "backup/xlsx_calendar_writer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <map>
#include <sstream>
#include <utility>
#include <vector>

#include "tests/backup/xlsx_test_grid.h"
#include "tests/support/failing_calls.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::dayAddress;
using testing::gridDay;
using testing::TempFolder;

struct ReadCell {
    std::string type;  // "int" or "str"
    std::string value;
    std::string rgb;  // "FFRRGGBB" or "-"
    double size = 0;
    bool bold = false;
    std::string edges;  // the box lines along the cell: "T", "B", "L", "R"
};

struct ReadWorkbook {
    int status = -1;
    std::string output;
    std::vector<std::string> sheets;
    std::map<std::string, std::string> setup;
    std::map<std::pair<int, int>, ReadCell> cells;
};

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string f; std::getline(in, f, '\t');)
        fields.push_back(f);
    return fields;
}

ReadWorkbook readBack(const fs::path& file) {
    ReadWorkbook book;
    const std::string command = "'" VELMO_XLSX_READER_PYTHON "' '" VELMO_SOURCE_DIR
                                "/tests/backup/read_xlsx.py' '" +
                                file.string() + "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return book;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        book.output.append(buffer, n);
    book.status = ::pclose(pipe);
    std::istringstream lines(book.output);
    for (std::string line; std::getline(lines, line);) {
        const std::vector<std::string> f = splitTabs(line);
        if (f.size() == 2 && f[0] == "sheet")
            book.sheets.push_back(f[1]);
        else if (f.size() == 3 && f[0] == "setup")
            book.setup[f[1]] = f[2];
        else if (f.size() == 9 && f[0] == "cell")
            book.cells[{std::stoi(f[1]), std::stoi(f[2])}] =
                ReadCell{f[3], f[4], f[5], std::stod(f[6]), f[7] == "True", f[8]};
    }
    return book;
}

std::vector<std::string> folderNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

class XlsxCalendarWriterTest : public ::testing::Test {
protected:
    XlsxCalendarWriterTest() {
        ExportDay& holiday = gridDay(grid, 12, 23);
        holiday.holidayName = "祝日B";
        holiday.specialNames = "記念日A";
        holiday.lines = {"会議 10:00", "", "打ち合わせ", "", "最終行"};
        gridDay(grid, 1, 1).holidayName = "元日";
    }
    SpreadsheetCalendar calendar() const {
        return buildSpreadsheetCalendar(2026, 12, grid, ExportSettings{}, LocalDate{2026, 12, 10});
    }

    TempFolder temp;
    fs::path file = temp / kSpreadsheetFileName;
    ExportGrid grid = testing::plainMonthGrid(2026, 12);
};

TEST_F(XlsxCalendarWriterTest, ReaderFindsEveryValueColourAndThePageSetup) {
    const SpreadsheetCalendar sheet = calendar();
    std::string error;
    ASSERT_TRUE(writeXlsxCalendar(sheet, file, error)) << error;
    const ReadWorkbook book = readBack(file);
    ASSERT_EQ(book.status, 0) << book.output;

    EXPECT_EQ(book.sheets, std::vector<std::string>{"2026年12月"});
    EXPECT_EQ(book.setup.at("orientation"), "landscape");
    EXPECT_EQ(book.setup.at("paperSize"), "9");
    EXPECT_EQ(book.setup.at("fitToPage"), "True");
    EXPECT_EQ(book.setup.at("fitToWidth"), "1");
    EXPECT_EQ(book.setup.at("fitToHeight"), "1");
    EXPECT_NE(book.setup.at("printArea").find("$D$9:$AL$60"), std::string::npos)
        << book.setup.at("printArea");

    int values = 0;
    for (const SheetCell& cell : sheet.cells) {
        if (std::holds_alternative<std::monostate>(cell.value))
            continue;
        ++values;
        const auto found = book.cells.find({cell.row, cell.column});
        ASSERT_NE(found, book.cells.end()) << cell.row << "," << cell.column;
        if (const auto* number = std::get_if<int>(&cell.value)) {
            EXPECT_EQ(found->second.type, "int");
            EXPECT_EQ(found->second.value, std::to_string(*number));
        } else {
            EXPECT_EQ(found->second.type, "str");
            EXPECT_EQ(found->second.value, std::get<std::string>(cell.value));
        }
    }
    // Besides the calendar's values only the seven weekday headings.
    EXPECT_EQ(book.cells.size(), static_cast<std::size_t>(values) + 7);
    EXPECT_EQ(book.cells.at({kSheetHeadingRow, sheetDayColumn(0)}).value, "日");
    EXPECT_EQ(book.cells.at({kSheetHeadingRow, sheetDayColumn(0)}).rgb, "FFFF0000");
    EXPECT_EQ(book.cells.at({kSheetHeadingRow, sheetDayColumn(6)}).value, "土");

    const auto holiday = dayAddress(grid, 12, 23);
    const ReadCell& number = book.cells.at({holiday.row, holiday.column});
    EXPECT_EQ(number.rgb, "FFFF0000");
    EXPECT_TRUE(number.bold);
    EXPECT_EQ(number.edges, "TL");  // the box's top left corner
    EXPECT_EQ(book.cells.at({holiday.row + 5, holiday.column}).value, "最終行");
    EXPECT_EQ(book.cells.at({holiday.row + 5, holiday.column}).edges, "BL");
    EXPECT_EQ(book.cells.at({holiday.row + 1, holiday.column}).edges, "L");
    EXPECT_EQ(book.cells.at({holiday.row, holiday.column + 1}).rgb, "FF00CC00");
    EXPECT_EQ(book.cells.at({holiday.row, holiday.column + 2}).rgb, "FFFF0000");
    const auto saturday = dayAddress(grid, 12, 5);
    EXPECT_EQ(book.cells.at({saturday.row, saturday.column}).rgb, "FF00CCFF");

    const auto neighbour = dayAddress(grid, 11, 30);
    EXPECT_EQ(book.cells.at({neighbour.row, neighbour.column}).rgb, "FFC0C0C0");
    EXPECT_DOUBLE_EQ(book.cells.at({neighbour.row, neighbour.column}).size, number.size - 2);
}

TEST_F(XlsxCalendarWriterTest, ReplacesAnExistingFileAndLeavesNothingElse) {
    temp.write(kSpreadsheetFileName, "old workbook");
    std::string error;
    ASSERT_TRUE(writeXlsxCalendar(calendar(), file, error)) << error;
    EXPECT_EQ(TempFolder::read(file).substr(0, 2), "PK");
    EXPECT_EQ(folderNames(temp.path()), std::vector<std::string>{kSpreadsheetFileName});
}

TEST_F(XlsxCalendarWriterTest, FailuresKeepTheOldFileAndRemoveTheTemporary) {
    temp.write(kSpreadsheetFileName, "old workbook");
    const std::vector<std::string> only{kSpreadsheetFileName};
    std::string error;
    {
        testing::FailingCalls fail;
        fail.failNth(testing::Call::Rename, 1, EBUSY);
        EXPECT_FALSE(writeXlsxCalendar(calendar(), file, error));
    }
    EXPECT_NE(error.find("Device or resource busy"), std::string::npos) << error;
    EXPECT_EQ(TempFolder::read(file), "old workbook");
    EXPECT_EQ(folderNames(temp.path()), only);

    // libxlsxwriter refuses the sheet name: its reason is passed on.
    SpreadsheetCalendar bad = calendar();
    bad.sheetName = "12[月]";
    error.clear();
    EXPECT_FALSE(writeXlsxCalendar(bad, file, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(TempFolder::read(file), "old workbook");
    EXPECT_EQ(folderNames(temp.path()), only);

    error.clear();
    EXPECT_FALSE(writeXlsxCalendar(calendar(), temp / "missing" / kSpreadsheetFileName, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(folderNames(temp.path()), only);
}

}  // namespace
}  // namespace velmo

#endif  // VELMO_HAVE_XLSX
