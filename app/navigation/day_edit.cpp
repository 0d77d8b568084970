#include "app/navigation/day_edit.h"

#include "store/month_file.h"

namespace velmo {

namespace {

// Stores the edited lines in the slot; true when the editor gave lines.
bool store(const DayEditTarget& target, const MonthFileContext& files, const DayLinesEditor& editor,
           DayEditResult& result) {
    const std::optional<DayEditorLines> edited =
        editor(readDayEditorLines(target.slot, target.day));
    if (!edited)
        return false;
    result.writeBack = writeBackDayEditorLines(target.slot, target.slotNumber, target.year,
                                               target.month, target.day, edited->texts,
                                               edited->records, target.monthMemoOn, files.shared);
    return true;
}

}  // namespace

std::string halvedMonthMessage(std::size_t lost) {
    return "データ行数が、[" + std::to_string(lost) +
           "]行少なくなっています（元の半分以下）。\r\nご注意下さい。\r\n"
           "（どなたかがデータを削除されているのであれば、問題はありません。）";
}

DayEditResult editDay(const DayEditTarget& target, const DayEditPlace& place,
                      const DayLinesEditor& editor) {
    DayEditResult result;
    if (!place.locks) {
        result.outcome = store(target, place.files, editor, result) ? DayEditOutcome::Stored
                                                                    : DayEditOutcome::Cancelled;
        return result;
    }
    const MonthFileContext& files = place.files;
    LockedEdit edit;
    edit.lockFile = lockFileFor(monthFilePath(files.dataFolder, target.year, target.month));
    edit.testMaintenance = target.day != kMonthMemoDay;
    edit.reload = [&] {
        const std::size_t before = target.slot.lines.size();
        loadSlot(target.slot, target.slotNumber, target.year, target.month, true, files);
        const std::size_t after = target.slot.lines.size();
        if (after < before / 2)
            files.ui.message(halvedMonthMessage(before - after));
        if (place.reloaded)
            place.reloaded();
        return true;
    };
    edit.edit = [&] {
        if (!store(target, files, editor, result)) {
            result.outcome = DayEditOutcome::Cancelled;
            return;
        }
        const SaveOutcome saved = saveSlot(target.slot, SaveRequest::Edit, files);
        result.outcome = saved == SaveOutcome::Written || saved == SaveOutcome::Unchanged
                             ? DayEditOutcome::Stored
                             : DayEditOutcome::NotSaved;
    };
    result.protocol = runLockedEdit(edit, *place.locks, files.ui);
    if (result.protocol != ProtocolOutcome::Done &&
        result.protocol != ProtocolOutcome::ReleaseFailed)
        result.outcome = DayEditOutcome::Refused;
    return result;
}

DayEditorLines withAddedLine(DayEditorLines lines, const std::string& text,
                             std::optional<Colour> colour) {
    if (lines.texts.size() == 1 && lines.texts[0].empty()) {
        lines.texts.clear();
        lines.records.clear();
    }
    DayLineRecord record;
    if (colour)
        setRecordColour(record, *colour);
    lines.texts.push_back(text);
    lines.records.push_back(record);
    return lines;
}

}  // namespace velmo
