#pragma once
// When the timer alarm opens its notice: from `noticeMinutes` before the set time until
// 30 minutes after that notice time has passed the set time, so a tick that comes late
// (after the computer slept) still rings.

#include "store/settings_keys.h"

namespace velmo {

// True when now lies in the alarm's window for the set time. The day is a circle: a
// time set just after midnight rings before midnight when the notice asks for it.
bool timerAlarmDue(TimeOfDay now, TimeOfDay set, int noticeMinutes);

}  // namespace velmo
