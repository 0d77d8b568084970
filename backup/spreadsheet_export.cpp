#include "backup/spreadsheet_export.h"

#include "backup/spreadsheet_calendar.h"
#include "backup/xlsx_calendar_writer.h"

namespace velmo {

std::filesystem::path spreadsheetCalendarPath(const std::filesystem::path& startFolder) {
    return startFolder / kSpreadsheetFileName;
}

bool createSpreadsheetCalendar(const SpreadsheetExportInputs& inputs, UserInterface& ui) {
#ifdef VELMO_HAVE_XLSX
    const std::filesystem::path file =
        inputs.file.empty() ? spreadsheetCalendarPath(inputs.startFolder) : inputs.file;
    const SpreadsheetCalendar calendar = buildSpreadsheetCalendar(
        inputs.year, inputs.month, inputs.grid, inputs.settings, inputs.today);
    std::string reason;
    if (!writeXlsxCalendar(calendar, file, reason)) {
        informMain(ui, kSpreadsheetWriteFailure);
        return false;
    }
    if (!inputs.settings.preview || !inputs.openFile) {
        informMain(ui, "エクセルカレンダ(" + file.string() + ")を作成しました。");
        return true;
    }
    if (!inputs.openFile(file)) {
        informMain(ui, kSpreadsheetOpenFailure);
        return false;
    }
    return true;
#else
    (void)inputs;
    informMain(ui, kSpreadsheetWriteFailure);
    return false;
#endif
}

}  // namespace velmo
