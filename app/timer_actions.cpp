#include "app/timer_actions.h"

#include <QEvent>
#include <QMenu>
#include <QPushButton>
#include <QWidget>
#include <exception>

#include "app/month_page.h"
#include "app/startup/run_settings.h"
#include "dialogs/timer_dialog.h"
#include "editor_models/timer_alarm.h"

namespace velmo {

namespace {

constexpr int kSettingMode = 1;
constexpr int kNoticeMode = 2;

TimeOfDay timeOfDay(const LocalDateTime& now) {
    return {now.hour, now.minute, now.second};
}

}  // namespace

TimerActions::TimerActions(TimerActionsContext context, QMenu& functionsMenu, QObject* parent)
    : QObject(parent), context_(context) {
    item_ = functionsMenu.addAction("時限［タイマー］(&T)");
    item_->setObjectName("miJigen");
    connect(item_, &QAction::triggered, this, [this] { open(kSettingMode); });
    button_ = context_.monthPage.insertButton("時限", "btnJigen", QString());
    connect(button_, &QPushButton::clicked, this, [this] { open(kSettingMode); });
    context_.window.installEventFilter(this);
    settingsRead();
}

void TimerActions::settingsRead() {
    const TorkaSettings& s = context_.run.settings();
    // The set time survives a restart; whether the timer runs never does.
    if (!state_.running) {
        state_.setTime = s.timer.pTimer;
        state_.noticeMinutes = s.timer.pTimerBf;
    }
    if (!s.behaviour.cbJigen)
        state_.running = false;
    item_->setEnabled(s.behaviour.cbJigen);
    button_->setEnabled(s.behaviour.cbJigen);
    refreshButton();
}

void TimerActions::open(int mode) {
    if (dialogOpen_)
        return;
    dialogOpen_ = true;
    try {
        TfmNichiji dialog(state_, mode, context_.ui, context_.clock, &context_.window);
        dialog.exec();
    } catch (const std::exception&) {
        informMain(context_.ui, mode == kNoticeMode ? kTimerNoticeError : kTimerSetupError);
    }
    dialogOpen_ = false;
    TimerKeys& keys = context_.run.settings().timer;
    keys.pTimer = state_.setTime;
    keys.pTimerBf = state_.noticeMinutes;
    refreshButton();
}

void TimerActions::checkAlarm() {
    // An open dialog makes the check itself on the same state.
    if (!state_.running || dialogOpen_)
        return;
    if (!timerAlarmDue(timeOfDay(context_.clock.now()), state_.setTime, state_.noticeMinutes))
        return;
    state_.running = false;
    refreshButton();
    open(kNoticeMode);
}

bool TimerActions::mayClose() {
    if (!state_.running)
        return true;
    if (ask(context_.ui, kTimerRunningAtExitQuestion, DefaultButton::Yes))
        return true;
    inform(context_.ui, "終了しません。");
    return false;
}

void TimerActions::refreshButton() {
    QPalette palette = button_->palette();
    palette.setColor(QPalette::ButtonText,
                     timerButtonTextColour(state_.running, context_.window.isActiveWindow(),
                                           context_.window.palette()));
    button_->setPalette(palette);
}

bool TimerActions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &context_.window && event->type() == QEvent::ActivationChange)
        refreshButton();
    return QObject::eventFilter(watched, event);
}

}  // namespace velmo
