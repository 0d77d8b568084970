#pragma once
// velmo-tool's `convert-folder`: what a setup over an old installation does to its data,
// for a folder brought over from an older edition: the backups before the setup, then
// the conversion of data format 1 into data format 2, put back on any failure.

#include <string>
#include <vector>

#include "core/user_interface.h"

namespace velmo {

// convert-folder DIR [--data FOLDER] [--no-backup]: DIR is the installation (its
// Torka.ini tells the recorded format), FOLDER its separate data folder. Questions are
// answered No, so a contradiction between the recorded format and the folder stops.
// 0 converted or already in format 2, 1 stopped or failed, 2 a usage error.
int runConvertFolderCommand(const std::string& startFolder,
                            const std::vector<std::string>& arguments, UserInterface& ui);

}  // namespace velmo
