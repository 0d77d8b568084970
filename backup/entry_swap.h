#pragma once
// Puts a folder's freshly written entries in place of old ones by renames only, so a
// target never holds a half-written copy: the old entries go into a folder aside, the
// new ones move in, and the old ones are removed only once all of them are in. When a
// rename fails, every move made so far is undone. Renames go through store's
// file_calls, so tests can fail any of them.

#include <filesystem>
#include <vector>

namespace velmo {

// True when any entry has that name, a dangling link included.
bool entryPresent(const std::filesystem::path& path);

// Moves every entry of fresh into target, after moving the outgoing entries (names in
// target) into target/asideName. On success fresh and the aside folder are removed;
// on failure target is as before and fresh keeps what it held.
bool swapEntriesIn(const std::filesystem::path& fresh, const std::filesystem::path& target,
                   const std::vector<std::filesystem::path>& outgoing,
                   const std::filesystem::path& asideName);

}  // namespace velmo
