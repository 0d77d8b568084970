#pragma once
// The rules of the Japanese lunisolar calendar as modern almanacs apply them (the Tenpo
// rules with the true sun and moon and Japan Standard Time), and the text of the table
// the program embeds.
//
// - A month begins on the JST date holding a new moon and lasts until the next one.
// - Principal terms (chuki) are the instants the sun's apparent longitude reaches a
//   multiple of 30 degrees; the one at 270 (winter solstice) lies in month 11, the one at
//   300 in month 12, 330 in month 1 and so on.
// - Between two winter-solstice months there are 12 or 13 months. With 13, the first
//   month without a principal term is the leap month and repeats the number of the month
//   before it.
// Where these rules contradict each other (a month with two principal terms and the
// numbering off, as in 2033) there is no settled answer; the generator refuses instead of
// guessing, and the range it serves never meets such a year.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/lunisolar_astronomy.h"

namespace velmo::lunisolar {

struct PrincipalTerm {
    int month = 0;  // the month number the term names: 11 for the winter solstice
    double jde = 0;
    JstInstant jst{};
};

struct LunarMonth {
    double newMoonJde = 0;
    JstInstant newMoon{};
    std::int32_t firstDay = 0;  // JST date of the new moon
    std::int32_t endDay = 0;    // first day of the next month
    std::vector<PrincipalTerm> terms;
    int number = 0;  // 1..12; 0 outside the numbered span
    bool leap = false;
};

// The longitude (degrees) of the principal term that belongs to a month number.
inline double principalTermLongitude(int month) {
    return normalizedDegrees(30.0 * (month + 10));
}

inline int monthOfPrincipalTerm(double longitude) {
    const int step = static_cast<int>(std::lround(normalizedDegrees(longitude) / 30.0)) % 12;
    return (step + 1) % 12 + 1;  // 0 degrees names month 2
}

// Every lunar month whose first day lies in firstDay..lastDay, numbered. Throws
// std::runtime_error when the rules give no unique answer.
inline std::vector<LunarMonth> lunarMonthsBetween(std::int32_t firstDay, std::int32_t lastDay) {
    // Reach far enough on both sides to see a winter-solstice month before and after.
    const int firstK = lunationNear(firstDay) - 15;
    const int lastK = lunationNear(lastDay) + 15;

    std::vector<LunarMonth> months;
    for (int k = firstK; k <= lastK; ++k) {
        LunarMonth month;
        month.newMoonJde = trueNewMoonJde(k);
        month.newMoon = jstOf(month.newMoonJde);
        month.firstDay = month.newMoon.dayNumber;
        months.push_back(month);
    }
    for (std::size_t i = 0; i + 1 < months.size(); ++i)
        months[i].endDay = months[i + 1].firstDay;
    months.pop_back();  // its end is unknown

    // Walk the principal terms across the span, one per 30 degrees.
    const double start = months.front().newMoonJde;
    double longitude = std::ceil(sunApparentLongitude(start) / 30.0) * 30.0;
    double guess = start + signedDegrees(longitude - sunApparentLongitude(start)) / 0.9856;
    for (;;) {
        PrincipalTerm term;
        term.month = monthOfPrincipalTerm(longitude);
        term.jde = jdeOfSunLongitude(normalizedDegrees(longitude), guess);
        term.jst = jstOf(term.jde);
        if (term.jst.dayNumber >= months.back().endDay)
            break;
        for (LunarMonth& month : months) {
            if (term.jst.dayNumber >= month.firstDay && term.jst.dayNumber < month.endDay)
                month.terms.push_back(term);
        }
        longitude += 30.0;
        guess = term.jde + 30.44;
    }

    std::vector<std::size_t> solsticeMonths;
    for (std::size_t i = 0; i < months.size(); ++i) {
        for (const PrincipalTerm& term : months[i].terms) {
            if (term.month == 11)
                solsticeMonths.push_back(i);
        }
    }

    for (std::size_t s = 0; s + 1 < solsticeMonths.size(); ++s) {
        const std::size_t from = solsticeMonths[s];
        const std::size_t to = solsticeMonths[s + 1];
        std::size_t leap = 0;  // none: `from` itself is never leap
        if (to - from == 13) {
            for (std::size_t i = from + 1; i < to && leap == 0; ++i) {
                if (months[i].terms.empty())
                    leap = i;
            }
            if (leap == 0)
                throw std::runtime_error("13 months without a month lacking a principal term");
        } else if (to - from != 12) {
            throw std::runtime_error("winter-solstice months " + std::to_string(to - from) +
                                     " months apart");
        }
        months[from].number = 11;
        for (std::size_t i = from + 1; i <= to; ++i) {
            months[i].leap = (i == leap);
            months[i].number =
                months[i].leap ? months[i - 1].number : months[i - 1].number % 12 + 1;
        }
    }

    std::vector<LunarMonth> result;
    for (const LunarMonth& month : months) {
        if (month.firstDay < firstDay || month.firstDay > lastDay)
            continue;
        if (month.number == 0)
            throw std::runtime_error("month outside the winter-solstice span");
        for (const PrincipalTerm& term : month.terms) {
            if (term.month != month.number) {
                const CivilDate date = civilDateOf(month.firstDay);
                throw std::runtime_error(
                    "the month beginning " + std::to_string(date.year) + "-" +
                    std::to_string(date.month) + "-" + std::to_string(date.day) +
                    " holds the principal term of month " + std::to_string(term.month) +
                    " but counts as month " + std::to_string(month.number));
            }
        }
        result.push_back(month);
    }
    return result;
}

// ---------------------------------------------------------------------------------------
// The embedded table: "FirstDay,Month" lines with CR LF. The older part of the table
// marks a leap month as 100 + its number; from 2012 on it repeats the plain number.

// Leap months beginning before this day (2011-01-01) are written as 100 + number. The
// era has no leap month in 2010 or 2011, so any day between them would do.
inline constexpr std::int32_t kPlainLeapFrom = 2455563;

// The span the program's table covers: the month beginning 1989-12-28 up to the month
// beginning 2030-12-25, the last line serving only as the end of the one before it.
inline constexpr std::int32_t kTableFirstDay = 2447889;
inline constexpr std::int32_t kTableLastDay = 2462861;

inline int writtenMonth(const LunarMonth& month) {
    return month.leap && month.firstDay < kPlainLeapFrom ? 100 + month.number : month.number;
}

inline std::string tableText(const std::vector<LunarMonth>& months) {
    std::string text;
    for (const LunarMonth& month : months) {
        text += std::to_string(month.firstDay) + "," + std::to_string(writtenMonth(month)) + "\r\n";
    }
    return text;
}

inline std::string generateTableText() {
    return tableText(lunarMonthsBetween(kTableFirstDay, kTableLastDay));
}

}  // namespace velmo::lunisolar
