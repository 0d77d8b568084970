#pragma once
// The folders a velmo-tool command works on, decided as the program decides them at its
// start: the data folders the start folder's settings name, and in network mode (cbNet
// and vNet_flg set) the shared folder's data folder, under its shared-folder session.

#include <string>

#include "core/clock.h"
#include "core/user_interface.h"
#include "shared/shared_folder_session.h"
#include "shared/status_line.h"
#include "store/data_folders.h"
#include "store/settings.h"

namespace velmo {

class CommandSession {
public:
    CommandSession(const std::string& startFolder, UserInterface& ui, Sleeper& sleeper);
    CommandSession(const CommandSession&) = delete;
    CommandSession& operator=(const CommandSession&) = delete;

    // Switches network mode on when the settings ask for it. False (the user was told)
    // when the shared data folder is missing or this computer cannot take part.
    bool start();

    // The current data folder: the local data set, or the shared one in network mode.
    const DataLocation& data() const { return folders_.current(); }
    SharedFolderSession& shared() { return shared_; }

private:
    UserInterface& ui_;
    TorkaSettings settings_;
    DataFolders folders_;
    SilentStatusLine status_;
    SharedFolderSession shared_;
};

}  // namespace velmo
