#pragma once
// Where things lie in the month grid: which day the top-left cell shows, how many rows
// the grid has, the rectangles of header and day cells, the control's size, the month
// memo area and the positions inside a day cell. Coordinates are pixels relative to the
// control; a rectangle's right and bottom edges are exclusive.

#include <cstdint>
#include <string_view>

#include "calendar/julius_day.h"
#include "monthview/kvmcal_properties.h"

namespace velmo {

inline constexpr int kColumnCount = 7;
inline constexpr int kWeekRowCount = 6;
inline constexpr int kCellCount = kColumnCount * kWeekRowCount;
// The month memo area starts at this column of the last row.
inline constexpr int kMemoFirstColumn = 3;

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;

    bool operator==(const Size&) const = default;
};

// The day number of the top-left day cell for a month. Day 1 sits in the top-left cell
// only when firstRowFirstDay is set; otherwise the first row always shows at least one
// day of the previous month.
std::int32_t firstCellDay(int year, int month, TDayOfWeek firstDayOfWeek, bool firstRowFirstDay);

// Rows including the header: 7 unless autoResize, else as many week rows as the month
// needs plus the header, and one more row when lastRowLastDay is false and the month's
// last day ends a row.
int rowCount(int year, int month, std::int32_t firstCellDay, bool autoResize, bool lastRowLastDay);

// The Japanese short weekday name ("日" .. "土") of a weekday number 1..7.
std::string_view weekdayShortName(int weekday);
// The weekday number (1..7) shown in header column 0..6.
int columnWeekday(TDayOfWeek firstDayOfWeek, int column);

// Header cell of column 0..6.
Rect headerRect(const KvMCalProperties& p, int column);
// Day cell of week row 1.. and column 0..6.
Rect cellRect(const KvMCalProperties& p, int row, int column);
// Day cell by index 0..41 (row = index / 7 + 1, column = index % 7).
Rect cellRectOfIndex(const KvMCalProperties& p, int cellIndex);

// The size the main window gives the control: 7 × LenDayW + 3 by 6 × LenDayH + LenYoubiH + 3.
Size preferredControlSize(const KvMCalProperties& p);

// The month memo area: the last week row from the left of column 3 to the control's right.
Rect memoAreaRect(const KvMCalProperties& p, int rowCount, Size control);

// Grid lines of a cell: the right one at x = right − 1 and the bottom one at
// y = bottom − 1, each only when that edge lies more than 4 pixels inside the control.
struct GridLines {
    bool right = false;
    bool bottom = false;

    bool operator==(const GridLines&) const = default;
};
GridLines gridLinesOf(const Rect& cell, Size control);

// The top of a text of the given height in line position (slot) 0.. of a cell:
// cell top + DateBand + slot × LinePitch + LinePitch − text height.
int slotTextTop(const DerivedMetrics& m, const Rect& cell, int slot, int textHeight);

// Font heights and the lift of names and rokuyo for the displayed month or a neighbour.
int dayNumberFontHeight(const KvMCalProperties& p, bool neighbour);
int nameFontHeight(const KvMCalProperties& p, bool neighbour);
int nameLift(const KvMCalProperties& p, bool neighbour);

// Where the day number and the names go, from measured text widths. One- and two-digit
// numbers start at the same x because the offset comes from the width of "25".
struct DayNumberPlacement {
    Rect numberRect;  // the number is drawn clipped to this rectangle
    int nameLeft = 0;
    int nameRight = 0;   // the cell's right edge, 9 pixels further with ExtendNames
    int nameBottom = 0;  // cell top + LenHidukeH
};
DayNumberPlacement placeDayNumber(const KvMCalProperties& p, const Rect& cell, int numberHeight,
                                  int widthOf25, int numberWidth, bool extendNames);

// The top of a name or rokuyo text of the given height.
int nameTextTop(const KvMCalProperties& p, const Rect& cell, int textHeight, bool neighbour);

}  // namespace velmo
