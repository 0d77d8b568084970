#pragma once
// The month view's two pop-up menus as data: the month context menu (the right-button
// menu of the month page) and the delete menu that replaces it while a period bar is
// selected. Each item's caption, shortcut and visible / enabled / checked state is
// computed from the state it depends on; the main window builds its menu from the items.
//
// Qt fires a shortcut even while its menu is closed, so the main window recomputes the
// items whenever one of the inputs changes (network mode, data set, selection, marking,
// day copy), not only when the menu opens.

#include <set>
#include <string>
#include <vector>

namespace velmo {

enum class MonthMenuCommand {
    EditDay,
    Resident,
    DayCopy,
    DayPaste,
    Files1,
    Files2,
    NetOn,
    NetReload,
    PeriodStart,
    PeriodEnd,
    Print,
    Memo,
    MemorialDay,
    Exit,
    // The delete menu.
    CancelDelete,
    DeletePeriod,
};

// What the month view and its interaction know when the menu opens.
struct MonthViewMenuState {
    // A period start was marked with the menu and its end is still to come.
    bool markingWaits = false;
    bool memoClicked = false;     // the right press hit the month memo area
    bool clickedInMonth = false;  // the right-clicked day belongs to the displayed month
    bool rangeMarked = false;     // RangeStart is set

    bool operator==(const MonthViewMenuState&) const = default;
};

// What the main window knows.
struct MainWindowMenuState {
    bool closeButton = false;  // cbCloseBtn: no resident item
    bool dayCopyPending = false;
    bool networkMode = false;
    int dataSet = 1;                // 1..3, the data set in use
    bool printEnabled = false;      // cbPrint
    bool networkAllowed = false;    // cbNet
    bool editorCompanion = false;   // the memo command goes to the text editor companion
    bool editorMemoCaption = true;  // cbVelmoM: with the companion the item still reads "メモ"
    // Commands that have no implementation yet: their items are shown but disabled.
    std::set<MonthMenuCommand> unavailable;
};

struct MenuItem {
    bool separator = false;
    MonthMenuCommand command = MonthMenuCommand::EditDay;  // meaningless for a separator
    std::string caption;
    std::string shortcut;  // portable key-sequence text ("Ctrl+F5"), empty for none
    bool visible = true;
    bool enabled = true;
    bool checkable = false;
    bool checked = false;

    bool operator==(const MenuItem&) const = default;
};

// Whether the month view's own rules allow a command; the main window's conditions
// (network mode, cbPrint, …) are not part of this.
bool monthViewAllows(MonthMenuCommand command, const MonthViewMenuState& view);

// The month context menu, separators included, in display order.
std::vector<MenuItem> monthContextMenu(const MonthViewMenuState& view,
                                       const MainWindowMenuState& main);

// The delete menu: "キャンセル(&C)" and "削除(&D)"; deleting needs a selected period.
std::vector<MenuItem> periodDeleteMenu(bool periodSelected);

// The item of a command, or nullptr.
const MenuItem* findMenuItem(const std::vector<MenuItem>& items, MonthMenuCommand command);

}  // namespace velmo
