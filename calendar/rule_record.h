#pragma once
// One holiday or special-day rule: a date pattern (day, month, n-th weekday) with an
// optional range of years and the name shown in the calendar.

#include <cstdint>
#include <limits>
#include <string>

namespace velmo {

// A year field nobody set.
inline constexpr std::int32_t kUnsetYear = std::numeric_limits<std::int32_t>::min();
// Day value that stands for the last day of the month, whatever its length.
inline constexpr std::uint8_t kLastDayMark = 33;

struct TBinaryDayListItem {
    std::uint8_t day = 0;      // 1..31, 0 = any day, 33 = the month's last day
    std::uint8_t month = 0;    // 1..12, 0 = any month
    std::uint8_t weekday = 0;  // 1 = Sunday .. 7 = Saturday, 0 = no weekday condition
    std::uint8_t week = 0;     // n-th occurrence of the weekday (days 7n-6 .. 7n), 0 = every
    std::int32_t fromYear = kUnsetYear;
    std::int32_t toYear = kUnsetYear;
    std::string name;

    // True when the rule holds on the date. A ToYear below FromYear means "up to ToYear
    // and again from FromYear on". Throws EJuliusError for a date the calendar refuses
    // when a weekday must be looked up.
    bool matches(int year, int month, int day) const;

    // The same with the date's weekday (1..7) already known, for callers that test
    // many rules against one date.
    bool matches(int year, int month, int day, int weekdayOfDate) const;

    bool operator==(const TBinaryDayListItem&) const = default;
};

}  // namespace velmo
