#include "calendar/lunisolar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "tools/lunisolar_rules.h"

namespace velmo {

void PrintTo(const OldDate& date, std::ostream* out) {
    *out << date.month << "/" << date.day;
}

namespace {

using lunisolar::dayNumberOf;

std::int32_t day(int year, int month, int dayOfMonth) {
    return dayNumberOf(year, month, dayOfMonth);
}

std::vector<std::string> tableLines() {
    std::vector<std::string> lines;
    std::string_view text = jdoldcalResource();
    while (!text.empty()) {
        const std::size_t end = text.find("\r\n");
        lines.emplace_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 2);
    }
    return lines;
}

// ---------------------------------------------------------------------------------------
// Look-ups in the embedded table.

TEST(LunisolarLookup, TableEdgesAndKnownDates) {
    struct Case {
        std::int32_t day;
        OldDate date;
        std::string_view rokuyo;
    };
    const Case cases[] = {
        {day(1989, 12, 27), {0, 0}, "不明"},   {day(1989, 12, 28), {12, 1}, "赤口"},
        {day(1990, 1, 1), {12, 5}, "仏滅"},    {day(1990, 6, 23), {105, 1}, "大安"},
        {day(2000, 1, 1), {11, 25}, "大安"},   {day(2012, 4, 21), {3, 1}, "先負"},
        {day(2024, 1, 1), {11, 20}, "赤口"},   {day(2024, 2, 10), {1, 1}, "先勝"},
        {day(2030, 12, 24), {11, 30}, "仏滅"}, {day(2030, 12, 25), {0, 0}, "不明"},
        {day(2031, 6, 1), {0, 0}, "不明"},
    };
    for (const Case& c : cases) {
        const lunisolar::CivilDate civil = lunisolar::civilDateOf(c.day);
        SCOPED_TRACE(std::to_string(civil.year) + "-" + std::to_string(civil.month) + "-" +
                     std::to_string(civil.day));
        EXPECT_EQ(oldCalendarOf(c.day), c.date);
        EXPECT_EQ(rokuyoName(rokuyoOf(c.day)), c.rokuyo);
    }
}

TEST(LunisolarLookup, RokuyoStartsFromTheMonthAndAdvancesDaily) {
    const std::vector<TJDOldMonth>& table = lunisolarTable();
    // The first day of months 1 and 7 is 先勝, of 2 and 8 友引, ... of 6 and 12 赤口.
    const std::string_view firstDayNames[] = {"先勝", "友引", "先負", "仏滅", "大安", "赤口"};
    for (std::size_t i = 0; i + 1 < table.size(); ++i) {
        const int month = table[i].month % 100;
        ASSERT_EQ(rokuyoName(rokuyoOf(table[i].firstDay)), firstDayNames[(month - 1) % 6])
            << table[i].firstDay;
        for (std::int32_t d = table[i].firstDay + 1; d < table[i + 1].firstDay; ++d)
            ASSERT_EQ(rokuyoOf(d), rokuyoOf(d - 1) % 6 + 1) << d;
    }
}

TEST(LunisolarLookup, ALeapMonthGivesTheRokuyoOfItsNumberInBothNotations) {
    // The same month written 105 and 5, e.g. a table predating the notation change.
    const std::vector<TJDOldMonth> older = {{100, 5}, {130, 105}, {159, 6}};
    const std::vector<TJDOldMonth> newer = {{100, 5}, {130, 5}, {159, 6}};
    for (std::int32_t d = 130; d < 159; ++d) {
        EXPECT_EQ(oldCalendarOf(older, d).month, 105);
        EXPECT_EQ(oldCalendarOf(newer, d).month, 5);
        EXPECT_EQ(rokuyoOf(older, d), rokuyoOf(newer, d)) << d;
    }
    EXPECT_EQ(rokuyoOf(older, 130), 5);
}

TEST(LunisolarLookup, SmallTablesAnswerOnlyInsideTheirMonths) {
    EXPECT_EQ(oldCalendarOf({}, 2451545), OldDate{});
    EXPECT_EQ(oldCalendarOf({{2451545, 1}}, 2451545), OldDate{});
    const std::vector<TJDOldMonth> two = {{10, 3}, {40, 4}};
    EXPECT_EQ(oldCalendarOf(two, 9), OldDate{});
    EXPECT_EQ(oldCalendarOf(two, 10), (OldDate{3, 1}));
    EXPECT_EQ(oldCalendarOf(two, 39), (OldDate{3, 30}));
    EXPECT_EQ(oldCalendarOf(two, 40), OldDate{});
    EXPECT_EQ(rokuyoOf(two, 40), kRokuyoUnknown);
}

TEST(LunisolarLookup, RokuyoNames) {
    EXPECT_EQ(rokuyoName(0), "不明");
    EXPECT_EQ(rokuyoName(1), "先勝");
    EXPECT_EQ(rokuyoName(2), "友引");
    EXPECT_EQ(rokuyoName(3), "先負");
    EXPECT_EQ(rokuyoName(4), "仏滅");
    EXPECT_EQ(rokuyoName(5), "大安");
    EXPECT_EQ(rokuyoName(6), "赤口");
    EXPECT_EQ(rokuyoName(7), "不明");
    EXPECT_EQ(rokuyoName(-1), "不明");
}

// ---------------------------------------------------------------------------------------
// Parsing.

TEST(LunisolarTableParse, AcceptsCrLfAndLfAndAMissingLastEnd) {
    const std::vector<TJDOldMonth> expected = {{2447889, 12}, {2448066, 105}};
    EXPECT_EQ(parseLunisolarTable("2447889,12\r\n2448066,105\r\n"), expected);
    EXPECT_EQ(parseLunisolarTable("2447889,12\n2448066,105"), expected);
    EXPECT_TRUE(parseLunisolarTable("").empty());
}

TEST(LunisolarTableParse, RefusesMalformedLines) {
    const char* const broken[] = {
        "2447889,12\r\n\r\n2447919,1\r\n",  // empty line
        "2447889 12\r\n",                   // no comma
        "2447889,\r\n",                     // no month
        ",12\r\n",                          // no first day
        "2447889,12,0\r\n",                 // a third field
        "24478x9,12\r\n",                   // not a number
        "2447889,0\r\n",                    // no such month
        "2447889,13\r\n",
        "2447889,100\r\n",
        "2447889,113\r\n",
        "2447889,256\r\n",              // would wrap in eight bits
        "99999999999,1\r\n",            // beyond 32 bits
        "2447919,1\r\n2447889,12\r\n",  // out of order
        "2447889,12\r\n2447889,1\r\n",  // repeated day
    };
    for (const char* text : broken)
        EXPECT_THROW(parseLunisolarTable(text), ELunisolarTableError) << text;
}

TEST(LunisolarTableParse, TheErrorNamesTheLine) {
    try {
        parseLunisolarTable("2447889,12\r\n2447919,x\r\n");
        FAIL() << "no exception";
    } catch (const ELunisolarTableError& error) {
        EXPECT_NE(std::string(error.what()).find("line 2"), std::string::npos) << error.what();
    }
}

// ---------------------------------------------------------------------------------------
// The embedded table itself.

TEST(LunisolarTable, FormatAndQuotedLines) {
    const std::vector<std::string> lines = tableLines();
    EXPECT_EQ(jdoldcalResource().size(), 5728u);
    ASSERT_EQ(lines.size(), 508u);
    EXPECT_EQ(lines.front(), "2447889,12");
    EXPECT_EQ(lines.back(), "2462861,12");
    for (const char* quoted :
         {"2448066,105", "2449100,103", "2449986,108", "2450989,105", "2452053,104", "2453086,102",
          "2453972,107", "2455006,105", "2456009,3", "2456039,3"}) {
        EXPECT_EQ(std::count(lines.begin(), lines.end(), quoted), 1) << quoted;
    }
    EXPECT_EQ(lunisolarTable().size(), 508u);
}

TEST(LunisolarTable, MonthsFollowEachOtherWithLeapMonthsWrittenByEra) {
    const std::vector<TJDOldMonth>& table = lunisolarTable();
    const std::int32_t plainFrom = day(2012, 1, 1);
    std::vector<std::int32_t> leapStarts;
    for (std::size_t i = 1; i < table.size(); ++i) {
        const TJDOldMonth& before = table[i - 1];
        const TJDOldMonth& month = table[i];
        const int length = month.firstDay - before.firstDay;
        EXPECT_TRUE(length == 29 || length == 30) << month.firstDay;
        const bool repeated = month.month == before.month;
        const bool hundred = month.month > 100;
        if (repeated || hundred) {
            leapStarts.push_back(month.firstDay);
            EXPECT_EQ(month.month % 100, before.month) << month.firstDay;
            // Only one notation per era.
            EXPECT_EQ(hundred, month.firstDay < plainFrom) << month.firstDay;
        } else {
            EXPECT_EQ(month.month, before.month % 100 % 12 + 1) << month.firstDay;
        }
    }
    const std::vector<std::int32_t> expected = {
        day(1990, 6, 23), day(1993, 4, 22), day(1995, 9, 25), day(1998, 6, 24), day(2001, 5, 23),
        day(2004, 3, 21), day(2006, 8, 24), day(2009, 6, 23), day(2012, 4, 21), day(2014, 10, 24),
        day(2017, 6, 24), day(2020, 5, 23), day(2023, 3, 22), day(2025, 7, 25), day(2028, 6, 23),
    };
    EXPECT_EQ(leapStarts, expected);
}

// ---------------------------------------------------------------------------------------
// The generator behind the table.

TEST(LunisolarGenerator, ReproducesTheEmbeddedTable) {
    const std::string generated = lunisolar::generateTableText();
    const std::string_view embedded = jdoldcalResource();
    if (generated != embedded) {
        std::size_t at = 0;
        while (at < generated.size() && at < embedded.size() && generated[at] == embedded[at])
            ++at;
        const std::size_t lineStart = at == 0 ? 0 : generated.rfind('\n', at - 1) + 1;
        const auto lineAt = [lineStart](std::string_view text) {
            return text.substr(lineStart, text.find('\r', lineStart) - lineStart);
        };
        FAIL() << "first difference: generated \"" << lineAt(generated) << "\", embedded \""
               << lineAt(embedded) << "\"";
    }
}

TEST(LunisolarGenerator, AstronomyMatchesWorkedExamplesAndKnownInstants) {
    using namespace lunisolar;
    // Meeus, examples 49.a, 25.b and 47.a.
    EXPECT_NEAR(trueNewMoonJde(-283), 2443192.65118, 1e-5);
    EXPECT_NEAR(sunApparentLongitude(2448908.5), 199.906061, 2.0 / 3600);
    EXPECT_NEAR(moonApparentLongitude(2448724.5), 133.167265, 2.0 / 3600);
    const HeliocentricEarth earth = heliocentricEarth((2448908.5 - kJ2000) / 365250.0);
    EXPECT_NEAR(earth.longitude, -43.63484796, 1e-8);
    EXPECT_NEAR(earth.radius, 0.99760775, 1e-8);

    // Instants in JST, to the minute: equinoxes and solstices, new moons.
    struct Instant {
        double jde;
        CivilDate date;
        int minuteOfDay;
    };
    const Instant instants[] = {
        {jdeOfSunLongitude(0, 2451623.0), {2000, 3, 20}, 16 * 60 + 35},
        {jdeOfSunLongitude(270, 2451900.0), {2000, 12, 21}, 22 * 60 + 37},
        {jdeOfSunLongitude(0, 2460390.0), {2024, 3, 20}, 12 * 60 + 6},
        {jdeOfSunLongitude(270, 2460665.0), {2024, 12, 21}, 18 * 60 + 20},
        {trueNewMoonJde(0), {2000, 1, 7}, 3 * 60 + 14},
        {trueNewMoonJde(lunationNear(2460350.5)), {2024, 2, 10}, 7 * 60 + 59},
    };
    for (const Instant& instant : instants) {
        const JstInstant jst = jstOf(instant.jde);
        EXPECT_EQ(civilDateOf(jst.dayNumber), instant.date) << instant.jde;
        EXPECT_NEAR(jst.secondsOfDay / 60.0, instant.minuteOfDay, 1.0) << instant.jde;
    }
}

TEST(LunisolarGenerator, TwoRoutesToTheNewMoonAgreeOnEveryFirstDay) {
    using namespace lunisolar;
    // Ch. 49's series against the meeting of the moon's and the sun's longitudes: they must
    // agree within their errors, and a first day may not depend on which one is used.
    for (const LunarMonth& month : lunarMonthsBetween(kTableFirstDay, kTableLastDay)) {
        const double conjunction = conjunctionJde(month.newMoonJde);
        ASSERT_NEAR(conjunction, month.newMoonJde, 60.0 / kSecondsPerDay) << month.firstDay;
        ASSERT_EQ(jstOf(conjunction).dayNumber, month.firstDay) << month.firstDay;
    }
}

TEST(LunisolarGenerator, EveryMonthHoldsThePrincipalTermOfItsNumber) {
    using namespace lunisolar;
    for (const LunarMonth& month : lunarMonthsBetween(kTableFirstDay, kTableLastDay)) {
        if (month.leap) {
            EXPECT_TRUE(month.terms.empty()) << month.firstDay;
            continue;
        }
        ASSERT_EQ(month.terms.size(), 1u) << month.firstDay;
        EXPECT_EQ(month.terms[0].month, month.number) << month.firstDay;
        const double longitude = sunApparentLongitude(month.terms[0].jde);
        EXPECT_NEAR(signedDegrees(longitude - principalTermLongitude(month.number)), 0, 1e-6);
    }
}

}  // namespace
}  // namespace velmo
