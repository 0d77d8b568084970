#pragma once
// Adding, changing and deleting a period, as the period editor and the delete menu do
// it. In local operation the list changes in memory and reaches the file with the next
// save; in network mode each change runs under the period list's lock on a freshly read
// list, is refused when the chosen period was changed meanwhile, and is saved at once.

#include <functional>
#include <optional>
#include <string>

#include "shared/edit_protocol.h"
#include "store/period_file.h"
#include "store/period_record.h"

namespace velmo {

inline constexpr const char* kPeriodChangedElsewhereMessage =
    "他の方によって、期間予定データが変更されています。\r\n"
    "もう一度、期間予定の指定処理からお願いいたします。";

struct PeriodEditPlace {
    const PeriodFileContext& files;
    // The shared folder's locks; null in local operation.
    LockOperations* locks = nullptr;
    // Redraws after the list was read again under the lock.
    std::function<void()> reloaded = {};
};

// The editor: given the list as it is now, the record to store, or nothing.
using PeriodEditor = std::function<std::optional<PeriodRecord>(const PeriodList&)>;

struct PeriodEditOutcome {
    bool changed = false;  // the list was changed
    ProtocolOutcome protocol = ProtocolOutcome::Done;
};

// index 0 adds a new period, 1..n-1 changes that record.
PeriodEditOutcome editPeriod(PeriodList& list, int index, const PeriodEditPlace& place,
                             const PeriodEditor& editor, const std::string& computerName);

// Deletes the selected period after asking (No preselected).
PeriodEditOutcome deleteSelectedPeriodShared(PeriodList& list, const PeriodEditPlace& place);

}  // namespace velmo
