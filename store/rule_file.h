#pragma once
// Reading the rule files Hday.dat (holidays, start folder) and Sday.myc (special days,
// common data folder) into a calendar's rule lists.

#include <filesystem>
#include <string>
#include <vector>

#include "calendar/day_rules.h"
#include "core/clock.h"
#include "core/user_interface.h"

namespace velmo {

inline constexpr const char* kHolidayFileName = "Hday.dat";
inline constexpr const char* kSpecialDayFileName = "Sday.myc";

inline constexpr const char* kHolidayLoadMessage = "祭日ファイル読込ミス\r\n処理は続けます。";
inline constexpr const char* kSpecialDayLoadMessage =
    "スペシャルDayファイル読込ミス\r\n処理は続けます。";

enum class RuleFileRead { Read, Missing, Failed };

// Replaces the list with the file's lines (found ignoring the case of its name). A
// missing file leaves the list empty without a word; a file that exists but cannot be
// read after five tries 500 ms apart shows "読込エラー[" + path + "]" and leaves it empty.
RuleFileRead readRuleFile(std::vector<std::string>& list, const std::filesystem::path& path,
                          UserInterface& ui, Sleeper& sleeper);

// The month view's loads: read the file, give the lines to the calendar and, when a line
// is bad, show the load message as a plain message and keep the rules read so far.
void loadHolidayRules(DayRules& rules, const std::filesystem::path& path, UserInterface& ui,
                      Sleeper& sleeper);
void loadSpecialDayRules(DayRules& rules, const std::filesystem::path& path, UserInterface& ui,
                         Sleeper& sleeper);

}  // namespace velmo
