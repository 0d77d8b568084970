#pragma once
// The order every shared edit follows, so that two computers never write the same file
// at once and nobody edits a stale copy: maintenance test, lock, reload, lock again,
// edit and save, release. The months and the period list use it with their own lock
// files and reload steps.

#include <filesystem>
#include <functional>
#include <string>

#include "core/user_interface.h"

namespace velmo {

// What the protocol needs of the lock files; each call shows its own messages.
class LockOperations {
public:
    enum class Acquire { Acquired, HeldByOther, Failed };
    virtual ~LockOperations() = default;
    // True when the shared folder is in maintenance; the message is shown then.
    virtual bool maintenanceOn() = 0;
    virtual Acquire acquire(const std::string& lockFile) = 0;
    virtual bool release(const std::string& lockFile) = 0;
};

struct LockedEdit {
    std::string lockFile;
    // Opening the month memo skips it; every other edit is refused during maintenance.
    bool testMaintenance = true;
    // Reads the file again under the lock; false abandons the edit (the lock is released).
    std::function<bool()> reload;
    // The edit itself, saving what it changed.
    std::function<void()> edit;
};

enum class ProtocolOutcome {
    Done,           // the edit ran (it may have been cancelled by the user) and the lock is gone
    Abandoned,      // the reload found the data changed; the lock is gone
    Maintenance,    // maintenance is on; nothing was edited
    HeldByOther,    // another computer holds the lock; nothing was edited
    LockFailed,     // the lock file could not be read or written
    ReleaseFailed,  // the edit ran, but the lock file is still there (the user was told)
};

// The lock file guarding a data file: its name with ".lock" for ".myc"
// ("Ca202412.myc" → "Ca202412.lock", "CaFromTo.myc" → "CaFromTo.lock").
std::string lockFileFor(const std::filesystem::path& dataFile);

// True for the outcomes a caller may simply try again later.
bool worthRetrying(ProtocolOutcome outcome);

// "ロックファイル[" + path + "]を消去できませんでした。…": a lock left behind after an edit.
std::string lockNotRemovedMessage(const std::string& lockFile);

// Runs the edit under the lock. Maintenance is tested again after each acquire, so a
// maintenance that began in between is not missed. A second acquire that loses to
// another computer leaves that computer's lock alone.
ProtocolOutcome runLockedEdit(const LockedEdit& edit, LockOperations& locks, UserInterface& ui);

}  // namespace velmo
