#include "cli/start_folder_settings.h"

#include "shared/network_mode.h"
#include "store/data_folders.h"
#include "store/text_helpers.h"

namespace velmo {

TorkaSettings startFolderSettings(const std::string& startFolder, Sleeper& sleeper) {
    SystemClock clock;
    SettingsFilePlace place;
    place.settingsFile = startFolder + kSettingsFileName;
    place.startFolder = startFolder;
    place.localOperation = true;
    SettingsStore store(place);
    return store.read(SettingsEnvironment{clock}, sleeper).settings;
}

std::optional<std::string> configuredSharedFolder(const std::string& startFolder,
                                                  UserInterface& ui) {
    ThreadSleeper sleeper;
    const TorkaSettings settings = startFolderSettings(startFolder, sleeper);
    if (trimSpaces(settings.network.edtNetFolder).empty()) {
        ui.message(kNoSharedFolderMessage);
        return std::nullopt;
    }
    return sharedFolderFor(settings.network.edtNetFolder, "", folderExistsOnDisk);
}

}  // namespace velmo
