#include "shared/edit_protocol.h"

namespace velmo {

namespace {

ProtocolOutcome refusal(LockOperations::Acquire answer) {
    return answer == LockOperations::Acquire::HeldByOther ? ProtocolOutcome::HeldByOther
                                                          : ProtocolOutcome::LockFailed;
}

}  // namespace

std::string lockFileFor(const std::filesystem::path& dataFile) {
    return std::filesystem::path(dataFile).replace_extension(".lock").string();
}

bool worthRetrying(ProtocolOutcome outcome) {
    return outcome == ProtocolOutcome::Maintenance || outcome == ProtocolOutcome::HeldByOther;
}

std::string lockNotRemovedMessage(const std::string& lockFile) {
    return "ロックファイル[" + lockFile +
           "]を消去できませんでした。\r\nもし、自身のロックファイルが存在していましたら、\r\n"
           "メンテナンスでロックファイルを削除する必要があります。";
}

ProtocolOutcome runLockedEdit(const LockedEdit& edit, LockOperations& locks, UserInterface& ui) {
    if (edit.testMaintenance && locks.maintenanceOn())
        return ProtocolOutcome::Maintenance;
    // Releases the lock after an abandoned or finished edit; false when it stayed.
    const auto release = [&] {
        if (locks.release(edit.lockFile))
            return true;
        ui.message(lockNotRemovedMessage(edit.lockFile));
        return false;
    };
    if (const auto first = locks.acquire(edit.lockFile); first != LockOperations::Acquire::Acquired)
        return refusal(first);
    if (locks.maintenanceOn()) {
        release();
        return ProtocolOutcome::Maintenance;
    }
    if (edit.reload && !edit.reload())
        return release() ? ProtocolOutcome::Abandoned : ProtocolOutcome::ReleaseFailed;
    // The lock must still name this computer: another one may have created it at the
    // same moment and won. Its lock is not ours to remove.
    if (const auto second = locks.acquire(edit.lockFile);
        second != LockOperations::Acquire::Acquired)
        return refusal(second);
    if (locks.maintenanceOn()) {
        release();
        return ProtocolOutcome::Maintenance;
    }
    if (edit.edit)
        edit.edit();
    return release() ? ProtocolOutcome::Done : ProtocolOutcome::ReleaseFailed;
}

}  // namespace velmo
