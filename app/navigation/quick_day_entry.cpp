#include "app/navigation/quick_day_entry.h"

#include <algorithm>
#include <charconv>

namespace velmo {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string trimmed(const std::string& text) {
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

}  // namespace

QuickDayEntryOutcome submitQuickDayEntry(const std::string& text, int daysInMonth) {
    const std::string entry = trimmed(text);
    if (entry.empty())
        return {};
    int day = 0;
    const char* end = entry.data() + entry.size();
    const auto [stop, error] = std::from_chars(entry.data(), end, day);
    // "+5", "5日" and "５" are not whole numbers here; from_chars takes no sign but '-'.
    if (error == std::errc() && stop == end && day >= 1 && day <= daysInMonth)
        return {QuickDayEntryOutcome::Kind::OpenDay, day, {}};
    return {QuickDayEntryOutcome::Kind::Refused, 0, "[ " + entry + " ]日は、日付に出来ません。"};
}

}  // namespace velmo
