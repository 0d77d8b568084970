#include "store/line_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <random>

#include "store/cp932.h"
#include "store/file_helpers.h"

namespace fs = std::filesystem;

namespace velmo {

namespace {

constexpr int kReaderTries = 5;
constexpr std::chrono::milliseconds kReaderPause{500};
constexpr char kEndOfFile = 0x1A;

// Closes a descriptor on every path out.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports the result: a write error may only show up here.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

// Calls line(begin, length) for every line of a text already cut at its first 0x1A.
// Keeps the next CR and the next LF found so far, so each byte is scanned once
// even in files that use only one of them.
template <class Line>
void forEachLine(std::string_view text, Line&& line) {
    const char* const data = text.data();
    const std::size_t size = text.size();
    auto findFrom = [&](std::size_t from, char wanted) {
        const void* hit = std::memchr(data + from, wanted, size - from);
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - data) : size;
    };
    std::size_t nextCr = 0;
    std::size_t nextLf = 0;
    bool crKnown = false;
    bool lfKnown = false;
    std::size_t begin = 0;
    while (begin < size) {
        if (!crKnown || nextCr < begin) {
            nextCr = findFrom(begin, '\r');
            crKnown = true;
        }
        if (!lfKnown || nextLf < begin) {
            nextLf = findFrom(begin, '\n');
            lfKnown = true;
        }
        const std::size_t end = std::min(nextCr, nextLf);
        line(begin, end - begin);
        if (end == size)
            break;
        begin = end + 1;
        if (data[end] == '\r' && begin < size && data[begin] == '\n')
            ++begin;
    }
}

// Reads an ordinary file whole; nothing when it cannot be opened or read.
std::optional<std::string> readWholeFile(const fs::path& path) {
    FileDescriptor fd(::open(resolveCaseInsensitive(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid())
        return std::nullopt;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    std::string bytes;
    // One spare byte lets the read notice a file that grew since fstat.
    bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t filled = 0;
    while (true) {
        if (filled == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

std::string randomSuffix() {
    static constexpr std::string_view kAlphabet =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    std::string suffix(6, ' ');
    for (char& c : suffix)
        c = kAlphabet[pick(random)];
    return suffix;
}

// The file a write really replaces: the spelling already on disk, and the file a
// symbolic link points to (renaming over the link would replace the link itself).
fs::path writeTarget(const fs::path& path) {
    fs::path target = resolveCaseInsensitive(path);
    std::error_code ec;
    if (fs::is_symlink(target, ec)) {
        const fs::path real = fs::weakly_canonical(target, ec);
        if (!ec)
            target = real;
    }
    return target;
}

// One attempt at replacing a file: temporary file beside it, flushed, renamed over.
bool replaceOnce(const fs::path& target, std::string_view bytes) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // The leading "." and the ".tmp" end keep the file out of every mask the program scans.
    const std::string stem = "." + target.filename().string() + ".";
    struct stat existing {};
    const bool existed = ::stat(target.c_str(), &existing) == 0;

    fs::path temporary;
    int raw = -1;
    for (int attempt = 0; attempt < 10 && raw < 0; ++attempt) {
        temporary = folder / (stem + randomSuffix() + ".tmp");
        raw = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (raw < 0 && errno != EEXIST)
            return false;
    }
    FileDescriptor fd(raw);
    if (!fd.valid())
        return false;

    bool ok = writeAll(fd.get(), bytes);
    if (ok && existed) {
        // Keep the mode, and the owner where that is allowed (only for a privileged
        // user). Some network shares refuse both; that is no reason to give up the write.
        [[maybe_unused]] const int modeKept = ::fchmod(fd.get(), existing.st_mode & 07777);
        if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) {
            [[maybe_unused]] const int ownerKept =
                ::fchown(fd.get(), existing.st_uid, existing.st_gid);
        }
    }
    ok = ok && ::fsync(fd.get()) == 0;
    ok = fd.close() && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Make the rename itself durable; a folder that refuses fsync still has the file.
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid())
        ::fsync(dir.get());
    return true;
}

}  // namespace

LineList splitFileText(std::string_view bytes) {
    if (const void* end = std::memchr(bytes.data(), kEndOfFile, bytes.size())) {
        bytes =
            bytes.substr(0, static_cast<std::size_t>(static_cast<const char*>(end) - bytes.data()));
    }
    std::size_t count = 0;
    forEachLine(bytes, [&](std::size_t, std::size_t) { ++count; });
    LineList lines;
    lines.reserve(count);
    forEachLine(bytes, [&](std::size_t begin, std::size_t length) {
        lines.push_back(cp932::decode(bytes.substr(begin, length)));
    });
    return lines;
}

bool readLineFile(const fs::path& path, LineList& lines, UserInterface& ui, Sleeper& sleeper) {
    lines.clear();
    for (int attempt = 1; attempt <= kReaderTries; ++attempt) {
        if (std::optional<std::string> bytes = readWholeFile(path)) {
            lines = splitFileText(*bytes);
            return true;
        }
        if (attempt < kReaderTries)
            sleeper.sleep(kReaderPause);
    }
    ui.message("読込エラー[" + path.string() + "]");
    return false;
}

bool readLinesRetrying(const fs::path& path, LineList& lines, Retry retry, Sleeper& sleeper) {
    lines.clear();
    for (int attempt = 0; attempt < retry.tries; ++attempt) {
        if (std::optional<std::string> bytes = readWholeFile(path)) {
            lines = splitFileText(*bytes);
            return true;
        }
        sleeper.sleep(retry.pause);
    }
    return false;
}

WriteOutcome writeLinesRetrying(const fs::path& path, const LineList& lines, Retry retry,
                                Sleeper& sleeper) {
    std::string bytes;
    try {
        std::size_t size = 0;
        for (const std::string& line : lines)
            size += line.size() + 2;
        bytes.reserve(size);
        for (const std::string& line : lines) {
            bytes += cp932::encode(line);
            bytes += "\r\n";
        }
    } catch (const cp932::EncodeError&) {
        return WriteOutcome::Unencodable;
    }
    return writeFileAtomically(path, bytes, retry, sleeper) ? WriteOutcome::Written
                                                            : WriteOutcome::Failed;
}

bool writeFileAtomically(const fs::path& path, std::string_view bytes, Retry retry,
                         Sleeper& sleeper) {
    for (int attempt = 0; attempt < retry.tries; ++attempt) {
        if (replaceOnce(writeTarget(path), bytes))
            return true;
        sleeper.sleep(retry.pause);
    }
    return false;
}

}  // namespace velmo
