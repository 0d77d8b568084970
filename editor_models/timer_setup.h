#pragma once
// The rules of the timer dialog: when a start is allowed, what the status and countdown
// lines say, how the up-down buttons step and how the three fields become a time. Every
// sum on times of day goes round the 24-hour circle, so a timer set across midnight
// behaves like any other.

#include <optional>
#include <string>

#include "core/clock.h"
#include "store/settings_keys.h"

namespace velmo {

// The one timer of the program. The main window owns it and lends it to the dialog, so
// whichever of the two notices the alarm first stops it and the other sees that.
struct TimerState {
    TimeOfDay setTime{};
    bool running = false;
    int noticeMinutes = 3;
};

enum class TimerStartOutcome { Accepted, NeedsConfirmation, Refused };

struct TimerStartCheck {
    TimerStartOutcome outcome = TimerStartOutcome::Accepted;
    // The refusal, or the question to ask before accepting; empty when accepted.
    std::string message;
};

// Whether the timer may start now for the set time `set` with `noticeMinutes` of notice:
// refused while the alarm's window is open or about to open, and a question when the
// notice lies twelve hours or more ahead.
TimerStartCheck checkTimerStart(TimeOfDay now, TimeOfDay set, int noticeMinutes);

// The status line: how far now lies before or after the set time.
std::string timerStatusText(TimeOfDay now, TimeOfDay set);

// The countdown line: the time left until the set time (tomorrow's once it has passed),
// in started minutes, with the notice minutes when there are any.
std::string timerCountdownText(TimeOfDay now, TimeOfDay set, int noticeMinutes);

enum class TimeField { Hour, Minute, Second };

// One step of an up-down button (`direction` +1 or -1). Seconds and minutes carry into
// the next larger field; the hour goes round 23 ↔ 0 on its own.
TimeOfDay stepTimeField(TimeOfDay time, TimeField field, int direction);

// The three field texts as a time; nothing when one is empty, not a plain decimal
// number or out of its range.
std::optional<TimeOfDay> parseTimeFields(const std::string& hour, const std::string& minute,
                                         const std::string& second);

// The notice minutes the dialog starts with: the stored ones when 0 to 9, else 3.
int shownNoticeMinutes(int stored);

// The time of day of a clock reading.
TimeOfDay timeOfDayOf(const LocalDateTime& moment);

}  // namespace velmo
