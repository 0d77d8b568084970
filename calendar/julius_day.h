#pragma once
// Julius day numbers: every date the program holds is the Julian Day Number of its
// noon (2000-01-01 is 2451545), so consecutive dates differ by one. The civil calendar
// is Julian up to 1582-10-04 and Gregorian from 1582-10-15; the ten days between do
// not exist.
//
// The arithmetic is exact 64-bit integer work with floor division. The classic
// floating-point formulas truncate toward zero, which equals floor only for positive
// quantities; here every step floors, so negative years and negative day numbers
// (before -4712-01-01) convert correctly, while every date from -4712 on gets exactly
// the number the classic formulas give. Results never overflow: years outside
// kMinYear..kMaxYear and day numbers outside kMinJuliusDay..kMaxJuliusDay are refused
// with EJuliusError.

#include <cstdint>

#include "calendar/julius_error.h"
#include "core/clock.h"

namespace velmo {

inline constexpr int kMinYear = -999999;
inline constexpr int kMaxYear = 999999;
// The numbers of kMinYear-01-01 (Julian) and kMaxYear-12-31 (Gregorian).
inline constexpr std::int32_t kMinJuliusDay = -363528576;
inline constexpr std::int32_t kMaxJuliusDay = 366963559;

// The last Julian and the first Gregorian date.
inline constexpr std::int32_t kLastJulianDay = 2299160;      // 1582-10-04
inline constexpr std::int32_t kFirstGregorianDay = 2299161;  // 1582-10-15

// Names only the first column of a displayed week; as a number a weekday is 1..7.
enum TDayOfWeek { dowSun, dowMon, dowTue, dowWed, dowThu, dowFri, dowSat };

// Weekday numbers: 1 = Sunday ... 7 = Saturday.
inline constexpr int kSunday = 1;
inline constexpr int kSaturday = 7;

struct Ymd {
    int year = 0;
    int month = 0;
    int day = 0;

    bool operator==(const Ymd&) const = default;
};

// The number of a civil date. A month outside 1..12 counts on into the neighbouring
// years (month 13 is January of the next year, month 0 December of the previous one)
// and a day beyond the month's end into the following months (2023-02-31 gives the
// number of 2023-03-03; day 0 the previous day). Throws EJuliusError for
// 1582-10-05 .. 1582-10-14 (any day of October 1582 other than 1-4 and 15-31) and for
// a date outside the supported range.
std::int32_t ymdToJuliusDay(int year, int month, int day);

// The civil date of a number; EJuliusError outside kMinJuliusDay..kMaxJuliusDay.
Ymd juliusDayToYmd(std::int32_t juliusDay);

// The number of the date part of a local date-time.
std::int32_t dateTimeToJuliusDay(const LocalDateTime& dateTime);
std::int32_t dateTimeToJuliusDay(const LocalDate& date);

// 1 = Sunday ... 7 = Saturday, for every 32-bit number.
int weekdayOf(std::int32_t juliusDay);

// Before 1582 the Julian rule (every fourth year, counted from -4712). From 1582 on
// the Gregorian rule with one more exception: years divisible by 4000 are common.
// That exception shapes month lengths (daysOfMonth, clampedYmdToJuliusDay) only;
// the day-number conversions follow the plain Gregorian rule, so 4000-02-29 exists.
bool isLeapYear(int year);

// The month's length from the month table, February plus one when isLeapYear. The
// table ignores the missing days of October 1582 (31). 0 for a month outside 1..12.
int daysOfMonth(int year, int month);

// True when the date converts to a number and back to the same year, month and day.
// Throws EJuliusError for the missing days of October 1582, as the conversion does;
// false for dates outside the supported range.
bool isValidYmd(int year, int month, int day);

// The day (28..31) of the month's last day, found through the day number of the next
// month's first day: month 12 or more counts as December. 0 for a year of 0 or below,
// a month of 0 or below, and whenever the conversion fails.
int lastDayOfMonth(int year, int month);

// A month above 12 becomes January of the next year and a month below 1 December of
// the previous year; a day past the end of a 30-day month or of February (by
// daysOfMonth's leap rule) is pulled back to the last day. Other days pass unchanged.
std::int32_t clampedYmdToJuliusDay(int year, int month, int day);

// Brings month into 1..12 by whole years, moving year by one for each 12 months.
// Throws EJuliusError when the year leaves kMinYear..kMaxYear.
void normalizeYearMonth(int& year, int& month);

}  // namespace velmo
