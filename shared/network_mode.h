#pragma once
// Network mode of a run: whether the current data folder is the shared folder's
// "Data/Files1/", switching it on and off, and the availability check that every reload
// and save runs first. The window supplies what the switch does to the screen and to
// the loaded data through NetworkModeHooks; the shared files themselves (locks, counter)
// are reached through SharedFolderHooks, which this class implements.

#include <functional>
#include <string>

#include "core/user_interface.h"
#include "store/data_folders.h"
#include "store/shared_folder_hooks.h"

namespace velmo {

inline constexpr const char* kNoComputerNameMessage =
    "コンピュータ名が取得できません。\r\nネットワークフォルダを使用できません。\r\n\r\n"
    "ネットワーク処理を中止します。";
inline constexpr const char* kNoSharedFolderMessage =
    "「オプション設定」でネット上のフォルダを先に指定してください。";
inline constexpr const char* kSharedFolderNotFoundMessage =
    "ネット上のフォルダを見つけられません。\r\nローカルなフォルダに設置を変更します。";
inline constexpr const char* kSharedFolderLostAtStartMessage =
    "　　ベルモを起動中に、前回の終了時に設定されていたネット上のフォルダを確認できませんでし"
    "たので　　\r\n　　ローカルなフォルダに設定を変更しました。　　\r\n\r\n　　ネット上のフォルダ"
    "が使用できるようになってから、【NetOn】ボタンをクリックしてください。　　";

// The codes of the availability check.
inline constexpr const char* kReloadCheck = "n030";
inline constexpr const char* kPeriodLoadCheck = "n040";
inline constexpr const char* kSaveCheck = "n050";

// The question shown when the window appears in network mode without its data folder;
// Yes ends the program.
std::string sharedFolderMissingAtShowQuestion(const std::string& folder);

// A name that identifies this computer in lock files: not empty and not "localhost",
// which every unconfigured machine calls itself.
bool usableComputerName(const std::string& name);

// The shared data folder of a shared folder: shared folder + "Data/Files1/".
std::string sharedDataFolder(const std::string& sharedFolder);

struct NetworkModeHooks {
    // True when maintenance is on; shows the maintenance message then.
    std::function<bool()> maintenanceOn;
    // The save-all routine, writing what is open to the local folder.
    std::function<void()> saveAll;
    // Buttons, captions and menu items for the state.
    std::function<void(bool on)> showState;
    // The rights level of this computer for the shared folder.
    std::function<void()> evaluateRights;
    // Empties and loads every month and the period list from the current data folder.
    std::function<void()> reloadAll;
    // Shows the current month, loading it when it is not among the tabs.
    std::function<void()> showCurrentMonth;
    // Tells the other computers that the shared data changed; false when that failed.
    std::function<bool()> raiseUpdateCounter;
};

class NetworkMode final : public SharedFolderHooks {
public:
    // The run's folders, null before the first settings read decided them; exists tests
    // a folder without hanging on a dead share.
    using FoldersOfRun = std::function<DataFolders*()>;
    NetworkMode(FoldersOfRun folders, std::string computerName, UserInterface& ui,
                FolderExists exists, NetworkModeHooks hooks);

    bool networkMode() const override { return on_; }
    bool raiseUpdateCounter() override;
    void sharedFolderLost() override { switchOff(); }

    const std::string& computerName() const { return computerName_; }
    const std::string& sharedFolder() const { return sharedFolder_; }
    void setSharedFolder(std::string folder) { sharedFolder_ = std::move(folder); }

    // The low-level step: stores the state, shows it and, switching on, points the
    // current data folder at the shared one. Refused (false, with its message) when this
    // computer has no usable name.
    bool setState(bool on);

    // The NetOn button and its menu items: on when off, off when on.
    void toggle();
    // Switching on tests maintenance, the setting and the folder first; the local data
    // is saved before the shared data is loaded.
    void switchOn();
    // Back to the local data set that was in use before; nothing read from the shared
    // folder is ever written into the local one.
    void switchOff();

    // While switching off, the save-all routine must not write.
    bool leaving() const { return leaving_; }

    // Run before a reload, a period load or a save: true in local operation or when the
    // shared data folder is there; otherwise shows the message with its code, switches
    // network mode off and answers false.
    bool available(const char* code);

private:
    FoldersOfRun folders_;
    std::string computerName_;
    UserInterface& ui_;
    FolderExists exists_;
    NetworkModeHooks hooks_;
    std::string sharedFolder_;
    bool on_ = false;
    bool leaving_ = false;
};

// The start-up decision's door into network mode: on when this computer may take part.
class NetworkModeStart final : public NetworkModeSwitch {
public:
    void attach(NetworkMode* mode) { mode_ = mode; }
    Result switchOn(const std::string& sharedFolder) override;

private:
    NetworkMode* mode_ = nullptr;
};

}  // namespace velmo
