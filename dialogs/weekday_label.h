#pragma once
// The "（ 日曜日 ）" label of the editor's pages.

class QLabel;

namespace velmo {

// Shows the weekday (1 = Sunday ... 7 = Saturday), red for Sunday and blue for
// Saturday, in the desktop's text colour otherwise.
void showWeekday(QLabel* label, int weekday);

}  // namespace velmo
