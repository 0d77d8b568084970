#pragma once
// Which twelve months the year page shows: the first month of the chosen start (January,
// April for the fiscal year, or the special month of the options), the year that holds
// today, the month of each small calendar and the title over them.

#include <string>

namespace velmo {

// The items of rgYFirstMonth, as the settings store them.
enum class YearStart { Standard = 0, FiscalYear = 1, Special = 2 };

// A stored value outside 0..2 reads as Standard.
YearStart yearStartOf(int stored);

struct YearMonth {
    int year = 0;
    int month = 0;

    bool operator==(const YearMonth&) const = default;
};

// 1, 4, or the special month (brought into 1..12).
int firstMonthOf(YearStart start, int specialMonth);

// The year whose twelve months from the first month hold today's month.
int yearFromToday(YearStart start, int specialMonth, int todayYear, int todayMonth);

// The month of the small calendar with tag 1..12 when the page shows `year` from
// `firstMonth` on; months past December belong to the next year.
YearMonth calendarMonth(int year, int firstMonth, int tag);

// "2024/4 - 2025/3": the first and the twelfth calendar's year and month.
std::string yearPageTitle(int year, int firstMonth);

// The question before a click on a small calendar opens that month on the month page.
std::string monthViewQuestion(int year, int month);

}  // namespace velmo
