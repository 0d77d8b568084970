#pragma once
// The main window's answers to the month view: the day editor, the month memo and the
// period editor opened from presses and the context menu, what they store, the
// memorial-day page, and the pop-up menus. Month-view logic stays in MonthInteraction;
// this class only turns its requests into windows and stored lines.

#include <functional>
#include <string>

#include "app/navigation/month_session.h"
#include "core/clock.h"
#include "core/user_interface.h"
#include "editor_models/period_form.h"
#include "monthview/context_menus.h"
#include "monthview/month_interaction.h"
#include "shared/edit_protocol.h"
#include "store/settings.h"
#include "store/shared_folder_hooks.h"

class QAction;
class QMenu;
class QPoint;

namespace velmo {

class TKvMCal;
class TfmDay;

struct MonthViewActionsContext {
    TKvMCal& view;
    MonthSession& session;
    TfmDay& editor;
    UserInterface& ui;
    Sleeper& sleeper;
    SharedFolderHooks& shared;
    // The locks of a shared edit; null in local operation.
    std::function<LockOperations*()> editLocks;
    // After an edit under a lock.
    std::function<void()> afterSharedEdit;
    const TorkaSettings& settings;
    std::string computerName;
    // Where Sday.myc lives; read when a memorial day is edited.
    std::function<std::string()> commonFolder;
    // The main window's part of the context menu's rules, and its commands.
    std::function<MainWindowMenuState()> mainMenuState;
    // day: the right-clicked day for the day commands, 0 for the others.
    std::function<void(MonthMenuCommand, std::int32_t day)> mainCommand;
    std::function<void()> cancelAutoResident;
};

class MonthViewActions : public MonthViewHost {
public:
    explicit MonthViewActions(MonthViewActionsContext context);

    MonthInteraction& interaction() { return interaction_; }

    void cancelAutoResident() override;
    void openDayEditor(std::int32_t day) override;
    void openMonthMemo() override;
    void openNewPeriod(const NewPeriodRange& range) override;
    void openPeriod(int index) override;
    void showPopupMenu(PopupMenuKind kind, Point at) override;
    void editMemorialDay(std::int32_t day) override;
    void copyDay(std::int32_t day) override;
    void pasteDay(std::int32_t day) override;
    void runMemoCommand() override;
    void deleteSelectedPeriod() override;

    // The menu of this kind as it would open now; tests look at it without showing it.
    void fillPopupMenu(QMenu& menu, PopupMenuKind kind);
    // Runs a command of either pop-up menu as a click on its item does.
    void runPopupCommand(MonthMenuCommand command);

    // Shows a pop-up menu at a point of the screen and returns the item chosen, if any;
    // tests replace it to pick an item.
    using MenuRunner = std::function<QAction*(QMenu& menu, const QPoint& at)>;
    void setMenuRunner(MenuRunner runner) { menuRunner_ = std::move(runner); }

private:
    // The lines of one day (or the month memo) of the displayed month, edited.
    void editDayLines(int day);
    // Runs the period editor on the fields formOf gives and stores its record: 0 adds.
    void storePeriod(int index, const std::function<PeriodForm(const PeriodList&)>& formOf);
    // The locks of a shared edit; null in local operation.
    LockOperations* sharedLocks() const;

    MonthViewActionsContext context_;
    MonthInteraction interaction_;
    MenuRunner menuRunner_;
};

}  // namespace velmo
