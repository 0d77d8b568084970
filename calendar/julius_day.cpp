#include "calendar/julius_day.h"

#include <algorithm>
#include <array>

namespace velmo {
namespace {

// b > 0. C++ division truncates toward zero; dates before -4712 need the floor.
constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

constexpr std::int64_t floorMod(std::int64_t a, std::int64_t b) {
    return a - floorDiv(a, b) * b;
}

constexpr std::array<int, 12> kMonthDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

enum class Calendar { julian, gregorian, gap };

// Which calendar a date of a month already brought into 1..12 belongs to. Only days
// 1-4 and 15-31 of October 1582 belong to one; every other day of that month is
// treated as missing rather than counted on from either side.
constexpr Calendar calendarOf(std::int64_t year, int month, std::int64_t day) {
    if (year < 1582 || (year == 1582 && month < 10) ||
        (year == 1582 && month == 10 && day >= 1 && day <= 4))
        return Calendar::julian;
    if (year > 1582 || (year == 1582 && month > 10) ||
        (year == 1582 && month == 10 && day >= 15 && day <= 31))
        return Calendar::gregorian;
    return Calendar::gap;
}

// The day number with month 1..12, in 64 bits so no input can overflow.
// The year is counted from March so that February's length only touches the year
// term: 365.25 days a year is 1461/4, and 30.6001 days a month (from March) is
// 306/10 here because no month start lies within 0.0015 of an integer.
constexpr std::int64_t dayNumber(std::int64_t year, int month, std::int64_t day,
                                 Calendar calendar) {
    const std::int64_t y = month <= 2 ? year - 1 : year;
    const std::int64_t m = month <= 2 ? month + 12 : month;
    const std::int64_t a = floorDiv(1461 * y, 4);
    const std::int64_t b = floorDiv(306 * (m + 1), 10);
    if (calendar == Calendar::julian)
        return a + b + day + 1720995;
    const std::int64_t c = floorDiv(y, 100);
    const std::int64_t d = floorDiv(c, 4);
    return a + b + day + d - c + 1720997;
}

static_assert(dayNumber(kMinYear, 1, 1, Calendar::julian) == kMinJuliusDay);
static_assert(dayNumber(kMaxYear, 12, 31, Calendar::gregorian) == kMaxJuliusDay);
static_assert(dayNumber(1582, 10, 4, Calendar::julian) == kLastJulianDay);
static_assert(dayNumber(1582, 10, 15, Calendar::gregorian) == kFirstGregorianDay);

enum class Outcome { ok, gap, outOfRange };

struct Conversion {
    Outcome outcome = Outcome::ok;
    std::int32_t juliusDay = 0;
};

constexpr Conversion convert(int year, int month, int day) {
    const std::int64_t fullYear = year + floorDiv(std::int64_t{month} - 1, 12);
    const int m = static_cast<int>(floorMod(std::int64_t{month} - 1, 12)) + 1;
    if (fullYear < kMinYear || fullYear > kMaxYear)
        return {Outcome::outOfRange, 0};
    const Calendar calendar = calendarOf(fullYear, m, day);
    if (calendar == Calendar::gap)
        return {Outcome::gap, 0};
    const std::int64_t n = dayNumber(fullYear, m, day, calendar);
    if (n < kMinJuliusDay || n > kMaxJuliusDay)
        return {Outcome::outOfRange, 0};
    return {Outcome::ok, static_cast<std::int32_t>(n)};
}

}  // namespace

std::int32_t ymdToJuliusDay(int year, int month, int day) {
    const Conversion result = convert(year, month, day);
    switch (result.outcome) {
        case Outcome::ok:
            return result.juliusDay;
        case Outcome::gap:
            throw EJuliusError::gap();
        case Outcome::outOfRange:
            break;
    }
    throw EJuliusError::dateOutOfRange(year, month, day);
}

Ymd juliusDayToYmd(std::int32_t juliusDay) {
    if (juliusDay < kMinJuliusDay || juliusDay > kMaxJuliusDay)
        throw EJuliusError::dayNumberOutOfRange(juliusDay);
    const std::int64_t n = juliusDay;
    // The Gregorian branch first removes the century days the Julian calendar keeps
    // (36524.25 days a century = 146097/4, counted from 1867216.25).
    std::int64_t a = n + 1524;
    if (n >= kFirstGregorianDay) {
        const std::int64_t alpha = floorDiv(4 * n - 7468865, 146097);
        a = n + alpha - floorDiv(alpha, 4) + 1525;
    }
    // (A - 122.1) / 365.25 and the month count / 30.6001 as exact fractions, so the
    // last day of each month falls exactly where the decimal constants put it.
    const std::int64_t b = floorDiv(20 * a - 2442, 7305);
    const std::int64_t c = floorDiv(1461 * b, 4);
    const std::int64_t e = floorDiv(10000 * (a - c), 306001);
    const std::int64_t day = a - c - floorDiv(306001 * e, 10000);
    const std::int64_t month = e < 14 ? e - 1 : e - 13;
    const std::int64_t year = month > 2 ? b - 4716 : b - 4715;
    return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

std::int32_t dateTimeToJuliusDay(const LocalDateTime& dateTime) {
    return ymdToJuliusDay(dateTime.year, dateTime.month, dateTime.day);
}

std::int32_t dateTimeToJuliusDay(const LocalDate& date) {
    return ymdToJuliusDay(date.year, date.month, date.day);
}

int weekdayOf(std::int32_t juliusDay) {
    // Day number 0 is a Monday; the floor keeps negative numbers in 1..7.
    return static_cast<int>(floorMod(std::int64_t{juliusDay} + 1, 7)) + 1;
}

bool isLeapYear(int year) {
    if (year < 1582)
        return (std::int64_t{year} + 4712) % 4 == 0;
    if (year % 4000 == 0)
        return false;
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int daysOfMonth(int year, int month) {
    if (month < 1 || month > 12)
        return 0;
    const int days = kMonthDays[static_cast<std::size_t>(month - 1)];
    return (month == 2 && isLeapYear(year)) ? days + 1 : days;
}

bool isValidYmd(int year, int month, int day) {
    const Conversion result = convert(year, month, day);
    if (result.outcome == Outcome::gap)
        throw EJuliusError::gap();
    if (result.outcome == Outcome::outOfRange)
        return false;
    return juliusDayToYmd(result.juliusDay) == Ymd{year, month, day};
}

int lastDayOfMonth(int year, int month) {
    if (year <= 0 || month <= 0)
        return 0;
    const Conversion next = month >= 12 ? convert(year, 13, 1) : convert(year, month + 1, 1);
    if (next.outcome != Outcome::ok)
        return 0;
    return juliusDayToYmd(next.juliusDay - 1).day;
}

std::int32_t clampedYmdToJuliusDay(int year, int month, int day) {
    if (month > 12) {
        if (year >= kMaxYear)
            throw EJuliusError::dateOutOfRange(std::int64_t{year} + 1, 1, day);
        ++year;
        month = 1;
    } else if (month < 1) {
        if (year <= kMinYear)
            throw EJuliusError::dateOutOfRange(std::int64_t{year} - 1, 12, day);
        --year;
        month = 12;
    }
    if (month == 2 || month == 4 || month == 6 || month == 9 || month == 11)
        day = std::min(day, daysOfMonth(year, month));
    return ymdToJuliusDay(year, month, day);
}

void normalizeYearMonth(int& year, int& month) {
    const std::int64_t shift = floorDiv(std::int64_t{month} - 1, 12);
    const std::int64_t newYear = year + shift;
    if (newYear < kMinYear || newYear > kMaxYear)
        throw EJuliusError::yearOutOfRange(newYear);
    year = static_cast<int>(newYear);
    month = static_cast<int>(floorMod(std::int64_t{month} - 1, 12)) + 1;
}

}  // namespace velmo
