#include "app/startup/administrator_rights.h"

#include <filesystem>

#include "calendar/julius_day.h"

namespace velmo {

namespace {

bool sameFolder(const std::string& a, const std::string& b) {
    const auto normal = [](const std::string& folder) {
        return (std::filesystem::path(folder) / "").lexically_normal();
    };
    return !a.empty() && !b.empty() && normal(a) == normal(b);
}

}  // namespace

AdministratorRights::AdministratorRights(const StartFolders& folders,
                                         bool startedWithFirstSetupSwitch, const Clock& clock,
                                         UserInterface& ui, Sleeper& sleeper)
    : folders_(folders),
      firstSetupSwitchFromNetwork_(startedWithFirstSetupSwitch && folders.startedFromNetwork),
      clock_(clock),
      ui_(ui),
      sleeper_(sleeper),
      random_(systemRandomNumber()) {}

CipherFileContext AdministratorRights::fileContext() const {
    return {folders_.computerName, dateTimeToJuliusDay(clock_.today()), random_, ui_, sleeper_};
}

void AdministratorRights::prepareFirstNetworkSetup() {
    prepareFirstSetupAdministrator(folders_.startFolder, state_.held, fileContext());
}

void AdministratorRights::evaluate(const std::string& sharedFolder) {
    state_.rightsLevel = evaluateRightsLevel({sharedFolder, folders_.rightsFile}, state_.held,
                                             firstSetupSwitchFromNetwork_, fileContext());
}

FolderCreationPlace AdministratorRights::placeFor(const std::string& sharedFolderBox) const {
    FolderCreationPlace place;
    place.sharedFolderBox = sharedFolderBox;
    place.rightsFile = folders_.rightsFile;
    // Started from the shared folder itself, the program's own files are expected there.
    place.skipOtherFilesQuestion = sameFolder(folders_.startFolder, sharedFolderBox);
    return place;
}

}  // namespace velmo
