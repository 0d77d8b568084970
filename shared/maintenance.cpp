#include "shared/maintenance.h"

#include <chrono>

namespace fs = std::filesystem;

namespace velmo {

namespace {

// How long the maintenance lock stands before the month locks are looked at: an
// editor that took its lock just before sees mente.lock only at its next test.
constexpr std::chrono::milliseconds kMaintenanceSettle{1000};

// A blank folder is no shared folder; a relative one would resolve against whatever
// the current directory happens to be.
bool namesFolder(const fs::path& sharedFolder) {
    return !sharedFolder.empty() && sharedFolder.is_absolute();
}

}  // namespace

fs::path maintenanceLockPath(const fs::path& sharedFolder) {
    return sharedFolder / kMaintenanceLockFileName;
}

bool maintenanceActive(const fs::path& sharedFolder) {
    return namesFolder(sharedFolder) && lockFilePresent(maintenanceLockPath(sharedFolder));
}

bool maintenanceTest(const fs::path& sharedFolder, UserInterface& ui) {
    if (!maintenanceActive(sharedFolder))
        return false;
    ui.message("現在、メンテナンス中です。\r\nしばらくしてから、処理をお願いいたします。");
    return true;
}

HeldLock maintenanceLockOn(const fs::path& sharedFolder, const std::string& ownName,
                           const LockContext& context) {
    if (!namesFolder(sharedFolder))
        return {};
    LockResult result = acquireLock(maintenanceLockPath(sharedFolder), ownName, kLockWait,
                                    kAcquireRetries, context);
    if (!result.acquired()) {
        context.ui.message("メンテナンスファイルの書出しに失敗しました。");
        return {};
    }
    context.sleeper.sleep(kMaintenanceSettle);
    if (!lockFilesIn(sharedLockFolder(sharedFolder)).empty()) {
        if (!releaseLock(std::move(result.held), ownName, kLockWait, kMaintenanceReleaseRetries,
                         context)) {
            context.ui.message("メンテナンスファイルの削除に失敗しました。");
        }
        return {};
    }
    return std::move(result.held);
}

bool maintenanceLockOff(HeldLock lock, const std::string& ownName, const LockContext& context) {
    if (releaseLock(std::move(lock), ownName, kLockWait, kMaintenanceReleaseRetries, context))
        return true;
    context.ui.message("メンテナンスファイルの削除に失敗しました。");
    return false;
}

bool releaseMaintenanceAtExit(HeldLock lock, const std::string& ownName,
                              const LockContext& context) {
    if (releaseLock(std::move(lock), ownName, kLockWait, kMaintenanceReleaseRetries, context))
        return true;
    context.ui.message("メンテナンスロックファイルが、削除できません。\r\n管理者にご連絡下さい。");
    return false;
}

}  // namespace velmo
