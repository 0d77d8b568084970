#include "calendar/rule_record.h"

#include "calendar/julius_day.h"

namespace velmo {

namespace {

bool yearsPass(std::int32_t fromYear, std::int32_t toYear, int year) {
    const bool fromSet = fromYear != kUnsetYear;
    const bool toSet = toYear != kUnsetYear;
    if (!fromSet && !toSet)
        return true;
    if (!fromSet)
        return year <= toYear;
    if (!toSet)
        return year >= fromYear;
    if (toYear >= fromYear)
        return year >= fromYear && year <= toYear;
    // A wrapped range leaves out only the years between the two.
    return !(year < fromYear && year > toYear);
}

// Everything but the weekday test; the weekday is needed only when this passes.
bool datePasses(const TBinaryDayListItem& rule, int year, int month, int day) {
    if (!yearsPass(rule.fromYear, rule.toYear, year))
        return false;
    if (rule.month != 0 && rule.month != month)
        return false;
    if (rule.day != 0 && rule.day != day) {
        if (rule.day != kLastDayMark || day != lastDayOfMonth(year, month))
            return false;
    }
    return true;
}

bool weekPasses(const TBinaryDayListItem& rule, int day) {
    return rule.week == 0 || (day - 1) / 7 == rule.week - 1;
}

}  // namespace

bool TBinaryDayListItem::matches(int year, int month, int day) const {
    if (!datePasses(*this, year, month, day))
        return false;
    if (weekday == 0)
        return true;
    return weekdayOf(ymdToJuliusDay(year, month, day)) == weekday && weekPasses(*this, day);
}

bool TBinaryDayListItem::matches(int year, int month, int day, int weekdayOfDate) const {
    if (!datePasses(*this, year, month, day))
        return false;
    return weekday == 0 || (weekdayOfDate == weekday && weekPasses(*this, day));
}

}  // namespace velmo
