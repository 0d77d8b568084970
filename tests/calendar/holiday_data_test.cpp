// The bundled Hday.dat read by the rule engine, checked day by day against Japan's
// holiday law coded here on its own: no rule records, no comma text, no equinox formula.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <numbers>
#include <string>
#include <vector>

#include "calendar/day_rules.h"
#include "calendar/equinox.h"
#include "calendar/julius_day.h"

namespace velmo {
namespace {

// ---------------------------------------------------------------------------------------
// Equinoxes from astronomy: Meeus, Astronomical Algorithms, chapter 27 (mean equinox and
// 24 periodic terms, about a minute off), taken to Japan Standard Time. From 1974 to 2050
// the closest equinox to a midnight in Japan (autumn 2012) lies 11 minutes away, so a
// fixed TT-UT difference and the method's error cannot move a date.

struct PeriodicTerm {
    double a, b, c;
};
constexpr PeriodicTerm kTerms[] = {
    {485, 324.96, 1934.136},  {203, 337.23, 32964.467}, {199, 342.08, 20.186},
    {182, 27.85, 445267.112}, {156, 73.14, 45036.886},  {136, 171.52, 22518.443},
    {77, 222.54, 65928.934},  {74, 296.72, 3034.906},   {70, 243.58, 9037.513},
    {58, 119.81, 33718.147},  {52, 297.17, 150.678},    {50, 21.02, 2281.226},
    {45, 247.54, 29929.562},  {44, 325.15, 31555.956},  {29, 60.93, 4443.417},
    {18, 155.12, 67555.328},  {17, 288.79, 4562.452},   {16, 198.04, 62894.029},
    {14, 199.76, 31436.921},  {12, 95.39, 14577.848},   {12, 287.11, 31931.756},
    {12, 320.81, 34777.259},  {9, 227.73, 1222.114},    {8, 15.45, 16859.074}};

double cosDegrees(double degrees) {
    return std::cos(degrees * std::numbers::pi / 180.0);
}

struct AstronomicalEquinox {
    Ymd date;                    // in Japan Standard Time
    double minutesFromMidnight;  // to the nearer midnight
};

AstronomicalEquinox astronomicalEquinox(int year, bool autumn) {
    const double y = (year - 2000) / 1000.0;
    const double mean = autumn ? 2451810.21715 + 365242.01767 * y - 0.11575 * y * y +
                                     0.00337 * y * y * y + 0.00078 * y * y * y * y
                               : 2451623.80984 + 365242.37404 * y + 0.05169 * y * y -
                                     0.00411 * y * y * y - 0.00057 * y * y * y * y;
    const double t = (mean - 2451545.0) / 36525.0;
    const double w = 35999.373 * t - 2.47;
    const double lambda = 1 + 0.0334 * cosDegrees(w) + 0.0007 * cosDegrees(2 * w);
    double s = 0;
    for (const PeriodicTerm& term : kTerms)
        s += term.a * cosDegrees(term.b + term.c * t);
    const double terrestrial = mean + 0.00001 * s / lambda;
    constexpr double kTerrestrialMinusUniversal = 69.0 / 86400.0;
    // Julian dates start at noon; +0.5 gives days from midnight UT, +9 h Japan's clock.
    const double japan = terrestrial - kTerrestrialMinusUniversal + 0.5 + 9.0 / 24.0;
    const double day = std::floor(japan);
    const double fraction = japan - day;
    return {juliusDayToYmd(static_cast<std::int32_t>(day)),
            std::min(fraction, 1 - fraction) * 24 * 60};
}

// ---------------------------------------------------------------------------------------
// The holiday law (国民の祝日に関する法律, 1948-07-20) with its amendments.

int weekdayOfDate(int year, int month, int day) {
    return weekdayOf(ymdToJuliusDay(year, month, day));
}

// Day of month of the n-th Monday (the "Happy Monday" holidays since 2000).
int nthMonday(int year, int month, int n) {
    const int first = weekdayOfDate(year, month, 1);
    return 1 + (2 - first + 7) % 7 + 7 * (n - 1);
}

bool before(int year, int month, int day, int y, int m, int d) {
    return ymdToJuliusDay(year, month, day) < ymdToJuliusDay(y, m, d);
}

// 国民の祝日 proper (article 2, the special laws of single events); "" on other days.
std::string nationalHoliday(int y, int m, int d) {
    if (before(y, m, d, 1948, 7, 20))
        return "";
    if (m == 1 && d == 1)
        return "元日";
    if (m == 1 && d == (y < 2000 ? 15 : nthMonday(y, 1, 2)))
        return "成人の日";
    if (m == 2 && d == 11 && y >= 1967)
        return "建国記念の日";
    if (m == 2 && d == 23 && y >= 2020)
        return "天皇誕生日";
    if (m == 3 && d == astronomicalEquinox(y, false).date.day)
        return "春分の日";
    if (m == 4 && d == 29)
        return y <= 1988 ? "天皇誕生日" : y <= 2006 ? "みどりの日" : "昭和の日";
    if (m == 5 && d == 3)
        return "憲法記念日";
    if (m == 5 && d == 4 && y >= 2007)
        return "みどりの日";
    if (m == 5 && d == 5)
        return "こどもの日";
    // 2020 and 2021 moved three holidays around the Olympic games.
    if (y == 2020 || y == 2021) {
        const int shift = y == 2020 ? 0 : -1;
        if (m == 7 && d == 23 + shift)
            return "海の日";
        if (m == 7 && d == 24 + shift)
            return "スポーツの日";
        if (m == 8 && d == (y == 2020 ? 10 : 8))
            return "山の日";
    } else {
        if (m == 7 && y >= 1996 && d == (y <= 2002 ? 20 : nthMonday(y, 7, 3)))
            return "海の日";
        if (m == 8 && d == 11 && y >= 2016)
            return "山の日";
        if (m == 10 && y >= 1966 && d == (y <= 1999 ? 10 : nthMonday(y, 10, 2)))
            return y <= 2019 ? "体育の日" : "スポーツの日";
    }
    if (m == 9 && y >= 1966 && d == (y <= 2002 ? 15 : nthMonday(y, 9, 3)))
        return "敬老の日";
    if (m == 9 && d == astronomicalEquinox(y, true).date.day)
        return "秋分の日";
    if (m == 11 && d == 3)
        return "文化の日";
    if (m == 11 && d == 23)
        return "勤労感謝の日";
    if (m == 12 && d == 23 && y >= 1989 && y <= 2018)
        return "天皇誕生日";
    struct Event {
        int y, m, d;
        const char* name;
    };
    static constexpr Event kEvents[] = {{1959, 4, 10, "皇太子明仁親王の結婚の儀"},
                                        {1989, 2, 24, "昭和天皇の大喪の礼"},
                                        {1990, 11, 12, "即位礼正殿の儀"},
                                        {1993, 6, 9, "皇太子徳仁親王の結婚の儀"},
                                        {2019, 5, 1, "即位の日"},
                                        {2019, 10, 22, "即位礼正殿の儀"}};
    for (const Event& event : kEvents) {
        if (event.y == y && event.m == m && event.d == d)
            return event.name;
    }
    return "";
}

Ymd shifted(int y, int m, int d, int days) {
    return juliusDayToYmd(ymdToJuliusDay(y, m, d) + days);
}

bool isNationalHoliday(const Ymd& date) {
    return !nationalHoliday(date.year, date.month, date.day).empty();
}

// Every day off the law gives, under its name: the 祝日, then the unnamed 休日 of
// article 3 as 振替休日 (since 1973-04-12: the day after a Sunday 祝日; since 2007 the
// first later day that is no 祝日) or 国民の休日 (since 1985-12-27: a day between two
// 祝日; until 2006 not on a Sunday nor on a substitute holiday).
std::string lawHoliday(int y, int m, int d) {
    const std::string name = nationalHoliday(y, m, d);
    if (!name.empty())
        return name;
    if (!before(y, m, d, 1973, 4, 12)) {
        if (y < 2007) {
            const Ymd previous = shifted(y, m, d, -1);
            if (isNationalHoliday(previous) &&
                weekdayOfDate(previous.year, previous.month, previous.day) == kSunday)
                return "振替休日";
        } else {
            for (int back = 1;; ++back) {
                const Ymd earlier = shifted(y, m, d, -back);
                if (!isNationalHoliday(earlier))
                    break;
                if (weekdayOfDate(earlier.year, earlier.month, earlier.day) == kSunday)
                    return "振替休日";
            }
        }
    }
    if (!before(y, m, d, 1985, 12, 27) && isNationalHoliday(shifted(y, m, d, -1)) &&
        isNationalHoliday(shifted(y, m, d, 1)) && (y >= 2007 || weekdayOfDate(y, m, d) != kSunday))
        return "国民の休日";
    return "";
}

// ---------------------------------------------------------------------------------------

std::vector<std::string> bundledHolidayLines() {
    std::ifstream in(std::string(VELMO_SOURCE_DIR) + "/resources/seed/Hday.dat");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class BundledHolidays : public ::testing::Test {
protected:
    void SetUp() override {
        const std::vector<std::string> lines = bundledHolidayLines();
        ASSERT_GT(lines.size(), 50u);
        const RuleListBuild& build = rules.setHolidayList(lines);
        ASSERT_TRUE(build.clean());
    }
    DayRules rules;
};

TEST_F(BundledHolidays, EveryDayFrom1974To2099AgreesWithTheLaw) {
    int holidays = 0;
    for (std::int32_t n = ymdToJuliusDay(1974, 1, 1); n <= ymdToJuliusDay(2099, 12, 31); ++n) {
        const Ymd date = juliusDayToYmd(n);
        const int weekday = weekdayOf(n);
        const std::string expected = lawHoliday(date.year, date.month, date.day);
        const TDayFlags flags = rules.dayFlags(date.year, date.month, date.day);
        const DayNameList names = rules.dayNames(date.year, date.month, date.day);
        SCOPED_TRACE(std::to_string(date.year) + "-" + std::to_string(date.month) + "-" +
                     std::to_string(date.day) + " expected \"" + expected + "\"");
        ASSERT_EQ(names.names, expected);
        ASSERT_EQ(names.kinds, expected.empty() ? "" : "H");
        ASSERT_EQ(rules.holidayNames(date.year, date.month, date.day), expected);
        ASSERT_EQ((flags & dfSunday) != 0, weekday == kSunday);
        ASSERT_EQ((flags & dfSaturday) != 0, weekday == kSaturday);
        ASSERT_EQ((flags & dfSpecial), 0u);
        // The built-in rule gives the Monday after a Sunday holiday; the file adds only
        // the substitute days it cannot give, so those two never overlap.
        const Ymd previous = shifted(date.year, date.month, date.day, -1);
        const bool builtInSubstitute = expected == "振替休日" && weekday == 2 &&
                                       weekdayOf(n - 1) == kSunday && isNationalHoliday(previous);
        ASSERT_EQ(flags & (dfHoliday | dfSubstitute), expected.empty()    ? 0u
                                                      : builtInSubstitute ? unsigned{dfSubstitute}
                                                                          : unsigned{dfHoliday});
        holidays += expected.empty() ? 0 : 1;
    }
    // About sixteen a year; a reference that found none would prove nothing.
    EXPECT_GT(holidays, 126 * 15);
}

TEST_F(BundledHolidays, KnownDaysOff) {
    struct Known {
        int y, m, d;
        const char* names;
    };
    const Known known[] = {
        {1974, 1, 15, "成人の日"},
        {1979, 9, 24, "秋分の日"},
        {1987, 5, 4, "振替休日"},
        {1988, 5, 4, "国民の休日"},
        {1989, 2, 24, "昭和天皇の大喪の礼"},
        {1989, 4, 29, "みどりの日"},
        {1998, 5, 4, "振替休日"},
        {2009, 5, 6, "振替休日"},
        {2009, 9, 22, "国民の休日"},
        {2015, 9, 22, "国民の休日"},
        {2019, 4, 30, "国民の休日"},
        {2019, 5, 1, "即位の日"},
        {2019, 5, 6, "振替休日"},
        {2020, 2, 24, "振替休日"},
        {2020, 7, 24, "スポーツの日"},
        {2021, 8, 9, "振替休日"},
        {2025, 5, 6, "振替休日"},
        {2026, 9, 22, "国民の休日"},
        {2032, 9, 21, "国民の休日"},
        {2050, 3, 20, "春分の日"},
        {2019, 12, 23, ""},
        {2020, 10, 12, ""},
        {2021, 8, 11, ""},
        {1986, 5, 4, ""},
        {2003, 5, 4, ""},
    };
    for (const Known& k : known)
        EXPECT_EQ(rules.dayNames(k.y, k.m, k.d).names, k.names) << k.y << "-" << k.m << "-" << k.d;
}

// ---------------------------------------------------------------------------------------

TEST(Equinox, KnownDates) {
    struct Known {
        int year, vernal, autumnal;
    };
    const Known known[] = {{1979, 21, 24}, {2000, 20, 23}, {2011, 21, 23}, {2012, 20, 22},
                           {2013, 20, 23}, {2016, 20, 22}, {2020, 20, 22}, {2024, 20, 22},
                           {2025, 20, 23}, {2026, 20, 23}, {2027, 21, 23}};
    for (const Known& k : known) {
        EXPECT_EQ(juliusDayToYmd(vernalEquinoxDay(k.year)), (Ymd{k.year, 3, k.vernal}));
        EXPECT_EQ(juliusDayToYmd(autumnalEquinoxDay(k.year)), (Ymd{k.year, 9, k.autumnal}));
    }
}

TEST(Equinox, FormulaMatchesAstronomyFrom1900To2100) {
    int compared = 0;
    for (int year = 1900; year <= 2100; ++year) {
        for (bool autumn : {false, true}) {
            const AstronomicalEquinox sky = astronomicalEquinox(year, autumn);
            // Within two minutes of midnight the astronomy here cannot decide the date.
            if (sky.minutesFromMidnight < 2)
                continue;
            const std::int32_t formula = autumn ? autumnalEquinoxDay(year) : vernalEquinoxDay(year);
            EXPECT_EQ(juliusDayToYmd(formula), sky.date)
                << year << (autumn ? " autumn" : " spring");
            ++compared;
        }
    }
    EXPECT_GE(compared, 398);
}

}  // namespace
}  // namespace velmo
