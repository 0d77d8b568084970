#pragma once
// The generation backups made before a setup goes over an existing installation: its
// separate data folder ("TorkaData"), the installation itself ("Torka") and the folders
// an earlier format conversion set aside ("Old_Torka", "OD_Torka"), each at most once a
// day and three generations deep.

#include <filesystem>

#include "core/clock.h"
#include "core/user_interface.h"

namespace velmo {

struct SetupBackupRequest {
    std::filesystem::path setupFolder;  // the installation
    std::filesystem::path dataFolder;   // its separate data folder (edFolder), or empty
    std::filesystem::path backupRoot;   // "SafeGuard" of the installation's user folder
};

// False when the user chose to stop the setup after a failure.
bool backupsBeforeOverwriteSetup(const SetupBackupRequest& request, const Clock& clock,
                                 Sleeper& sleeper, UserInterface& ui);

}  // namespace velmo
