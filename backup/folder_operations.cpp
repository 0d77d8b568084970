#include "backup/folder_operations.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>
#include <vector>

#include "calendar/comma_text.h"
#include "core/crash_points.h"
#include "store/file_calls.h"
#include "store/file_descriptor.h"
#include "store/file_helpers.h"
#include "store/regular_file.h"

namespace fs = std::filesystem;

namespace velmo {

namespace {

constexpr std::size_t kBlockSize = 1 << 16;

// What a folder walk looks at: never through a link.
enum class Kind { Folder, File, Link, Other, Missing };

Kind kindOf(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (error || !fs::exists(status))
        return Kind::Missing;
    if (fs::is_symlink(status))
        return Kind::Link;
    if (fs::is_directory(status))
        return Kind::Folder;
    if (fs::is_regular_file(status))
        return Kind::File;
    return Kind::Other;
}

// The names in a folder, sorted, so copies and comparisons run in a fixed order.
std::optional<std::vector<fs::path>> entriesOf(const fs::path& folder) {
    std::error_code error;
    std::vector<fs::path> names;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename());
    if (error)
        return std::nullopt;
    std::sort(names.begin(), names.end());
    return names;
}

std::uint64_t bytesBelow(const fs::path& folder) {
    std::uint64_t total = 0;
    std::error_code error;
    for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) == 0 && S_ISREG(st.st_mode))
            total += static_cast<std::uint64_t>(st.st_size);
    }
    return total;
}

struct TreeCopy {
    const CopyProgress& progress;
    std::uint64_t total = 0;
    std::uint64_t done = 0;
    // Folders whose permissions and times are set once their contents are in: a
    // read-only folder would refuse its own files, and every file written would move
    // the folder's time again.
    std::vector<std::pair<fs::path, struct stat>> folders;

    bool copyFile(const fs::path& from, const fs::path& to) {
        const OpenedFile source = openRegularFile(from, FileAccess::Read);
        if (source.outcome != OpenOutcome::Opened)
            return false;
        const FileCalls& calls = fileCalls();
        FileDescriptor target(calls.createExclusive(to.c_str(), O_WRONLY | O_CLOEXEC, 0600));
        if (!target.valid())
            return false;
        std::string block(kBlockSize, '\0');
        while (true) {
            const ssize_t got = ::read(source.fd.get(), block.data(), block.size());
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return false;
            if (got == 0)
                break;
            if (!writeAll(target.get(), std::string_view(block.data(), got)))
                return false;
            done += static_cast<std::uint64_t>(got);
            if (progress.report)
                progress.report(done, total);
        }
        const struct timespec times[2] = {source.status.st_atim, source.status.st_mtim};
        if (::fchmod(target.get(), source.status.st_mode & 07777) != 0 ||
            ::futimens(target.get(), times) != 0 || calls.fsync(target.get()) != 0)
            return false;
        return target.close();
    }

    bool copyLink(const fs::path& from, const fs::path& to) {
        std::error_code error;
        const fs::path target = fs::read_symlink(from, error);
        if (!error)
            fs::create_symlink(target, to, error);
        return !error;
    }

    bool copyFolder(const fs::path& from, const fs::path& to) {
        struct stat st {};
        if (::lstat(from.c_str(), &st) != 0 || ::mkdir(to.c_str(), 0700) != 0)
            return false;
        folders.emplace_back(to, st);
        const auto names = entriesOf(from);
        if (!names)
            return false;
        for (const fs::path& name : *names) {
            bool ok = true;
            switch (kindOf(from / name)) {
                case Kind::Folder:
                    ok = copyFolder(from / name, to / name);
                    break;
                case Kind::File:
                    ok = copyFile(from / name, to / name);
                    if (ok)
                        crashPoint("backup-file-copied");
                    break;
                case Kind::Link:
                    ok = copyLink(from / name, to / name);
                    break;
                case Kind::Other:
                    break;
                case Kind::Missing:
                    ok = false;
                    break;  // vanished while being copied
            }
            if (!ok)
                return false;
        }
        return true;
    }

    bool finishFolders() {
        // Innermost first, so setting a folder's time is not undone by its children.
        for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
            const struct timespec times[2] = {it->second.st_atim, it->second.st_mtim};
            if (::chmod(it->first.c_str(), it->second.st_mode & 07777) != 0 ||
                ::utimensat(AT_FDCWD, it->first.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0)
                return false;
        }
        return true;
    }
};

}  // namespace

bool sameFile(const fs::path& a, const fs::path& b) {
    const OpenedFile first = openRegularFile(a, FileAccess::Read);
    const OpenedFile second = openRegularFile(b, FileAccess::Read);
    if (first.outcome != OpenOutcome::Opened || second.outcome != OpenOutcome::Opened ||
        first.status.st_size != second.status.st_size)
        return false;
    std::string one(kBlockSize, '\0');
    std::string two(kBlockSize, '\0');
    while (true) {
        const ssize_t got = ::read(first.fd.get(), one.data(), one.size());
        if (got < 0)
            return false;
        // Regular files give full blocks until the end, so equal files read alike.
        const ssize_t other = got == 0 ? ::read(second.fd.get(), two.data(), 1)
                                       : ::read(second.fd.get(), two.data(), got);
        if (got == 0)
            return other == 0;
        if (other != got || std::memcmp(one.data(), two.data(), got) != 0)
            return false;
    }
}

