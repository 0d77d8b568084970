#pragma once
// Copying, moving and deleting whole folders for the backups. Nothing here follows a
// symbolic link found inside a folder: a link is copied as a link and deleted as a link,
// so a backup never grows a copy of what a link points at and a deletion never reaches
// outside the folder it was given. The bytes of regular files go through the file-call
// table (store/file_calls.h), so tests can make a copy fail like a full or broken disk.
// Sockets, pipes and devices inside a folder are neither copied nor compared.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace velmo {

struct CopyProgress {
    // Called after every block written; may be empty.
    std::function<void(std::uint64_t bytesDone, std::uint64_t bytesTotal)> report;
};

// Copies folder `source` to `destination`, which must not exist yet and is created.
// Folders, regular files (with their permissions and modification times) and symbolic
// links (as links, never followed) are copied. False on any failure; a partial
// destination is removed again.
bool copyFolderTree(const std::filesystem::path& source, const std::filesystem::path& destination,
                    const CopyProgress& progress = {});

// True when both trees hold the same names of the same kinds, every regular file with the
// same bytes and every link with the same target.
bool sameTree(const std::filesystem::path& original, const std::filesystem::path& copy);

// Copies the regular files directly in `source` whose names match one of the
// comma-separated masks ("CaFT*.mcp,Ca20*.myc"; ASCII case ignored) into `destination`
// (created if missing), each replacing its namesake there atomically. The number copied;
// nothing when a file could not be copied or the destination not created.
std::optional<int> copyMatching(const std::filesystem::path& source, std::string_view masks,
                                const std::filesystem::path& destination);

// The names of the regular files directly in the folder that match one of the masks, in
// name order; nothing when the folder cannot be listed.
std::optional<std::vector<std::filesystem::path>> matchingFileNames(
    const std::filesystem::path& folder, std::string_view masks);

// True when both are regular files with the same bytes.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// True when a regular file directly in the folder matches one of the masks.
bool anyMatching(const std::filesystem::path& folder, std::string_view masks);

// Renames a folder; across file systems copies, verifies and then removes the source.
// Never replaces anything at `to`: an existing destination is a failure.
bool moveFolder(const std::filesystem::path& from, const std::filesystem::path& to);

// Removes the folder and everything in it (a link is removed, never followed). True when
// nothing is left at that name, also when there was nothing to begin with.
bool removeFolderTree(const std::filesystem::path& folder);

// True when a and b are the same folder or one lies inside the other, compared by their
// canonical paths (missing folders compare by the part that exists).
bool foldersOverlap(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace velmo
