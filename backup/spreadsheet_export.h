#pragma once
// The spreadsheet calendar of the month in view: the workbook "VelExcel.xlsx" written in
// the start folder (an older one replaced) and, with the preview option, opened in the
// desktop's spreadsheet program.

#include <filesystem>
#include <functional>

#include "backup/export_day.h"
#include "core/clock.h"
#include "core/user_interface.h"
#include "store/export_settings.h"

namespace velmo {

inline constexpr const char* kSpreadsheetWriteFailure = "Excelデータを作成できませんでした。";
inline constexpr const char* kSpreadsheetOpenFailure =
    "Excel が起動できません。\r\n中止いたします。";

struct SpreadsheetExportInputs {
    int year = 0;
    int month = 0;
    ExportGrid grid;
    ExportSettings settings;
    LocalDate today;
    std::filesystem::path startFolder;
    // Where the workbook goes; empty: start folder + "VelExcel.xlsx".
    std::filesystem::path file;
    // Opens the workbook in the desktop's program for it; false when that failed.
    std::function<bool(const std::filesystem::path&)> openFile;
};

// True when the workbook was written (and, with the preview, handed to its program).
bool createSpreadsheetCalendar(const SpreadsheetExportInputs& inputs, UserInterface& ui);

// The workbook's place: start folder + "VelExcel.xlsx".
std::filesystem::path spreadsheetCalendarPath(const std::filesystem::path& startFolder);

}  // namespace velmo
