#pragma once
// Maintenance mode: the lock "mente.lock" in the shared folder's root shuts
// every other computer out of the shared data while an administrator works on it. It is
// taken and given back with the lock procedures of lock_file.h. The month locks it is
// checked against are always those of the shared folder's "Data/Files1/", never of the
// data folder the computer happens to use.

#include <filesystem>
#include <string>

#include "core/user_interface.h"
#include "shared/lock_file.h"

namespace velmo {

// The shared folder's "mente.lock".
std::filesystem::path maintenanceLockPath(const std::filesystem::path& sharedFolder);

// True while the maintenance lock exists; shows nothing (for re-testing). A blank or
// relative folder names no shared folder and has no maintenance lock.
bool maintenanceActive(const std::filesystem::path& sharedFolder);

// The maintenance test: as maintenanceActive, and when it is on shows
// "現在、メンテナンス中です。\r\nしばらくしてから、処理をお願いいたします。".
bool maintenanceTest(const std::filesystem::path& sharedFolder, UserInterface& ui);

// Maintenance lock on: acquires mente.lock (kLockWait, kAcquireRetries), waits a second
// and gives it back when a "*.lock" of the shared "Data/Files1/" shows that somebody is
// editing. The lock held on success; one that holds nothing on failure, after the
// messages of the acquire or release and "メンテナンスファイルの書出しに失敗しました。"
// or "メンテナンスファイルの削除に失敗しました。".
HeldLock maintenanceLockOn(const std::filesystem::path& sharedFolder, const std::string& ownName,
                           const LockContext& context);

// Maintenance lock off: releases it (kLockWait, kMaintenanceReleaseRetries); on failure
// "メンテナンスファイルの削除に失敗しました。".
bool maintenanceLockOff(HeldLock lock, const std::string& ownName, const LockContext& context);

// The release at program exit of a maintenance lock this computer still holds; on failure
// "メンテナンスロックファイルが、削除できません。\r\n管理者にご連絡下さい。". A lock never
// acquired has nothing to release.
bool releaseMaintenanceAtExit(HeldLock lock, const std::string& ownName,
                              const LockContext& context);

}  // namespace velmo
