#include "app/navigation/period_edit.h"

namespace velmo {

namespace {

// Runs `change` under the period lock after reading the list again; a chosen record
// (index above 0) must still be what it was.
PeriodEditOutcome underPeriodLock(PeriodList& list, int index, const PeriodEditPlace& place,
                                  const std::function<bool()>& change) {
    const PeriodFileContext& files = place.files;
    PeriodEditOutcome outcome;
    LockedEdit edit;
    edit.lockFile = lockFileFor(periodFilePath(files.location.folder()));
    edit.reload = [&] {
        const std::string remembered =
            index > 0 && static_cast<std::size_t>(index) < list.lines.size()
                ? list.lines[static_cast<std::size_t>(index)]
                : std::string();
        const bool chosen = index > 0;
        if (loadPeriodList(list, files, nullptr) == PeriodLoadOutcome::SharedFolderMissing)
            return false;
        if (place.reloaded)
            place.reloaded();
        if (chosen && !periodLineUnchanged(list, index, remembered)) {
            files.ui.message(kPeriodChangedElsewhereMessage);
            return false;
        }
        return true;
    };
    edit.edit = [&] {
        outcome.changed = change();
        if (outcome.changed)
            savePeriodList(list, SaveRequest::Edit, files);
    };
    outcome.protocol = runLockedEdit(edit, *place.locks, files.ui);
    return outcome;
}

}  // namespace

PeriodEditOutcome editPeriod(PeriodList& list, int index, const PeriodEditPlace& place,
                             const PeriodEditor& editor, const std::string& computerName) {
    const auto change = [&] {
        std::optional<PeriodRecord> record = editor(list);
        if (!record)
            return false;
        const SharedFolderHooks& shared = place.files.shared;
        return index == 0 ? addPeriod(list, std::move(*record), computerName, shared).changed
                          : changePeriod(list, index, std::move(*record), shared).changed;
    };
    if (!place.locks)
        return {change(), ProtocolOutcome::Done};
    return underPeriodLock(list, index, place, change);
}

PeriodEditOutcome deleteSelectedPeriodShared(PeriodList& list, const PeriodEditPlace& place) {
    const auto remove = [&] {
        return deleteSelectedPeriod(list, place.files.ui, place.files.shared).changed;
    };
    if (!place.locks)
        return {remove(), ProtocolOutcome::Done};
    // The selection is cleared by the reload; it names the same record when unchanged.
    const int selected = list.selectedPeriod;
    if (selected <= 0)
        return {};
    return underPeriodLock(list, selected, place, [&] {
        list.selectedPeriod = selected;
        return remove();
    });
}

}  // namespace velmo
