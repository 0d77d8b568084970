#pragma once
// Counts how often a folder's entries are listed, through inotify: listing a folder
// reads it (one IN_ACCESS on the folder itself per listing, however many reads it
// takes), while looking up, opening or creating one of its files does not.

#include <filesystem>

namespace velmo::testing {

class FolderReads {
public:
    // Starts counting now (throws when inotify is unavailable).
    explicit FolderReads(const std::filesystem::path& folder);
    ~FolderReads();
    FolderReads(const FolderReads&) = delete;
    FolderReads& operator=(const FolderReads&) = delete;

    // Listings since the start or the last call.
    int take();

private:
    int fd_;
};

}  // namespace velmo::testing
