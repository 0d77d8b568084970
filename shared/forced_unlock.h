#pragma once
// The forced unlock ("すべてのロックを解除"): deletes every lock of the shared
// folder after the user's confirmation, for the day a computer died holding one.

#include <filesystem>

#include "core/user_interface.h"

namespace velmo {

// Rights levels above this do without the second warning.
inline constexpr int kForcedUnlockWarningLevel = 5;

enum class ForcedUnlockOutcome {
    Cancelled,  // a question answered No: "中止します。"
    DeletionFailed,  // a lock file stayed: "ロックファイル[…]を削除できませんでした。"
    MaintenanceKept,  // the user kept the maintenance lock
    Unlocked,         // "すべてのロックを解除しました。"
    NothingLocked,    // "どの予定もロックされていませんでした。"
};

// Asks "すべての予定のロックを解除しますか？" (and, for a rights level of 5 or less, the
// emergency warning, No preselected), deletes every "*.lock" of the shared folder's
// "Data/Files1/", then, after its own question (No preselected), the shared folder's
// mente.lock, and says what it did. A lock that cannot be deleted is named in a message
// (every such lock at once) and ends the procedure.
ForcedUnlockOutcome forceUnlockAll(const std::filesystem::path& sharedFolder, int rightsLevel,
                                   UserInterface& ui);

}  // namespace velmo
