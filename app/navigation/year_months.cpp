#include "app/navigation/year_months.h"

#include <algorithm>

namespace velmo {

namespace {
constexpr int kMonthsShown = 12;
}  // namespace

YearStart yearStartOf(int stored) {
    switch (stored) {
        case 1:
            return YearStart::FiscalYear;
        case 2:
            return YearStart::Special;
        default:
            return YearStart::Standard;
    }
}

int firstMonthOf(YearStart start, int specialMonth) {
    switch (start) {
        case YearStart::FiscalYear:
            return 4;
        case YearStart::Special:
            // A hand-edited settings file must not push every calendar off by years.
            return std::clamp(specialMonth, 1, kMonthsShown);
        case YearStart::Standard:
            break;
    }
    return 1;
}

int yearFromToday(YearStart start, int specialMonth, int todayYear, int todayMonth) {
    // Months before the first month still belong to the span that began last year.
    return todayMonth < firstMonthOf(start, specialMonth) ? todayYear - 1 : todayYear;
}

YearMonth calendarMonth(int year, int firstMonth, int tag) {
    const int month = firstMonth + tag - 1;
    if (month > kMonthsShown)
        return {year + 1, month - kMonthsShown};
    return {year, month};
}

std::string yearPageTitle(int year, int firstMonth) {
    const YearMonth first = calendarMonth(year, firstMonth, 1);
    const YearMonth last = calendarMonth(year, firstMonth, kMonthsShown);
    return std::to_string(first.year) + "/" + std::to_string(first.month) + " - " +
           std::to_string(last.year) + "/" + std::to_string(last.month);
}

std::string monthViewQuestion(int year, int month) {
    return std::to_string(year) + " 年 " + std::to_string(month) +
           " 月のマンスリーカレンダーを表示しますか？";
}

}  // namespace velmo
