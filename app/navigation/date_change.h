#pragma once
// The date change of the main window: on each tick of the function timer, when the
// clock has moved to another day, the month page moves its today marking and, when the
// month changed, saves everything and rebuilds the month window around the new month.
// The window, pages and data are reached through hooks so the Qt window wires them and
// tests fake them.

#include <cstdint>
#include <functional>

#include "core/clock.h"
#include "core/user_interface.h"

namespace velmo {

inline constexpr const char* kDateChangingText = "  **********  日付を変更中  **********";
inline constexpr const char* kMonthInitialisationFailedText =
    "月の初期設定に失敗しました。\r\n一旦、終了させますので\r\nもう一度、立ち上げ直してください。";

struct DateChangeHooks {
    // Conditions: the change waits while any of them says so.
    std::function<bool()> windowVisible;
    // A window titled "ベルモ -Velmo-" (setup, options, editor) exists.
    std::function<bool()> editorWindowOpen;
    std::function<bool()> monthOrYearPageActive;
    std::function<bool()> editingOrTimeCorrectionRunning;

    // The day number the month window stands for (the run's today). Tick only after the
    // start-up month initialisation took it.
    std::function<std::int32_t()> runToday;
    // The month window now stands for this day (moves the session's run's today).
    std::function<void(std::int32_t)> takeRunToday;

    // The 今月 command.
    std::function<void()> goToCurrentMonth;
    // On: yellow status bar and kDateChangingText in panel 2. Off: button face colour
    // and panel 2 refreshed.
    std::function<void(bool on)> showChanging;
    std::function<void(bool enabled)> setWindowEnabled;
    // The today marking of the small calendars and the month view.
    std::function<void(std::int32_t)> setToday;
    std::function<void()> redrawMonthView;

    // The full save (settings, months, period list); false when it failed, after it told
    // the user.
    std::function<bool()> fullSave;
    // Empties slots 0..5 and the period list.
    std::function<void()> emptyAll;
    // The month initialisation around the clock's today; false when it failed.
    std::function<bool()> initialiseMonths;
    std::function<void()> refreshYearPage;
    // Ends the application. Called last, after the window was enabled again and the
    // change stopped running, so the close query does not refuse it.
    std::function<void()> terminate;
};

class DateChange {
public:
    DateChange(const Clock& clock, Sleeper& sleeper, UserInterface& ui, DateChangeHooks hooks);

    // One tick of the function timer.
    void tick();
    // While true the window refuses to close.
    bool running() const { return running_; }

private:
    enum class Result { Done, InitialisationFailed };
    Result change(std::int32_t today, std::int32_t runToday);
    void restoreWindow();

    const Clock& clock_;
    Sleeper& sleeper_;
    UserInterface& ui_;
    DateChangeHooks hooks_;
    bool running_ = false;
};

}  // namespace velmo
