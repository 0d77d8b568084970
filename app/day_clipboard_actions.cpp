#include "app/day_clipboard_actions.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "app/commands/day_clipboard.h"
#include "app/commands/main_commands.h"
#include "monthview/qt_month_view.h"

namespace velmo {

namespace {

std::optional<std::string> clipboardText() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText())
        return std::nullopt;
    return data->text().toStdString();
}

}  // namespace

DayClipboardActions::DayClipboardActions(DayClipboardContext context, MainCommands& commands,
                                         QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    commands.add(MonthMenuCommand::DayCopy, [this](std::int32_t day) { copy(day); });
    commands.add(MonthMenuCommand::DayPaste, [this](std::int32_t day) { paste(day); });
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            &DayClipboardActions::applicationStateChanged);
}

void DayClipboardActions::copy(std::int32_t day) {
    TKvMCalModel& model = context_.view.model();
    model.setJuliusDay(day);
    const MonthSlot& slot = model.monthSlots()[model.state().CurrentSlot];
    const std::optional<std::string> text =
        dayCopyText(slot, {model.year(), model.month(), model.day()});
    if (text) {
        QGuiApplication::clipboard()->setText(QString::fromStdString(*text));
        copyPending_ = true;
    }
    finish(false);
}

void DayClipboardActions::paste(std::int32_t day) {
    if (!copyPending_)
        return;
    TKvMCalModel& model = context_.view.model();
    model.setJuliusDay(day);
    const DayPaste pasted = readDayPaste(clipboardText(), model.day());
    if (pasted.refused()) {
        copyPending_ = false;
        context_.ui.message(pasted.refusal);
    } else {
        const int slotNumber = model.state().CurrentSlot;
        MonthSlot& slot = model.monthSlots()[slotNumber];
        slot.lines.insert(slot.lines.end(), pasted.lines.begin(), pasted.lines.end());
        if (slotNumber == kFreeMonthSlot && context_.saveFreeMonth)
            context_.saveFreeMonth(slot);
    }
    finish(true);
}

void DayClipboardActions::applicationStateChanged(Qt::ApplicationState state) {
    if (state != Qt::ApplicationInactive || !copyPending_)
        return;
    copyPending_ = false;
    const std::optional<std::string> text = clipboardText();
    if (text && holdsDayCopy(*text))
        QGuiApplication::clipboard()->clear();
}

void DayClipboardActions::finish(bool relayout) {
    TKvMCalModel& model = context_.view.model();
    model.state().ClickMark = false;
    if (relayout) {
        model.relayout();
    } else {
        model.redrawGrid();
    }
    context_.view.update();
}

}  // namespace velmo
