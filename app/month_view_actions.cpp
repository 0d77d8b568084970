#include "app/month_view_actions.h"

#include <QAction>
#include <QMenu>

#include "app/navigation/day_edit.h"
#include "app/navigation/period_edit.h"
#include "calendar/julius_day.h"
#include "dialogs/day_editor.h"
#include "dialogs/memorial_day_window.h"
#include "editor_models/day_editor_lines.h"
#include "editor_models/period_form.h"
#include "monthview/qt_month_view.h"
#include "store/entry_line.h"
#include "store/memorial_day_edit.h"
#include "store/period_file.h"

namespace velmo {

namespace {

constexpr const char* kUnreadMonthText =
    "この月の予定ファイルを読み込めないため、編集できません。\r\n"
    "ファイルを確認してください。";

}  // namespace

MonthViewActions::MonthViewActions(MonthViewActionsContext context)
    : context_(std::move(context)),
      interaction_(context_.view.model(), *this, context_.ui),
      menuRunner_([](QMenu& menu, const QPoint& at) { return menu.exec(at); }) {}

void MonthViewActions::cancelAutoResident() {
    if (context_.cancelAutoResident)
        context_.cancelAutoResident();
}

void MonthViewActions::openDayEditor(std::int32_t day) {
    const Ymd date = juliusDayToYmd(day);
    const TKvMCalModel& model = context_.view.model();
    // Only days of the displayed month are edited; its slot holds their lines.
    if (date.year != model.year() || date.month != model.month())
        return;
    editDayLines(date.day);
}

void MonthViewActions::openMonthMemo() {
    editDayLines(kMonthMemoDay);
}

void MonthViewActions::editDayLines(int day) {
    TKvMCalModel& model = context_.view.model();
    const int slotNumber = model.state().CurrentSlot;
    MonthSlot& slot = model.monthSlots().at(static_cast<std::size_t>(slotNumber));
    const int year = model.year();
    const int month = model.month();
    if (slot.year != year || slot.month != month)
        return;
    // A month that could not be read has no lines to edit, and nothing may be stored
    // over its file.
    if (!context_.session.rereadIfUnread(slotNumber)) {
        context_.ui.message(kUnreadMonthText);
        return;
    }

    const DayPageSettings page{model.properties().TabMojiSuu, model.standardColour()};
    const DayLinesEditor editor =
        [&](const DayEditorLines& lines) -> std::optional<DayEditorLines> {
        if (day == kMonthMemoDay) {
            context_.editor.openMonthMemo(year, month, lines, page);
        } else {
            DayHeader header;
            header.date = {year, month, day};
            header.names = model.rules().dayNames(year, month, day);
            header.memorialNameColour = context_.settings.colours.edtCKinenbi;
            context_.editor.openDay(header, lines, page);
        }
        if (!context_.editor.execEditor())
            return std::nullopt;
        return context_.editor.dayLines();
    };
    // Locally the session saves whatever differs from the file, the free month included;
    // in network mode the edit is saved at once under the month's lock.
    LockOperations* locks = sharedLocks();
    const MonthFileContext files = context_.session.monthFiles();
    editDay({slot, slotNumber, year, month, day, model.properties().TukiMemo},
            {files, locks, [&model] { model.relayout(); }}, editor);
    model.relayout();
    if (locks && context_.afterSharedEdit)
        context_.afterSharedEdit();
}

void MonthViewActions::openNewPeriod(const NewPeriodRange& range) {
    const CalendarKeys& c = context_.settings.calendar;
    const PeriodForm form = newPeriodForm(range.startDay, range.endDay, range.startThird,
                                          range.endThird, c.udKFutosa, c.edtKColor);
    storePeriod(0, [form](const PeriodList&) { return form; });
}

void MonthViewActions::openPeriod(int index) {
    const PeriodList& periods = context_.view.model().periods();
    if (index <= 0 || static_cast<std::size_t>(index) >= periods.lines.size())
        return;
    // In network mode the fields come from the list as read again under the lock.
    storePeriod(index, [this, index](const PeriodList& current) {
        return periodFormOf(current.lines[static_cast<std::size_t>(index)],
                            context_.view.model().standardColour(),
                            context_.settings.calendar.edtKColor);
    });
}

void MonthViewActions::storePeriod(int index,
                                   const std::function<PeriodForm(const PeriodList&)>& formOf) {
    TKvMCalModel& model = context_.view.model();
    const PeriodEditor editor = [&](const PeriodList& current) -> std::optional<PeriodRecord> {
        context_.editor.openPeriod(formOf(current));
        const bool stored = context_.editor.execEditor();
        const PeriodForm form = context_.editor.periodForm();
        if (stored && confirmPeriodDates(form, context_.ui) && !endsBeforeStart(form))
            return periodRecordOf(form);
        return std::nullopt;
    };
    LockOperations* locks = sharedLocks();
    const PeriodFileContext files = context_.session.periodFiles();
    editPeriod(model.periods(), index, {files, locks, [&model] { model.relayout(); }}, editor,
               context_.computerName);
    model.periods().selectedPeriod = 0;
    model.relayout();
    if (locks && context_.afterSharedEdit)
        context_.afterSharedEdit();
}

LockOperations* MonthViewActions::sharedLocks() const {
    return context_.editLocks ? context_.editLocks() : nullptr;
}

void MonthViewActions::fillPopupMenu(QMenu& menu, PopupMenuKind kind) {
    menu.clear();
    const std::vector<MenuItem> items =
        kind == PopupMenuKind::DeletePeriod
            ? periodDeleteMenu(context_.view.model().periods().selectedPeriod > 0)
            : monthContextMenu(interaction_.menuState(), context_.mainMenuState());
    for (const MenuItem& item : items) {
        if (item.separator) {
            if (item.visible)
                menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromStdString(item.caption));
        action->setData(static_cast<int>(item.command));
        // The key is shown as a reminder; the main window's own menu carries the
        // working shortcut.
        if (!item.shortcut.empty())
            action->setShortcut(QKeySequence(QString::fromStdString(item.shortcut)));
        action->setVisible(item.visible);
        action->setEnabled(item.enabled);
        action->setCheckable(item.checkable);
        action->setChecked(item.checked);
    }
}

void MonthViewActions::showPopupMenu(PopupMenuKind kind, Point at) {
    QMenu menu(&context_.view);
    fillPopupMenu(menu, kind);
    const QAction* chosen = menuRunner_(menu, context_.view.mapToGlobal(QPoint(at.x, at.y)));
    if (chosen && chosen->isEnabled())
        runPopupCommand(static_cast<MonthMenuCommand>(chosen->data().toInt()));
}

void MonthViewActions::runPopupCommand(MonthMenuCommand command) {
    if (!interaction_.runMenuCommand(command) && context_.mainCommand)
        context_.mainCommand(command, 0);
}

void MonthViewActions::editMemorialDay(std::int32_t day) {
    TKvMCalModel& model = context_.view.model();
    model.setJuliusDay(day);
    TfmDayMemorialDialog dialog(context_.editor);
    velmo::editMemorialDay(model.rules(), day, dialog, context_.commonFolder(), context_.ui,
                           context_.sleeper);
    model.state().ClickMark = false;
    model.relayout();
}

// The day clipboard and the memo belong to features of the main window.
void MonthViewActions::copyDay(std::int32_t day) {
    if (context_.mainCommand)
        context_.mainCommand(MonthMenuCommand::DayCopy, day);
}
void MonthViewActions::pasteDay(std::int32_t day) {
    if (context_.mainCommand)
        context_.mainCommand(MonthMenuCommand::DayPaste, day);
}
void MonthViewActions::runMemoCommand() {
    if (context_.mainCommand)
        context_.mainCommand(MonthMenuCommand::Memo, 0);
}

void MonthViewActions::deleteSelectedPeriod() {
    TKvMCalModel& model = context_.view.model();
    LockOperations* locks = sharedLocks();
    const PeriodFileContext files = context_.session.periodFiles();
    deleteSelectedPeriodShared(model.periods(), {files, locks, [&model] { model.relayout(); }});
    model.relayout();
    if (locks && context_.afterSharedEdit)
        context_.afterSharedEdit();
}

}  // namespace velmo
