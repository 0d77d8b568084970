#include "store/temporary_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <random>

#include "store/folder_listing.h"

namespace fs = std::filesystem;

namespace velmo {

namespace {

constexpr std::string_view kAlphabet =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr std::size_t kSuffixLength = 6;
constexpr std::string_view kEnd = ".tmp";
constexpr std::time_t kStaleAfterSeconds = std::time_t{60} * 60;

bool isSuffixCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

}  // namespace

std::string newTemporaryName(std::string_view targetName) {
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    // Appended piece by piece: GCC 12 at -O3 gives a false -Wrestrict for "." + string.
    std::string name = ".";
    name += targetName;
    name += '.';
    for (std::size_t i = 0; i < kSuffixLength; ++i)
        name += kAlphabet[pick(random)];
    name += kEnd;
    return name;
}

bool isTemporaryName(std::string_view name) {
    // "." + at least one character of the target's name + "." + suffix + ".tmp"
    if (name.size() < 1 + 1 + 1 + kSuffixLength + kEnd.size() || name.front() != '.' ||
        !name.ends_with(kEnd)) {
        return false;
    }
    name.remove_suffix(kEnd.size());
    const std::string_view suffix = name.substr(name.size() - kSuffixLength);
    for (const char c : suffix) {
        if (!isSuffixCharacter(c))
            return false;
    }
    return name[name.size() - kSuffixLength - 1] == '.';
}

std::vector<fs::path> removeStaleTemporaries(const std::vector<fs::path>& folders,
                                             const Clock& clock) {
    const std::time_t staleBefore = secondsSinceEpoch(clock.now()) - kStaleAfterSeconds;
    const uid_t self = ::geteuid();
    std::vector<fs::path> removed;
    for (const fs::path& folder : folders) {
        const FolderListing listing(folder);
        for (const std::string_view name : listing.names()) {
            if (!isTemporaryName(name))
                continue;
            const fs::path entry = folder / name;
            struct stat st {};
            if (::lstat(entry.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != self ||
                st.st_mtime >= staleBefore) {
                continue;
            }
            if (::unlink(entry.c_str()) == 0)
                removed.push_back(entry);
        }
    }
    return removed;
}

}  // namespace velmo
