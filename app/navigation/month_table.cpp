#include "app/navigation/month_table.h"

#include <charconv>
#include <cstdio>

#include "calendar/japanese_date_text.h"
#include "calendar/julius_day.h"

namespace velmo {

namespace {

// A field of digits as a number; 0 when it is not one, as the conversions of the entry
// box give.
int numberOr0(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

MonthRecord recordOf(int year, int month, std::string label) {
    char fileName[32];
    std::snprintf(fileName, sizeof fileName, "Ca%.4d%.2d.myc", year, month);
    return {year, month, std::move(label), fileName};
}

}  // namespace

std::string windowTabLabel(int month) {
    return toFullWidthDigits(std::to_string(month)) + "月";
}

std::string freeMonthLabel(int year, int month) {
    char text[32];
    std::snprintf(text, sizeof text, "%d.%2d", year, month);
    return text;
}

std::string yearMonthText(int year, int month) {
    normalizeYearMonth(year, month);
    char text[32];
    std::snprintf(text, sizeof text, "%.4d%.2d", year, month);
    return text;
}

void MonthTable::fill(int currentYear, int currentMonth) {
    for (int slot = 0; slot <= kFreeSlot; ++slot) {
        int year = currentYear;
        int month = currentMonth - 1 + slot;
        normalizeYearMonth(year, month);
        records_[slot] = recordOf(year, month, windowTabLabel(month));
    }
    records_[kFreeSlot].label = freeMonthLabel(records_[kFreeSlot].year, records_[kFreeSlot].month);
    windowStart_ = ymdToJuliusDay(records_[0].year, records_[0].month, 1);
    windowEnd_ = ymdToJuliusDay(records_[kFreeSlot].year, records_[kFreeSlot].month, 1) - 1;
}

std::optional<int> MonthTable::windowSlotOf(int year, int month) const {
    for (int slot = 0; slot < kWindowSlots; ++slot) {
        if (records_[slot].year == year && records_[slot].month == month)
            return slot;
    }
    return std::nullopt;
}

void MonthTable::setFreeMonth(int year, int month) {
    records_[kFreeSlot] = recordOf(year, month, freeMonthLabel(year, month));
}

ShowMonthTarget showMonthTarget(const MonthTable& table, std::string_view yyyymm) {
    int year = numberOr0(yyyymm.substr(0, 4));
    int month = yyyymm.size() > 4 ? numberOr0(yyyymm.substr(4, 2)) : 0;
    normalizeYearMonth(year, month);
    ShowMonthTarget target;
    target.year = year;
    target.month = month;
    if (const std::optional<int> slot = table.windowSlotOf(year, month)) {
        target.slot = *slot;
        return target;
    }
    const std::int64_t first = clampedYmdToJuliusDay(year, month, 1);
    if (first < std::int64_t{table.windowStart()} - kFreeMonthReachDays) {
        target.kind = ShowMonthTarget::Kind::TooOld;
    } else if (first > std::int64_t{table.windowEnd()} + kFreeMonthReachDays) {
        target.kind = ShowMonthTarget::Kind::TooFar;
    } else {
        target.kind = ShowMonthTarget::Kind::FreeMonth;
    }
    return target;
}

bool validYearMonthEntry(std::string_view text) {
    if (text.size() < 6)
        return false;
    const int month = numberOr0(text.substr(4, 2));
    return month >= 1 && month <= 12;
}

}  // namespace velmo
