#pragma once
// The main window's option values and data folders for one run: read at start-up (and
// again at each date change), written back by every full save.

#include <optional>
#include <string>

#include "app/startup/launch_options.h"
#include "app/startup/start_folders.h"
#include "core/clock.h"
#include "core/user_interface.h"
#include "store/data_folders.h"
#include "store/settings.h"

namespace velmo {

// What the desktop reports at the moment of a read.
struct DesktopFacts {
    int workAreaHeight = 0;
    int windowTop = 0;
    int windowLeft = 0;
};

class RunSettings {
public:
    RunSettings(const StartFolders& folders, const LaunchOptions& options, const Clock& clock,
                Sleeper& sleeper, NetworkModeSwitch& networkSwitch);

    // The settings reader: options, then the folders. Tells the user about Windows-style
    // folders (once a run), an unreadable settings file and a changed common data folder.
    void read(const DesktopFacts& desktop, UserInterface& ui);
    // The editor and print companions found at start-up; a stored folder key replaces
    // them at every read.
    void setFoundCompanions(std::string editor, std::string printProgram) {
        foundEditor_ = std::move(editor);
        foundPrintProgram_ = std::move(printProgram);
    }

    // The settings writer. The window position is taken over unless it is unknown (0, 0
    // on desktops that do not report positions), so a stored position is never lost.
    SettingsSaveResult save(std::optional<std::pair<int, int>> windowTopLeft);

    const TorkaSettings& settings() const { return settings_; }
    TorkaSettings& settings() { return settings_; }
    const DataFolders& dataFolders() const { return folders_->folders; }
    // For the data-set switch, which moves the data set and its folder together.
    DataFolders& dataFolders() { return folders_->folders; }
    const FolderReadResult& folderDecision() const { return *folders_; }
    // The settings file as the last read found it, for windows created right after it;
    // null when that read came from the start folder's file instead.
    const ProfileFile* settingsFileAsRead() const {
        return settingsFile_ ? &*settingsFile_ : nullptr;
    }
    bool hasBeenRead() const { return folders_.has_value(); }
    // "/F" started from a network drive whose start folder has no start marker: the
    // start folder is the shared folder for this run, whatever the settings file says.
    bool firstNetworkSetup() const { return firstNetworkSetup_; }

private:
    const StartFolders& start_;
    const LaunchOptions& options_;
    const Clock& clock_;
    Sleeper& sleeper_;
    NetworkModeSwitch& networkSwitch_;
    SettingsStore store_;
    TorkaSettings settings_;
    std::optional<ProfileFile> settingsFile_;
    std::optional<FolderReadResult> folders_;
    std::string foundEditor_;
    std::string foundPrintProgram_;
    bool firstNetworkSetup_ = false;
};

}  // namespace velmo
