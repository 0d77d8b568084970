#include "shared/forced_unlock.h"

#include <string>
#include <vector>

#include "shared/lock_file.h"
#include "shared/maintenance.h"
#include "store/file_helpers.h"

namespace fs = std::filesystem;

namespace velmo {

namespace {

std::string notDeletedText(const fs::path& lock) {
    return "ロックファイル[" + lock.string() + "]を削除できませんでした。";
}

}  // namespace

ForcedUnlockOutcome forceUnlockAll(const fs::path& sharedFolder, int rightsLevel,
                                   UserInterface& ui) {
    if (!ask(ui, "すべての予定のロックを解除しますか？", DefaultButton::Yes) ||
        (rightsLevel <= kForcedUnlockWarningLevel &&
         !ask(ui,
              "このボタンは緊急なとき、管理権限を持つ担当者が不在の時だけに使用してください。\r\n"
              "本当に、すべての予定のロックを解除しますか？",
              DefaultButton::No))) {
        ui.message("中止します。");
        return ForcedUnlockOutcome::Cancelled;
    }

    bool deleted = false;
    std::string failures;
    for (const fs::path& lock : lockFilesIn(sharedLockFolder(sharedFolder))) {
        if (deleteLockFile(lock)) {
            deleted = true;
            continue;
        }
        if (!failures.empty())
            failures += "\r\n";
        failures += notDeletedText(lock);
    }
    if (!failures.empty()) {
        ui.message(failures);
        return ForcedUnlockOutcome::DeletionFailed;
    }

    const fs::path maintenance = maintenanceLockPath(sharedFolder);
    if (lockFilePresent(maintenance)) {
        if (!ask(ui, "メンテナンスロックを強制解除しますか？", DefaultButton::No)) {
            ui.message(deleted ? "メンテナンスロックは解除いたしません。\r\n"
                                 "スケジュールのロックは解除しました。"
                               : "メンテナンスロックは解除いたしません。");
            return ForcedUnlockOutcome::MaintenanceKept;
        }
        const fs::path onDisk = resolveCaseInsensitive(maintenance);
        if (!deleteLockFile(onDisk)) {
            ui.message(notDeletedText(onDisk));
            return ForcedUnlockOutcome::DeletionFailed;
        }
        deleted = true;
    }

    ui.message(deleted ? "すべてのロックを解除しました。"
                       : "どの予定もロックされていませんでした。");
    return deleted ? ForcedUnlockOutcome::Unlocked : ForcedUnlockOutcome::NothingLocked;
}

}  // namespace velmo
