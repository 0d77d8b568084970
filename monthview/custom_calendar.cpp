#include "monthview/custom_calendar.h"

namespace velmo {

Colour classicSystemColour(Colour colour) {
    if (!isSystemColour(colour))
        return colour;
    switch (systemColourIndex(colour)) {
        case 5:  // window
            return 0xFFFFFF;
        case 8:  // window text
            return 0x000000;
        case 15:  // button face
            return 0xF0F0F0;
        case 16:  // button shadow
            return 0xA0A0A0;
        default:
            return 0x000000;
    }
}

TCustomCalendarEx::TCustomCalendarEx(std::int32_t today)
    : juliusDay_(today), ymd_(juliusDayToYmd(today)) {
    fonts_.setOnChange([this] { propertyChanged(); });
    rules_.setOnChange([this] { propertyChanged(); });
}

void TCustomCalendarEx::setJuliusDay(std::int32_t day) {
    if (day == juliusDay_)
        return;
    const Ymd ymd = juliusDayToYmd(day);
    juliusDay_ = day;
    ymd_ = ymd;
    relayout();
    dateChanged();
}

void TCustomCalendarEx::setYmd(int year, int month, int day) {
    bool valid = false;
    try {
        valid = isValidYmd(year, month, day);
    } catch (const EJuliusError&) {
        valid = false;  // one of the days missing from October 1582
    }
    if (valid)
        setJuliusDay(ymdToJuliusDay(year, month, day));
}

void TCustomCalendarEx::setYear(int year) {
    setYmd(year, ymd_.month, ymd_.day);
}

void TCustomCalendarEx::setMonth(int month) {
    setYmd(ymd_.year, month, ymd_.day);
}

void TCustomCalendarEx::setDay(int day) {
    setYmd(ymd_.year, ymd_.month, day);
}

void TCustomCalendarEx::setColor(Colour color) {
    if (color == color_)
        return;
    color_ = color;
    propertyChanged();
}

Colour TCustomCalendarEx::resolveColour(Colour colour) const {
    return resolver_ ? resolver_(colour) : classicSystemColour(colour);
}

void TCustomCalendarEx::relayout() {
    notifyRedraw();
}

TDayFlags TCustomCalendarEx::dayFlags(int year, int month, int day) const {
    return rules_.dayFlags(year, month, day);
}

int TCustomCalendarEx::dayFontIndex(TDayFlags flags) const {
    int index = cfWeekday;
    if (flags & dfSaturday)
        index = cfSaturday;
    else if (flags & dfSunday)
        index = cfSunday;
    if (flags & (dfHoliday | dfSubstitute))
        index = cfHoliday;
    if (flags & dfSpecial)
        index = cfSpecialDay;
    return index;
}

DayNameList TCustomCalendarEx::dayNames(int year, int month, int day) const {
    return rules_.dayNames(year, month, day);
}

void TCustomCalendarEx::propertyChanged() {
    if (!updatesSkipped())
        relayout();
}

void TCustomCalendarEx::notifyRedraw() const {
    if (onRedraw_)
        onRedraw_();
}

void TCustomCalendarEx::dateChanged() {
    if (onDayChange_)
        onDayChange_(ymd_.year, ymd_.month, ymd_.day);
}

}  // namespace velmo
