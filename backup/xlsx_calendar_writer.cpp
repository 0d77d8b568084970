#include "backup/xlsx_calendar_writer.h"

#include <fcntl.h>
#include <xlsxwriter.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <map>
#include <tuple>

#include "store/file_calls.h"
#include "store/temporary_files.h"

namespace velmo {

namespace {

// One face for every cell; fontconfig also knows it by this Japanese name.
constexpr const char* kCalendarFontName = "IPAゴシック";
constexpr std::uint8_t kShiftJisCharset = 128;
constexpr std::uint8_t kPaperA4 = 9;
constexpr double kMarginInches = 0.3;
constexpr double kDayColumnWidth = 4.5;  // five of them hold about 14 full-width characters
constexpr double kOuterColumnWidth = 1.5;

constexpr int kLastSheetColumn = sheetDayColumn(6) + kSheetDayColumns - 1;
constexpr int kLastSheetRow = sheetDayRow(kSheetWeeks) + kSheetDayRows - 1;

enum Edge : unsigned { kTop = 1, kBottom = 2, kLeft = 4, kRight = 8 };

struct FontChoice {
    double size;
    bool bold;
};

FontChoice fontOf(SheetCellKind kind) {
    switch (kind) {
        case SheetCellKind::Title:
            return {16, true};
        case SheetCellKind::CreationDate:
            return {10, false};
        case SheetCellKind::DayNumber:
            return {11, true};
        case SheetCellKind::DayName:
        case SheetCellKind::DayLine:
            break;
    }
    return {9, false};
}

// 0x00BBGGRR to libxlsxwriter's 0xRRGGBB, where 0 would mean "no colour".
lxw_color_t toLxwColour(Colour c) {
    const lxw_color_t rgb = (c & 0xFFu) << 16 | (c & 0xFF00u) | (c >> 16 & 0xFFu);
    return rgb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : rgb;
}

// The formats of the workbook, one per distinct look, made when first asked for.
class Formats {
public:
    explicit Formats(lxw_workbook* workbook) : workbook_(workbook) {}

    lxw_format* get(SheetCellKind kind, std::optional<Colour> colour, int sizeDelta, unsigned edges,
                    std::uint8_t align = LXW_ALIGN_NONE) {
        const Key key{kind, colour.value_or(kColourNone), sizeDelta, edges, align};
        auto it = formats_.find(key);
        if (it != formats_.end())
            return it->second;
        lxw_format* f = workbook_add_format(workbook_);
        const FontChoice font = fontOf(kind);
        format_set_font_name(f, kCalendarFontName);
        format_set_font_charset(f, kShiftJisCharset);
        format_set_font_size(f, font.size + sizeDelta);
        if (font.bold)
            format_set_bold(f);
        if (colour)
            format_set_font_color(f, toLxwColour(*colour));
        format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
        if (align != LXW_ALIGN_NONE)
            format_set_align(f, align);
        if (edges & kTop)
            format_set_top(f, LXW_BORDER_THIN);
        if (edges & kBottom)
            format_set_bottom(f, LXW_BORDER_THIN);
        if (edges & kLeft)
            format_set_left(f, LXW_BORDER_THIN);
        if (edges & kRight)
            format_set_right(f, LXW_BORDER_THIN);
        formats_.emplace(key, f);
        return f;
    }

private:
    using Key = std::tuple<SheetCellKind, Colour, int, unsigned, std::uint8_t>;
    lxw_workbook* workbook_;
    std::map<Key, lxw_format*> formats_;
};

// The edges of a day's box that pass along a cell, none outside every box.
unsigned boxEdges(int row, int column) {
    for (int week = 1; week <= kSheetWeeks; ++week) {
        const int top = sheetDayRow(week);
        if (row < top || row >= top + kSheetDayRows)
            continue;
        for (int i = 0; i < 7; ++i) {
            const int left = sheetDayColumn(i);
            if (column < left || column >= left + kSheetDayColumns)
                continue;
            return (row == top ? kTop : 0u) | (row == top + kSheetDayRows - 1 ? kBottom : 0u) |
                   (column == left ? kLeft : 0u) |
                   (column == left + kSheetDayColumns - 1 ? kRight : 0u);
        }
    }
    return 0;
}

class SheetWriter {
public:
    SheetWriter(lxw_workbook* workbook, lxw_worksheet* sheet) : sheet_(sheet), formats_(workbook) {}

    lxw_error firstError() const { return error_; }

    void layOut() {
        check(worksheet_set_column(sheet_, 0, sheetDayColumn(0) - 2, kOuterColumnWidth, nullptr));
        check(worksheet_set_column(sheet_, sheetDayColumn(0) - 1, kLastSheetColumn - 1,
                                   kDayColumnWidth, nullptr));
        check(worksheet_set_row(sheet_, kSheetTitleRow - 1, 24, nullptr));
        check(worksheet_set_row(sheet_, kSheetHeadingRow - 1, 16, nullptr));
        for (int week = 1; week <= kSheetWeeks; ++week) {
            const int top = sheetDayRow(week);
            check(worksheet_set_row(sheet_, top - 1, 15, nullptr));
            for (int r = top + 1; r < top + kSheetDayRows; ++r)
                check(worksheet_set_row(sheet_, r - 1, 12, nullptr));
            for (int r = top + kSheetDayRows; r < top + kSheetWeekRows && week < kSheetWeeks; ++r)
                check(worksheet_set_row(sheet_, r - 1, 4, nullptr));
        }
        worksheet_gridlines(sheet_, LXW_HIDE_ALL_GRIDLINES);
        worksheet_set_landscape(sheet_);
        worksheet_set_paper(sheet_, kPaperA4);
        worksheet_set_margins(sheet_, kMarginInches, kMarginInches, kMarginInches, kMarginInches);
        worksheet_center_horizontally(sheet_);
        worksheet_fit_to_pages(sheet_, 1, 1);
        check(worksheet_print_area(sheet_, kSheetTitleRow - 1, sheetDayColumn(0) - 1,
                                   kLastSheetRow - 1, kLastSheetColumn - 1));
    }

