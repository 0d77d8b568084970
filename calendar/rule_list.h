#pragma once
// Turning the lines of a rule file into rule records.
//
// The field count chooses the form of a line:
//   3  Month, Day, Name
//   4  Month, Week, Weekday, Name
//   5  Year, Mode, Month, Day, Name
//   6  Year, Mode, Month, Week, Weekday, Name
//   7  FromYear, ToYear, Month, Day, Weekday, Week, Name
// Mode "0" limits the rule to Year, "1" to Year and before, "2" to Year and after; any
// other mode sets no limit and Year is not read. In the 7-field form an empty number is
// 0 (unset for the years); in the others every number must be present. Lines of any
// other field count are ignored.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/rule_record.h"

namespace velmo {

struct RuleListBuild {
    // Records of the lines read, in line order.
    std::vector<TBinaryDayListItem> rules;
    // The line whose number field was not a number. Reading stops there: the records
    // before it stay and the lines after it are not read.
    std::optional<std::size_t> stoppedAt;
    // Lines left out because a day, month, weekday or week held a number outside
    // 0..255; storing it would wrap (256 would become 0, "any day").
    std::vector<std::size_t> refusedLines;

    // True when every line with a known field count became a record.
    bool clean() const { return !stoppedAt && refusedLines.empty(); }
};

RuleListBuild buildRuleList(const std::vector<std::string>& lines);

// A decimal integer of the rule files: an optional sign and digits, nothing else,
// within the signed 32-bit range.
std::optional<std::int32_t> parseRuleNumber(std::string_view text);

}  // namespace velmo
