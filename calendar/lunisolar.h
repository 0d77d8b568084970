#pragma once
// The lunisolar calendar and the rokuyo. The program does not compute new moons: it
// carries a table of lunisolar months (the resource JDOLDCAL, made by
// tools/gen_lunisolar_table) and looks dates up in it.
//
// The table holds one "FirstDay,Month" line per month, ascending. A leap month follows the
// regular month of its number; the older lines write it as 100 + number, the newer ones
// repeat the plain number. Both give the same rokuyo. The last line only ends the month
// before it, so the table answers from its first FirstDay to the day before its last.

#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace velmo {

// One lunisolar month: the day number of its first day and its month number (1..12, or
// 101..112 for a leap month in the older lines).
struct TJDOldMonth {
    std::int32_t firstDay = 0;
    std::uint8_t month = 0;

    bool operator==(const TJDOldMonth&) const = default;
};

// A lunisolar date; month 0 means the day lies outside the table.
struct OldDate {
    int month = 0;
    int day = 0;

    bool operator==(const OldDate&) const = default;
};

// Rokuyo numbers: 0 = unknown, 1 = 先勝 ... 6 = 赤口.
inline constexpr int kRokuyoUnknown = 0;
inline constexpr int kRokuyoCount = 6;

// The table is part of the program, so a line that does not parse is a defect of the build.
class ELunisolarTableError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// The bytes of the embedded resource JDOLDCAL (ASCII, CR LF lines).
std::string_view jdoldcalResource();

// Parses table text: lines ending in CR LF (or LF; the last may lack its end), each two
// decimal integers separated by a comma. Throws ELunisolarTableError naming the line for
// anything else: an empty line, a month outside 1..12 and 101..112, a first day not above
// the one before it.
std::vector<TJDOldMonth> parseLunisolarTable(std::string_view text);

// The table parsed from the resource on first use and kept for the rest of the run. Call
// it at start-up so a broken table stops the program there.
const std::vector<TJDOldMonth>& lunisolarTable();

// The lunisolar month and day of a day number; {0, 0} outside the table.
OldDate oldCalendarOf(const std::vector<TJDOldMonth>& table, std::int32_t juliusDay);
OldDate oldCalendarOf(std::int32_t juliusDay);

// The rokuyo number 0..6 of a day number; 0 outside the table.
int rokuyoOf(const std::vector<TJDOldMonth>& table, std::int32_t juliusDay);
int rokuyoOf(std::int32_t juliusDay);

// "先勝" ... "赤口" for 1..6, "不明" for 0 and any other number.
std::string_view rokuyoName(int rokuyo);

}  // namespace velmo
