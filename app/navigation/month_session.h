#pragma once
// The month page's data: which months the month view holds (the month table), loading
// them and the period list from the current data folder, showing a month (a window slot
// or the free month), and saving everything back.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/navigation/month_table.h"
#include "app/startup/rescue_copies.h"
#include "backup/period_backups.h"
#include "core/clock.h"
#include "core/user_interface.h"
#include "monthview/month_grid.h"
#include "store/data_folders.h"
#include "store/month_file.h"
#include "store/period_file.h"
#include "store/shared_folder_hooks.h"

namespace velmo {

struct MonthSessionContext {
    UserInterface& ui;
    Sleeper& sleeper;
    SharedFolderHooks& shared;
    // Writes CaFT1..CaFT3 to the settings file at once after a backup rotation.
    PersistBackupNames persistBackupNames;
};

class MonthSession {
public:
    MonthSession(TKvMCalModel& view, MonthSessionContext context);

    // The month window around today: fills the month table and shows today in the view.
    void startWindow(std::int32_t today);
    // Reload all data: empties and loads slots 0..4 and the period list (ten-day backups
    // in local operation), then relayouts. `names` are the run's CaFT1..CaFT3.
    void reloadAll(const DataFolders& folders, DataKeys& names, std::int32_t today);

    // Show month ("YYYYMM"). False, with nothing changed, when the month is out of reach
    // (the user was told).
    bool showMonth(std::string_view yyyymm);
    // A tab click: slot 0..4, or in free-month mode tab 1 ("今月") goes to the current month.
    void showTab(int tab);
    // Leaves free-month mode, saving the free month when it changed and the period list.
    // A free month the user chose not to save is dropped; one whose write failed stays in
    // its slot, so later saves and the rescue still have it.
    void leaveFreeMonth();
    // The 標準表示 button: back from a free month to the slot shown before it.
    void returnToRememberedSlot();
    // The view moved its selected date by itself (a press on a neighbour-month day):
    // follow it with the tabs, load a month that left the window as the free month, or
    // leave free-month mode when the view came back into the window.
    void followView();
    // Today moved without a new month window (a date change inside the month).
    void moveToday(std::int32_t today);

    // The full save's data part: the free month when changed, slots 0..4 and the period
    // list, each through its shrink guard and only when it differs from its file. False
    // when any save failed or was refused.
    bool saveAll();

    // The months and the period list whose edits have not reached the data folder, named
    // and laid out as they would be written there.
    std::vector<RescueFile> unsavedFiles() const;

    // Forgets every month slot and the period list (before the months are set up anew).
    void emptyAll();

    // The save before leaving (going resident, another data set, printing): the full
    // save given, then stale period backups removed when this run made one. False when
    // the data was not saved.
    bool saveBeforeLeaving(const std::function<bool()>& fullSave);

    // The reload from the shared folder: the month shown and the period list read afresh
    // (no backups), then relayout.
    void reloadShown();
    // The month context of the current data folder, for an edit of a slot.
    MonthFileContext monthFiles() { return monthContext(); }
    // The same for the period list.
    PeriodFileContext periodFiles();

    // A month whose file could not be read is read again (its slot 0..5); true when its
    // lines are in.
    bool rereadIfUnread(int slot);

    const MonthTable& table() const { return table_; }
    bool freeMonthMode() const { return freeMonthMode_; }
    std::int32_t runToday() const { return runToday_; }
    // The tab strip: five month labels, or the free month's label and "今月".
    std::vector<std::string> tabLabels() const;
    int selectedTab() const;
    // "YYYYMM" of the month shown.
    std::string shownYearMonth() const;

    // Called after every change of the shown month or the tabs.
    void setOnShown(std::function<void()> onShown) { onShown_ = std::move(onShown); }

private:
    MonthFileContext monthContext();
    void showSlot(int slot);
    bool enterFreeMonth(const ShowMonthTarget& target);
    // Saves the free slot before it is given another month; false when its edit could
    // not be written and must stay.
    bool releaseFreeSlot();
    void notifyShown();

    TKvMCalModel& view_;
    MonthSessionContext context_;
    MonthTable table_;
    std::optional<DataFolders> folders_;
    DataKeys* backupNames_ = nullptr;
    bool backupCleanupWanted_ = false;
    std::int32_t runToday_ = 0;
    bool freeMonthMode_ = false;
    int rememberedSlot_ = kCurrentMonthSlot;
    std::function<void()> onShown_;
};

}  // namespace velmo
