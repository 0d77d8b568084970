#include "editor_models/timer_alarm.h"

namespace velmo {

namespace {

constexpr int kDaySeconds = 24 * 60 * 60;
constexpr int kLateMinutes = 30;

int secondsOfDay(TimeOfDay t) {
    return t.hour * 3600 + t.minute * 60 + t.second;
}

}  // namespace

bool timerAlarmDue(TimeOfDay now, TimeOfDay set, int noticeMinutes) {
    // The set time relative to now, in −12 h .. +12 h.
    int ahead = (secondsOfDay(set) - secondsOfDay(now)) % kDaySeconds;
    if (ahead > kDaySeconds / 2)
        ahead -= kDaySeconds;
    if (ahead <= -kDaySeconds / 2)
        ahead += kDaySeconds;
    const int notice = noticeMinutes * 60;
    // now + notice >= set, and now − (notice + 30 min) < set.
    return ahead <= notice && ahead > -(notice + kLateMinutes * 60);
}

}  // namespace velmo
