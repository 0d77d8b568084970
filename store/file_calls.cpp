#include "store/file_calls.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>

namespace velmo {

namespace {

int openExisting(const char* path, int flags) {
    return ::open(path, flags);
}

int createNew(const char* path, int flags, mode_t mode) {
    return ::open(path, flags | O_CREAT | O_EXCL, mode);
}

ssize_t writeSome(int fd, const void* data, std::size_t size) {
    return ::write(fd, data, size);
}

int flushToDisk(int fd) {
    return ::fsync(fd);
}

int renameOver(const char* from, const char* to) {
    return ::rename(from, to);
}

int closeDescriptor(int fd) {
    return ::close(fd);
}

int removeName(const char* path) {
    return ::unlink(path);
}

constexpr FileCalls kSystemCalls{openExisting, createNew,       writeSome, flushToDisk,
                                 renameOver,   closeDescriptor, removeName};

// Atomic so that a writer on another thread sees either table whole, never a torn one.
std::atomic<const FileCalls*> current{&kSystemCalls};

}  // namespace

const FileCalls& systemFileCalls() {
    return kSystemCalls;
}

const FileCalls& fileCalls() {
    return *current.load(std::memory_order_acquire);
}

ScopedFileCalls::ScopedFileCalls(const FileCalls& calls)
    : calls_(calls), previous_(current.exchange(&calls_, std::memory_order_acq_rel)) {}

ScopedFileCalls::~ScopedFileCalls() {
    current.store(previous_, std::memory_order_release);
}

}  // namespace velmo
