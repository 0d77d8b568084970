#pragma once
// The time of day at which the clock correction goes to the Internet, as the options
// dialog keeps it in its own [Jikoku] section ("hhmmss") and edits it in three boxes.

#include <string>

#include "core/clock.h"
#include "editor_models/timer_setup.h"
#include "store/settings_keys.h"

namespace velmo {

// The stored text: the hour from characters 1-2 (15 when they are not a number), the
// minute from 3-4 and the second from 5-6 (0 when not a number); numbers that make no
// time of day give 15:00:00, and an empty text (the key is missing) the clock's time.
TimeOfDay parseAccessTime(const std::string& vTime, const Clock& clock);

// "hhmmss", two digits each.
std::string formatAccessTime(TimeOfDay time);

// One arrow of the up-downs: past the field's end it goes round to the other end
// (23 up gives 0, 0 down gives 23), the other fields stay.
TimeOfDay stepAccessTime(TimeOfDay time, TimeField field, int direction);

// What "決定" makes of the three boxes is `parseTimeFields` (timer_setup.h): nothing when
// a box is empty, not a number or out of its range, 24 in the hour box included.

}  // namespace velmo
