#pragma once
// Editing one day (or the month memo) of a month slot, as the day editor's OK and
// `velmo-tool add-line` both do it. In local operation the lines are stored in the slot
// and reach the file with the next save; in network mode the edit runs under the
// month's lock on a freshly read copy and is saved at once.

#include <functional>
#include <optional>
#include <string>

#include "editor_models/day_editor_lines.h"
#include "shared/edit_protocol.h"
#include "store/month_file.h"

namespace velmo {

struct DayEditTarget {
    MonthSlot& slot;
    int slotNumber = 0;
    int year = 0;
    int month = 0;
    int day = 0;  // kMonthMemoDay for the month memo
    bool monthMemoOn = false;
};

struct DayEditPlace {
    const MonthFileContext& files;
    // The shared folder's locks; null in local operation.
    LockOperations* locks = nullptr;
    // Redraws after the slot was read again under the lock.
    std::function<void()> reloaded = {};
};

// The editor: given the day's lines, the lines to store, or nothing when cancelled.
using DayLinesEditor = std::function<std::optional<DayEditorLines>(const DayEditorLines&)>;

enum class DayEditOutcome {
    Stored,     // the lines were stored (and, in network mode, saved)
    Cancelled,  // the editor stored nothing
    NotSaved,   // network mode: stored in the slot but the file was not written
    Refused,    // network mode: the protocol refused; see protocol
};

struct DayEditResult {
    DayEditOutcome outcome = DayEditOutcome::Cancelled;
    ProtocolOutcome protocol = ProtocolOutcome::Done;
    WriteBackResult writeBack{};
};

// "データ行数が、[n]行少なくなっています（元の半分以下）。…": the month read under the
// lock holds less than half the lines it held before.
std::string halvedMonthMessage(std::size_t lost);

DayEditResult editDay(const DayEditTarget& target, const DayEditPlace& place,
                      const DayLinesEditor& editor);

// The lines with one more: the text in the given colour (the standard colour when
// none) after the day's lines; a day's lone empty line is taken for it.
DayEditorLines withAddedLine(DayEditorLines lines, const std::string& text,
                             std::optional<Colour> colour);

}  // namespace velmo
