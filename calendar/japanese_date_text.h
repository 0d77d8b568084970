#pragma once
// Japanese texts of digits, weekdays and era dates. All texts are UTF-8.

#include <cstdint>
#include <string>
#include <string_view>

namespace velmo {

// "０".."９" for 0..9; every other value gives "９".
std::string fullWidthDigit(int digit);

// The text with every ASCII digit replaced by its full-width twin.
std::string toFullWidthDigits(std::string_view text);

// Weekday numbers 1..7: "日".."土" and "日曜日".."土曜日"; "不明" for any other value.
std::string youbiShortName(int weekday);
std::string youbiLongName(int weekday);

// "1".."7" for exactly "日曜日".."土曜日", else an empty text.
std::string youbiNumberText(std::string_view longName);

// A date's era (和暦). The era year is a plain number, so an era's first year is 1
// ("平成1年"). Dates before 明治 (1868-01-25) have no era name and keep the civil year.
struct Wareki {
    std::string eraName;
    int eraYear = 0;
    int month = 0;
    int day = 0;

    bool operator==(const Wareki&) const = default;
};

// Throw EJuliusError for a day number outside the supported range.
Wareki warekiOf(std::int32_t juliusDay);
std::string warekiYearText(std::int32_t juliusDay);       // "平成25年"
std::string warekiDateText(std::int32_t juliusDay);       // "平成25年5月1日"
std::string warekiDateYoubiText(std::int32_t juliusDay);  // "平成25年5月1日(水)"

}  // namespace velmo
