#include "cli/command_session.h"

#include "cli/start_folder_settings.h"
#include "platform/posix/system_info.h"
#include "shared/folder_probe.h"
#include "store/file_helpers.h"
#include "store/period_file.h"

namespace velmo {

CommandSession::CommandSession(const std::string& startFolder, UserInterface& ui, Sleeper& sleeper)
    : ui_(ui),
      settings_(startFolderSettings(startFolder, sleeper)),
      folders_(decideDataFolders(settings_.data.edFolder, startFolder, settings_.yDataForm,
                                 folderExistsOnDisk)),
      shared_([this] { return &folders_; }, platform::computerName(), ui, status_, sleeper, {},
              folderReachableText) {}

bool CommandSession::start() {
    const NetworkKeys& net = settings_.network;
    if (!net.cbNet || !net.vNet_flg)
        return true;
    NetworkMode& mode = shared_.mode();
    mode.setSharedFolder(sharedFolderFor(net.edtNetFolder, "", folderExistsOnDisk));
    const std::string data = sharedDataFolder(mode.sharedFolder());
    if (!folderReachableText(data)) {
        ui_.message(sharedFolderMissing(data, kReloadCheck));
        return false;
    }
    return mode.setState(true);
}

}  // namespace velmo
