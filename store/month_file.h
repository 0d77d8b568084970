#pragma once
// The monthly schedule files: one "Ca%.4d%.2d.myc" per month in the current data
// folder, held in memory as a month slot while the month is in view.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/clock.h"
#include "core/user_interface.h"
#include "store/entry_line.h"
#include "store/folder_listing.h"
#include "store/line_file.h"
#include "store/shared_folder_hooks.h"

namespace velmo {

// Slots 0-4 are the month window; slot 5 is the free month.
inline constexpr int kFreeMonthSlot = 5;

struct MonthSlot {
    int year = 0;
    int month = 0;
    LineList lines;
    // Lines right after the last load; the shrink guard compares against it.
    int loadedCount = 0;
    // The file exists but could not be read: the lines are only the placeholder and
    // must never replace the file. Cleared by the next load that reads it.
    bool readFailed = false;
    // The lines the file holds as this slot last read or wrote them (none while there
    // is no file). Only lines that differ are written, so an untouched file keeps every
    // byte: the other code of a CP932 twin, LF line ends, whatever follows a 0x1A.
    LineList onDisk;
};

// Where month files live and whom to tell about them.
struct MonthFileContext {
    std::string dataFolder;   // the current data folder, ending with "/"
    std::string dataSetText;  // as stored in placeholder lines, e.g. "Data\Files1\"
    UserInterface& ui;
    Sleeper& sleeper;
    SharedFolderHooks& shared;
    // The data folder's listing when one operation loads several months; null looks at
    // the folder itself for each month.
    const FolderListing* listing = nullptr;
};

// "Ca%.4d%.2d.myc", e.g. "Ca202403.myc".
std::string monthFileName(int year, int month);
std::filesystem::path monthFilePath(const std::string& dataFolder, int year, int month);

// The line an otherwise empty month starts with: " 0,0,9,%4.d/%2.d [%s]", e.g.
// " 0,0,9,2024/ 3 [Data\Files1\]" (year in four places, month in two, space padded).
std::string placeholderLine(int year, int month, std::string_view dataSetText);

// Sets the slot's month and reads its file when the slot is empty, its last read
// failed or forceReload is set. A missing file gives the placeholder alone; a file
// that cannot be read shows "予定データ読込エラー[ n ]", leaves the placeholder and
// marks the slot. The loaded line count is recorded only when the file was (re)read,
// so a slot kept as it was keeps its shrink-guard baseline. True unless a read failed.
bool loadSlot(MonthSlot& slot, int slotNumber, int year, int month, bool forceReload,
              const MonthFileContext& context);

// A day's lines as the day editor shows them: the texts with "，" turned back to ","
// and one attribute record per line. Month memo lines (day 77) carry no colour and
// get default records. A day without entries gives one empty line.
struct DayLines {
    std::vector<std::string> texts;
    std::vector<DayLineAttr> attrs;
};
DayLines readDayLines(const MonthSlot& slot, int day);

// What the caller does after a write-back, besides redrawing the month view.
struct WriteBackResult {
    bool freeMonthChanged = false;  // the free month now differs from its file
    bool saveNow = false;           // network mode: save the slot at once, under its lock
};

// Replaces the day's entries in the slot by the editor's lines (day 77 for the month
// memo), numbered from 1 and appended at the end. Entries of the day are removed
// only when the slot holds the given month, or when the month memo is switched on.
// A missing attribute record counts as the default.
WriteBackResult writeBackDay(MonthSlot& slot, int slotNumber, int year, int month, int day,
                             const std::vector<std::string>& texts,
                             const std::vector<DayLineAttr>& attrs, bool monthMemoOn,
                             const SharedFolderHooks& shared);

// Why a slot is being saved: network mode writes a slot only for an edit.
enum class SaveRequest { SaveAll, Edit };

enum class SaveOutcome {
    Written,         // the file was replaced
    Unchanged,       // the lines are those of the file; it was left as it is
    NothingToWrite,  // only the placeholder, as loaded
    Declined,        // the user refused a shrink-guard question
    NotRead,         // the file could not be read, so it is not written over
    Skipped,         // network mode and no edit asked for it
    WriteFailed,     // the writer gave up; the user was told
};

// Writes the slot's lines to its file when they differ from what it holds, asking twice
// first when the month shrank to less than half of what was loaded or lost every entry.
// A written slot counts as unchanged from then on; one that was not written stays changed.
SaveOutcome saveSlot(MonthSlot& slot, SaveRequest request, const MonthFileContext& context);

// True when saving would have something to write (network mode and questions aside):
// the lines differ from the file and are more than the placeholder of a month without
// entries. A month whose file could not be read counts once something was added to it.
bool hasUnsavedChange(const MonthSlot& slot);

// Makes sure folder, folder/Data/Files1, Files2 and Files3 exist, in that order;
// stops at the first that cannot be created and, when report is set, says which.
bool createDataSetFolders(const std::string& folder, bool report, UserInterface& ui);

}  // namespace velmo
