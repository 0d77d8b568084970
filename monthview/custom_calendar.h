#pragma once
// TCustomCalendarEx: what every calendar of the program holds, without any drawing. The
// selected date, the fonts, the holiday and special-day rules, the background colour,
// and the hooks through which a widget learns that it must redraw or that the date
// changed. The month view model and the small calendars build on it.

#include <cstdint>
#include <functional>

#include "calendar/day_rules.h"
#include "calendar/julius_day.h"
#include "monthview/cal_fonts.h"
#include "store/colour_text.h"

namespace velmo {

// System colours the month view knows by index.
inline constexpr Colour kClWindow = kSystemColourFlag | 5u;
inline constexpr Colour kClBtnShadow = kSystemColourFlag | 16u;

// Turns a system colour into 0x00BBGGRR; plain colours pass unchanged. The widget plugs
// in its palette; until then the classic Windows values stand in.
using ColourResolver = std::function<Colour(Colour)>;
Colour classicSystemColour(Colour colour);

class TCustomCalendarEx {
public:
    // today: the day number of today; the selected date starts there.
    explicit TCustomCalendarEx(std::int32_t today);
    virtual ~TCustomCalendarEx() = default;
    TCustomCalendarEx(const TCustomCalendarEx&) = delete;
    TCustomCalendarEx& operator=(const TCustomCalendarEx&) = delete;

    // JuliusDay: a different value is stored, the calendar relaid out, then OnDayChange
    // raised with the new year, month and day.
    std::int32_t juliusDay() const { return juliusDay_; }
    void setJuliusDay(std::int32_t day);
    int year() const { return ymd_.year; }
    int month() const { return ymd_.month; }
    int day() const { return ymd_.day; }
    // Each changes its part only; a resulting date that does not exist is ignored.
    void setYear(int year);
    void setMonth(int month);
    void setDay(int day);

    using DayChangeEvent = std::function<void(int year, int month, int day)>;
    void setOnDayChange(DayChangeEvent onDayChange) { onDayChange_ = std::move(onDayChange); }

    // Called whenever the picture must be drawn again, synchronously, so a widget can
    // paint its off-screen image from the state of that moment.
    void setOnRedraw(std::function<void()> onRedraw) { onRedraw_ = std::move(onRedraw); }

    // Fonts; a change relayouts unless updates are skipped.
    TCalExFonts& fonts() { return fonts_; }
    const TCalExFonts& fonts() const { return fonts_; }

    // HolidayList, SpecialDayList, AutoEquinox and AutoFurikae; a change relayouts
    // unless updates are skipped.
    DayRules& rules() { return rules_; }
    const DayRules& rules() const { return rules_; }

    // Color: the background, the window colour by default.
    Colour color() const { return color_; }
    void setColor(Colour color);

    void setColourResolver(ColourResolver resolver) { resolver_ = std::move(resolver); }
    Colour resolveColour(Colour colour) const;

    // Lays the calendar out again and redraws; the base only redraws.
    virtual void relayout();

    // The kinds of day a date is; the day rules unless a subclass knows better.
    virtual TDayFlags dayFlags(int year, int month, int day) const;
    // The font of a day number: Weekday; Saturday or else Sunday by weekday; Holiday for
    // a holiday or substitute holiday; SpecialDay for a special day, over all others.
    virtual int dayFontIndex(TDayFlags flags) const;
    // The names printed in a date's cell.
    virtual DayNameList dayNames(int year, int month, int day) const;

protected:
    // True while property changes must not relayout.
    virtual bool updatesSkipped() const { return false; }
    // Relayout after a property change, unless updates are skipped (the widget's next
    // paint then shows the picture it already has).
    void propertyChanged();
    // Runs the redraw hook.
    void notifyRedraw() const;
    // The date-change notification: raises OnDayChange.
    virtual void dateChanged();

private:
    void setYmd(int year, int month, int day);

    std::int32_t juliusDay_;
    Ymd ymd_;
    TCalExFonts fonts_;
    DayRules rules_;
    Colour color_ = kClWindow;
    ColourResolver resolver_;
    DayChangeEvent onDayChange_;
    std::function<void()> onRedraw_;
};

}  // namespace velmo
