#pragma once
// Makes chosen file system calls of the store's writers fail, or write less than asked,
// while every other call goes through to the real one:
//   FailingCalls fail;
//   fail.failNth(Call::Rename, 1, EBUSY);  // the first rename is refused, later ones work
// Calls are counted by kind from the moment the object exists. One at a time.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "store/file_calls.h"

namespace velmo::testing {

enum class Call { Open, CreateExclusive, Write, Fsync, Rename, Close, Unlink };

class FailingCalls {
public:
    FailingCalls() : guard_(table()) {
        EXPECT_EQ(active(), nullptr) << "one FailingCalls at a time";
        active() = this;
    }
    ~FailingCalls() { active() = nullptr; }
    FailingCalls(const FailingCalls&) = delete;
    FailingCalls& operator=(const FailingCalls&) = delete;

    // The nth call of that kind (counting from 1) fails with error and does nothing.
    void failNth(Call kind, int nth, int error) { failures_[{kind, nth}] = error; }
    // Every call of that kind from the nth on fails with error.
    void failFrom(Call kind, int nth, int error) { from_[kind] = {nth, error}; }
    // The nth write puts at most bytes bytes (at least one), as a nearly full disk or a
    // signal may; the caller has to write the rest.
    void shortenNthWrite(int nth, std::size_t bytes) { shortWrites_[nth] = bytes; }

    // Calls of that kind so far, failed ones included.
    int count(Call kind) const {
        const auto found = counts_.find(kind);
        return found == counts_.end() ? 0 : found->second;
    }
    // The paths opened, created or unlinked (for a rename, the name renamed), in call order.
    const std::vector<std::string>& paths(Call kind) { return paths_[kind]; }

private:
    static FailingCalls*& active() {
        static FailingCalls* current = nullptr;
        return current;
    }
    static FileCalls table() {
        return {
            [](const char* path, int flags) {
                return active()->fails(Call::Open, path) ? -1 : systemFileCalls().open(path, flags);
            },
            [](const char* path, int flags, mode_t mode) {
                return active()->fails(Call::CreateExclusive, path)
                           ? -1
                           : systemFileCalls().createExclusive(path, flags, mode);
            },
            [](int fd, const void* data, std::size_t size) -> ssize_t {
                FailingCalls& self = *active();
                if (self.fails(Call::Write, nullptr))
                    return -1;
                const auto cut = self.shortWrites_.find(self.count(Call::Write));
                if (cut != self.shortWrites_.end() && size > 1)
                    size = std::max<std::size_t>(1, std::min(size, cut->second));
                return systemFileCalls().write(fd, data, size);
            },
            [](int fd) {
                return active()->fails(Call::Fsync, nullptr) ? -1 : systemFileCalls().fsync(fd);
            },
            [](const char* from, const char* to) {
                return active()->fails(Call::Rename, from) ? -1
                                                           : systemFileCalls().rename(from, to);
            },
            [](int fd) {
                // Linux releases the descriptor even when close reports an error.
                const bool failed = active()->fails(Call::Close, nullptr);
                const int result = systemFileCalls().close(fd);
                return failed ? -1 : result;
            },
            [](const char* path) {
                return active()->fails(Call::Unlink, path) ? -1 : systemFileCalls().unlink(path);
            },
        };
    }

    // Counts the call and tells whether it is to fail; sets errno when it is.
    bool fails(Call kind, const char* path) {
        const int nth = ++counts_[kind];
        if (path)
            paths_[kind].emplace_back(path);
        std::optional<int> error;
        if (const auto found = failures_.find({kind, nth}); found != failures_.end())
            error = found->second;
        else if (const auto every = from_.find(kind);
                 every != from_.end() && nth >= every->second.first)
            error = every->second.second;
        if (!error)
            return false;
        errno = *error;
        return true;
    }

    std::map<std::pair<Call, int>, int> failures_;
    std::map<Call, std::pair<int, int>> from_;
    std::map<int, std::size_t> shortWrites_;
    std::map<Call, int> counts_;
    std::map<Call, std::vector<std::string>> paths_;
    ScopedFileCalls guard_;  // last: the real calls are back before the plans go
};

// The ways writing a file can fail after it was opened: a full disk, a write cut short
// after cutAt bytes and the disk full for the rest, and a refused flush.
struct WriteFault {
    const char* name;
    void (*plan)(FailingCalls& calls, std::size_t cutAt);
};
inline const std::vector<WriteFault>& writeFaults() {
    static const std::vector<WriteFault> faults = {
        {"full", [](FailingCalls& f, std::size_t) { f.failNth(Call::Write, 1, ENOSPC); }},
        {"cut",
         [](FailingCalls& f, std::size_t cutAt) {
             f.shortenNthWrite(1, cutAt);
             f.failNth(Call::Write, 2, ENOSPC);
         }},
        {"flush", [](FailingCalls& f, std::size_t) { f.failNth(Call::Fsync, 1, EIO); }},
    };
    return faults;
}

}  // namespace velmo::testing
