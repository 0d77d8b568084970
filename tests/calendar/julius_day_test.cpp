#include "calendar/julius_day.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

namespace velmo {
namespace {

constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr int kIntMin = std::numeric_limits<int>::min();

std::string messageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const EJuliusError& e) {
        return e.what();
    }
    return "(no EJuliusError)";
}

TEST(JuliusDay, KnownDays) {
    EXPECT_EQ(ymdToJuliusDay(2000, 1, 1), 2451545);
    EXPECT_EQ(weekdayOf(2451545), kSaturday);
    EXPECT_EQ(juliusDayToYmd(2451545), (Ymd{2000, 1, 1}));
    EXPECT_EQ(ymdToJuliusDay(-4712, 1, 1), 0);
    EXPECT_EQ(weekdayOf(ymdToJuliusDay(2024, 9, 8)), kSunday);
    EXPECT_EQ(dateTimeToJuliusDay(LocalDateTime{2000, 1, 1, 23, 59, 59, 999}), 2451545);
    EXPECT_EQ(dateTimeToJuliusDay(LocalDate{2000, 1, 2}), 2451546);
}

TEST(JuliusDay, ReformGap) {
    EXPECT_EQ(ymdToJuliusDay(1582, 10, 4), 2299160);
    EXPECT_EQ(ymdToJuliusDay(1582, 10, 15), 2299161);
    EXPECT_EQ(juliusDayToYmd(2299160), (Ymd{1582, 10, 4}));
    EXPECT_EQ(juliusDayToYmd(2299161), (Ymd{1582, 10, 15}));
    for (int day = 5; day <= 14; ++day) {
        EXPECT_EQ(messageOf([&] { ymdToJuliusDay(1582, 10, day); }),
                  "1582/10/5-10/14は存在しません。")
            << day;
    }
    EXPECT_THROW(isValidYmd(1582, 10, 10), EJuliusError);
    // The same day reached through month overflow is just as missing.
    EXPECT_THROW(ymdToJuliusDay(1581, 22, 10), EJuliusError);
    // Counting on past the end of September stays in the Julian calendar.
    EXPECT_EQ(ymdToJuliusDay(1582, 9, 34), 2299160);
}

TEST(JuliusDay, OverflowingDaysAndMonthsCountOn) {
    EXPECT_EQ(ymdToJuliusDay(2023, 2, 31), ymdToJuliusDay(2023, 3, 3));
    EXPECT_EQ(ymdToJuliusDay(2024, 3, 0), ymdToJuliusDay(2024, 2, 29));
    EXPECT_EQ(ymdToJuliusDay(2023, 13, 1), ymdToJuliusDay(2024, 1, 1));
    EXPECT_EQ(ymdToJuliusDay(2023, 14, 29), ymdToJuliusDay(2024, 2, 29));
    EXPECT_EQ(ymdToJuliusDay(2023, 0, 31), ymdToJuliusDay(2022, 12, 31));
    EXPECT_EQ(ymdToJuliusDay(2023, -23, 1), ymdToJuliusDay(2021, 1, 1));
    // Unparsed fields arrive as zeros; they must give a number, not an error.
    EXPECT_EQ(ymdToJuliusDay(0, 0, 0), ymdToJuliusDay(-1, 11, 30));
}

TEST(JuliusDay, LeapYears) {
    EXPECT_TRUE(isLeapYear(1500));  // Julian
    EXPECT_FALSE(isLeapYear(1582));
    EXPECT_TRUE(isLeapYear(-4712));
    EXPECT_TRUE(isLeapYear(-4));
    EXPECT_FALSE(isLeapYear(-1));
    EXPECT_FALSE(isLeapYear(1700));
    EXPECT_TRUE(isLeapYear(1600));
    EXPECT_TRUE(isLeapYear(2024));
    EXPECT_FALSE(isLeapYear(4000));
    EXPECT_TRUE(isLeapYear(4400));
    EXPECT_FALSE(isLeapYear(kIntMax));

    EXPECT_FALSE(isValidYmd(2023, 2, 29));
    EXPECT_TRUE(isValidYmd(2024, 2, 29));
    EXPECT_TRUE(isValidYmd(1500, 2, 29));
    EXPECT_FALSE(isValidYmd(1900, 2, 29));
    EXPECT_TRUE(isValidYmd(4000, 2, 29));  // conversions keep the plain Gregorian rule
    EXPECT_FALSE(isValidYmd(2023, 13, 1));
    EXPECT_FALSE(isValidYmd(2023, 1, 0));

    EXPECT_EQ(daysOfMonth(1900, 2), 28);
    EXPECT_EQ(daysOfMonth(2000, 2), 29);
    EXPECT_EQ(daysOfMonth(4000, 2), 28);
    EXPECT_EQ(daysOfMonth(1500, 2), 29);
    EXPECT_EQ(daysOfMonth(2023, 4), 30);
    EXPECT_EQ(daysOfMonth(1582, 10), 31);
    EXPECT_EQ(daysOfMonth(2023, 0), 0);
    EXPECT_EQ(daysOfMonth(2023, 13), 0);
}

TEST(JuliusDay, LastDayOfMonth) {
    EXPECT_EQ(lastDayOfMonth(2024, 2), 29);
    EXPECT_EQ(lastDayOfMonth(2023, 12), 31);
    EXPECT_EQ(lastDayOfMonth(2023, 13), 31);
    EXPECT_EQ(lastDayOfMonth(4000, 2), 29);
    EXPECT_EQ(lastDayOfMonth(1582, 9), 30);
    EXPECT_EQ(lastDayOfMonth(0, 5), 0);
    EXPECT_EQ(lastDayOfMonth(-5, 5), 0);
    EXPECT_EQ(lastDayOfMonth(2023, 0), 0);
    EXPECT_EQ(lastDayOfMonth(kMaxYear, 12), 0);  // the next January is out of range
    EXPECT_EQ(lastDayOfMonth(kIntMax, 1), 0);
}

