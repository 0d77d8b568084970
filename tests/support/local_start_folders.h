#pragma once
// The start folders of a local run whose start folder is `start` (without the trailing
// slash), with the settings file in it, as the main-window tests build them.

#include <string>

#include "app/startup/start_folders.h"

namespace velmo::testing {

inline StartFolders localStartFolders(const std::string& start) {
    StartFolders f;
    f.startFolder = start + "/";
    f.settingsFolder = f.startFolder;
    f.settingsFile = f.startFolder + "Torka.ini";
    f.localOperation = true;
    f.computerName = "PC-01";
    return f;
}

}  // namespace velmo::testing
