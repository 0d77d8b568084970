#pragma once
// A POSIX file descriptor closed on every path out.

#include <unistd.h>

#include <utility>

#include "store/file_calls.h"

namespace velmo {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            fileCalls().close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        if (this != &other) {
            if (fd_ >= 0)
                fileCalls().close(fd_);
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports the result: a write error may only show up here.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return fileCalls().close(fd) == 0;
    }

private:
    int fd_;
};

}  // namespace velmo
