#include "shared/lock_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <mutex>
#include <string_view>
#include <system_error>
#include <utility>

#include "core/crash_points.h"
#include "store/cp932.h"
#include "store/data_folders.h"
#include "store/file_calls.h"
#include "store/file_descriptor.h"
#include "store/file_helpers.h"
#include "store/regular_file.h"

namespace fs = std::filesystem;

namespace velmo {

namespace detail {

// An open lock file with its byte-range lock (when the file system has them).
struct LockHold {
    FileDescriptor fd{-1};
    dev_t device = 0;
    ino_t inode = 0;
};

}  // namespace detail

namespace {

using detail::LockHold;

// The byte the holder locks: far past any line a lock file holds, so that a share that
// enforces byte-range locks (SMB) never refuses another computer's read of line 1.
constexpr off_t kHoldByte = off_t{1} << 30;
// A line 1 longer than this is no computer name.
constexpr std::size_t kOwnerReadLimit = 4096;
// A create refused and an open that then finds nothing: the file went meanwhile (or only
// looked present, as a share's cached entry may); create once more within the attempt.
constexpr int kCreateRounds = 2;

// ---- the holds of this program ---------------------------------------------------------

// Every hold this program has, so that a second acquire of a lock it holds (whose
// byte-range lock its own first acquire blocks) knows the lock is its own.
struct HoldRegistry {
    std::mutex mutex;
    std::vector<std::weak_ptr<LockHold>> holds;
};

HoldRegistry& registry() {
    // Never destroyed: a hold may outlive static destruction at exit.
    static HoldRegistry& instance = *new HoldRegistry;
    return instance;
}

bool sameFile(const LockHold& hold, const struct stat& status) {
    return hold.fd.valid() && hold.device == status.st_dev && hold.inode == status.st_ino;
}

std::shared_ptr<LockHold> heldHere(const struct stat& status) {
    HoldRegistry& r = registry();
    const std::lock_guard guard(r.mutex);
    std::erase_if(r.holds, [](const std::weak_ptr<LockHold>& hold) { return hold.expired(); });
    for (const std::weak_ptr<LockHold>& entry : r.holds) {
        if (std::shared_ptr<LockHold> hold = entry.lock(); hold && sameFile(*hold, status))
            return hold;
    }
    return nullptr;
}

std::shared_ptr<LockHold> newHold(FileDescriptor fd, const struct stat* known) {
    auto hold = std::make_shared<LockHold>();
    struct stat status {};
    if (known)
        status = *known;
    else if (::fstat(fd.get(), &status) != 0)
        status = {};
    hold->fd = std::move(fd);
    hold->device = status.st_dev;
    hold->inode = status.st_ino;
    HoldRegistry& r = registry();
    const std::lock_guard guard(r.mutex);
    r.holds.push_back(hold);
    return hold;
}

// Closes the hold: its byte-range lock goes with the descriptor.
void endHold(LockHold& hold) {
    HoldRegistry& r = registry();
    const std::lock_guard guard(r.mutex);
    hold.fd = FileDescriptor(-1);
}

void endHoldsOf(const struct stat& status) {
    HoldRegistry& r = registry();
    const std::lock_guard guard(r.mutex);
    for (const std::weak_ptr<LockHold>& entry : r.holds) {
        if (std::shared_ptr<LockHold> hold = entry.lock(); hold && sameFile(*hold, status))
            hold->fd = FileDescriptor(-1);
    }
}

// ---- byte-range locks ------------------------------------------------------------------

struct flock holdRange(short type) {
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = kHoldByte;
    range.l_len = 1;
    return range;
}

enum class HoldAttempt { Held, Busy, NoLocks };

// Takes the hold's byte on an open file: a write lock when the file is open for writing,
// else a read lock (it still keeps every writer out).
HoldAttempt takeHoldByte(int fd, bool writable) {
    struct flock range = holdRange(writable ? F_WRLCK : F_RDLCK);
    while (::fcntl(fd, F_OFD_SETLK, &range) != 0) {
        if (errno == EINTR)
            continue;
        return errno == EAGAIN || errno == EACCES ? HoldAttempt::Busy : HoldAttempt::NoLocks;
    }
    return HoldAttempt::Held;
}

// True when some open file other than this one holds the hold's byte.
bool holdByteTaken(int fd) {
    struct flock range = holdRange(F_WRLCK);
    return ::fcntl(fd, F_OFD_GETLK, &range) == 0 && range.l_type != F_UNLCK;
}

// ---- reading and creating --------------------------------------------------------------

// Line 1 of an open lock file, when it is whole and not empty.
std::optional<std::string> firstLine(int fd) {
    std::string bytes;
    char block[512];
    while (bytes.size() < kOwnerReadLimit) {
        const ssize_t got = ::read(fd, block, sizeof block);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (got == 0)
            break;
        bytes.append(block, static_cast<std::size_t>(got));
        if (bytes.find_first_of("\r\n") != std::string::npos)
            break;
    }
    // Only a terminator shows that the name is whole: "PC1" may be "PC12" half written.
    const std::size_t end = bytes.find_first_of("\r\n");
    if (end == std::string::npos || end == 0)
        return std::nullopt;
    return cp932::decode(std::string_view(bytes).substr(0, end));
}

struct OwnerRead {
    OpenOutcome outcome = OpenOutcome::Failed;
    std::optional<std::string> owner;  // line 1, when whole and not empty
    FileDescriptor fd{-1};             // the file, when opened
    bool writable = false;
    struct stat status {};
};

// Opens an existing lock file without blocking and reads its line 1. forHolding opens it
// for writing where that is allowed, so that a write lock can be taken on it.
OwnerRead readOwnerOf(const fs::path& path, bool forHolding) {
    OwnerRead read;
    OpenedFile file = openRegularFile(path, forHolding ? FileAccess::ReadWrite : FileAccess::Read);
    read.writable = forHolding;
    if (forHolding && file.outcome == OpenOutcome::Failed) {
        file = openRegularFile(path, FileAccess::Read);
        read.writable = false;
    }
    read.outcome = file.outcome;
    if (file.outcome != OpenOutcome::Opened)
        return read;
    read.status = file.status;
    read.owner = firstLine(file.fd.get());
    read.fd = std::move(file.fd);
    return read;
}

// The bytes of a lock naming the computer: the name and CR LF. Nothing for a name that
// no lock file can hold (a character CP932 lacks, or a line break).
std::optional<std::string> lockBytes(const std::string& ownName) {
    if (ownName.empty() || ownName.find_first_of("\r\n") != std::string::npos)
        return std::nullopt;
    try {
        return cp932::encode(ownName) + "\r\n";
    } catch (const cp932::EncodeError&) {
        return std::nullopt;
    }
}

enum class Create { Created, Refused, Failed };

// The exclusive create of a lock: the hold's byte is locked before the name goes in, so
// another program of this computer never sees its own name in a file it could take.
Create createLock(const fs::path& path, std::string_view bytes, std::shared_ptr<LockHold>& hold) {
    const FileCalls& calls = fileCalls();
    FileDescriptor fd(calls.createExclusive(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC, 0666));
    if (!fd.valid())
        return Create::Refused;  // whatever the reason: read the owner
    const bool ok = takeHoldByte(fd.get(), true) != HoldAttempt::Busy &&
                    writeAll(fd.get(), bytes) && calls.fsync(fd.get()) == 0;
    if (!ok) {
        // Still open and locked while it goes, so nobody takes the half file meanwhile.
        calls.unlink(path.c_str());
        return Create::Failed;
    }
    hold = newHold(std::move(fd), nullptr);
    return Create::Created;
}

struct Owner {
    std::optional<std::string> name;  // nothing: cannot tell ("false")
    std::shared_ptr<LockHold> hold;   // the own name: this program's hold of the file
};

// True while the name still leads to the file that was opened.
bool stillAt(const fs::path& path, const struct stat& opened) {
    struct stat now {};
    return ::stat(path.c_str(), &now) == 0 && now.st_dev == opened.st_dev &&
           now.st_ino == opened.st_ino;
}

// An existing file naming this computer: this program's own lock, a lock left by a
// program of this computer that is gone (taken over), or the lock of one that runs (not
// to be taken: unknown).
Owner takeOwn(const fs::path& path, OwnerRead& read, const std::string& ownName) {
    if (std::shared_ptr<LockHold> mine = heldHere(read.status))
        return {ownName, std::move(mine)};
    if (takeHoldByte(read.fd.get(), read.writable) == HoldAttempt::Busy)
        return {};
    // The holder may have deleted the file and let go of it just after it was read: a
    // hold of a file no longer there would guard nothing.
    if (!stillAt(path, read.status))
        return {};
    return {ownName, newHold(std::move(read.fd), &read.status)};
}

// The read-or-create owner, holding what it takes.
Owner readOrCreate(const fs::path& requested, const std::string& ownName) {
    const std::optional<std::string> bytes = lockBytes(ownName);
    for (int round = 0; round < kCreateRounds; ++round) {
        const fs::path path = resolveCaseInsensitive(requested);
        if (bytes) {
            std::shared_ptr<LockHold> hold;
            switch (createLock(path, *bytes, hold)) {
                case Create::Created:
                    return {ownName, std::move(hold)};
                case Create::Failed:
                    return {};
                case Create::Refused:
                    break;
            }
        }
        OwnerRead read = readOwnerOf(path, true);
        if (read.outcome == OpenOutcome::Missing)
            continue;
        if (read.outcome != OpenOutcome::Opened || !read.owner)
            return {};
        if (*read.owner != ownName)
            return {std::move(read.owner), nullptr};
        return takeOwn(path, read, ownName);
    }
    return {};
}

// ---- release ---------------------------------------------------------------------------

// The owner as the release sees it: nothing when it cannot tell, or when the own name is
// there but another program of this computer holds the file.
std::optional<std::string> ownerToRelease(const OwnerRead& read, const std::string& ownName) {
    if (read.outcome != OpenOutcome::Opened || !read.owner)
        return std::nullopt;
    if (*read.owner == ownName && !heldHere(read.status) && holdByteTaken(read.fd.get()))
        return std::nullopt;
    return read.owner;
}

// A deletion the file system refused (the file stays) rather than one that went wrong.
bool refusedDeletion(int error) {
    return error == EACCES || error == EPERM || error == EBUSY || error == EROFS ||
           error == ETXTBSY;
}

bool releaseByPath(const fs::path& requested, const std::string& ownName,
                   std::chrono::milliseconds wait, int retries, const LockContext& context) {
    const std::string name = lockDisplayName(requested);
    bool released = false;
    for (int pass = 0; pass <= retries; ++pass) {
        const fs::path path = resolveCaseInsensitive(requested);
        OwnerRead read = readOwnerOf(path, false);
        if (read.outcome == OpenOutcome::Missing) {
            released = true;
            break;
        }
        const std::optional<std::string> owner = ownerToRelease(read, ownName);
        if (!owner) {
            if (pass >= 1)
                context.status.show("[" + name + "]ロックＯｆｆ処理待機中", StatusColour::Fuchsia);
            context.sleeper.sleep(wait);
            if (pass < retries)
                continue;
        } else if (*owner != ownName) {
            context.status.show("[" + name + "]他のコンピュータがロック中", StatusColour::Fuchsia);
            context.ui.message("他のコンピュータ(" + *owner +
                               ")にロックファイルの内容が変わっています\r\n"
                               "ベルモ管理者にご連絡下さい。");
            break;
        }
        if (pass == retries) {
            context.status.show("[" + name + "]ロックＯｆｆ失敗", StatusColour::Red);
            context.ui.message("ロックファイル[" + path.string() +
                               "]の削除に失敗しました。\r\nベルモ管理者にご連絡下さい。");
            break;
        }
        read.fd = FileDescriptor(-1);  // some shares refuse to delete a file open here
        if (fileCalls().unlink(path.c_str()) == 0 || errno == ENOENT) {
            endHoldsOf(read.status);
            released = true;
            break;
        }
        const bool refused = refusedDeletion(errno);
        if (pass >= 1) {
            context.status.show(
                "[" + name +
                    (refused ? "]ロックＯｆｆ処理待機中(2)" : "]ロックＯｆｆ処理待機中(3)"),
                StatusColour::Fuchsia);
        }
        context.sleeper.sleep(wait);
    }
    context.status.clear();
    return released;
}

}  // namespace

// Builds and opens held locks for the functions of this file.
struct LockAccess {
    static HeldLock make(fs::path path, std::shared_ptr<LockHold> hold) {
        return HeldLock(std::move(path), std::move(hold));
    }
    static const std::shared_ptr<LockHold>& hold(const HeldLock& lock) { return lock.hold_; }
};

HeldLock::HeldLock() = default;
HeldLock::~HeldLock() = default;
HeldLock::HeldLock(HeldLock&&) noexcept = default;
HeldLock& HeldLock::operator=(HeldLock&&) noexcept = default;
HeldLock::HeldLock(fs::path path, std::shared_ptr<detail::LockHold> hold)
    : path_(std::move(path)), hold_(std::move(hold)) {}

bool HeldLock::held() const {
    if (!hold_)
        return false;
    const std::lock_guard guard(registry().mutex);
    return hold_->fd.valid();
}

std::string monthLockFileName(int year, int month) {
    char name[32];
    std::snprintf(name, sizeof name, "Ca%.4d%.2d.lock", year, month);
    return name;
}

std::string lockDisplayName(const fs::path& lockPath) {
    return fs::path(lockPath.filename()).replace_extension(".myc").string();
}

fs::path sharedLockFolder(const fs::path& sharedFolder) {
    return sharedFolder / dataSetFolder(1);
}

std::vector<fs::path> lockFilesIn(const fs::path& folder) {
    std::vector<fs::path> locks = matchingEntries(folder / "*.lock");
    std::erase_if(locks, [](const fs::path& entry) {
        std::error_code ec;
        return fs::is_directory(entry, ec);
    });
    return locks;
}

bool lockFilePresent(const fs::path& lockPath) {
    const std::optional<fs::path> found =
        findCaseInsensitive(lockPath.parent_path(), lockPath.filename().string());
    return found && openRegularFile(*found, FileAccess::Read).outcome != OpenOutcome::Missing;
}

std::optional<std::string> readLockOwner(const fs::path& lockPath) {
    return readOwnerOf(resolveCaseInsensitive(lockPath), false).owner;
}

std::string readOrCreateOwner(const fs::path& lockPath, const std::string& ownName) {
    // A hold taken here ends with the answer: the file stays, without a hold, as a program
    // that ended leaves it. One this program had before is kept.
    return readOrCreate(lockPath, ownName).name.value_or(kOwnerUnknown);
}

LockResult acquireLock(const fs::path& lockPath, const std::string& ownName,
                       std::chrono::milliseconds wait, int retries, const LockContext& context) {
    LockResult result;
    const std::string name = lockDisplayName(lockPath);
    if (!lockBytes(ownName)) {
        context.ui.message("コンピュータ名が不明です。\r\n中止します。");
        context.status.clear();
        result.outcome = LockOutcome::NoComputerName;
        return result;
    }
    result.outcome = LockOutcome::Failed;
    for (int attempt = 0; attempt <= retries; ++attempt) {
        Owner owner = readOrCreate(lockPath, ownName);
        if (!owner.name) {
            if (attempt >= 1)
                context.status.show("[" + name + "]書込権限取得のため待機中",
                                    StatusColour::Fuchsia);
            context.sleeper.sleep(wait);
            continue;
        }
        if (*owner.name == ownName) {
            crashPoint("lock-created");
            result.outcome = LockOutcome::Acquired;
            result.held = LockAccess::make(lockPath, std::move(owner.hold));
            break;
        }
        context.status.show("[" + name + "]他のコンピュータがロック中", StatusColour::Fuchsia);
        context.ui.message("他のコンピュータ【" + *owner.name +
                           "】がデータをロックしています。\r\n"
                           "しばらくしてから、もう一度お願いいたします。");
        result.outcome = LockOutcome::HeldByOther;
        result.owner = std::move(*owner.name);
        break;
    }
    if (result.outcome == LockOutcome::Failed) {
        context.status.show("[" + name + "]ロック失敗", StatusColour::Red);
        context.ui.message("[" + name +
                           "]のロックに失敗しました。\r\n"
                           "頻繁に出現しましたら、ベルモ管理者にご連絡下さい。");
    }
    context.status.clear();
    return result;
}

bool releaseLock(HeldLock lock, const std::string& ownName, std::chrono::milliseconds wait,
                 int retries, const LockContext& context) {
    if (lock.path().empty())
        return true;
    const bool released = releaseByPath(lock.path(), ownName, wait, retries, context);
    // Deleted first, closed after: no program of this computer takes the file between.
    if (const std::shared_ptr<LockHold>& hold = LockAccess::hold(lock))
        endHold(*hold);
    return released;
}

bool releaseLock(const fs::path& lockPath, const std::string& ownName,
                 std::chrono::milliseconds wait, int retries, const LockContext& context) {
    return releaseByPath(lockPath, ownName, wait, retries, context);
}

bool deleteLockFile(const fs::path& lockPath) {
    struct stat status {};
    const bool known = ::lstat(lockPath.c_str(), &status) == 0;
    if (fileCalls().unlink(lockPath.c_str()) != 0 && errno != ENOENT)
        return false;
    if (known)
        endHoldsOf(status);
    return true;
}

}  // namespace velmo
