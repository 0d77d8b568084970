// Every day from -4712 to 9999, checked against computations that share nothing with
// the library's formulas: a calendar counted day by day from day number 0
// (-4712-01-01, a Monday) and, for the Gregorian years, std::chrono.

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

#include "calendar/julius_day.h"

namespace velmo {
namespace {

// Month lengths the simple way: the Julian calendar knows only "every fourth year".
int walkMonthLength(int year, int month, bool gregorian) {
    static constexpr int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month != 2)
        return kLengths[month - 1];
    const bool leap =
        gregorian ? (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 : year % 4 == 0;
    return leap ? 29 : 28;
}

// Stops a broken conversion from reporting millions of failures.
class FailureBudget {
public:
    bool fail(const std::string& what) {
        if (++count_ <= 10)
            ADD_FAILURE() << what;
        return count_ < 10;
    }

private:
    int count_ = 0;
};

std::string describe(std::int32_t n, const Ymd& expected) {
    std::ostringstream text;
    text << "day " << n << " expected " << expected.year << "-" << expected.month << "-"
         << expected.day;
    return text.str();
}

TEST(JuliusDayWalk, EveryDayFromMinus4712To9999MatchesADayCounter) {
    FailureBudget budget;
    Ymd date{-4712, 1, 1};
    bool gregorian = false;
    int expectedWeekday = 2;  // day 0 is a Monday
    for (std::int32_t n = 0;; ++n) {
        if (ymdToJuliusDay(date.year, date.month, date.day) != n || juliusDayToYmd(n) != date ||
            weekdayOf(n) != expectedWeekday) {
            if (!budget.fail(describe(n, date)))
                return;
        }
        if (date == Ymd{1582, 10, 4}) {
            EXPECT_EQ(n, 2299160);
            date = {1582, 10, 15};
            gregorian = true;
        } else if (date.day < walkMonthLength(date.year, date.month, gregorian)) {
            ++date.day;
        } else {
            // The month ends here: its length must agree with the library's.
            if (date.year >= 1 && lastDayOfMonth(date.year, date.month) != date.day)
                budget.fail("last day of " + describe(n, date));
            if (date == Ymd{9999, 12, 31})
                break;
            date.day = 1;
            if (++date.month > 12) {
                date.month = 1;
                ++date.year;
            }
        }
        expectedWeekday = expectedWeekday % 7 + 1;
    }
}

TEST(JuliusDayWalk, GregorianYearsMatchStdChrono) {
    using namespace std::chrono;
    constexpr std::int32_t kUnixEpoch = 2440588;  // 1970-01-01
    FailureBudget budget;
    const std::int32_t last = ymdToJuliusDay(9999, 12, 31);
    for (std::int32_t n = 2299161; n <= last; ++n) {
        const sys_days day{days{n - kUnixEpoch}};
        const year_month_day civil{day};
        const Ymd expected{static_cast<int>(civil.year()),
                           static_cast<int>(unsigned(civil.month())),
                           static_cast<int>(unsigned(civil.day()))};
        const int expectedWeekday = static_cast<int>(std::chrono::weekday{day}.c_encoding()) + 1;
        if (juliusDayToYmd(n) != expected ||
            ymdToJuliusDay(expected.year, expected.month, expected.day) != n ||
            weekdayOf(n) != expectedWeekday) {
            if (!budget.fail(describe(n, expected)))
                return;
        }
    }
}

TEST(JuliusDayWalk, NegativeDayNumbersCountBackwardsWithoutAJump) {
    // Before day 0 the Julian calendar simply continues backwards.
    FailureBudget budget;
    Ymd date{-4712, 1, 1};
    int expectedWeekday = 2;
    for (std::int32_t n = 0; n >= -1'500'000; --n) {
        if (ymdToJuliusDay(date.year, date.month, date.day) != n || juliusDayToYmd(n) != date ||
            weekdayOf(n) != expectedWeekday) {
            if (!budget.fail(describe(n, date)))
                return;
        }
        if (--date.day == 0) {
            if (--date.month == 0) {
                date.month = 12;
                --date.year;
            }
            date.day = walkMonthLength(date.year, date.month, false);
        }
        expectedWeekday = expectedWeekday == 1 ? 7 : expectedWeekday - 1;
    }
}

TEST(JuliusDayWalk, FarYearsRepeatTheCalendarCycles) {
    // 4 Julian years are 1461 days and 400 Gregorian years 146097 days, out to the
    // ends of the supported range.
    for (int month = 1; month <= 12; ++month) {
        for (int day : {1, 15, 28}) {
            const std::int32_t julian = ymdToJuliusDay(-4712, month, day);
            const std::int32_t gregorian = ymdToJuliusDay(2000, month, day);
            for (int k = 1; k <= 248'821; k += 997) {
                const std::int32_t n = julian - 1461 * k;
                ASSERT_EQ(juliusDayToYmd(n), (Ymd{-4712 - 4 * k, month, day}));
                ASSERT_EQ(ymdToJuliusDay(-4712 - 4 * k, month, day), n);
            }
            for (int k = 1; k <= 2494; k += 7) {
                const std::int32_t n = gregorian + 146097 * k;
                ASSERT_EQ(juliusDayToYmd(n), (Ymd{2000 + 400 * k, month, day}));
                ASSERT_EQ(ymdToJuliusDay(2000 + 400 * k, month, day), n);
            }
        }
    }
}

}  // namespace
}  // namespace velmo
