#pragma once
// The entries of one folder, read once and looked up many times. An operation that asks
// about many names in one folder (the months of the month window and the period file of
// a load, the settings and marker files of the start) lists the folder once and hands the
// listing down, instead of listing and case-folding the whole folder for every name that
// is missing. A listing is a snapshot for that one operation and is never kept: other
// computers write the shared folder meanwhile.
//
// Names compare ignoring ASCII letter case, as everywhere in file_helpers.h.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmo {

class FolderListing {
public:
    // Lists the folder now; a folder that cannot be listed lists as empty.
    explicit FolderListing(std::filesystem::path folder);

    const std::filesystem::path& folder() const { return folder_; }
    // Every entry's name (valid while the listing lives), ordered ignoring case.
    std::vector<std::string_view> names() const;

    // True when an entry of any kind (hidden ones included) matches the name or mask.
    bool containsAny(std::string_view nameOrMask) const;
    // True when an ordinary file (links followed) matches the name or mask.
    bool containsPlainFile(std::string_view nameOrMask) const;
    // folder/name when that entry exists; otherwise the first entry, in name order, whose
    // name equals name ignoring ASCII case; nothing when there is none.
    std::optional<std::filesystem::path> find(std::string_view name) const;
    // The entries whose names match the name or mask, in name order.
    std::vector<std::filesystem::path> matching(std::string_view nameOrMask) const;

private:
    struct Entry {
        std::string folded;  // ASCII letters in lower case
        std::string name;
    };
    using Range = std::pair<std::vector<Entry>::const_iterator, std::vector<Entry>::const_iterator>;
    // The entries whose names equal name ignoring case, in name order.
    Range variants(std::string_view name) const;

    std::filesystem::path folder_;
    std::vector<Entry> entries_;  // by folded name, then by name
};

// The entry a path names, found ignoring case: in the listing when one is given (it must
// be the listing of the path's folder), else on disk.
std::optional<std::filesystem::path> findEntry(const std::filesystem::path& path,
                                               const FolderListing* listing);

}  // namespace velmo
