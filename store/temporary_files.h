#pragma once
// The temporary files of the atomic writer: "." + the target's name + "." + six letters
// or digits + ".tmp", beside the target (".Ca202611.myc.x7Kq2B.tmp"). The leading "."
// and the ".tmp" end keep them out of every mask the program scans. A save that is
// killed between creating one and renaming it leaves it behind; the start-up removes
// such leftovers once they are clearly no save in progress.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/clock.h"

namespace velmo {

// A fresh temporary name for a file called targetName.
std::string newTemporaryName(std::string_view targetName);

// True for names the writer gives its temporary files, and only those.
bool isTemporaryName(std::string_view name);

// Removes, from each folder (not below it), the temporary files that are ordinary files
// of this user last written more than an hour before now; a save takes seconds, so
// anything older was left by a save that never finished, here or on another computer
// sharing the folder. Links, folders, other users' files and names of any other form
// stay. Returns what was removed.
std::vector<std::filesystem::path> removeStaleTemporaries(
    const std::vector<std::filesystem::path>& folders, const Clock& clock);

}  // namespace velmo
