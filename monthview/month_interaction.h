#pragma once
// What a mouse press, move, release or double-click on the month view does: the
// control's own press (select the day, jump to a neighbour month, hit the month memo
// area) and the main window's reactions (open the day editor or the month memo, mark a
// range of days for a new period, select a period bar, show a pop-up menu), plus the
// month-view commands of the context menu.
//
// The widget forwards its events in control pixels; everything the main window must do
// in return goes through MonthViewHost, called at the moment the step happens, so an
// editor opened there runs (modally) before the remaining steps, exactly as in a
// Windows message handler. The grid is redrawn through the model's redraw hook.
//
// Every Alt gesture also works with Shift (rangeModifierHeld).

#include <cstdint>

#include "core/user_interface.h"
#include "monthview/context_menus.h"
#include "monthview/hit_test.h"
#include "monthview/input_events.h"
#include "store/period_record.h"

namespace velmo {

class TKvMCalModel;

inline constexpr const char* kPeriodOrderMessage = "初めと終わりが逆です。";

// The menu the next right-button release shows: the month context menu (pMenu1) or,
// while a period bar is selected, the delete menu (pmSakujo).
enum class PopupMenuKind { Month, DeletePeriod };

// A range of days for a new period, start never after end. A third (1 left, 2 middle,
// 3 right) is the part of day handed to the period editor.
struct NewPeriodRange {
    std::int32_t startDay = 0;
    int startThird = 1;
    std::int32_t endDay = 0;
    int endThird = 3;

    bool operator==(const NewPeriodRange&) const = default;
};

// Two marked (day, third) ends in calendar order, so a range marked backwards becomes
// the same range marked forwards.
NewPeriodRange orderedPeriodRange(std::int32_t firstDay, int firstThird, std::int32_t secondDay,
                                  int secondThird);

// Third 1 → morning, 2 → daytime, 3 → evening.
DayPart dayPartOfThird(int third);

// The main window's side of the month view. Editors are expected to run modally.
class MonthViewHost {
public:
    virtual ~MonthViewHost() = default;

    // Any press on the month view cancels a running countdown to resident mode.
    virtual void cancelAutoResident() = 0;
    virtual void openDayEditor(std::int32_t day) = 0;
    // The month memo of the displayed month in the day editor.
    virtual void openMonthMemo() = 0;
    virtual void openNewPeriod(const NewPeriodRange& range) = 0;
    // The period at this index of the period lines, in the period editor.
    virtual void openPeriod(int index) = 0;
    // Shows the menu at a point of the control; its commands come back through
    // MonthInteraction::runMenuCommand (month view commands) or go to the main window.
    virtual void showPopupMenu(PopupMenuKind kind, Point at) = 0;
    virtual void editMemorialDay(std::int32_t day) = 0;
    virtual void copyDay(std::int32_t day) = 0;
    virtual void pasteDay(std::int32_t day) = 0;
    // The memo command: the editor companion or the memo window.
    virtual void runMemoCommand() = 0;
    // Deletes the selected period under the period file's lock (TKvMCalModel::deletePeriod).
    virtual void deleteSelectedPeriod() = 0;
};

// The main window's state for the month view.
struct MonthMouseState {
    bool pressSeen = false;         // a press happened and its release is still to come
    bool pressInGrid = false;       // that press lay on a cell
    Point pressPoint;               // where it happened
    bool openedByClick = false;     // the last release opened something: ignore the double-click
    bool memoPressed = false;       // the last release hit the month memo area
    std::int32_t dragStartDay = 0;  // 0: no range being marked
    int startThird = 1;
    std::int32_t dragEndDay = 0;
    int endThird = 1;
    // True while the range start came from the context menu and waits for its end.
    bool startMarkedByMenu = false;
    int lastMoveColumn = -1;  // the cell last seen while marking with the mouse
    int lastMoveRow = -1;
    std::int32_t rightClickedDay = 0;
    int rightClickedThird = 1;
    PopupMenuKind popup = PopupMenuKind::Month;
};

class MonthInteraction {
public:
    MonthInteraction(TKvMCalModel& model, MonthViewHost& host, UserInterface& ui);

    // Mouse events of the month view, in control pixels. A double-click stands for the
    // second press of the pair: the widget calls doubleClick instead of press for it,
    // and release after it as usual.
    void press(Point point, MouseButton button, Modifiers modifiers);
    void move(Point point, Modifiers modifiers);
    void release(Point point, MouseButton button, Modifiers modifiers);
    void doubleClick(Point point, MouseButton button, Modifiers modifiers);
    // The focus left the month view (not for a pop-up menu of its own).
    void focusLost();

    // A command of the month context menu or the delete menu that belongs to the month
    // view, acting on the right-clicked day. False, with nothing done, for a command of
    // the main window or one the month view's menu rules disable now.
    bool runMenuCommand(MonthMenuCommand command);

    // The month view's part of the menu rules, as of now.
    MonthViewMenuState menuState() const;
    // The menu a right-button release would show now.
    PopupMenuKind popupMenu() const;

    const MonthMouseState& mouseState() const { return state_; }

private:
    void viewPress(Point point, MouseButton button, Modifiers modifiers);
    void mainWindowPress(Point point, MouseButton button, Modifiers modifiers);
    bool doubleClickOpened();
    void endMenuMarking();
    void clearDragDays();
    // The cell shows its own content (not hidden under the month memo area, not a
    // neighbour-month cell while neighbours are hidden).
    bool cellShown(const MonthHit& hit) const;
    bool inMemoArea(const MonthHit& hit) const;
    bool holdsDayLine(const MonthHit& hit) const;

    TKvMCalModel& model_;
    MonthViewHost& host_;
    UserInterface& ui_;
    MonthMouseState state_;
};

}  // namespace velmo
