#pragma once
// The work of one tick of the main window's function timer, without the timer itself:
// the day editor's idle reminder, the clock panel or the tray icon, the switch to the
// chosen interval after the first 300 ticks, the timer alarm, and then either the
// time-adjust companion's panel, a clock correction or the date change. The Qt side
// owns the QTimer and wires the hooks, so ticks are tested without waiting.

#include <functional>

namespace velmo {

inline constexpr int kFunctionTimerStartMs = 10000;
// With the clock correction on, the first ticks come every second.
inline constexpr int kCorrectionTimerStartMs = 1000;
inline constexpr int kIntervalWaitTicks = 300;
// The day editor's idle reminder: 30 seconds after it opens, then every 180.
inline constexpr int kEditorIdleFirstSeconds = 30;
inline constexpr int kEditorIdleSeconds = 180;

// The chosen interval (cbTimerNo) in milliseconds: 0..5 and 7..9 from the table, any
// other value 10000.
int chosenTimerIntervalMs(int cbTimerNo);

struct FunctionTickHooks {
    // The day editor window is open, and whether its page is still as it was opened.
    std::function<bool()> editorOpen;
    std::function<bool()> editorUnmodified;
    // Brings the main window to the front (only called while it is visible).
    std::function<void()> bringMainWindowToFront;

    std::function<bool()> windowVisible;
    std::function<void()> refreshClock;
    std::function<bool()> trayIconShown;
    std::function<void()> showTrayIcon;

    // The timer gets a new interval.
    std::function<void(int milliseconds)> setInterval;
    // The chosen interval setting as it is now (the options may change it).
    std::function<int()> chosenInterval;

    std::function<void()> checkTimerAlarm;

    // A correction or a date change is waiting in a message or a pause.
    std::function<bool()> correctionOrDateChangeRunning;
    // The time-adjust companion sets the clock: only panel 2 is refreshed.
    std::function<bool()> timeAdjustCompanionPresent;
    std::function<void()> refreshMessagePanel;
    // Starts a clock correction when one is due; true when one was started.
    std::function<bool()> startCorrectionIfDue;
    // The date change of the month window (it checks the day itself).
    std::function<void()> dateChangeTick;
};

class FunctionTimer {
public:
    // intervalMs: the interval the timer runs at now.
    FunctionTimer(FunctionTickHooks hooks, int intervalMs);

    void tick();

    int intervalMs() const { return intervalMs_; }
    // Ticks left before the chosen interval applies; −1 once it does.
    int intervalWait() const { return intervalWait_; }
    bool intervalSwitched() const { return intervalWait_ < 0; }
    // The month initialisation puts the timer back to 10 seconds; the switch already
    // made stays made.
    void resetToStartInterval();
    // The day editor opened: its first reminder comes after 30 seconds.
    void editorOpened() { editorIdleSeconds_ = kEditorIdleFirstSeconds; }
    int editorIdleSeconds() const { return editorIdleSeconds_; }

private:
    void editorIdleStep();
    void setInterval(int milliseconds);

    FunctionTickHooks hooks_;
    int intervalMs_;
    int intervalWait_ = kIntervalWaitTicks;
    int editorIdleSeconds_ = kEditorIdleFirstSeconds;
};

}  // namespace velmo
