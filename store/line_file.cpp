#include "store/line_file.h"
#include "core/crash_points.h"
#include "store/fresh_link.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>

#include "store/cp932.h"
#include "store/file_calls.h"
#include "store/file_descriptor.h"
#include "store/file_helpers.h"
#include "store/regular_file.h"
#include "store/temporary_files.h"

namespace fs = std::filesystem;

namespace velmo {

namespace {

constexpr int kReaderTries = 5;
constexpr std::chrono::milliseconds kReaderPause{500};
constexpr char kEndOfFile = 0x1A;
// Bytes decoded in one go; small enough to stay in the cache and be reused by malloc.
constexpr std::size_t kDecodeRun = std::size_t{64} * 1024;
// Bytes read at a time; the buffer is reused, so a large file costs no extra memory.
constexpr std::size_t kReadBlock = std::size_t{256} * 1024;
// Links followed before a chain counts as a loop (the kernel's own limit).
constexpr int kMaxLinkHops = 40;

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

// Decodes text made of whole lines (the last one may lack its terminator) and
// appends the lines. Whole runs of lines are decoded at a time: much faster than line
// by line, and the same result, because CR and LF are never trail bytes (a lead byte
// before a terminator is escaped alone either way) and UTF-8 has no other 0x0D or
// 0x0A. A run ends after a complete terminator, so CR LF is never cut in two.
void appendLines(std::string_view bytes, LineList& lines) {
    std::size_t begin = 0;
    while (begin < bytes.size()) {
        std::size_t end = begin + std::min(kDecodeRun, bytes.size() - begin);
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        if (end < bytes.size() && bytes[end++] == '\r' && end < bytes.size() &&
            bytes[end] == '\n') {
            ++end;
        }
        const std::string text = cp932::decode(bytes.substr(begin, end - begin));
        forEachLine(text, [&](std::size_t from, std::size_t length) {
            lines.emplace_back(text, from, length);
        });
        begin = end;
    }
}

// Where the complete lines of a text read so far end: after its last terminator,
// unless that is a CR at the very end, whose LF may still be coming. Before from
// there is no terminator but perhaps a held-back CR just before it.
std::size_t completeLinesEnd(std::string_view bytes, std::size_t from) {
    const std::size_t floor = from > 0 ? from - 1 : 0;
    std::size_t end = bytes.size();
    if (end > floor && bytes[end - 1] == '\r')
        --end;
    while (end > floor && bytes[end - 1] != '\r' && bytes[end - 1] != '\n')
        --end;
    return end > floor ? end : 0;
}

// Reads and decodes an ordinary file in blocks, handing on only complete lines, so
// that a large file never sits in memory twice; nothing when it cannot be opened or
// read to the end.
std::optional<LineList> readFileLines(const fs::path& path) {
    std::optional<FreshLink> link;
    const OpenedFile file =
        openRegularFile(freshReadPath(resolveCaseInsensitive(path), link), FileAccess::Read);
    if (file.outcome != OpenOutcome::Opened)
        return std::nullopt;
    const FileDescriptor& fd = file.fd;

    // A month file is a few kilobytes: a block of the file's size (and one byte more, to
    // see the end at once) spares clearing and mapping a quarter megabyte for each.
    const std::size_t block =
        std::min(kReadBlock, static_cast<std::size_t>(std::max<off_t>(file.status.st_size, 0)) + 1);
    LineList lines;
    std::string pending;  // bytes read but not yet handed on
    pending.reserve(2 * block);
    while (true) {
        const std::size_t kept = pending.size();
        pending.resize(kept + block);
        const ssize_t got = ::read(fd.get(), pending.data() + kept, block);
        pending.resize(kept + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (got == 0)
            break;
        if (const std::size_t eof = pending.find(kEndOfFile, kept); eof != std::string::npos) {
            pending.resize(eof);
            break;
        }
        const std::size_t complete = completeLinesEnd(pending, kept);
        appendLines(std::string_view(pending).substr(0, complete), lines);
        pending.erase(0, complete);
    }
    appendLines(pending, lines);
    return lines;
}

// The file a write really replaces: the spelling already on disk, and the file at the
// end of a chain of symbolic links, whether that file exists yet or not (renaming over
// a link would replace the link itself). Nothing for a loop of links.
std::optional<fs::path> writeTarget(const fs::path& path) {
    fs::path target = resolveCaseInsensitive(path);
    std::error_code ec;
    if (!fs::is_symlink(target, ec))
        return target;
    for (int hops = 0; fs::is_symlink(target, ec); ++hops) {
        const fs::path next = fs::read_symlink(target, ec);
        if (ec || hops == kMaxLinkHops)
            return std::nullopt;
        // A relative link counts from the folder holding it, as the kernel reads it.
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    const fs::path real = fs::weakly_canonical(target, ec);
    return ec ? target : real;
}

// One attempt at replacing a file: temporary file beside it, flushed, renamed over.
bool replaceOnce(const fs::path& target, std::string_view bytes, NewFileAccess access) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    struct stat existing {};
    const bool existed = ::stat(target.c_str(), &existing) == 0;
    if (existed && !ownerMayWrite(existing))
        return false;

    const FileCalls& calls = fileCalls();
    fs::path temporary;
    int raw = -1;
    for (int attempt = 0; attempt < 10 && raw < 0; ++attempt) {
        temporary = folder / newTemporaryName(target.filename().string());
        raw = calls.createExclusive(temporary.c_str(), O_WRONLY | O_CLOEXEC,
                                    access == NewFileAccess::OwnerOnly ? 0600 : 0666);
        if (raw < 0 && errno != EEXIST)
            return false;
    }
    FileDescriptor fd(raw);
    if (!fd.valid())
        return false;

    bool ok = writeAll(fd.get(), bytes);
    // The temporary file is always new, so an owner-only file needs nothing more.
    if (ok && existed && access == NewFileAccess::Umask) {
        // Keep the mode, and the owner where that is allowed (only for a privileged
        // user). Some network shares refuse both; that is no reason to give up the write.
        [[maybe_unused]] const int modeKept = ::fchmod(fd.get(), existing.st_mode & 07777);
        if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) {
            [[maybe_unused]] const int ownerKept =
                ::fchown(fd.get(), existing.st_uid, existing.st_gid);
        }
    }
    ok = ok && calls.fsync(fd.get()) == 0;
    ok = fd.close() && ok;
    if (ok)
        crashPoint("temporary-written");
    ok = ok && calls.rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Make the rename itself durable; a folder that refuses fsync still has the file.
    FileDescriptor dir(calls.open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid())
        calls.fsync(dir.get());
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
    appendLines(bytes, lines);
    return lines;
}

bool readLineFile(const fs::path& path, LineList& lines, UserInterface& ui, Sleeper& sleeper) {
    lines.clear();
    for (int attempt = 1; attempt <= kReaderTries; ++attempt) {
        if (std::optional<LineList> read = readFileLines(path)) {
            lines = std::move(*read);
            return true;
        }
        if (attempt < kReaderTries)
            sleeper.sleep(kReaderPause);
    }
    ui.message(readErrorText(path));
    return false;
}

std::string readErrorText(const fs::path& path) {
    return "読込エラー[" + path.string() + "]";
}

bool readLinesRetrying(const fs::path& path, LineList& lines, Retry retry, Sleeper& sleeper) {
    lines.clear();
    for (int attempt = 0; attempt < retry.tries; ++attempt) {
        if (std::optional<LineList> read = readFileLines(path)) {
            lines = std::move(*read);
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
                         Sleeper& sleeper, NewFileAccess access) {
    for (int attempt = 0; attempt < retry.tries; ++attempt) {
        const std::optional<fs::path> target = writeTarget(path);
        if (target && replaceOnce(*target, bytes, access))
            return true;
        sleeper.sleep(retry.pause);
    }
    return false;
}

}  // namespace velmo
