#include "calendar/japanese_date_text.h"

#include <array>

#include "calendar/julius_day.h"

namespace velmo {
namespace {

constexpr std::array<const char*, 10> kFullWidthDigits = {"０", "１", "２", "３", "４",
                                                          "５", "６", "７", "８", "９"};
constexpr std::array<const char*, 7> kShortNames = {"日", "月", "火", "水", "木", "金", "土"};
constexpr std::array<const char*, 7> kLongNames = {"日曜日", "月曜日", "火曜日", "水曜日",
                                                   "木曜日", "金曜日", "土曜日"};
constexpr const char* kUnknown = "不明";

struct Era {
    const char* name;
    Ymd start;
};

// Newest first, so the first era that has started is the date's era.
constexpr std::array<Era, 5> kEras = {{
    {"令和", {2019, 5, 1}},
    {"平成", {1989, 1, 8}},
    {"昭和", {1926, 12, 25}},
    {"大正", {1912, 7, 30}},
    {"明治", {1868, 1, 25}},
}};

}  // namespace

std::string fullWidthDigit(int digit) {
    if (digit < 0 || digit > 9)
        digit = 9;
    return kFullWidthDigits[static_cast<std::size_t>(digit)];
}

std::string toFullWidthDigits(std::string_view text) {
    std::string result;
    result.reserve(text.size() * 3);
    for (char c : text) {
        if (c >= '0' && c <= '9')
            result += kFullWidthDigits[static_cast<std::size_t>(c - '0')];
        else
            result += c;
    }
    return result;
}

std::string youbiShortName(int weekday) {
    if (weekday < 1 || weekday > 7)
        return kUnknown;
    return kShortNames[static_cast<std::size_t>(weekday - 1)];
}

std::string youbiLongName(int weekday) {
    if (weekday < 1 || weekday > 7)
        return kUnknown;
    return kLongNames[static_cast<std::size_t>(weekday - 1)];
}

std::string youbiNumberText(std::string_view longName) {
    for (std::size_t i = 0; i < kLongNames.size(); ++i) {
        if (longName == kLongNames[i])
            return std::to_string(i + 1);
    }
    return {};
}

Wareki warekiOf(std::int32_t juliusDay) {
    const Ymd date = juliusDayToYmd(juliusDay);
    for (const Era& era : kEras) {
        if (juliusDay >= ymdToJuliusDay(era.start.year, era.start.month, era.start.day))
            return {era.name, date.year - era.start.year + 1, date.month, date.day};
    }
    return {"", date.year, date.month, date.day};
}

std::string warekiYearText(std::int32_t juliusDay) {
    const Wareki w = warekiOf(juliusDay);
    return w.eraName + std::to_string(w.eraYear) + "年";
}

std::string warekiDateText(std::int32_t juliusDay) {
    const Wareki w = warekiOf(juliusDay);
    return w.eraName + std::to_string(w.eraYear) + "年" + std::to_string(w.month) + "月" +
           std::to_string(w.day) + "日";
}

std::string warekiDateYoubiText(std::int32_t juliusDay) {
    return warekiDateText(juliusDay) + "(" + youbiShortName(weekdayOf(juliusDay)) + ")";
}

}  // namespace velmo
