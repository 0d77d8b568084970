#pragma once
// The small month calendar TKvMCalendar (a TMonthlyCalendar, which is a
// TCustomCalendarEx) without any drawing: its properties, the geometry that splits the
// client area into a header row and week rows, the hit test, the press and the keys,
// and what each cell shows. The year view uses twelve of them.
//
// The cells divide the client area exactly (Trunc(W × j / 7) …), so neighbouring cells
// may differ by a pixel; the hit test uses the very same edges.

#include <cstdint>
#include <optional>
#include <string>

#include "monthview/custom_calendar.h"
#include "monthview/grid_geometry.h"
#include "monthview/input_events.h"

namespace velmo {

inline constexpr Colour kSmallCursorColour = 0xFFFFB9;
inline constexpr Colour kSmallTodayColour = 0xD0FFD5;
inline constexpr Colour kSmallSundayHeaderColour = 0x0000FF;
inline constexpr Colour kSmallSaturdayHeaderColour = 0xFF0000;
inline constexpr Colour kSmallDayGridColour = 0xC0C0C0;

// Published properties with the values both constructors leave.
struct SmallCalendarProperties {
    TDayOfWeek FirstDayOfWeek = dowSun;
    Colour NeighborColor = 0xC0C0C0;
    Colour DayOfWeekBkColor = 0xE1E1E1;
    bool ShowNeighbor = true;
    bool NeighborJump = false;
    bool AutoResize = false;
    bool FirstRowFirstDay = false;
    bool LastRowLastDay = false;
    bool ShowRokuyo = false;
    bool Keisen = false;    // draw grid lines
    bool IsCursor = false;  // fill the selected day
    Colour ColorToDay = kSmallTodayColour;

    bool operator==(const SmallCalendarProperties&) const = default;
};

struct SmallCalendarHit {
    int row = 0;  // 0 the header row
    int column = 0;
    std::int32_t day = 0;  // FirstCellDay + column + (row − 1) × 7

    bool operator==(const SmallCalendarHit&) const = default;
};

struct SmallHeaderCellView {
    Rect rect;
    Rect fillRect;  // inset by one pixel at left and top
    Colour fill = 0;
    std::string text;  // "日" .. "土", centred
    Colour textColour = 0;
    CalFont font;
    GridLines grid;  // in the button shadow colour; none without Keisen
};

struct SmallDayCellView {
    Rect rect;
    std::int32_t day = 0;
    Ymd date;
    bool neighbour = false;
    bool drawn = true;  // false: a neighbour day while ShowNeighbor is off, nothing at all
    std::optional<Colour> fill;
    CalFont font;  // the day font; its colour is replaced by numberColour
    Colour numberColour = 0;
    std::string numberText;
    Rect numberRect;  // the number is centred in it
    // The rokuyo name centred in a strip at the bottom, or empty.
    std::string rokuyoText;
    Rect rokuyoRect;
    CalFont rokuyoFont;
    Colour rokuyoColour = 0;
    std::optional<Colour> rokuyoFill;  // the selected cell's strip
    GridLines grid;                    // in kSmallDayGridColour; none without Keisen
};

class TKvMCalendarModel : public TCustomCalendarEx {
public:
    // today: today's day number, also the first selected date.
    explicit TKvMCalendarModel(std::int32_t today);

    const SmallCalendarProperties& properties() const { return properties_; }
    // A changed value relayouts (NeighborJump only steers presses).
    void setProperties(const SmallCalendarProperties& properties);
    void set(bool SmallCalendarProperties::*member, bool value);
    void set(Colour SmallCalendarProperties::*member, Colour value);
    void set(TDayOfWeek SmallCalendarProperties::*member, TDayOfWeek value);

    std::int32_t todayDay() const { return todayDay_; }
    void setTodayDay(std::int32_t day);

    // While suspended, layout and painting are skipped; resuming does not relayout by
    // itself, the caller does once it has set everything.
    bool suspended() const { return suspended_; }
    void setSuspended(bool suspended) { suspended_ = suspended; }

    Size clientSize() const { return clientSize_; }
    void setClientSize(Size size);

    std::int32_t firstCellDay() const;
    // Rows including the header row: 7 unless AutoResize.
    int rowCount() const;
    // Row 0 is the header row.
    Rect cellRect(int row, int column) const;
    // Points outside the client area count as the nearest cell.
    SmallCalendarHit hitTest(Point point) const;

    // A press: a day of the displayed month, or of a neighbour month with NeighborJump,
    // becomes the selected date; the header row does nothing.
    SmallCalendarHit press(Point point);
    // Right/Left ±1 day, Down/Up ±7 days, PageDown/PageUp the same day of the next or
    // previous month (pulled back to that month's last day). True when the key is one of
    // these, whether or not the date could move.
    bool keyDown(Key key);

    SmallHeaderCellView headerCell(int column) const;
    SmallDayCellView dayCell(int row, int column) const;

    void relayout() override;

protected:
    bool updatesSkipped() const override { return suspended_; }

private:
    template <class T>
    void assign(T SmallCalendarProperties::*member, T value);
    void moveTo(std::int32_t day);

    SmallCalendarProperties properties_;
    std::int32_t todayDay_;
    bool suspended_ = false;
    Size clientSize_{184, 125};
};

}  // namespace velmo
