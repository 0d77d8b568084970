#include "monthview/small_calendar.h"

#include <type_traits>

#include "calendar/lunisolar.h"
#include "store/entry_line.h"

namespace velmo {
namespace {

// The index of the part (0..parts − 1) whose span Trunc(extent × i / parts) ..
// Trunc(extent × (i + 1) / parts) holds pos; positions outside give the nearest part.
int partAt(int pos, int extent, int parts) {
    int index = parts - 1;
    while (index > 0 && extent * index / parts > pos)
        --index;
    return index;
}

}  // namespace

TKvMCalendarModel::TKvMCalendarModel(std::int32_t today)
    : TCustomCalendarEx(today), todayDay_(today) {
    for (int index = cfWeekday; index <= cfSpecialDay; ++index) {
        CalFont font = fonts().font(index);
        font.size = 12;
        fonts().setFont(index, font);
    }
}

template <class T>
void TKvMCalendarModel::assign(T SmallCalendarProperties::*member, T value) {
    if (properties_.*member == value)
        return;
    properties_.*member = value;
    if constexpr (std::is_same_v<T, bool>) {
        if (member == &SmallCalendarProperties::NeighborJump)
            return;
    }
    propertyChanged();
}

void TKvMCalendarModel::setProperties(const SmallCalendarProperties& properties) {
    if (properties == properties_)
        return;
    properties_ = properties;
    propertyChanged();
}

void TKvMCalendarModel::set(bool SmallCalendarProperties::*member, bool value) {
    assign(member, value);
}

void TKvMCalendarModel::set(Colour SmallCalendarProperties::*member, Colour value) {
    assign(member, value);
}

void TKvMCalendarModel::set(TDayOfWeek SmallCalendarProperties::*member, TDayOfWeek value) {
    assign(member, value);
}

void TKvMCalendarModel::setTodayDay(std::int32_t day) {
    if (day == todayDay_)
        return;
    todayDay_ = day;
    propertyChanged();
}

void TKvMCalendarModel::setClientSize(Size size) {
    if (size == clientSize_)
        return;
    clientSize_ = size;
    propertyChanged();
}

void TKvMCalendarModel::relayout() {
    if (suspended_)
        return;
    TCustomCalendarEx::relayout();
}

std::int32_t TKvMCalendarModel::firstCellDay() const {
    return velmo::firstCellDay(year(), month(), properties_.FirstDayOfWeek,
                               properties_.FirstRowFirstDay);
}

int TKvMCalendarModel::rowCount() const {
    return velmo::rowCount(year(), month(), firstCellDay(), properties_.AutoResize,
                           properties_.LastRowLastDay);
}

Rect TKvMCalendarModel::cellRect(int row, int column) const {
    const int w = clientSize_.width;
    const int h = clientSize_.height;
    const int rows = rowCount();
    return {w * column / kColumnCount, h * row / rows, w * (column + 1) / kColumnCount,
            h * (row + 1) / rows};
}

SmallCalendarHit TKvMCalendarModel::hitTest(Point point) const {
    SmallCalendarHit hit;
    hit.column = partAt(point.x, clientSize_.width, kColumnCount);
    hit.row = partAt(point.y, clientSize_.height, rowCount());
    hit.day = firstCellDay() + hit.column + (hit.row - 1) * kColumnCount;
    return hit;
}

SmallCalendarHit TKvMCalendarModel::press(Point point) {
    const SmallCalendarHit hit = hitTest(point);
    if (hit.row == 0)
        return hit;
    const Ymd date = juliusDayToYmd(hit.day);
    if ((date.year == year() && date.month == month()) || properties_.NeighborJump)
        moveTo(hit.day);
    return hit;
}

bool TKvMCalendarModel::keyDown(Key key) {
    const std::int32_t day = juliusDay();
    switch (key) {
        case Key::Right:
            moveTo(day + 1);
            return true;
        case Key::Left:
            moveTo(day - 1);
            return true;
        case Key::Up:
            moveTo(day - kColumnCount);
            return true;
        case Key::Down:
            moveTo(day + kColumnCount);
            return true;
        case Key::PageUp:
        case Key::PageDown:
            try {
                const int step = key == Key::PageUp ? -1 : 1;
                moveTo(clampedYmdToJuliusDay(year(), month() + step, this->day()));
            } catch (const EJuliusError&) {
                // The same day falls into the days October 1582 skipped: stay.
            }
            return true;
        default:
            return false;
    }
}

void TKvMCalendarModel::moveTo(std::int32_t day) {
    try {
        setJuliusDay(day);
    } catch (const EJuliusError&) {
        // Past the end of the calendar's range: the date stays.
    }
}

SmallHeaderCellView TKvMCalendarModel::headerCell(int column) const {
    SmallHeaderCellView view;
    view.rect = cellRect(0, column);
    view.fillRect = {view.rect.left + 1, view.rect.top + 1, view.rect.right, view.rect.bottom};
    view.fill = properties_.DayOfWeekBkColor;
    const int weekday = columnWeekday(properties_.FirstDayOfWeek, column);
    view.text = std::string(weekdayShortName(weekday));
    view.textColour = weekday == kSunday     ? kSmallSundayHeaderColour
                      : weekday == kSaturday ? kSmallSaturdayHeaderColour
                                             : kClWindowText;
    view.font = fonts().font(cfDayOfWeek);
    if (properties_.Keisen)
        view.grid = gridLinesOf(view.rect, clientSize_);
    return view;
}

SmallDayCellView TKvMCalendarModel::dayCell(int row, int column) const {
    const SmallCalendarProperties& p = properties_;
    SmallDayCellView view;
    view.rect = cellRect(row, column);
    view.day = firstCellDay() + column + (row - 1) * kColumnCount;
    view.date = juliusDayToYmd(view.day);
    view.neighbour = view.date.year != year() || view.date.month != month();
    if (view.neighbour && !p.ShowNeighbor) {
        view.drawn = false;
        return view;
    }

    const TDayFlags flags = dayFlags(view.date.year, view.date.month, view.date.day);
    view.font = fonts().font(dayFontIndex(flags));
    view.numberText = std::to_string(view.date.day);
    const bool selected = view.day == juliusDay();
    if (view.neighbour) {
        view.numberColour = resolveColour(view.font.colour) | resolveColour(p.NeighborColor);
    } else {
        view.numberColour = view.font.colour;
        if (selected && p.IsCursor)
            view.fill = kSmallCursorColour;
        else if (view.day == todayDay_)
            view.fill = p.ColorToDay;
    }

    view.numberRect = view.rect;
    const int rokuyo = p.ShowRokuyo ? rokuyoOf(view.day) : kRokuyoUnknown;
    if (rokuyo != kRokuyoUnknown) {
        view.rokuyoFont = fonts().font(cfRokuyo);
        const int strip = view.rokuyoFont.pixelSize();
        view.numberRect.bottom = view.rect.bottom - strip;
        view.rokuyoRect = {view.rect.left, view.rect.bottom - strip, view.rect.right,
                           view.rect.bottom};
        view.rokuyoText = std::string(rokuyoName(rokuyo));
        view.rokuyoColour =
            view.neighbour ? resolveColour(view.rokuyoFont.colour) | resolveColour(p.NeighborColor)
                           : view.rokuyoFont.colour;
        if (selected) {
            view.rokuyoFill = view.numberColour;
            view.rokuyoColour = color();
        }
    }
    if (p.Keisen)
        view.grid = gridLinesOf(view.rect, clientSize_);
    return view;
}

}  // namespace velmo
