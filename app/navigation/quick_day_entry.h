#pragma once
// The quick day entry of the month page: a day number typed into the small box of the
// status bar opens that day of the displayed month in the day editor.

#include <string>

namespace velmo {

struct QuickDayEntryOutcome {
    enum class Kind {
        Nothing,  // an empty box: nothing happens
        OpenDay,  // open `day` of the displayed month
        Refused,  // tell the user `message`
    };
    Kind kind = Kind::Nothing;
    int day = 0;
    std::string message;

    bool operator==(const QuickDayEntryOutcome&) const = default;
};

// What the submitted text means for a month of `daysInMonth` days. The text is trimmed
// of spaces first; only a whole number from 1 to the month's length is a day, and the
// refusal quotes the trimmed text.
QuickDayEntryOutcome submitQuickDayEntry(const std::string& text, int daysInMonth);

}  // namespace velmo
