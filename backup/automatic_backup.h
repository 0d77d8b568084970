#pragma once
// The automatic backup of the common data folder into the safeguard folder: when it is
// due, and the run itself (a generation copy of three generations "NN_AutoVelData" with a
// date marker in the newest). The caller holds a BackupBusy while a run lasts, so the
// program refuses to end in the middle of it.

#include <cstdint>
#include <filesystem>

#include "core/clock.h"
#include "core/user_interface.h"
#include "store/settings_keys.h"

namespace velmo {

inline constexpr const char* kAutomaticBackupBaseName = "AutoVelData";
inline constexpr int kAutomaticBackupGenerations = 3;
inline constexpr const char* kBackupBusyRefusal =
    "ただいま作業中です。現在は終了できません。\r\nもう少し後、終了させてください。";

// The interval in days the list position cbBackKankaku stands for (0 means never).
int backupInterval(int listPosition);

// Sets a flag for its lifetime: the program's close query refuses while it is set.
class BackupBusy {
public:
    explicit BackupBusy(bool& flag) : flag_(flag) { flag_ = true; }
    ~BackupBusy() { flag_ = false; }
    BackupBusy(const BackupBusy&) = delete;
    BackupBusy& operator=(const BackupBusy&) = delete;

private:
    bool& flag_;
};

struct AutomaticBackupInputs {
    bool networkMode = false;
    bool startedFromCdrom = false;
    bool startedFromNetwork = false;
    bool startedFromRemovable = false;
    int dataFormat = 1;
    std::filesystem::path commonDataFolder;
    std::filesystem::path startFolder;
    std::filesystem::path backupRoot;  // the safeguard folder
    std::int32_t today = 0;            // day number
    int generations = kAutomaticBackupGenerations;
    BackupKeys& settings;  // BackupDay is updated by a run; vBackKankaku by the decision
};

enum class AutomaticBackupOutcome {
    Skipped,       // not due, or not for this kind of start
    Copied,        // a new generation was made
    AlreadyToday,  // the newest generation was made today already
    Failed,        // the copy failed; the user was told
};

// Whether a backup is due: never in network mode, from a CD-ROM, network or removable
// drive, with interval 0, outside data format 2, or when the common data folder is the
// start folder itself; else when the interval has passed since BackupDay or BackupDay
// lies in the future (a clock set back once would otherwise stop backups for as long).
// Sets settings.vBackKankaku to the interval.
bool automaticBackupDue(const AutomaticBackupInputs& inputs);

// The run, whether due or not: a generation copy unless the newest generation's marker
// says today, then BackupDay := today. A failed copy tells the user and moves BackupDay
// one day on instead.
AutomaticBackupOutcome runAutomaticBackup(const AutomaticBackupInputs& inputs, UserInterface& ui,
                                          const Clock& clock, Sleeper& sleeper);

// automaticBackupDue, then the run when due.
AutomaticBackupOutcome automaticBackup(const AutomaticBackupInputs& inputs, UserInterface& ui,
                                       const Clock& clock, Sleeper& sleeper);

}  // namespace velmo
