#pragma once
// Ten-day backups of the period file. The first load of a ten-day period copies the
// period file to "CaFT" + token + ".mcp" in the data folder and the memo file
// "CaMemo.myc" to "CaME" + token + ".mcp" in the common data folder. Three generations
// are named in the settings (CaFT1 newest .. CaFT3 oldest); older copies are removed
// by the clean-up that runs before the program leaves the foreground.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/julius_day.h"
#include "core/clock.h"
#include "core/user_interface.h"
#include "store/line_file.h"
#include "store/period_file.h"
#include "store/settings.h"

namespace velmo {

inline constexpr const char* kPeriodBackupMask = "CaFT*.mcp";
inline constexpr const char* kMemoBackupMask = "CaME*.mcp";

// Four characters of the date as "%.4d%.2d%.2d" (day 30 and 31 counted as 29), from
// the 4th to the 7th: the year's last digit, the month and the tens of the day.
// 2024-09-09 gives "4090", 2024-09-10 "4091", 2024-09-20 .. 31 "4092".
std::string tenDayToken(const Ymd& today);

// "CaFT" + token + ".mcp".
std::string periodBackupName(std::string_view token);
// The memo copy taken with a period backup: "CaME" + the name from its fifth character.
// Empty for a name too short to have one.
std::string memoBackupNameFor(std::string_view periodBackupName);

// The first day of the ten-day period a backup name stands for: the latest such day
// not after today, so the year digit is read in the right decade. Nothing for a name
// that is not "CaFT"/"CaME" + a valid token + ".mcp" (any letter case).
std::optional<Ymd> backupPeriodStart(std::string_view backupName, const Ymd& today);

// Writes the three names to the settings file at once; false when that failed.
using PersistBackupNames = std::function<bool(const std::array<std::string, 3>& names)>;

// What a load with backups needs besides the period file.
struct PeriodBackupContext {
    std::string commonFolder;  // where the memo file and its copies live, ending with "/"
    Ymd today;                 // the run's today
    DataKeys& names;           // CaFT1..CaFT3 of the run's settings
    bool& cleanupWanted;       // set once this run made a backup
    PersistBackupNames persist;
};

enum class BackupOutcome {
    NotDue,  // this ten-day period has its backup already
    Made,    // a new generation was written and the names rotated
    Failed,  // the copy could not be written: nothing rotated, the next load tries again
};

// Takes the ten-day backup of a period list just read from dataFolder when the token's
// name is not CaFT1 (names compare ignoring ASCII case). In this order: writes the new
// period copy atomically (stopping when that fails), copies the memo file, rotates the
// names and hands them to persist, and only then deletes the generation that dropped
// out with its memo copy - so a crash at any point never loses a generation nor makes a
// second rotation. A name that comes back (it was CaFT2 or CaFT3) moves to the front
// and nothing drops out; a name that is not a plain "CaFT*.mcp" file name is never
// deleted; and when persist fails the dropped generation stays on disk for the
// clean-up to take once the names have reached the settings file.
BackupOutcome makeTenDayBackup(const LineList& lines, const std::string& dataFolder,
                               PeriodBackupContext& backups, UserInterface& ui, Sleeper& sleeper);

// Deletes "CaFT*.mcp" in dataFolder and "CaME*.mcp" in the common folder that belong
// to none of the three names (ignoring ASCII case), but only copies older than all three
// named generations: the data sets share one set of names, so a recent copy that is not
// named may be the only backup of another data set. Nothing is deleted while fewer than
// three names are known, nor a copy whose name carries no token. A deletion that fails
// ends the clean-up with "ファイルの削除に失敗しました。"; false then.
bool cleanUpStaleBackups(const std::string& dataFolder, const PeriodBackupContext& backups,
                         UserInterface& ui);

// The load step that takes the ten-day backup of every list a local load read.
class TenDayBackupStep final : public PeriodLoadStep {
public:
    explicit TenDayBackupStep(PeriodBackupContext& backups) : backups_(backups) {}
    void listRead(const LineList& lines, const std::string& dataFolder, UserInterface& ui,
                  Sleeper& sleeper) override;

private:
    PeriodBackupContext& backups_;
};

// loadPeriodList with the ten-day backups (and the data root created when missing).
PeriodLoadOutcome loadPeriodListWithBackups(PeriodList& list, const PeriodFileContext& context,
                                            PeriodBackupContext& backups);

enum class LeavingOutcome {
    Done,
    SharedFolderMissing,  // the caller switches network mode off; nothing saved
    SaveFailed,           // "不要アイテム削除エラー" shown; no clean-up
    CleanUpFailed,        // a stale backup could not be deleted (the user was told)
};

// Save-before-leaving, run before going resident, switching data sets and starting the
// print program: checks the shared folder in network mode, runs the full save (settings,
// months and period list; false when it failed) and, when this run made a backup,
// removes stale backups.
LeavingOutcome saveBeforeLeaving(const PeriodFileContext& context,
                                 const std::function<bool()>& fullSave,
                                 const PeriodBackupContext& backups);

}  // namespace velmo
