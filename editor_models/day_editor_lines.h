#pragma once
// A day's lines between the month slot and the day editor: read with their attribute
// records, checked before they are stored, and written back into the slot.
//
// Beyond readDayLines and writeBackDay, a carried field that does not convert (a colour
// name no one knows, a time that is no time of day, a number out of range) is kept as
// text and written back exactly as it was read, together with every field after it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor_models/day_line_attrs.h"
#include "store/month_file.h"
#include "store/text_helpers.h"

namespace velmo {

// The record of one entry line: readDayLines' attributes plus the fields kept as read.
DayLineRecord dayLineRecord(std::string_view entryLine);

// The entry line for one editor line, with the kept fields in their place.
std::string formatDayEditorLine(int day, int position, std::string_view editorText,
                                const DayLineRecord& record);

struct DayEditorLines {
    std::vector<std::string> texts;
    std::vector<DayLineRecord> records;
};

// A day's (or with kMonthMemoDay the month memo's) lines as the editor opens them: one
// empty line for a day without entries, "，" shown as ",", memo lines with default
// records.
DayEditorLines readDayEditorLines(const MonthSlot& slot, int day);

// Replaces the day's entries as writeBackDay does. The records are padded with
// defaults or cut to the number of lines first, so a record never lands on another
// line.
WriteBackResult writeBackDayEditorLines(MonthSlot& slot, int slotNumber, int year, int month,
                                        int day, const std::vector<std::string>& texts,
                                        std::vector<DayLineRecord> records, bool monthMemoOn,
                                        const SharedFolderHooks& shared);

// The message naming the first character of the lines that CP932 cannot store, with
// its line number (1-based); nothing when every line can be stored.
std::optional<std::string> unencodableLinesMessage(const std::vector<std::string>& texts);

}  // namespace velmo
