#pragma once
// What the shared data folder creation dialog does when its button is pressed, in its
// three modes: create the initial data folder, re-designate the administrator computer,
// give this computer administrator rights. The dialog shows the texts and boxes; this
// decides, asks and writes.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "shared/administrator_files.h"

namespace velmo {

enum class FolderCreationMode {
    CreateFolder = 0,           // 初期データフォルダ作成
    ReassignAdministrator = 1,  // 管理コンピュータ再指定
    GrantRights = 2,            // 管理者権限設定
};

inline constexpr const char* kStoppedMessage = "中止します。";
inline constexpr const char* kCreationNoComputerNameMessage =
    "コンピュータ名が取得できません。\r\n\r\nネットワークデータフォルダ作成処理を中止します。";
inline constexpr const char* kSharedFolderNotSetMessage =
    "「ネットワーク上のデータフォルダ」が設定されていません。\r\n先に設定してください。";
inline constexpr const char* kSharedFolderUnconfirmedMessage =
    "「ネットワーク上のデータフォルダ」が確認できません。\r\n中止します。";
inline constexpr const char* kNetworkSharingOnMessage =
    "現在、「ネットワークデータ共有機能を使用する」設定になっています。\r\n"
    "ネットワークフォルダを一旦、「使用しない」にして、もう一度処理をお願いします。";
inline constexpr const char* kWrongPasswordMessage =
    "パスワードが、管理者によって設定されたものと違います。\r\n中止します。";

// The run's state the dialog works on.
struct FolderCreationState {
    AdministratorEntry held;  // name and password last entered
    int rightsLevel = kNoRights;
};

// Where the dialog works.
struct FolderCreationPlace {
    std::string sharedFolderBox;          // the shared folder set in the options
    std::filesystem::path rightsFile;     // this computer's velnetid.myc
    bool skipOtherFilesQuestion = false;  // the start folder is the shared folder, or a script
    std::optional<std::filesystem::path> presetFolder;  // mode 0 without browsing
};

// The folder browser ("フォルダの選択"), starting in the given folder when it is not
// empty; nothing when cancelled.
using ChooseFolder = std::function<std::optional<std::filesystem::path>(const std::string& start)>;
// Asks for the password of the administrator file already in the folder; nothing when
// cancelled.
using AskExistingPassword = std::function<std::optional<std::string>()>;

// Why the dialog may not open in this mode; nothing when it may. sharing is the
// "ネットワークデータ共有機能を使用する" box.
std::optional<std::string> folderCreationRefusal(FolderCreationMode mode,
                                                 const std::string& computerName,
                                                 const std::string& sharedFolderBox, bool sharing);

struct FolderCreationOutcome {
    bool closeDialog = false;
    std::filesystem::path chosenFolder;  // empty when nothing was done
};

class FolderCreation {
public:
    FolderCreation(FolderCreationState& state, FolderCreationPlace place,
                   const CipherFileContext& context, ChooseFolder chooseFolder,
                   AskExistingPassword askExistingPassword);

    // The dialog's button with the name and password in its boxes.
    FolderCreationOutcome press(FolderCreationMode mode, const AdministratorEntry& entered);

private:
    bool enteredTextsAccepted(const AdministratorEntry& entered, bool& close);
    FolderCreationOutcome createFolder(const AdministratorEntry& entered);
    bool mayOverwriteAdministrator(const std::filesystem::path& folder);
    FolderCreationOutcome writeAdministrator(const std::filesystem::path& folder,
                                             const AdministratorEntry& entered);
    FolderCreationOutcome grantRights(const std::filesystem::path& folder,
                                      const AdministratorEntry& entered);
    std::optional<std::filesystem::path> configuredFolder();

    FolderCreationState& state_;
    FolderCreationPlace place_;
    const CipherFileContext& context_;
    ChooseFolder chooseFolder_;
    AskExistingPassword askExistingPassword_;
};

}  // namespace velmo
