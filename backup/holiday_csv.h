#pragma once
// The holiday list of one year as a CSV file: start folder + "Data/Dekita/holiday" +
// year + ".csv", one line "yyyy/mm/dd,names" per holiday (CP932, CR LF).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/day_rules.h"
#include "core/clock.h"
#include "core/user_interface.h"

namespace velmo {

inline constexpr int kHolidayCsvFirstYear = 2001;
inline constexpr int kHolidayCsvLastYear = 2100;
inline constexpr const char* kHolidayCsvYearOutOfRange = "範囲(2001～2100)エラー 1";
inline constexpr const char* kHolidayCsvYearNotANumber = "範囲(2001～2100)エラー 2";

// The year of a year box text, or the message that refuses it.
struct HolidayCsvYear {
    std::optional<int> year;
    std::string refusal;
};
HolidayCsvYear checkHolidayCsvYear(std::string_view yearText);

// The file's lines: every date of the year with holiday names, in date order.
std::vector<std::string> holidayCsvLines(const DayRules& rules, int year);

// start folder + "Data/Dekita/holiday" + year + ".csv".
std::string holidayCsvPath(const std::string& startFolder, int year);

// Checks the year, writes the file (creating Data/Dekita when needed, overwriting an
// older list) and tells the user; every message goes to the main window's information
// box except a failed save, which is an error. True when the file was written.
bool writeHolidayCsv(std::string_view yearText, const DayRules& rules,
                     const std::string& startFolder, UserInterface& ui, Sleeper& sleeper);

}  // namespace velmo
