// Generates resources/JDOLDCAL.txt, the lunisolar table the program embeds, from true new
// moons and principal terms computed in Japan Standard Time.
//
//   gen_lunisolar_table > resources/JDOLDCAL.txt
//   gen_lunisolar_table --report     (the instants that lie near a JST midnight)
//
// The output is written byte for byte (CR LF line ends); a test recomputes it and compares
// it with the committed file.

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "tools/lunisolar_rules.h"

namespace {

using namespace velmo::lunisolar;

// Closer than this to midnight, the day of an instant deserves a second look.
constexpr double kBorderlineSeconds = 600.0;

std::string dateText(std::int32_t dayNumber) {
    const CivilDate date = civilDateOf(dayNumber);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year, date.month, date.day);
    return buffer;
}

std::string timeText(const JstInstant& instant) {
    const long total = std::lround(instant.secondsOfDay);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s %02ld:%02ld:%02ld JST",
                  dateText(instant.dayNumber).c_str(), total / 3600, total / 60 % 60, total % 60);
    return buffer;
}

// New moons near midnight decide a first day; a principal term near midnight matters only
// when a month boundary lies at that midnight.
void report(const std::vector<LunarMonth>& months) {
    std::printf("new moons within %.0f s of a JST midnight:\n", kBorderlineSeconds);
    for (const LunarMonth& month : months) {
        const double margin = secondsFromMidnight(month.newMoon);
        if (margin < kBorderlineSeconds) {
            std::printf("  %s  month %d%s begins %s (%.0f s from midnight)\n",
                        timeText(month.newMoon).c_str(), month.number, month.leap ? " leap" : "",
                        dateText(month.firstDay).c_str(), margin);
        }
    }
    std::printf("principal terms within %.0f s of a JST midnight that is a month boundary:\n",
                kBorderlineSeconds);
    for (const LunarMonth& month : months) {
        for (const PrincipalTerm& term : month.terms) {
            const bool nearStart =
                term.jst.dayNumber == month.firstDay && term.jst.secondsOfDay < kBorderlineSeconds;
            const bool nearEnd = term.jst.dayNumber + 1 == month.endDay &&
                                 kSecondsPerDay - term.jst.secondsOfDay < kBorderlineSeconds;
            if (nearStart || nearEnd) {
                std::printf("  %s  term of month %d in month %d beginning %s\n",
                            timeText(term.jst).c_str(), term.month, month.number,
                            dateText(month.firstDay).c_str());
            }
        }
    }
    double closestMoon = kSecondsPerDay;
    double closestTerm = kSecondsPerDay;
    for (const LunarMonth& month : months) {
        closestMoon = std::fmin(closestMoon, secondsFromMidnight(month.newMoon));
        for (const PrincipalTerm& term : month.terms) {
            if (term.jst.dayNumber == month.firstDay)
                closestTerm = std::fmin(closestTerm, term.jst.secondsOfDay);
            if (term.jst.dayNumber + 1 == month.endDay)
                closestTerm = std::fmin(closestTerm, kSecondsPerDay - term.jst.secondsOfDay);
        }
    }
    std::printf("closest new moon: %.0f s; closest principal term at a boundary: %.0f s\n",
                closestMoon, closestTerm);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const std::vector<LunarMonth> months = lunarMonthsBetween(kTableFirstDay, kTableLastDay);
        if (argc > 1 && std::strcmp(argv[1], "--report") == 0) {
            report(months);
            return 0;
        }
        const std::string text = tableText(months);
        std::fwrite(text.data(), 1, text.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "gen_lunisolar_table: %s\n", error.what());
        return 1;
    }
}
