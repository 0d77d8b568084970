#pragma once
// velmo-tool's commands on the administrator of a shared folder: `net-create` (the
// folder creation dialog's first mode without its questions) and `rights` (the rights
// level this computer has for the shared folder set in the settings).

#include <string>
#include <vector>

#include "core/user_interface.h"

namespace velmo {

// net-create DIR --admin NAME --password PASS [--old-password OLD] [--force]: prepares
// DIR as a shared folder with this computer as its administrator computer. An existing
// torkanet.bini is replaced only with --force, an existing administrator only with its
// password. 0 done, 1 refused or failed, 2 a usage error.
int runNetCreateCommand(const std::string& startFolder, const std::vector<std::string>& arguments);

// rights: evaluates and prints the rights level ("0", "6 管理者権限", "7 管理コンピュータ"),
// rebuilding the rights file as the program does; 1 when no shared folder is set.
int runRightsCommand(const std::string& startFolder, UserInterface& ui);

// The rights level of this computer for the shared folder set in the settings of the
// start folder, evaluated as the program does when network mode is switched on.
int startFolderRightsLevel(const std::string& startFolder, const std::string& sharedFolder,
                           UserInterface& ui);

}  // namespace velmo
