#pragma once
// The save of the data into a backup folder ("退避", kept in data format 1) and its
// restore ("回復"), as the backup page of the options dialog runs them.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "core/clock.h"
#include "core/user_interface.h"

namespace velmo {

struct SaveRestoreInputs {
    std::string folderText;  // the save's destination or the restore's source, as entered
    std::filesystem::path currentDataFolder;
    std::filesystem::path commonDataFolder;
    std::filesystem::path startFolder;
    std::filesystem::path dataRoot;  // see dataRootFor
    bool networkMode = false;
    std::filesystem::path sharedFolder;
    // Where the restore keeps the data it replaces, as generations "BeforeRestore".
    std::filesystem::path backupRoot;
    // The main window's save-all (local operation only); false stops the operation.
    std::function<bool()> saveAll;
    // After a network restore that changed the data: bump update.myc.
    std::function<void()> raiseUpdateCounter;
    // Called once when a restore ends, whichever way: the caller gives back mente.lock.
    std::function<void()> onFinished;
    const Clock& clock;
    UserInterface& ui;
    Sleeper& sleeper;
};

// The root whose Data folder is saved and restored: the shared folder in network mode,
// else the configured data folder (edFolder) when set, else the start folder.
std::filesystem::path dataRootFor(bool networkMode, const std::filesystem::path& sharedFolder,
                                  const std::filesystem::path& dataFolderSetting,
                                  const std::filesystem::path& startFolder);

// The label the page shows after a save: "令和8年12月10日(木) 20:30 退避".
std::string saveLabelText(const LocalDateTime& when);

// Saves the data root's data into the folder (format 1). The previous copy there is
// replaced only once the new one is complete. The label text on success; nothing when
// a check refused or the copy failed (the user has been told).
std::optional<std::string> saveData(const SaveRestoreInputs& inputs);

enum class RestoreOutcome {
    Refused,   // a question or check stopped it before anything was copied
    Restored,  // the data is the backup's now
    Failed,    // the copy failed; the data is as it was
};

// Restores the backup in the folder over the data root's Data folder. The data it
// replaces is first kept as a generation in backupRoot, the new data is built beside
// it and renamed in. The program has to end after every outcome but Refused.
RestoreOutcome restoreData(const SaveRestoreInputs& inputs);

}  // namespace velmo
