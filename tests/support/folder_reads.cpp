#include "tests/support/folder_reads.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace velmo::testing {

FolderReads::FolderReads(const std::filesystem::path& folder)
    : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (fd_ < 0 || ::inotify_add_watch(fd_, folder.c_str(), IN_ACCESS | IN_OPEN | IN_CLOSE) < 0)
        throw std::runtime_error("inotify unavailable for " + folder.string());
}

FolderReads::~FolderReads() {
    ::close(fd_);
}

int FolderReads::take() {
    // Events are queued by the time the listing call returns; reading them all now
    // keeps the consecutive reads of one listing folded into one event.
    int listings = 0;
    alignas(inotify_event) char buffer[16 * 1024];
    while (true) {
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got <= 0)
            return listings;
        for (ssize_t at = 0; at < got;) {
            inotify_event event{};
            std::memcpy(&event, buffer + at, sizeof event);
            if ((event.mask & IN_ACCESS) && (event.mask & IN_ISDIR) && event.len == 0)
                ++listings;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
        }
    }
}

}  // namespace velmo::testing
