#pragma once
// Where a save goes and a restore comes from, once the user picked a folder: the
// backups live in a "Velmobak" folder below it, added when the user agrees.
// (The questions about removable media are left to the dialog.)

#include <filesystem>
#include <optional>

#include "core/user_interface.h"

namespace velmo {

inline constexpr const char* kBackupSubfolder = "Velmobak";

// The folder a save writes into: the chosen one when its path already names Velmobak
// (any case), chosen/Velmobak when that exists, else as the user answers (creating
// it). Nothing when the folder could not be created.
std::optional<std::filesystem::path> saveDestinationFolder(const std::filesystem::path& chosen,
                                                           UserInterface& ui);

// The folder a restore reads: chosen/Velmobak when it exists and the user agrees,
// else the chosen one.
std::filesystem::path restoreSourceFolder(const std::filesystem::path& chosen, UserInterface& ui);

}  // namespace velmo