    void writeHeadings() {
        static constexpr std::array<const char*, 7> kNames{"日", "月", "火", "水",
                                                           "木", "金", "土"};
        for (int i = 0; i < 7; ++i) {
            const Colour colour = i == 0   ? kSheetMonthPalette.holiday
                                  : i == 6 ? kSheetMonthPalette.saturday
                                           : kSheetMonthPalette.weekday;
            lxw_format* f = formats_.get(SheetCellKind::DayNumber, colour, -1,
                                         kTop | kBottom | kLeft | kRight, LXW_ALIGN_CENTER);
            const int first = sheetDayColumn(i) - 1;
            check(worksheet_merge_range(sheet_, kSheetHeadingRow - 1, first, kSheetHeadingRow - 1,
                                        first + kSheetDayColumns - 1, kNames[i], f));
        }
    }

    void writeCells(const SpreadsheetCalendar& calendar) {
        for (const SheetCell& cell : calendar.cells)
            write(cell);
        // The rest of each box gets its borders only.
        for (int week = 1; week <= kSheetWeeks; ++week) {
            for (int i = 0; i < 7; ++i) {
                for (int r = 0; r < kSheetDayRows; ++r) {
                    for (int c = 0; c < kSheetDayColumns; ++c) {
                        const int row = sheetDayRow(week) + r;
                        const int column = sheetDayColumn(i) + c;
                        if (findSheetCell(calendar, row, column) == nullptr)
                            write(SheetCell{row, column, SheetCellKind::DayLine, {}, {}, 0});
                    }
                }
            }
        }
    }

private:
    void check(lxw_error e) {
        if (error_ == LXW_NO_ERROR)
            error_ = e;
    }

    void write(const SheetCell& cell) {
        // The creation date sits near the right edge and spills to the left.
        const std::uint8_t align =
            cell.kind == SheetCellKind::CreationDate ? LXW_ALIGN_RIGHT : LXW_ALIGN_NONE;
        lxw_format* f = formats_.get(cell.kind, cell.fontColour, cell.fontSizeDelta,
                                     boxEdges(cell.row, cell.column), align);
        const auto row = static_cast<lxw_row_t>(cell.row - 1);
        const auto column = static_cast<lxw_col_t>(cell.column - 1);
        if (const auto* text = std::get_if<std::string>(&cell.value))
            check(worksheet_write_string(sheet_, row, column, text->c_str(), f));
        else if (const auto* number = std::get_if<int>(&cell.value))
            check(worksheet_write_number(sheet_, row, column, *number, f));
        else
            check(worksheet_write_blank(sheet_, row, column, f));
    }

    lxw_worksheet* sheet_;
    Formats formats_;
    lxw_error error_ = LXW_NO_ERROR;
};

std::string systemError(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

// libxlsxwriter closes its file without syncing it; the rename must not come first.
bool syncFile(const std::string& path, std::string& error) {
    const FileCalls& calls = fileCalls();
    const int fd = calls.open(path.c_str(), O_RDONLY);
    if (fd < 0 || calls.fsync(fd) != 0) {
        error = systemError("cannot sync", path);
        if (fd >= 0)
            calls.close(fd);
        return false;
    }
    calls.close(fd);
    return true;
}

}  // namespace

bool writeXlsxCalendar(const SpreadsheetCalendar& calendar, const std::filesystem::path& file,
                       std::string& error) {
    const FileCalls& calls = fileCalls();
    const std::string target = file.string();
    const std::string temporary =
        (file.parent_path() / newTemporaryName(file.filename().string())).string();

    // Claim the name first so that no one else's file is ever written over.
    const int fd = calls.createExclusive(temporary.c_str(), O_WRONLY, 0666);
    if (fd < 0) {
        error = systemError("cannot create", temporary);
        return false;
    }
    calls.close(fd);

    auto fail = [&](const std::string& reason) {
        error = reason;
        calls.unlink(temporary.c_str());
        return false;
    };

    lxw_workbook* workbook = workbook_new(temporary.c_str());
    if (workbook == nullptr)
        return fail("cannot start the workbook " + temporary);
    lxw_error result = workbook_validate_sheet_name(workbook, calendar.sheetName.c_str());
    lxw_worksheet* sheet = result == LXW_NO_ERROR
                               ? workbook_add_worksheet(workbook, calendar.sheetName.c_str())
                               : nullptr;
    if (sheet == nullptr) {
        if (result == LXW_NO_ERROR)
            result = LXW_ERROR_MEMORY_MALLOC_FAILED;
    } else {
        SheetWriter writer(workbook, sheet);
        writer.layOut();
        writer.writeHeadings();
        writer.writeCells(calendar);
        result = writer.firstError();
    }
    // Closing also frees the workbook, so it runs even after a failure.
    const lxw_error closed = workbook_close(workbook);
    if (result == LXW_NO_ERROR)
        result = closed;
    if (result != LXW_NO_ERROR)
        return fail(std::string("cannot write ") + target + ": " + lxw_strerror(result));
    if (!syncFile(temporary, error))
        return fail(error);
    if (calls.rename(temporary.c_str(), target.c_str()) != 0)
        return fail(systemError("cannot replace", target));
    return true;
}

}  // namespace velmo
