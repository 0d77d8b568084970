#pragma once
// The period schedule file "CaFromTo.myc" of a data set, held in memory as the month
// view's period list: line 0 is the header line, every other line a period record
// (store/period_record.h). This module loads the list (creating a missing file; a local
// load hands what it read to a load step, the ten-day backups), saves it behind the shrink
// guard, sorts it, and applies the adds, changes and deletes of the period editor.
//
// Network mode: the locking, the reload after taking the period lock and the
// comparison with the remembered record belong to the shared-folder module. It builds
// them from loadPeriodList without backups, periodLineUnchanged, the list operations
// below and savePeriodList with SaveRequest::Edit, which also raises the update counter
// through SharedFolderHooks.

#include <functional>
#include <string>
#include <string_view>

#include "core/clock.h"
#include "core/user_interface.h"
#include "store/data_folders.h"
#include "store/folder_listing.h"
#include "store/line_file.h"
#include "store/month_file.h"
#include "store/period_record.h"
#include "store/shared_folder_hooks.h"

namespace velmo {

inline constexpr const char* kPeriodFileName = "CaFromTo.myc";
inline constexpr const char* kPeriodLockFileName = "CaFromTo.lock";

// Shown when the remembered record is no longer at its place after a reload.
inline constexpr const char* kPeriodChangedByOthersMessage =
    "他の方によって、期間予定データが変更されています。\r\n"
    "もう一度、期間予定の指定処理からお願いいたします。";

struct PeriodList {
    // PeriodLines: line 0 is the header, never a record.
    LineList lines;
    // Lines right after the last load, header included; the shrink guard compares
    // against it and no save changes it.
    int loadedCount = 0;
    // The file exists but could not be read: the list is only the header line and must
    // never replace the file. Cleared by the next load that reads it.
    bool readFailed = false;
    // SelectedPeriod: the index of the selected record, 0 for none.
    int selectedPeriod = 0;
    // The lines the file holds as this list last read or wrote them (none while there is
    // no file). Only a list that differs is written, so an untouched file keeps every byte.
    LineList onDisk;
};

struct PeriodFileContext {
    DataLocation location;  // the current data folder and its label for the header line
    std::string dataRoot;   // a load with backups creates it when it is set and missing
    UserInterface& ui;
    Sleeper& sleeper;
    SharedFolderHooks& shared;
    // The data folder's listing when the load is part of a larger one (the months of the
    // same folder); null looks at the folder itself.
    const FolderListing* listing = nullptr;
};

std::filesystem::path periodFilePath(const std::string& dataFolder);

// "ネットフォルダ[" + folder + "]が確認できません。…（ネットＯｆｆ）。[" + code + "]": the shared
// data folder is gone and network mode ends.
std::string sharedFolderMissing(const std::string& folder, const char* code);

// "***** FromTo予定 [" + label + "]", e.g. "***** FromTo予定 [Data\Files1\]".
std::string periodHeaderLine(std::string_view dataSetLabel);

enum class PeriodLoadOutcome {
    Loaded,                // the file was read
    Created,               // there was no file: a new one holds the header line
    NotCreated,            // there was no file and none could be written: "書込エラー[..]"
    ReadFailed,            // the file exists but could not be read: the list is marked
    SharedFolderMissing,   // network mode and the shared data folder is gone: the caller
                           // switches network mode off; nothing was loaded
    DataRootNotCreatable,  // the data root cannot be created: the application must end
};

// Replaces the list with the file's lines and clears the selection. With a load step (a
// local load; ignored in network mode) the first load of a ten-day period takes the
// backup, but never of a list that could not be read or is empty. A list left empty
// gets the header line; the loaded line count is set in every case but
// SharedFolderMissing, which leaves the list untouched.
// What a local load does besides reading: the ten-day backups plug in here, so that the
// file layer knows nothing of them.
class PeriodLoadStep {
public:
    virtual ~PeriodLoadStep() = default;
    // The list was just read from the data folder and is not empty.
    virtual void listRead(const LineList& lines, const std::string& dataFolder, UserInterface& ui,
                          Sleeper& sleeper) = 0;
};

PeriodLoadOutcome loadPeriodList(PeriodList& list, const PeriodFileContext& context,
                                 PeriodLoadStep* backups);

// Writes the list to the file unless it holds the file's own lines (Unchanged); the
// order of the records does not count, since every redraw sorts them. Network mode
// writes only for an edit (a save-all is Skipped) and raises the update counter
// afterwards. A list that shrank below half of what was loaded, or to nothing, is written
// only after two Yes. A list whose file could not be read is never written:
// NothingToWrite while it is still the header alone, NotRead with a message once
// something was added to it. A written list counts as unchanged from then on.
SaveOutcome savePeriodList(PeriodList& list, SaveRequest request, const PeriodFileContext& context);

// True when saving would have something to write (network mode and questions aside): the
// records differ from the file's, or, for a file that could not be read, anything was
// added to the header line.
bool hasUnsavedChange(const PeriodList& list);

// Sorts lines 1..n in ascending order of their CP932 bytes with ASCII letters folded to
// upper case (equal lines keep their order); line 0 stays where it is. When any line
// moved, the selection is cleared, since its index would now name another record.
// True when the order changed.
bool sortPeriodLines(PeriodList& list);

// What the caller does after an edit of the list, besides redrawing the month view.
struct PeriodEditResult {
    bool changed = false;  // the list was changed
    bool saveNow = false;  // network mode: save at once (SaveRequest::Edit), under the lock
};

// Appends a new period owned by this computer and clears the selection.
PeriodEditResult addPeriod(PeriodList& list, PeriodRecord record, const std::string& computerName,
                           const SharedFolderHooks& shared);

// Replaces the record at index p (1..n-1): the old line is removed and the new record,
// keeping the old line's owner, is appended; the selection is cleared. Nothing happens
// for an index that names no record.
PeriodEditResult changePeriod(PeriodList& list, int p, PeriodRecord record,
                              const SharedFolderHooks& shared);

// Removes the record at index (1..n-1) and clears the selection; nothing happens for an
// index that names no record (the header can never be deleted).
PeriodEditResult deletePeriod(PeriodList& list, int index, const SharedFolderHooks& shared);

inline constexpr const char* kDeletePeriodQuestion = "この予定を削除してもいいですか？";

// DeletePeriod(SelectedPeriod): asks "この予定を削除してもいいですか？" (No preselected)
// and deletes only on Yes. Nothing is asked while no record is selected.
PeriodEditResult deleteSelectedPeriod(PeriodList& list, UserInterface& ui,
                                      const SharedFolderHooks& shared);

// True when line p of a reloaded list is still the remembered text.
bool periodLineUnchanged(const PeriodList& list, int p, std::string_view remembered);

}  // namespace velmo
