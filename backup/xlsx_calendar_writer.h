#pragma once
// Writes the spreadsheet calendar as an .xlsx workbook (libxlsxwriter) with its own print
// layout: a box per day, weekday headings, one landscape A4 page.

#include <filesystem>
#include <string>

#include "backup/spreadsheet_calendar.h"

namespace velmo {

constexpr const char* kSpreadsheetFileName = "VelExcel.xlsx";

// The weekday headings' row, just above the first week's day numbers (1-based).
inline constexpr int kSheetHeadingRow = sheetDayRow(1) - 1;

// Writes a temporary file beside `file` and renames it over `file` (an existing file is
// replaced). On failure nothing is left behind, `file` is as before and `error` says why.
bool writeXlsxCalendar(const SpreadsheetCalendar& calendar, const std::filesystem::path& file,
                       std::string& error);

}  // namespace velmo
