#include "store/folder_listing.h"
#include "store/fresh_link.h"

#include <dirent.h>

#include <algorithm>
#include <memory>
#include <system_error>

#include "store/file_helpers.h"

namespace fs = std::filesystem;

namespace velmo {

namespace {

std::string foldedAscii(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

bool hasWildcard(std::string_view nameOrMask) {
    return nameOrMask.find_first_of("*?") != std::string_view::npos;
}

}  // namespace

FolderListing::FolderListing(fs::path folder) : folder_(std::move(folder)) {
    // readdir rather than directory_iterator: a folder of a few hundred months is
    // listed at every start, and building a path object per entry costs more than the
    // listing itself.
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(
        ::opendir(folder_.empty() ? "." : folder_.c_str()), ::closedir);
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            entries_.push_back({foldedAscii(name), std::string(name)});
    }
    std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        return a.folded != b.folded ? a.folded < b.folded : a.name < b.name;
    });
}

std::vector<std::string_view> FolderListing::names() const {
    std::vector<std::string_view> names;
    names.reserve(entries_.size());
    for (const Entry& entry : entries_)
        names.emplace_back(entry.name);
    return names;
}

FolderListing::Range FolderListing::variants(std::string_view name) const {
    struct ByFolded {
        bool operator()(const Entry& entry, const std::string& key) const {
            return entry.folded < key;
        }
        bool operator()(const std::string& key, const Entry& entry) const {
            return key < entry.folded;
        }
    };
    return std::equal_range(entries_.begin(), entries_.end(), foldedAscii(name), ByFolded{});
}

bool FolderListing::containsAny(std::string_view nameOrMask) const {
    if (nameOrMask.empty())
        return false;
    if (!hasWildcard(nameOrMask)) {
        const auto [first, last] = variants(nameOrMask);
        return first != last;
    }
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const Entry& entry) { return matchesMask(entry.name, nameOrMask); });
}

bool FolderListing::containsPlainFile(std::string_view nameOrMask) const {
    std::error_code ec;
    for (const fs::path& entry : matching(nameOrMask)) {
        if (fs::is_regular_file(entry, ec))
            return true;
    }
    return false;
}

std::optional<fs::path> FolderListing::find(std::string_view name) const {
    const auto [first, last] = variants(name);
    if (name.empty() || first == last)
        return std::nullopt;
    const auto exact =
        std::find_if(first, last, [&](const Entry& entry) { return entry.name == name; });
    return folder_ / (exact != last ? exact : first)->name;
}

std::vector<fs::path> FolderListing::matching(std::string_view nameOrMask) const {
    std::vector<fs::path> result;
    if (nameOrMask.empty())
        return result;
    if (!hasWildcard(nameOrMask)) {
        const auto [first, last] = variants(nameOrMask);
        for (auto it = first; it != last; ++it)
            result.push_back(folder_ / it->name);
        return result;
    }
    for (const Entry& entry : entries_) {
        if (matchesMask(entry.name, nameOrMask))
            result.push_back(folder_ / entry.name);
    }
    std::sort(result.begin(), result.end());
    return result;
}

std::optional<fs::path> findEntry(const fs::path& path, const FolderListing* listing) {
    if (listing)
        return listing->find(path.filename().string());
    if (auto found = findCaseInsensitive(path.parent_path(), path.filename().string()))
        return found;
    // Just created by another computer, the file may still look missing here.
    if (servedFromClientCache(path.parent_path()) && FreshLink::make(path))
        return path;
    return std::nullopt;
}

}  // namespace velmo
