#pragma once
// What velmo-tool's commands read from the start folder: its settings, as the program
// reads them, and the shared folder they name.

#include <optional>
#include <string>

#include "core/clock.h"
#include "core/user_interface.h"
#include "store/settings.h"

namespace velmo {

TorkaSettings startFolderSettings(const std::string& startFolder, Sleeper& sleeper);

// The shared folder the settings name, or nothing (the user was told).
std::optional<std::string> configuredSharedFolder(const std::string& startFolder,
                                                  UserInterface& ui);

}  // namespace velmo
