#pragma once
// Switching the local data set (Files1, Files2, Files3): save what is open, back up,
// move the data set and its folder together, reload and show the month shown before.

#include <functional>
#include <string>

#include "core/user_interface.h"
#include "store/data_folders.h"

namespace velmo {

struct DataSetSwitchHooks {
    // The save before leaving (full save and stale backup clean-up); false when the data
    // was not saved, after it told the user why.
    std::function<bool()> saveBeforeLeaving;
    // The automatic generation backup.
    std::function<void()> automaticBackup;
    // Reload all data from the current data folder.
    std::function<void(bool forced)> reloadAll;
    // Whether "YYYYMM" is one of the month window's slots 0..4.
    std::function<bool(const std::string& yyyymm)> monthInWindow;
    std::function<void()> activateMonthPage;
    std::function<void(const std::string& yyyymm)> showMonth;
};

struct DataSetSwitchRequest {
    int number = 1;
    bool networkMode = false;
    // cbABackupJ: the automatic backup runs only when going resident.
    bool backupOnlyWhenResident = false;
    // "YYYYMM" of the month shown before the switch.
    std::string shownYearMonth{};
};

enum class DataSetSwitchOutcome {
    Switched,
    Refused,        // network mode, the set in use, no data set folders, outside 1..3
    FolderMissing,  // the user was told; the data set in use stays
    NotSaved,       // the save failed (the user was told); the data set in use stays
};

// "<folder>のフォルダがありません。\r\nセットアップされていない場合は、..." for a missing
// data set folder.
std::string dataSetFolderMissingMessage(const std::string& folder);

DataSetSwitchOutcome switchToDataSet(const DataSetSwitchRequest& request, DataFolders& folders,
                                     const FolderExists& exists, UserInterface& ui,
                                     const DataSetSwitchHooks& hooks);

// The Files2 button is tinted while data set 2 is in use.
bool files2ButtonTinted(const DataFolders& folders);

}  // namespace velmo
