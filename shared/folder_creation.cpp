#include "shared/folder_creation.h"

#include <system_error>

#include "shared/folder_probe.h"
#include "store/file_helpers.h"
#include "store/text_helpers.h"

namespace velmo {

namespace fs = std::filesystem;

namespace {

bool folderExists(const std::string& folder) {
    return !trimSpaces(folder).empty() && folderReachableText(folder);
}

bool holdsAnyEntry(const fs::path& folder) {
    std::error_code ec;
    return fs::directory_iterator(folder, ec) != fs::directory_iterator();
}

}  // namespace

std::optional<std::string> folderCreationRefusal(FolderCreationMode mode,
                                                 const std::string& computerName,
                                                 const std::string& sharedFolderBox, bool sharing) {
    if (mode == FolderCreationMode::CreateFolder && sharing)
        return std::string(kNetworkSharingOnMessage);
    if (computerName.empty())
        return std::string(kCreationNoComputerNameMessage);
    if (mode == FolderCreationMode::ReassignAdministrator && trimSpaces(sharedFolderBox).empty())
        return std::string(kSharedFolderNotSetMessage);
    if (mode == FolderCreationMode::GrantRights && !folderExists(sharedFolderBox))
        return std::string(kSharedFolderUnconfirmedMessage);
    return std::nullopt;
}

FolderCreation::FolderCreation(FolderCreationState& state, FolderCreationPlace place,
                               const CipherFileContext& context, ChooseFolder chooseFolder,
                               AskExistingPassword askExistingPassword)
    : state_(state),
      place_(std::move(place)),
      context_(context),
      chooseFolder_(std::move(chooseFolder)),
      askExistingPassword_(std::move(askExistingPassword)) {}

FolderCreationOutcome FolderCreation::press(FolderCreationMode mode,
                                            const AdministratorEntry& entered) {
    bool close = false;
    if (!enteredTextsAccepted(entered, close))
        return {close, {}};
    if (mode == FolderCreationMode::CreateFolder)
        return createFolder(entered);
    const std::optional<fs::path> folder = configuredFolder();
    if (!folder)
        return {};
    if (mode == FolderCreationMode::ReassignAdministrator)
        return writeAdministrator(*folder, entered);
    return grantRights(*folder, entered);
}

bool FolderCreation::enteredTextsAccepted(const AdministratorEntry& entered, bool& close) {
    UserInterface& ui = context_.ui;
    if (entered.name.empty()) {
        ui.message("ネット管理者名を記入してください。");
        return false;
    }
    if (entered.password.empty()) {
        close = ask(ui, "暗証コードの記入がありません。\r\n中止しますか？", DefaultButton::No);
        return false;
    }
    for (const std::string* text : {&entered.name, &entered.password}) {
        if (const std::optional<std::string> problem = administratorTextProblem(*text)) {
            ui.message(*problem);
            return false;
        }
    }
    return true;
}

std::optional<fs::path> FolderCreation::configuredFolder() {
    if (!folderExists(place_.sharedFolderBox)) {
        context_.ui.message(kSharedFolderNotSetMessage);
        return std::nullopt;
    }
    return fs::path(place_.sharedFolderBox);
}

FolderCreationOutcome FolderCreation::createFolder(const AdministratorEntry& entered) {
    UserInterface& ui = context_.ui;
    fs::path folder;
    if (place_.presetFolder) {
        folder = *place_.presetFolder;
        // Preparing a given folder never replaces its administrator.
        if (existsAny(folder / kAdministratorFileName)) {
            ui.message("このフォルダには、既に管理者が設定されています。\r\n中止します。");
            return {};
        }
    } else {
        const std::string start =
            folderExists(place_.sharedFolderBox) ? place_.sharedFolderBox : std::string();
        const std::optional<fs::path> chosen = chooseFolder_(start);
        if (!chosen) {
            ui.message(kStoppedMessage);
            return {true, {}};
        }
        folder = *chosen;
    }
    if (!place_.skipOtherFilesQuestion && holdsAnyEntry(folder) &&
        !ask(ui,
             "いずれかのファイルが存在します。\r\n推奨は、他のファイルがないフォルダですが、\r\n"
             "このフォルダでよろしいですか？",
             DefaultButton::No)) {
        ui.message(kStoppedMessage);
        return {};
    }
    if (existsAny(folder / kFolderAdministrationFileName) &&
        !ask(ui, "既に、データフォルダ管理ファイルが存在します。\r\n上書きしますか？",
             DefaultButton::No)) {
        ui.message(kStoppedMessage);
        return {};
    }
    if (!mayOverwriteAdministrator(folder))
        return {};
    if (existsAny(folder / "Data" / "Files1")) {
        ui.message("管理者コードだけを書き換えます。");
    } else {
        for (const char* set : {"Files1", "Files2", "Files3"}) {
            if (!createFolderChain(folder / "Data" / set)) {
                ui.message("ネットフォルダ作成でエラー発生\r\n中止します");
                return {};
            }
        }
    }
    return writeAdministrator(folder, entered);
}

// A folder that already has an administrator is taken over only with its password.
bool FolderCreation::mayOverwriteAdministrator(const fs::path& folder) {
    if (!existsAny(folder / kAdministratorFileName))
        return true;
    UserInterface& ui = context_.ui;
    const std::optional<AdministratorRecord> admin =
        loadAdministratorFile(folder, ui, context_.sleeper);
    if (!admin)
        return false;
    const std::optional<std::string> password = askExistingPassword_();
    if (!password) {
        ui.message(kStoppedMessage);
        return false;
    }
    if ((password->empty() ? std::string(kPasswordStoredAsFalse) : *password) != admin->password) {
        ui.message(kWrongPasswordMessage);
        return false;
    }
    return true;
}

FolderCreationOutcome FolderCreation::writeAdministrator(const fs::path& folder,
                                                         const AdministratorEntry& entered) {
    UserInterface& ui = context_.ui;
    state_.held = entered;
    if (!writeFolderAdministrationFile(folder, state_.held, context_)) {
        ui.message("管理者コード書込エラー発生\r\n中止します");
        return {};
    }
    if (!writeAdministratorFile(folder, state_.held, context_)) {
        ui.message(
            "相性の問題で、これらの管理者名、又はパスワードが登録できません。\r\n"
            "管理者名、又はパスワードを変更して、再度実行してください。");
        return {};
    }
    // This computer is the administrator computer now; its rights file says so.
    if (const std::optional<int> level =
            rebuildRightsFile({folder, place_.rightsFile}, state_.held, context_))
        state_.rightsLevel = *level;
    ui.message("データ構造は正常に作成されました。");
    return {true, folder};
}

FolderCreationOutcome FolderCreation::grantRights(const fs::path& folder,
                                                  const AdministratorEntry& entered) {
    UserInterface& ui = context_.ui;
    state_.held = entered;
    FolderCreationOutcome closed{true, folder};
    const std::optional<AdministratorRecord> admin =
        loadAdministratorFile(folder, ui, context_.sleeper);
    if (!admin)
        return closed;
    if (admin->computer == context_.computerName) {
        ui.message("管理コンピュータには、管理者権限はすでに設定されています。");
        return closed;
    }
    if (entered.password == admin->password) {
        if (writeRightsFile(place_.rightsFile, entered, kGrantedRights, context_)) {
            state_.rightsLevel = kGrantedRights;
            ui.message("管理者権限を設定しました。");
        }
        return closed;
    }
    if (state_.rightsLevel != kGrantedRights) {
        ui.message(kWrongPasswordMessage);
        return closed;
    }
    if (ask(ui,
            "パスワードが、管理者によって設定されたものと違います。\r\n"
            "このコンピュータの管理者権限を削除しますか？",
            DefaultButton::No) &&
        writeRightsFile(place_.rightsFile, {entered.name, {}}, kNoRights, context_))
        state_.rightsLevel = kNoRights;
    return closed;
}

}  // namespace velmo