TEST(JuliusDay, ClampedDates) {
    EXPECT_EQ(clampedYmdToJuliusDay(2023, 13, 31), ymdToJuliusDay(2024, 1, 31));
    EXPECT_EQ(clampedYmdToJuliusDay(2024, 0, 31), ymdToJuliusDay(2023, 12, 31));
    EXPECT_EQ(clampedYmdToJuliusDay(2023, 2, 31), ymdToJuliusDay(2023, 2, 28));
    EXPECT_EQ(clampedYmdToJuliusDay(2024, 2, 30), ymdToJuliusDay(2024, 2, 29));
    EXPECT_EQ(clampedYmdToJuliusDay(2023, 4, 31), ymdToJuliusDay(2023, 4, 30));
    EXPECT_EQ(clampedYmdToJuliusDay(2023, 11, 31), ymdToJuliusDay(2023, 11, 30));
    EXPECT_EQ(clampedYmdToJuliusDay(4000, 2, 29), ymdToJuliusDay(4000, 2, 28));
    EXPECT_EQ(clampedYmdToJuliusDay(2023, 1, 32), ymdToJuliusDay(2023, 2, 1));
    EXPECT_EQ(clampedYmdToJuliusDay(2023, 20, 5), ymdToJuliusDay(2024, 1, 5));
    EXPECT_THROW(clampedYmdToJuliusDay(kIntMax, 13, 1), EJuliusError);
    EXPECT_THROW(clampedYmdToJuliusDay(kIntMin, 0, 1), EJuliusError);
}

TEST(JuliusDay, NormalizeYearMonth) {
    struct Case {
        int year, month, wantYear, wantMonth;
    };
    for (const Case& c :
         {Case{2023, 12, 2023, 12}, Case{2023, 13, 2024, 1}, Case{2023, 25, 2025, 1},
          Case{2023, 0, 2022, 12}, Case{2023, -12, 2021, 12}, Case{2023, -13, 2021, 11}}) {
        int year = c.year, month = c.month;
        normalizeYearMonth(year, month);
        EXPECT_EQ(year, c.wantYear) << c.year << "/" << c.month;
        EXPECT_EQ(month, c.wantMonth) << c.year << "/" << c.month;
    }
    int year = kMaxYear, month = 13;
    EXPECT_EQ(messageOf([&] { normalizeYearMonth(year, month); }), "1000000年は扱える範囲外です。");
    EXPECT_EQ(year, kMaxYear);
    EXPECT_EQ(month, 13);
    year = kIntMax;
    month = kIntMax;
    EXPECT_THROW(normalizeYearMonth(year, month), EJuliusError);
}

TEST(JuliusDay, SupportedRangeEdges) {
    EXPECT_EQ(ymdToJuliusDay(kMinYear, 1, 1), kMinJuliusDay);
    EXPECT_EQ(ymdToJuliusDay(kMaxYear, 12, 31), kMaxJuliusDay);
    EXPECT_EQ(juliusDayToYmd(kMinJuliusDay), (Ymd{kMinYear, 1, 1}));
    EXPECT_EQ(juliusDayToYmd(kMaxJuliusDay), (Ymd{kMaxYear, 12, 31}));

    EXPECT_EQ(messageOf([] { ymdToJuliusDay(kMaxYear, 12, 32); }),
              "999999/12/32は扱える範囲外です。");
    EXPECT_EQ(messageOf([] { ymdToJuliusDay(kMinYear - 1, 12, 31); }),
              "-1000000/12/31は扱える範囲外です。");
    EXPECT_EQ(messageOf([] { juliusDayToYmd(kMaxJuliusDay + 1); }),
              "ユリウス日366963560は扱える範囲外です。");
    EXPECT_THROW(juliusDayToYmd(kMinJuliusDay - 1), EJuliusError);
    EXPECT_THROW(juliusDayToYmd(std::numeric_limits<std::int32_t>::max()), EJuliusError);
    EXPECT_THROW(juliusDayToYmd(std::numeric_limits<std::int32_t>::min()), EJuliusError);
    EXPECT_THROW(ymdToJuliusDay(kIntMax, kIntMax, kIntMax), EJuliusError);
    EXPECT_THROW(ymdToJuliusDay(kIntMin, kIntMin, kIntMin), EJuliusError);
    EXPECT_THROW(dateTimeToJuliusDay(LocalDate{kIntMax, 1, 1}), EJuliusError);
    EXPECT_FALSE(isValidYmd(kIntMax, 1, 1));
    EXPECT_FALSE(isValidYmd(kMinYear, 1, 0));
}

TEST(JuliusDay, WeekdayOfEveryNumberIsInRange) {
    constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();
    // A week before day 0 is Monday again; the cycle carries through both ends.
    EXPECT_EQ(weekdayOf(-7), 2);
    EXPECT_EQ(weekdayOf(-1), kSunday);
    EXPECT_EQ(weekdayOf(-2), kSaturday);
    for (std::int32_t n : {kLowest, kLowest + 1, kHighest - 1, kHighest}) {
        const int w = weekdayOf(n);
        EXPECT_GE(w, 1) << n;
        EXPECT_LE(w, 7) << n;
    }
    EXPECT_EQ(weekdayOf(kHighest), weekdayOf(kHighest - 7));
    EXPECT_EQ(weekdayOf(kLowest + 1), weekdayOf(kLowest) % 7 + 1);
}

}  // namespace
}  // namespace velmo
