#include "app/navigation/function_timer.h"

#include <array>

namespace velmo {

int chosenTimerIntervalMs(int cbTimerNo) {
    // Index 6 is the start interval itself.
    constexpr std::array<int, 10> kIntervals{1000, 2000,  3000,  4000,  5000,
                                             7000, 10000, 20000, 30000, 60000};
    if (cbTimerNo < 0 || cbTimerNo >= static_cast<int>(kIntervals.size()))
        return kFunctionTimerStartMs;
    return kIntervals[static_cast<std::size_t>(cbTimerNo)];
}

FunctionTimer::FunctionTimer(FunctionTickHooks hooks, int intervalMs)
    : hooks_(std::move(hooks)), intervalMs_(intervalMs) {}

void FunctionTimer::setInterval(int milliseconds) {
    intervalMs_ = milliseconds;
    hooks_.setInterval(milliseconds);
}

void FunctionTimer::resetToStartInterval() {
    setInterval(intervalSwitched() ? chosenTimerIntervalMs(hooks_.chosenInterval())
                                   : kFunctionTimerStartMs);
}

void FunctionTimer::editorIdleStep() {
    if (!hooks_.editorOpen())
        return;
    editorIdleSeconds_ -= intervalMs_ / 1000;
    if (editorIdleSeconds_ > 0)
        return;
    // An editor left untouched behind other windows is brought back into sight.
    if (hooks_.editorUnmodified() && hooks_.windowVisible())
        hooks_.bringMainWindowToFront();
    editorIdleSeconds_ = kEditorIdleSeconds;
}

void FunctionTimer::tick() {
    editorIdleStep();

    if (hooks_.windowVisible()) {
        hooks_.refreshClock();
    } else if (!hooks_.trayIconShown()) {
        hooks_.showTrayIcon();
    }

    if (intervalWait_ > 0)
        --intervalWait_;
    if (intervalWait_ == 0) {
        setInterval(chosenTimerIntervalMs(hooks_.chosenInterval()));
        intervalWait_ = -1;
    }

    hooks_.checkTimerAlarm();

    if (hooks_.correctionOrDateChangeRunning())
        return;
    if (hooks_.timeAdjustCompanionPresent()) {
        hooks_.refreshMessagePanel();
        return;
    }
    if (hooks_.startCorrectionIfDue())
        return;
    hooks_.dateChangeTick();
}

}  // namespace velmo
