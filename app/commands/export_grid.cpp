#include "app/commands/export_grid.h"

#include "backup/export_entry_format.h"
#include "monthview/name_pieces.h"
#include "store/entry_line.h"
#include "store/text_helpers.h"

namespace velmo {

ExportGrid exportGrid(const TKvMCalModel& model) {
    ExportGrid grid;
    for (int cell = 0; cell < kExportGridCells; ++cell) {
        ExportDay& d = grid[static_cast<std::size_t>(cell)];
        const std::int32_t julius = model.cellDay(cell);
        const Ymd date = juliusDayToYmd(julius);
        d.year = date.year;
        d.month = date.month;
        d.day = date.day;
        d.weekday = weekdayOf(julius);
        d.inDisplayedMonth = model.inDisplayedMonth(julius);
        const DayNameList names = model.dayNames(date.year, date.month, date.day);
        d.hasNames = !names.names.empty();
        const QueriedNames split = queryNames(names);
        d.holidayName = split.holiday;
        // A special-day name followed by a holiday name carries the blank between them.
        d.specialNames = trimSpaces(split.specialDays);
        for (int position = 0; position < kExportCellLines; ++position) {
            if (const std::string* line = model.dayLineOf(model.cellSlot(cell, position)))
                d.lines[static_cast<std::size_t>(position)] = withStrayBytesReplaced(
                    formatExportEntry(textForEditing(entryStoredText(*line)), std::nullopt, false),
                    "\uFFFD");
        }
    }
    return grid;
}

}  // namespace velmo