namespace {

// Lets the owner empty a folder that is being deleted anyway (copies keep read-only
// folders read-only).
void allowRemovingContents(const fs::path& folder) {
    struct stat st {};
    if (::lstat(folder.c_str(), &st) == 0 && (st.st_mode & S_IRWXU) != S_IRWXU)
        ::chmod(folder.c_str(), st.st_mode | S_IRWXU);
}

bool removeBelow(const fs::path& path) {
    const Kind kind = kindOf(path);
    if (kind == Kind::Missing)
        return true;
    if (kind != Kind::Folder)
        return fileCalls().unlink(path.c_str()) == 0;
    allowRemovingContents(path);
    const auto names = entriesOf(path);
    if (!names)
        return false;
    bool ok = true;
    for (const fs::path& name : *names)
        ok = removeBelow(path / name) && ok;
    return ok && ::rmdir(path.c_str()) == 0;
}

bool matchesAny(const std::string& name, const std::vector<std::string>& masks) {
    return std::any_of(masks.begin(), masks.end(),
                       [&](const std::string& mask) { return matchesMask(name, mask); });
}

}  // namespace

std::optional<std::vector<fs::path>> matchingFileNames(const fs::path& folder,
                                                       std::string_view masks) {
    const std::vector<std::string> maskList = splitCommaText(masks);
    auto names = entriesOf(folder);
    if (!names)
        return std::nullopt;
    std::erase_if(*names, [&](const fs::path& name) {
        return !matchesAny(name.string(), maskList) || kindOf(folder / name) != Kind::File;
    });
    return names;
}

bool copyFolderTree(const fs::path& source, const fs::path& destination,
                    const CopyProgress& progress) {
    std::error_code error;
    if (!fs::is_directory(source, error) || kindOf(destination) != Kind::Missing)
        return false;
    TreeCopy copy{progress, 0, 0, {}};
    copy.total = bytesBelow(source);
    if (copy.copyFolder(source, destination) && copy.finishFolders())
        return true;
    removeFolderTree(destination);
    return false;
}

bool sameTree(const fs::path& original, const fs::path& copy) {
    const auto left = entriesOf(original);
    const auto right = entriesOf(copy);
    if (!left || !right)
        return false;
    auto relevant = [](const fs::path& folder, std::vector<fs::path> names) {
        std::erase_if(names,
                      [&](const fs::path& name) { return kindOf(folder / name) == Kind::Other; });
        return names;
    };
    const std::vector<fs::path> names = relevant(original, *left);
    if (names != relevant(copy, *right))
        return false;
    for (const fs::path& name : names) {
        const fs::path a = original / name;
        const fs::path b = copy / name;
        const Kind kind = kindOf(a);
        if (kind != kindOf(b))
            return false;
        std::error_code error;
        const bool same = kind == Kind::Folder ? sameTree(a, b)
                          : kind == Kind::File ? sameFile(a, b)
                          : kind == Kind::Link
                              ? fs::read_symlink(a, error) == fs::read_symlink(b, error) && !error
                              : false;
        if (!same)
            return false;
    }
    return true;
}

std::optional<int> copyMatching(const fs::path& source, std::string_view masks,
                                const fs::path& destination) {
    const auto files = matchingFileNames(source, masks);
    if (!files || !createFolderChain(destination))
        return std::nullopt;
    for (const fs::path& name : *files) {
        if (!copyFile(source / name, destination / name))
            return std::nullopt;
    }
    return static_cast<int>(files->size());
}

bool anyMatching(const fs::path& folder, std::string_view masks) {
    const auto files = matchingFileNames(folder, masks);
    return files && !files->empty();
}

bool moveFolder(const fs::path& from, const fs::path& to) {
    if (kindOf(from) == Kind::Missing || kindOf(to) != Kind::Missing)
        return false;
    if (fileCalls().rename(from.c_str(), to.c_str()) == 0)
        return true;
    if (errno != EXDEV)
        return false;
    if (!copyFolderTree(from, to))
        return false;
    if (!sameTree(from, to)) {
        removeFolderTree(to);
        return false;
    }
    // The copy is complete and verified; a source that will not go entirely is reported,
    // with the copy kept, so nothing is lost either way.
    return removeFolderTree(from);
}

bool removeFolderTree(const fs::path& folder) {
    removeBelow(folder);
    return kindOf(folder) == Kind::Missing;
}

bool foldersOverlap(const fs::path& a, const fs::path& b) {
    std::error_code error;
    const fs::path first = fs::weakly_canonical(fs::absolute(a, error), error);
    if (error)
        return true;  // cannot tell: refuse rather than copy a folder into itself
    const fs::path second = fs::weakly_canonical(fs::absolute(b, error), error);
    if (error)
        return true;
    auto components = [](const fs::path& path) {
        std::vector<fs::path> parts;
        for (const fs::path& part : path) {
            if (!part.empty())
                parts.push_back(part);
        }
        return parts;
    };
    const auto x = components(first);
    const auto y = components(second);
    const std::size_t shorter = std::min(x.size(), y.size());
    return std::equal(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(shorter), y.begin());
}

}  // namespace velmo
