#include "app/function_timer_actions.h"

#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "app/navigation/companion_search.h"
#include "app/resident_actions.h"
#include "app/startup/run_settings.h"
#include "app/startup/start_folders.h"
#include "calendar/julius_day.h"

namespace velmo {

namespace {

std::string timeText(const LocalDateTime& now) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%02d", now.hour % 100, now.minute % 100,
                  now.second % 100);
    return text;
}

}  // namespace

FunctionTimerActions::FunctionTimerActions(FunctionTimerContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    CorrectionKeys& keys = context_.run.settings().correction;
    correction_ = std::make_unique<TimeCorrection>(
        keys, correctionAllowed(), TimeCorrectionHooks{context_.clockRunning, context_.startClock});
    const int startMs = keys.cbTShuusei ? kCorrectionTimerStartMs : kFunctionTimerStartMs;
    qtimer_ = new QTimer(this);
    qtimer_->setInterval(startMs);
    timer_ = std::make_unique<FunctionTimer>(hooks(), startMs);
    connect(qtimer_, &QTimer::timeout, this, &FunctionTimerActions::tick);
}

FunctionTimerActions::~FunctionTimerActions() = default;

bool FunctionTimerActions::correctionAllowed() const {
    // The clock started at log-on corrects by itself on these schedules.
    const CorrectionKeys& keys = context_.run.settings().correction;
    return !((keys.rbDay || keys.rbWeek) &&
             startupShortcutExists(context_.folders.startupFolder, kClockShortcut));
}

bool FunctionTimerActions::timeAdjustCompanionPresent() const {
    return startupShortcutExists(context_.folders.startupFolder, kTimeAdjustShortcut);
}

FunctionTickHooks FunctionTimerActions::hooks() {
    FunctionTickHooks h;
    QWidget& window = context_.window;
    h.editorOpen = context_.editorOpen;
    h.editorUnmodified = context_.editorUnmodified;
    h.bringMainWindowToFront = [&window] {
        window.raise();
        window.activateWindow();
    };
    h.windowVisible = [this] { return !context_.resident.resident(); };
    h.refreshClock = context_.refreshClock;
    h.trayIconShown = [this] { return context_.resident.trayIconShown(); };
    h.showTrayIcon = [this] { context_.resident.showTrayIconQuietly(); };
    h.setInterval = [this](int milliseconds) { qtimer_->setInterval(milliseconds); };
    h.chosenInterval = [this] { return context_.run.settings().timer.cbTimerNo; };
    h.checkTimerAlarm = context_.checkTimerAlarm;
    h.correctionOrDateChangeRunning = [this] {
        return correction_->running() || context_.dateChangeRunning();
    };
    h.timeAdjustCompanionPresent = [this] { return timeAdjustCompanionPresent(); };
    h.refreshMessagePanel = context_.refreshMessagePanel;
    h.startCorrectionIfDue = [this] { return startCorrectionIfDue(); };
    h.dateChangeTick = [this] { dateChangeTick(); };
    return h;
}

void FunctionTimerActions::tick() {
    ++ticks_;
    timer_->tick();
}

bool FunctionTimerActions::startCorrectionIfDue() {
    const LocalDateTime now = context_.clock.now();
    const bool delayPassed =
        timer_->intervalSwitched() || ticks_ >= context_.run.settings().correction.pTChien;
    correction_->setAllowed(correctionAllowed());
    return correction_->startIfDue(dateTimeToJuliusDay(now), timeText(now), delayPassed);
}

void FunctionTimerActions::dateChangeTick() {
    const std::int32_t today = dateTimeToJuliusDay(context_.clock.now());
    if (today != context_.runToday() && !context_.resident.resident())
        correction_->dateChanged();
    context_.dateChangeTick();
}

void FunctionTimerActions::start() {
    qtimer_->start();
}

void FunctionTimerActions::stop() {
    qtimer_->stop();
}

void FunctionTimerActions::monthsInitialised() {
    timer_->resetToStartInterval();
}

void FunctionTimerActions::optionsChanged() {
    if (timer_->intervalSwitched())
        qtimer_->setInterval(chosenTimerIntervalMs(context_.run.settings().timer.cbTimerNo));
}

}  // namespace velmo
