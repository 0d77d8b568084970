#pragma once
// This computer's administrator standing for the run: the name and password last
// entered, the rights level for the shared folder (evaluated whenever network mode comes
// on), and the administrator file of a first start from a shared folder ("/F").

#include <string>

#include "app/startup/start_folders.h"
#include "core/clock.h"
#include "core/user_interface.h"
#include "shared/folder_creation.h"

namespace velmo {

class AdministratorRights {
public:
    AdministratorRights(const StartFolders& folders, bool startedWithFirstSetupSwitch,
                        const Clock& clock, UserInterface& ui, Sleeper& sleeper);

    // At start-up, when the run is a first network setup: this computer becomes the
    // administrator of the start folder unless it has one.
    void prepareFirstNetworkSetup();
    // Evaluates the level for the shared folder, rebuilding the rights file as needed.
    void evaluate(const std::string& sharedFolder);

    int level() const { return state_.rightsLevel; }
    // What the folder creation dialog works on.
    FolderCreationState& state() { return state_; }
    FolderCreationPlace placeFor(const std::string& sharedFolderBox) const;
    CipherFileContext fileContext() const;

private:
    const StartFolders& folders_;
    bool firstSetupSwitchFromNetwork_;
    const Clock& clock_;
    UserInterface& ui_;
    Sleeper& sleeper_;
    RandomNumber random_;
    FolderCreationState state_;
};

}  // namespace velmo
