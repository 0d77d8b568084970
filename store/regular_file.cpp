#include "store/regular_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "store/file_calls.h"

namespace velmo {

OpenedFile openRegularFile(const std::filesystem::path& path, FileAccess access) {
    OpenedFile opened;
    const int mode = access == FileAccess::Read ? O_RDONLY : O_RDWR;
    opened.fd =
        FileDescriptor(fileCalls().open(path.c_str(), mode | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!opened.fd.valid()) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            opened.outcome = OpenOutcome::Missing;
        else if (error == EISDIR || error == ENXIO)
            opened.outcome = OpenOutcome::NotRegular;
        else
            opened.outcome = OpenOutcome::Failed;
        return opened;
    }
    if (::fstat(opened.fd.get(), &opened.status) != 0) {
        opened.fd = FileDescriptor(-1);
        opened.outcome = OpenOutcome::Failed;
        return opened;
    }
    if (!S_ISREG(opened.status.st_mode)) {
        opened.fd = FileDescriptor(-1);
        opened.outcome = OpenOutcome::NotRegular;
        return opened;
    }
    // Ordinary files never block; the flag only kept open() from waiting.
    const int flags = ::fcntl(opened.fd.get(), F_GETFL);
    if (flags >= 0)
        ::fcntl(opened.fd.get(), F_SETFL, flags & ~O_NONBLOCK);
    opened.outcome = OpenOutcome::Opened;
    return opened;
}

bool ownerMayWrite(const struct stat& status) {
    return (status.st_mode & S_IWUSR) != 0;
}

bool readAll(int fd, std::string& bytes) {
    char block[8192];
    while (true) {
        const ssize_t got = ::read(fd, block, sizeof block);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            return true;
        bytes.append(block, static_cast<std::size_t>(got));
    }
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = fileCalls().write(fd, bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

}  // namespace velmo
