#pragma once
// File and folder helpers. Data files were named on Windows, where names ignore
// case, so file look-ups and masks here ignore ASCII case too ("HDay.dat" finds
// "Hday.dat", "CaMe*.mcp" finds "CaME4090.mcp"). Only the last path component is
// matched that way; folders are taken as written.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/clock.h"
#include "core/user_interface.h"

namespace velmo {

// True when a name matches a mask of "*" (any run) and "?" (one character),
// ignoring ASCII case. "*.*" matches every name, as on Windows.
bool matchesMask(std::string_view name, std::string_view mask);

// True when the last component of a path holds "*" or "?".
bool isPattern(const std::filesystem::path& path);

// The entries of the folder whose names match the path's last component (a mask or
// a plain name), sorted by name.
std::vector<std::filesystem::path> matchingEntries(const std::filesystem::path& pathOrPattern);

// True when a file or folder of any kind (hidden ones included) matches.
bool existsAny(const std::filesystem::path& pathOrPattern);

// True when an ordinary file matches.
bool existsPlainFile(const std::filesystem::path& pathOrPattern);

// folder/name when that exists; otherwise the first entry, in name order, whose name
// equals name ignoring ASCII case; nothing when there is none.
std::optional<std::filesystem::path> findCaseInsensitive(const std::filesystem::path& folder,
                                                         std::string_view name);

// The spelling of a file already on disk, or the path unchanged when none exists,
// so that a write never creates a second spelling beside an existing file.
std::filesystem::path resolveCaseInsensitive(const std::filesystem::path& path);

// Creates or overwrites the target (atomically) with the source's bytes.
bool copyFile(const std::filesystem::path& from, const std::filesystem::path& to);

// The local last-write time of an ordinary file; nothing when there is no such file.
std::optional<LocalDateTime> fileDate(const std::filesystem::path& path);

// Creates a folder and any missing folders above it. True when the folder exists
// afterwards (an existing folder counts as success).
bool createFolderChain(const std::filesystem::path& folder);

// Makes sure a folder exists. Without create, only reports whether it exists; with
// ask, asks before creating and reports a failed creation to the user.
bool ensureFolder(const std::string& folder, bool create, bool ask, UserInterface& ui);

// Folder texts end with the native separator.
std::string withTrailingSeparator(std::string_view folder);
std::string withoutTrailingSeparator(std::string_view folder);

}  // namespace velmo
