#include "calendar/lunisolar.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

namespace velmo {

namespace {

bool isLeapMonthNumber(long month) {
    return month >= 101 && month <= 112;
}

template <class Number>
bool parseDecimal(std::string_view field, Number& value) {
    if (field.empty())
        return false;
    const char* end = field.data() + field.size();
    const auto [rest, error] = std::from_chars(field.data(), end, value);
    return error == std::errc() && rest == end;
}

[[noreturn]] void fail(int lineNumber, std::string_view line, std::string_view why) {
    throw ELunisolarTableError("JDOLDCAL line " + std::to_string(lineNumber) + " \"" +
                               std::string(line) + "\": " + std::string(why));
}

TJDOldMonth parseLine(std::string_view line, int lineNumber) {
    const std::size_t comma = line.find(',');
    if (comma == std::string_view::npos)
        fail(lineNumber, line, "no comma");
    std::int32_t firstDay = 0;
    long month = 0;
    if (!parseDecimal(line.substr(0, comma), firstDay))
        fail(lineNumber, line, "first day is not a number");
    if (!parseDecimal(line.substr(comma + 1), month))
        fail(lineNumber, line, "month is not a number");
    if (!(month >= 1 && month <= 12) && !isLeapMonthNumber(month))
        fail(lineNumber, line, "no such month");
    return {firstDay, static_cast<std::uint8_t>(month)};
}

}  // namespace

std::vector<TJDOldMonth> parseLunisolarTable(std::string_view text) {
    std::vector<TJDOldMonth> table;
    int lineNumber = 0;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        ++lineNumber;
        const TJDOldMonth month = parseLine(line, lineNumber);
        if (!table.empty() && month.firstDay <= table.back().firstDay)
            fail(lineNumber, line, "not after the line before");
        table.push_back(month);
    }
    return table;
}

const std::vector<TJDOldMonth>& lunisolarTable() {
    static const std::vector<TJDOldMonth> table = parseLunisolarTable(jdoldcalResource());
    return table;
}

OldDate oldCalendarOf(const std::vector<TJDOldMonth>& table, std::int32_t juliusDay) {
    // The last line only closes the month before it.
    if (table.empty() || juliusDay < table.front().firstDay || juliusDay >= table.back().firstDay) {
        return {};
    }
    const auto next = std::upper_bound(
        table.begin(), table.end(), juliusDay,
        [](std::int32_t day, const TJDOldMonth& month) { return day < month.firstDay; });
    const TJDOldMonth& month = *std::prev(next);
    return {month.month, juliusDay - month.firstDay + 1};
}

OldDate oldCalendarOf(std::int32_t juliusDay) {
    return oldCalendarOf(lunisolarTable(), juliusDay);
}

int rokuyoOf(const std::vector<TJDOldMonth>& table, std::int32_t juliusDay) {
    const OldDate date = oldCalendarOf(table, juliusDay);
    if (date.month == 0)
        return kRokuyoUnknown;
    const int month = date.month > 100 ? date.month - 100 : date.month;
    return ((month - 1) + (date.day - 1)) % kRokuyoCount + 1;
}

int rokuyoOf(std::int32_t juliusDay) {
    return rokuyoOf(lunisolarTable(), juliusDay);
}

std::string_view rokuyoName(int rokuyo) {
    static constexpr std::array<std::string_view, kRokuyoCount + 1> kNames = {
        "不明", "先勝", "友引", "先負", "仏滅", "大安", "赤口"};
    if (rokuyo < 0 || rokuyo > kRokuyoCount)
        return kNames[kRokuyoUnknown];
    return kNames[static_cast<std::size_t>(rokuyo)];
}

}  // namespace velmo
