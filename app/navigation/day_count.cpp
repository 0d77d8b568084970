#include "app/navigation/day_count.h"

#include <cstdint>

#include "calendar/julius_day.h"
#include "calendar/julius_error.h"

namespace velmo {

namespace {

constexpr int kMonths = 12;
constexpr const char* kResultMark = "（計算結果）";

// Wraps value into first..last; the carry is the step the next larger field takes.
int wrapped(int value, int first, int last, int& carry) {
    carry = 0;
    if (value > last) {
        carry = 1;
        return first;
    }
    if (value < first) {
        carry = -1;
        return last;
    }
    return value;
}

// 0000-01-01 (Julian) and 9999-12-31: the results the year fields can hold.
constexpr std::int64_t kFirstDay = 1721058;
constexpr std::int64_t kLastDay = 5373484;
static_assert(kLastDay - kFirstDay + 1 == kDayCountMaxDays);

}  // namespace

Ymd steppedDate(Ymd date, DateField field, int step) {
    int carry = 0;
    switch (field) {
        case DateField::Day:
            date.day = wrapped(date.day + step, 1, kDayCountMaxDay, carry);
            if (carry == 0)
                return date;
            step = carry;
            [[fallthrough]];
        case DateField::Month:
            date.month = wrapped(date.month + step, 1, kMonths, carry);
            if (carry == 0)
                return date;
            step = carry;
            [[fallthrough]];
        case DateField::Year:
            date.year = wrapped(date.year + step, kDayCountMinYear, kDayCountMaxYear, carry);
            return date;
    }
    return date;
}

bool DayCount::compute() {
    pending_ = false;
    const int b = countMode == kCountBothEnds ? 1 : 0;
    std::int64_t s = 0;
    std::int64_t e = 0;
    try {
        s = ymdToJuliusDay(start.year, start.month, start.day);
        e = ymdToJuliusDay(end.year, end.month, end.day);
    } catch (const EJuliusError& error) {
        ui_.message(error.what());
        return false;
    }
    if (resultMode == kResultDays) {
        days = static_cast<int>(e + b - s);
    } else {
        const std::int64_t result = resultMode == kResultStart ? e + b - days : s + days - b;
        if (result < kFirstDay || result > kLastDay) {
            ui_.message(kDayCountOutOfRangeMessage);
            return false;
        }
        const Ymd date = juliusDayToYmd(static_cast<std::int32_t>(result));
        (resultMode == kResultStart ? start : end) = date;
    }
    notComputedShown_ = false;
    return true;
}

void DayCount::changed() {
    if (autoCompute) {
        compute();
    } else {
        pending_ = true;
    }
}

void DayCount::step(bool startDate, DateField field, int steps) {
    Ymd& date = startDate ? start : end;
    const int unit = steps < 0 ? -1 : 1;
    for (int done = 0; done != steps; done += unit)
        date = steppedDate(date, field, unit);
    changed();
}

void DayCount::fillFromCalendar(int year, int month, int day) {
    (fillsStart ? start : end) = {year, month, day};
    changed();
}

void DayCount::setCountMode(int mode) {
    countMode = mode;
    if (autoCompute)
        compute();
}

void DayCount::setAutoCompute(bool on) {
    autoCompute = on;
    if (on)
        compute();
}

void DayCount::setResultMode(int mode) {
    resultMode = mode;
    if (mode == kResultStart)
        fillsStart = false;
    else if (mode == kResultEnd)
        fillsStart = true;
}

DayCountLook DayCount::look() const {
    DayCountLook look;
    look.startCaption = resultMode == kResultStart ? std::string("開始日") + kResultMark : "開始日";
    look.endCaption = resultMode == kResultEnd ? std::string("終了日") + kResultMark : "終了日";
    look.daysCaption = countMode == kCountBothEnds ? "期間" : "日数";
    if (resultMode == kResultDays)
        look.daysCaption += kResultMark;
    look.startBold = resultMode == kResultStart;
    look.endBold = resultMode == kResultEnd;
    look.daysBold = resultMode == kResultDays;
    look.startEnabled = resultMode != kResultStart;
    look.endEnabled = resultMode != kResultEnd;
    look.daysEnabled = resultMode != kResultDays;
    return look;
}

}  // namespace velmo
