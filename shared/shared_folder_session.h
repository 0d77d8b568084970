#pragma once
// What a run keeps about the shared folder: network mode, the locks this computer holds,
// the update counter and the value it last saw. The main window and velmo-tool reach the
// shared folder through this one object.

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "core/clock.h"
#include "core/user_interface.h"
#include "shared/change_detection.h"
#include "shared/edit_protocol.h"
#include "shared/lock_file.h"
#include "shared/network_mode.h"
#include "shared/status_line.h"

namespace velmo {

inline constexpr int kCounterTries = 5;
inline constexpr std::chrono::milliseconds kCounterWait{1000};

// The lock operations of the shared edits over the real lock files: the maintenance
// lock of the shared folder's root and the locks of its data folder.
class FileLocks final : public LockOperations {
public:
    FileLocks(std::function<std::filesystem::path()> sharedFolder, std::string computerName,
              LockContext context);
    ~FileLocks() override;

    bool maintenanceOn() override;
    Acquire acquire(const std::string& lockFile) override;
    bool release(const std::string& lockFile) override;

private:
    std::function<std::filesystem::path()> sharedFolder_;
    std::string computerName_;
    LockContext context_;
    std::map<std::string, HeldLock> held_;
};

class SharedFolderSession {
public:
    // The hooks' maintenanceOn and raiseUpdateCounter are this session's own.
    SharedFolderSession(NetworkMode::FoldersOfRun folders, const std::string& computerName,
                        UserInterface& ui, StatusLine& status, Sleeper& sleeper,
                        NetworkModeHooks hooks, FolderExists exists);

    NetworkMode& mode() { return mode_; }
    const NetworkMode& mode() const { return mode_; }
    // The locks of the shared edits while network mode is on; null in local operation.
    LockOperations* editLocks();
    std::filesystem::path counterFile() const;

    // The update check of the net timer and of the return from the tray: in network mode
    // with the data folder there, reads the counter; Reload once per new value, Stop for a
    // stop request.
    CheckOutcome checkForUpdates();
    // "ネット読み直し": only in network mode, refused during maintenance (with its
    // message) and while a reload is running. True when reload ran.
    bool reloadFromShared(const std::function<void()>& reload);
    // True once after an own write found that another computer had written just before:
    // what is shown is then older than the file and must be read again.
    bool takePendingReload();

    // The maintenance lock this computer holds, given back at the end of the run with its
    // message on failure.
    void holdMaintenance(HeldLock lock) { maintenance_ = std::move(lock); }
    bool maintenanceHeld() const { return maintenance_.held(); }
    void releaseMaintenanceAtExit();

private:
    bool raiseUpdateCounter();

    UserInterface& ui_;
    Sleeper& sleeper_;
    LockContext lockContext_;
    FolderExists exists_;
    NetworkMode mode_;
    FileLocks locks_;
    ChangeDetector changes_;
    HeldLock maintenance_;
    bool reloading_ = false;
    bool reloadPending_ = false;
};

}  // namespace velmo
