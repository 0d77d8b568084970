#pragma once
// The system calls through which store/ writes files and shared/ creates and deletes its
// lock files, gathered in one table so that a test can make any of them fail the way a
// full disk, a busy share or a signal does, and see the writers keep the old file and
// leave nothing behind. The table holds plain function pointers: a call costs one
// indirection, never a virtual call per byte.

#include <sys/types.h>

#include <cstddef>

namespace velmo {

struct FileCalls {
    // Opens an existing file or folder (flags as for open(2), never O_CREAT).
    int (*open)(const char* path, int flags);
    // Creates a file that must not exist yet: open(2) with O_CREAT | O_EXCL added.
    int (*createExclusive)(const char* path, int flags, mode_t mode);
    ssize_t (*write)(int fd, const void* data, std::size_t size);
    int (*fsync)(int fd);
    int (*rename)(const char* from, const char* to);
    int (*close)(int fd);
    // Removes a name (unlink(2)); the lock files are deleted through it.
    int (*unlink)(const char* path);
};

// The real POSIX calls.
const FileCalls& systemFileCalls();

// The table in use now, process-wide; the real calls unless a test replaced them.
const FileCalls& fileCalls();

// Installs a copy of a table for its lifetime and restores the previous one after.
// Guards nest; each must end in reverse order of its start (as scopes do).
class ScopedFileCalls {
public:
    explicit ScopedFileCalls(const FileCalls& calls);
    ~ScopedFileCalls();
    ScopedFileCalls(const ScopedFileCalls&) = delete;
    ScopedFileCalls& operator=(const ScopedFileCalls&) = delete;

private:
    FileCalls calls_;
    const FileCalls* previous_;
};

}  // namespace velmo
