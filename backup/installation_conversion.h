#pragma once
// An overwrite setup over an installation: which data format it has, and turning a
// format 1 installation into format 2 with the old folders kept beside it (Old_Torka,
// OD_Torka) and everything put back when a step fails.

#include <filesystem>
#include <optional>

#include "core/clock.h"
#include "core/user_interface.h"

namespace velmo {

// The data format to set up, from the recorded one (yDataForm) and whether
// setupFolder/Data exists. A contradiction is asked about; nothing when the user
// stops. A recorded value other than 1 or 2 is taken from the folder without asking.
std::optional<int> installedDataFormat(const std::filesystem::path& setupFolder, int recordedFormat,
                                       UserInterface& ui);

enum class InstallationConversion {
    Converted,       // the installation is in format 2
    Stopped,         // stopped before anything was moved (or with the old folder kept)
    RolledBack,      // a step failed; the folders are as before the setup
    RollBackFailed,  // a step failed and putting the folders back failed as well
};

// Converts the format 1 installation in setupFolder (its data in dataFolder when that
// is set and exists) to format 2. The old folders become Old_Torka (beside
// setupFolder) and OD_Torka (beside dataFolder); an older one of those is deleted only
// once a verified generation of it exists in backupRoot.
InstallationConversion convertInstallationToFormat2(const std::filesystem::path& setupFolder,
                                                    const std::filesystem::path& dataFolder,
                                                    const std::filesystem::path& backupRoot,
                                                    const Clock& clock, Sleeper& sleeper,
                                                    UserInterface& ui);

}  // namespace velmo
