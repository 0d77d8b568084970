#include "monthview/month_interaction.h"

#include <algorithm>

#include "monthview/month_grid.h"

namespace velmo {

NewPeriodRange orderedPeriodRange(std::int32_t firstDay, int firstThird, std::int32_t secondDay,
                                  int secondThird) {
    if (secondDay < firstDay || (secondDay == firstDay && secondThird < firstThird))
        return {secondDay, secondThird, firstDay, firstThird};
    return {firstDay, firstThird, secondDay, secondThird};
}

DayPart dayPartOfThird(int third) {
    if (third <= 1)
        return DayPart::Morning;
    return third == 2 ? DayPart::Daytime : DayPart::Evening;
}

MonthInteraction::MonthInteraction(TKvMCalModel& model, MonthViewHost& host, UserInterface& ui)
    : model_(model), host_(host), ui_(ui) {}

void MonthInteraction::press(Point point, MouseButton button, Modifiers modifiers) {
    // An editor opened by an earlier click has had its double-click chance.
    state_.openedByClick = false;
    viewPress(point, button, modifiers);
}

// The control's own press; the main window's handler runs inside it, after the hit test
// and before the date changes.
void MonthInteraction::viewPress(Point point, MouseButton button, Modifiers modifiers) {
    KvMCalState& s = model_.state();
    s.MemoClicked = false;
    s.ClickedInMonth = false;
    const MonthHit hit = hitTestMonth(model_, point);
    s.ClickedDay = hit.day;

    mainWindowPress(point, button, modifiers);

    if (hit.onHeader() || !hit.inGrid)
        return;
    // The memo area is drawn over whatever days lie under it, so it wins over them.
    if (inMemoArea(hit)) {
        s.MemoClicked = true;
        return;
    }
    if (model_.inDisplayedMonth(hit.day)) {
        s.ClickedInMonth = true;
        s.JumpedToNeighbour = false;
        model_.setJuliusDay(hit.day);
        return;
    }
    if (!model_.properties().NeighborJump || button == MouseButton::Right)
        return;
    if (hit.row < 3) {
        s.JumpForward = false;
        if (!s.OutOfWindow) {
            if (s.CurrentSlot > 0)
                --s.CurrentSlot;
            else
                s.OutOfWindow = true;
        }
    } else if (hit.row > 3) {
        s.JumpForward = true;
        if (!s.OutOfWindow) {
            if (s.CurrentSlot < 4)
                ++s.CurrentSlot;
            else
                s.OutOfWindow = true;
        }
    }
    s.JumpedToNeighbour = true;
    model_.setJuliusDay(hit.day);
}

void MonthInteraction::mainWindowPress(Point point, MouseButton button, Modifiers modifiers) {
    KvMCalState& s = model_.state();
    state_.pressSeen = true;
    host_.cancelAutoResident();
    state_.pressPoint = point;
    const MonthHit hit = hitTestMonth(model_, point);
    state_.pressInGrid = hit.inGrid;

    if (button == MouseButton::Right) {
        if (popupMenu() != PopupMenuKind::DeletePeriod)
            s.ClickMark = true;
        // Any other day of the month is selected next, and that relayout draws the mark.
        if (hit.day == model_.juliusDay() || !model_.inDisplayedMonth(hit.day))
            model_.redrawGrid();
    } else if (s.ClickMark || s.RangeStart > 0) {
        s.RangeStart = 0;
        s.RangeEnd = 0;
        s.ClickMark = false;
        state_.startMarkedByMenu = false;
        model_.redrawGrid();
    }

    // Marking a range is a left-button drag; a right button keeps its menu.
    if (button == MouseButton::Left && rangeModifierHeld(modifiers) && !hit.onHeader() &&
        hit.inGrid) {
        state_.dragStartDay = hit.day;
        state_.startThird = hit.third;
        state_.startMarkedByMenu = false;
        s.RangeStart = hit.day;
        s.RangeEnd = 0;
        model_.redrawGrid();
    }
}

void MonthInteraction::move(Point point, Modifiers modifiers) {
    if (!rangeModifierHeld(modifiers))
        return;
    const MonthHit hit = hitTestMonth(model_, point);
    // The header shows no days; the range keeps its last end there.
    if (hit.onHeader())
        return;
    if (hit.column == state_.lastMoveColumn && hit.row == state_.lastMoveRow)
        return;
    state_.lastMoveColumn = hit.column;
    state_.lastMoveRow = hit.row;
    KvMCalState& s = model_.state();
    if (s.RangeStart > 0 && state_.dragStartDay != 0) {
        // Dragging backwards highlights the same days the new period will get.
        s.RangeStart = std::min(state_.dragStartDay, hit.day);
        s.RangeEnd = std::max(state_.dragStartDay, hit.day);
    } else {
        s.RangeEnd = hit.day;
    }
    model_.redrawGrid();
}

void MonthInteraction::release(Point point, MouseButton button, Modifiers modifiers) {
    if (!state_.pressSeen)
        return;
    state_.pressSeen = false;
    KvMCalState& s = model_.state();
    const MonthHit hit = hitTestMonth(model_, point);
    // A release off the cells, or the end of a press that was off them, opens nothing.
    const bool opens = hit.inGrid && state_.pressInGrid;

    if (button == MouseButton::Right) {
        state_.rightClickedDay = s.ClickedDay;
        state_.rightClickedThird = hit.third;
        const PopupMenuKind shown = popupMenu();
        state_.popup = PopupMenuKind::Month;
        if (opens)
            host_.showPopupMenu(shown, point);
        return;
    }

    const bool rangeWasShown = s.RangeStart > 0;
    state_.lastMoveColumn = -1;
    state_.lastMoveRow = -1;
    s.RangeStart = 0;
    s.RangeEnd = 0;
    // Steps that stop early still take a cleared highlight off the screen.
    auto stop = [&] {
        if (rangeWasShown)
            model_.redrawGrid();
    };

    const bool ctrl = (modifiers & kCtrl) != 0;
    const bool ranged = rangeModifierHeld(modifiers);
    const bool memoOn = model_.properties().TukiMemo;
    if (s.MemoClicked) {
        if (ctrl && memoOn && opens) {
            clearDragDays();
            state_.openedByClick = true;
            host_.openMonthMemo();
            state_.memoPressed = false;
        } else {
            state_.memoPressed = true;
        }
    } else {
        state_.memoPressed = false;
    }
    state_.endThird = hit.third;

    if (!opens) {
        clearDragDays();
        stop();
        return;
    }

    if (ctrl || (!ranged && holdsDayLine(hit))) {
        if (hit.onHeader()) {
            stop();
            return;
        }
        clearDragDays();
        if (!model_.inDisplayedMonth(hit.day) || s.JumpedToNeighbour || hit.day != s.ClickedDay) {
            stop();
            return;
        }
        state_.openedByClick = true;
        host_.openDayEditor(s.ClickedDay);
    }

    if (ranged && state_.dragStartDay != 0) {
        if (hit.onHeader()) {
            clearDragDays();
            stop();
            return;
        }
        state_.dragEndDay = hit.day;
        const NewPeriodRange range = orderedPeriodRange(state_.dragStartDay, state_.startThird,
                                                        state_.dragEndDay, state_.endThird);
        // The marking is used up; a later release must not reuse its start.
        clearDragDays();
        host_.openNewPeriod(range);
    } else {
        clearDragDays();
    }

    state_.popup = PopupMenuKind::Month;
    PeriodList& periods = model_.periods();
    const int itemGyo = model_.properties().ItemGyo;
    // Read after any editor above ran: it may have changed the layout.
    int bar = 0;
    if (!hit.onHeader() && hit.linePosition <= itemGyo && cellShown(hit)) {
        const CellSlot& slot = model_.cellSlot(hit.cellIndex(), hit.slot());
        if (slot.kind == SlotKind::Period)
            bar = slot.lineIndex;
    }
    if (bar > 0) {
        if (bar == periods.selectedPeriod) {
            host_.openPeriod(bar);
        } else if (!s.MemoClicked) {
            state_.openedByClick = true;
            periods.selectedPeriod = bar;
            state_.popup = PopupMenuKind::DeletePeriod;
        }
    } else {
        periods.selectedPeriod = 0;
    }
    model_.redrawGrid();
}

void MonthInteraction::doubleClick(Point point, MouseButton button, Modifiers modifiers) {
    if (button == MouseButton::Left && doubleClickOpened()) {
        // The editor took the rest of the gesture; a release arriving after it is stale.
        state_.pressSeen = false;
        return;
    }
    viewPress(point, button, modifiers);
}

bool MonthInteraction::doubleClickOpened() {
    if (state_.openedByClick) {
        state_.openedByClick = false;
        return false;
    }
    if (state_.memoPressed && model_.properties().TukiMemo) {
        clearDragDays();
        host_.openMonthMemo();
        return true;
    }
    const MonthHit hit = hitTestMonth(model_, state_.pressPoint);
    if (hit.onHeader() || !hit.inGrid)
        return false;
    clearDragDays();
    if (!model_.inDisplayedMonth(hit.day) || model_.state().JumpedToNeighbour)
        return false;
    host_.openDayEditor(model_.state().ClickedDay);
    return true;
}

void MonthInteraction::focusLost() {
    model_.state().ClickMark = false;
    model_.redrawGrid();
}

bool MonthInteraction::runMenuCommand(MonthMenuCommand command) {
    using C = MonthMenuCommand;
    switch (command) {
        case C::CancelDelete:
            return true;
        case C::DeletePeriod:
            if (model_.periods().selectedPeriod <= 0)
                return false;
            host_.deleteSelectedPeriod();
            return true;
        case C::EditDay:
        case C::PeriodStart:
        case C::PeriodEnd:
        case C::MemorialDay:
        case C::DayCopy:
        case C::DayPaste:
        case C::Memo:
            break;
        default:
            return false;
    }
    if (!monthViewAllows(command, menuState()))
        return false;

    KvMCalState& s = model_.state();
    const std::int32_t day = state_.rightClickedDay;
    switch (command) {
        case C::EditDay:
            host_.openDayEditor(s.ClickedDay);
            break;
        case C::PeriodStart:
            state_.dragStartDay = day;
            state_.startThird = state_.rightClickedThird;
            state_.startMarkedByMenu = true;
            s.RangeStart = day;
            s.RangeEnd = 0;
            break;
        case C::PeriodEnd:
            endMenuMarking();
            break;
        case C::MemorialDay:
            host_.editMemorialDay(day);
            break;
        case C::DayCopy:
            host_.copyDay(day);
            break;
        case C::DayPaste:
            host_.pasteDay(day);
            break;
        case C::Memo:
            host_.runMemoCommand();
            break;
        default:
            break;
    }
    s.ClickMark = false;
    model_.redrawGrid();
    return true;
}

void MonthInteraction::endMenuMarking() {
    KvMCalState& s = model_.state();
    state_.dragEndDay = state_.rightClickedDay;
    state_.endThird = state_.rightClickedThird;
    s.RangeEnd = state_.dragEndDay;
    model_.redrawGrid();
    if (s.RangeStart > 0) {
        if (state_.dragEndDay < state_.dragStartDay) {
            informMain(ui_, kPeriodOrderMessage);
        } else {
            host_.openNewPeriod(orderedPeriodRange(state_.dragStartDay, state_.startThird,
                                                   state_.dragEndDay, state_.endThird));
        }
    }
    s.RangeStart = 0;
    s.RangeEnd = 0;
    s.ClickMark = false;
    state_.startMarkedByMenu = false;
    clearDragDays();
}

void MonthInteraction::clearDragDays() {
    state_.dragStartDay = 0;
    state_.dragEndDay = 0;
}

MonthViewMenuState MonthInteraction::menuState() const {
    const KvMCalState& s = model_.state();
    MonthViewMenuState view;
    view.markingWaits = state_.startMarkedByMenu && s.RangeStart > 0;
    view.memoClicked = s.MemoClicked;
    view.clickedInMonth = s.ClickedInMonth;
    view.rangeMarked = s.RangeStart > 0;
    return view;
}

PopupMenuKind MonthInteraction::popupMenu() const {
    // The delete menu opens only while a period is still selected.
    if (state_.popup == PopupMenuKind::DeletePeriod && model_.periods().selectedPeriod > 0)
        return PopupMenuKind::DeletePeriod;
    return PopupMenuKind::Month;
}

bool MonthInteraction::inMemoArea(const MonthHit& hit) const {
    return model_.properties().TukiMemo && !hit.onHeader() && hit.row == model_.rowCount() - 1 &&
           hit.column >= kMemoFirstColumn;
}

bool MonthInteraction::cellShown(const MonthHit& hit) const {
    if (hit.onHeader() || inMemoArea(hit))
        return false;
    return model_.properties().ShowNeighbor || model_.inDisplayedMonth(hit.day);
}

bool MonthInteraction::holdsDayLine(const MonthHit& hit) const {
    // The header row has no cell slots; test it before reading one.
    if (hit.onHeader() || !cellShown(hit))
        return false;
    return model_.cellSlot(hit.cellIndex(), hit.slot()).kind == SlotKind::DayLine;
}

}  // namespace velmo
