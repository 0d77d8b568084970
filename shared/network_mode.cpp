#include "shared/network_mode.h"

#include "store/period_file.h"
#include "store/text_helpers.h"

namespace velmo {

std::string sharedFolderMissingAtShowQuestion(const std::string& folder) {
    return "ネットフォルダ[" + folder +
           "]が確認できません。[n070]\r\n\r\nローカルフォルダに設定を戻すか、\r\nネットワークを"
           "ご確認下さい。\r\nネットワークを使えるようになれば、[いいえ]を押してください。\r\n\r\n"
           "ネットワークを確認できない場合は、一旦終了しますので[はい]を押してください\r\n\r\n"
           "ベルモを、終了させますか。";
}

bool usableComputerName(const std::string& name) {
    return !name.empty() && name != "localhost";
}

std::string sharedDataFolder(const std::string& sharedFolder) {
    return DataLocation::shared(sharedFolder).folder();
}

NetworkMode::NetworkMode(FoldersOfRun folders, std::string computerName, UserInterface& ui,
                         FolderExists exists, NetworkModeHooks hooks)
    : folders_(std::move(folders)),
      computerName_(std::move(computerName)),
      ui_(ui),
      exists_(std::move(exists)),
      hooks_(std::move(hooks)) {}

bool NetworkMode::raiseUpdateCounter() {
    return !hooks_.raiseUpdateCounter || hooks_.raiseUpdateCounter();
}

bool NetworkMode::setState(bool on) {
    on_ = on;
    if (on && !usableComputerName(computerName_)) {
        ui_.message(kNoComputerNameMessage);
        on_ = false;
        computerName_.clear();
        if (hooks_.showState)
            hooks_.showState(false);
        return false;
    }
    if (DataFolders* folders = folders_()) {
        if (on_) {
            folders->shared = DataLocation::shared(sharedFolder_);
        } else {
            folders->shared.reset();
        }
    }
    if (on_ && hooks_.evaluateRights)
        hooks_.evaluateRights();
    if (hooks_.showState)
        hooks_.showState(on_);
    return true;
}

void NetworkMode::toggle() {
    if (on_) {
        switchOff();
    } else {
        switchOn();
    }
}

void NetworkMode::switchOn() {
    // Without a shared folder there is no maintenance lock to look for either.
    if (trimSpaces(sharedFolder_).empty()) {
        ui_.message(kNoSharedFolderMessage);
        return;
    }
    if (hooks_.maintenanceOn && hooks_.maintenanceOn())
        return;
    if (hooks_.saveAll)
        hooks_.saveAll();
    if (!exists_(sharedDataFolder(sharedFolder_))) {
        ui_.message(kSharedFolderNotFoundMessage);
        setState(false);
        return;
    }
    if (!setState(true))
        return;
    if (hooks_.reloadAll)
        hooks_.reloadAll();
    if (hooks_.showCurrentMonth)
        hooks_.showCurrentMonth();
}

void NetworkMode::switchOff() {
    setState(false);
    // The months in memory are the shared folder's: they are replaced by the local data
    // set's without being saved, and the flag keeps any save in between from writing.
    leaving_ = true;
    struct ClearOnExit {
        bool& flag;
        ~ClearOnExit() { flag = false; }
    } clear{leaving_};
    if (hooks_.reloadAll)
        hooks_.reloadAll();
    if (hooks_.showCurrentMonth)
        hooks_.showCurrentMonth();
}

bool NetworkMode::available(const char* code) {
    if (!on_)
        return true;
    const DataFolders* folders = folders_();
    if (!folders)
        return true;
    const std::string folder = folders->current().folder();
    if (exists_(folder))
        return true;
    ui_.message(sharedFolderMissing(folder, code));
    switchOff();
    return false;
}

NetworkModeSwitch::Result NetworkModeStart::switchOn(const std::string& sharedFolder) {
    if (!mode_)
        return Result::NotBuilt;
    mode_->setSharedFolder(sharedFolder);
    return mode_->setState(true) ? Result::On : Result::Failed;
}

}  // namespace velmo
