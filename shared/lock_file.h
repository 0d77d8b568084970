#pragma once
// The lock files of the shared data folder. A lock file names, in its one
// line (CP932, ended by CR LF), the computer that is writing the data file it guards.
// Several computers coordinate only through these files, so every step here is built to
// survive a network share:
//
// - A lock is taken by an exclusive create (O_CREAT | O_EXCL), never by a check followed
//   by a create, and never by a temporary file and a rename (a rename replaces what is
//   there). The name and its CR LF go down in one write and are flushed. Any failed
//   create (EEXIST, but sshfs may answer EPERM for a file that exists) means "read the
//   owner", never an error.
// - A line 1 is only believed when its terminator is there: a reader that meets a file
//   half written ("PC1" of "PC12") takes it as unreadable and waits, as for a file
//   another computer is still writing.
// - Two programs of one computer carry the same name, so the name alone cannot tell
//   them apart. The holder therefore keeps its lock file open with an open file
//   description lock (fcntl F_OFD_SETLK) on one byte far past the end of the file (a
//   share that enforces byte-range locks never refuses another computer's read of line
//   1). A program that finds its own name tries to take that lock: when another program
//   of this computer holds it, the owner counts as unreadable; a lock left by a program
//   that died holds no such lock any more and is taken again at once. Within one
//   program the plain rule stands: its own name there means the lock is its own, so
//   the editing protocol can take a lock twice in a row. On a file system without
//   byte-range locks the name alone decides.
// - A file that just went away may still look present for a while (sshfs caches
//   directory entries): a create refused and an open that then finds nothing create
//   again once; a release that finds nothing has nothing to do.

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/user_interface.h"
#include "shared/status_line.h"

namespace velmo {

inline constexpr const char* kMaintenanceLockFileName = "mente.lock";
// The waits and retries the callers use.
inline constexpr std::chrono::milliseconds kLockWait{300};
inline constexpr int kAcquireRetries = 5;
inline constexpr int kEditorReleaseRetries = 10;
inline constexpr int kMaintenanceReleaseRetries = 5;
// What the read-or-create owner answers when it cannot tell the owner.
inline constexpr const char* kOwnerUnknown = "false";

// "Ca%.4d%.2d.lock", e.g. "Ca201305.lock": the lock of that month's file.
std::string monthLockFileName(int year, int month);

// The name messages give a lock: the file's name with its extension changed to ".myc"
// (Ca201305.lock → Ca201305.myc, mente.lock → mente.myc).
std::string lockDisplayName(const std::filesystem::path& lockPath);

// The folder of the month and period locks in network mode: the shared folder's
// "Data/Files1/", whatever data set the computer uses locally.
std::filesystem::path sharedLockFolder(const std::filesystem::path& sharedFolder);

// The lock files of a folder: every entry but a folder whose name matches "*.lock"
// (ignoring case), in name order (byte order). None when the folder cannot be listed.
std::vector<std::filesystem::path> lockFilesIn(const std::filesystem::path& folder);

// True when something is at the lock's name (found ignoring case) and it does not turn
// out to be gone when opened. Never blocks, even on a pipe.
bool lockFilePresent(const std::filesystem::path& lockPath);

// Line 1 of an existing lock file, decoded: nothing when there is no such file, when it
// cannot be opened or read, is empty, or its line 1 lacks its terminator (half written).
// Opens without blocking and reads at most a few kilobytes.
std::optional<std::string> readLockOwner(const std::filesystem::path& lockPath);

namespace detail {
struct LockHold;
}

// This program's hold of a lock file: the file kept open with its byte-range lock, so
// that another program of this computer, finding the same name in the file, knows the
// lock is taken. Given by a successful acquire and given up by the release, which
// deletes the file first and closes it after. Destroyed without a release, it closes
// the file and leaves it in place, exactly like a program that died: this computer may
// take it again, every other computer is refused until the forced unlock.
// A second acquire of the same lock in this program shares the first one's hold; the
// release of either ends it for both.
class HeldLock {
public:
    HeldLock();
    ~HeldLock();
    HeldLock(HeldLock&&) noexcept;
    HeldLock& operator=(HeldLock&&) noexcept;
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

    // True while this program holds the lock file open.
    bool held() const;
    // The lock file acquired; empty for a lock never acquired.
    const std::filesystem::path& path() const { return path_; }

private:
    friend struct LockAccess;
    HeldLock(std::filesystem::path path, std::shared_ptr<detail::LockHold> hold);

    std::filesystem::path path_;
    std::shared_ptr<detail::LockHold> hold_;
};

// Read or create the owner: creates the lock naming ownName and answers
// ownName, or answers line 1 of the lock already there; kOwnerUnknown when that cannot
// be read, is empty or half written, when the create's write or flush failed (the half
// file is removed again), or when the own name is there but another program of this
// computer holds the lock. The file is not held afterwards (a building block for tests
// and tools; acquireLock holds what it takes).
std::string readOrCreateOwner(const std::filesystem::path& lockPath, const std::string& ownName);

// Where the lock procedures show progress and trouble and how they wait.
struct LockContext {
    UserInterface& ui;
    StatusLine& status;
    Sleeper& sleeper;
};

enum class LockOutcome {
    Acquired,
    HeldByOther,     // another computer's name is in the file (see owner): try again later
    Failed,          // unreadable on every attempt ("ロック失敗")
    NoComputerName,  // the own name is empty, or no lock file could hold it (a line break,
                     // a character CP932 lacks): "コンピュータ名が不明です。"
};

struct LockResult {
    LockOutcome outcome = LockOutcome::Failed;
    std::string owner;  // HeldByOther: the other computer's name
    HeldLock held;      // Acquired: the lock this program now holds
    bool acquired() const { return outcome == LockOutcome::Acquired; }
};

// Acquire lock: retries + 1 attempts, wait apart, with the status texts and
// messages; the status text is removed at the end in every case. Callers use kLockWait
// and kAcquireRetries. Succeeds again while this program already holds the lock (the
// editing protocol's second acquire), rereading the file each time.
LockResult acquireLock(const std::filesystem::path& lockPath, const std::string& ownName,
                       std::chrono::milliseconds wait, int retries, const LockContext& context);

// Release lock: passes 0 … retries with its status texts and messages; true when
// the file is gone. Deletes only a file that names this computer and that no other
// program of this computer holds; a file another computer rewrote is left in place.
// Takes the lock by value: its hold ends whatever the outcome. A lock never acquired
// (no path) has nothing to release.
bool releaseLock(HeldLock lock, const std::string& ownName, std::chrono::milliseconds wait,
                 int retries, const LockContext& context);
// The same for a lock named by its path (a tool, or a lock a program left behind); a
// hold this program has of the deleted file ends with it.
bool releaseLock(const std::filesystem::path& lockPath, const std::string& ownName,
                 std::chrono::milliseconds wait, int retries, const LockContext& context);

// Deletes a lock file at once, without reading it (the forced unlock). A file already
// gone counts as deleted; a hold this program has of it ends.
bool deleteLockFile(const std::filesystem::path& lockPath);

}  // namespace velmo
