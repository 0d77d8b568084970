#include "backup/automatic_backup.h"

#include <system_error>

#include "backup/date_marker.h"
#include "backup/folder_operations.h"
#include "backup/generation_copy.h"

namespace fs = std::filesystem;

namespace velmo {

int backupInterval(int listPosition) {
    switch (listPosition) {
        case 0:
            return 0;
        case 1:
            return 1;
        case 2:
            return 3;
        case 3:
            return 7;
        case 4:
            return 15;
        case 5:
            return 30;
        default:
            return 7;
    }
}

bool automaticBackupDue(const AutomaticBackupInputs& inputs) {
    const int interval = backupInterval(inputs.settings.cbBackKankaku);
    inputs.settings.vBackKankaku = interval;
    if (inputs.networkMode || inputs.startedFromCdrom || inputs.startedFromNetwork ||
        inputs.startedFromRemovable || interval == 0 || inputs.dataFormat != 2)
        return false;
    const std::int64_t since = static_cast<std::int64_t>(inputs.today) - inputs.settings.BackupDay;
    if (since < interval && since >= 0)
        return false;
    std::error_code error;
    const bool same = fs::equivalent(inputs.commonDataFolder, inputs.startFolder, error);
    return !same;
}

AutomaticBackupOutcome runAutomaticBackup(const AutomaticBackupInputs& inputs, UserInterface& ui,
                                          const Clock& clock, Sleeper& sleeper) {
    const fs::path newest = generationFolder(inputs.backupRoot, kAutomaticBackupBaseName, 1);
    AutomaticBackupOutcome outcome = AutomaticBackupOutcome::AlreadyToday;
    if (daysSinceMarker(newest, clock, sleeper) != 0) {
        const GenerationCopyRequest request{inputs.commonDataFolder, inputs.backupRoot,
                                            inputs.generations, kAutomaticBackupBaseName, false};
        if (!generationCopy(request, ui)) {
            ui.message(
                "自動世代データバックアップエラー\r\n\r\n世代バックアップが出来ませんでした。");
            inputs.settings.BackupDay += 1;
            return AutomaticBackupOutcome::Failed;
        }
        // A marker that could not be written only makes the next run copy again.
        writeTodayMarker(newest, clock, sleeper);
        outcome = AutomaticBackupOutcome::Copied;
    }
    inputs.settings.BackupDay = inputs.today;
    return outcome;
}

AutomaticBackupOutcome automaticBackup(const AutomaticBackupInputs& inputs, UserInterface& ui,
                                       const Clock& clock, Sleeper& sleeper) {
    if (!automaticBackupDue(inputs))
        return AutomaticBackupOutcome::Skipped;
    return runAutomaticBackup(inputs, ui, clock, sleeper);
}

}  // namespace velmo
