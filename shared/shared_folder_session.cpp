#include "shared/shared_folder_session.h"

#include "shared/maintenance.h"
#include "shared/update_counter.h"

namespace velmo {

FileLocks::FileLocks(std::function<std::filesystem::path()> sharedFolder, std::string computerName,
                     LockContext context)
    : sharedFolder_(std::move(sharedFolder)),
      computerName_(std::move(computerName)),
      context_(context) {}

FileLocks::~FileLocks() = default;

bool FileLocks::maintenanceOn() {
    return maintenanceTest(sharedFolder_(), context_.ui);
}

LockOperations::Acquire FileLocks::acquire(const std::string& lockFile) {
    LockResult result = acquireLock(lockFile, computerName_, kLockWait, kAcquireRetries, context_);
    switch (result.outcome) {
        case LockOutcome::Acquired:
            // A second acquire shares the first one's hold; keeping either is enough.
            if (!held_.contains(lockFile))
                held_.emplace(lockFile, std::move(result.held));
            return Acquire::Acquired;
        case LockOutcome::HeldByOther:
            // Lost to another computer: what this program held of the file is no longer a
            // lock of its own, and the other computer's file must stay.
            held_.erase(lockFile);
            return Acquire::HeldByOther;
        case LockOutcome::Failed:
        case LockOutcome::NoComputerName:
            break;
    }
    return Acquire::Failed;
}

bool FileLocks::release(const std::string& lockFile) {
    const auto found = held_.find(lockFile);
    if (found == held_.end())
        return releaseLock(std::filesystem::path(lockFile), computerName_, kLockWait,
                           kEditorReleaseRetries, context_);
    HeldLock lock = std::move(found->second);
    held_.erase(found);
    return releaseLock(std::move(lock), computerName_, kLockWait, kEditorReleaseRetries, context_);
}

SharedFolderSession::SharedFolderSession(NetworkMode::FoldersOfRun folders,
                                         const std::string& computerName, UserInterface& ui,
                                         StatusLine& status, Sleeper& sleeper,
                                         NetworkModeHooks hooks, FolderExists exists)
    : ui_(ui),
      sleeper_(sleeper),
      lockContext_{ui, status, sleeper},
      exists_(exists),
      mode_(std::move(folders), computerName, ui, std::move(exists),
            [&] {
                hooks.maintenanceOn = [this] { return maintenanceTest(mode_.sharedFolder(), ui_); };
                hooks.raiseUpdateCounter = [this] { return raiseUpdateCounter(); };
                return std::move(hooks);
            }()),
      locks_([this] { return std::filesystem::path(mode_.sharedFolder()); }, computerName,
             lockContext_) {}

LockOperations* SharedFolderSession::editLocks() {
    return mode_.networkMode() ? &locks_ : nullptr;
}

std::filesystem::path SharedFolderSession::counterFile() const {
    return std::filesystem::path(mode_.sharedFolder()) / kUpdateCounterName;
}

bool SharedFolderSession::raiseUpdateCounter() {
    const CounterBump bump =
        bumpUpdateCounter(counterFile(), kCounterTries, kCounterWait, sleeper_);
    switch (changes_.afterOwnWrite(bump)) {
        case OwnWriteOutcome::Settled:
            return true;
        case OwnWriteOutcome::ReloadNeeded:
            reloadPending_ = true;
            return true;
        case OwnWriteOutcome::Doubtful:
            break;
    }
    return false;
}

CheckOutcome SharedFolderSession::checkForUpdates() {
    // A folder that went away is noticed by the next reload or save, with its message.
    if (!mode_.networkMode() || !exists_(sharedDataFolder(mode_.sharedFolder())))
        return CheckOutcome::Nothing;
    return changes_.check(readUpdateCounter(counterFile(), kCounterTries, kCounterWait, sleeper_));
}

bool SharedFolderSession::reloadFromShared(const std::function<void()>& reload) {
    if (!mode_.networkMode() || reloading_)
        return false;
    if (maintenanceTest(mode_.sharedFolder(), ui_))
        return false;
    reloading_ = true;
    struct ClearOnExit {
        bool& flag;
        ~ClearOnExit() { flag = false; }
    } clear{reloading_};
    reloadPending_ = false;
    reload();
    return true;
}

bool SharedFolderSession::takePendingReload() {
    const bool pending = reloadPending_;
    reloadPending_ = false;
    return pending;
}

void SharedFolderSession::releaseMaintenanceAtExit() {
    if (mode_.networkMode() && maintenance_.held())
        velmo::releaseMaintenanceAtExit(std::move(maintenance_), mode_.computerName(),
                                        lockContext_);
}

}  // namespace velmo
