#pragma once
// A period schedule as the month view draws it: the record read strictly from its line,
// its days as day numbers, and the shape of its bar in one day cell.
//
// Start, end and title days are compared as whole dates, so a period longer than a
// year gets its start stroke, arrow and title only on the one day each names.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "monthview/grid_geometry.h"
#include "store/period_record.h"

namespace velmo {

// Field 12 of a period line the month view does not draw.
inline constexpr std::string_view kUndrawnPeriodColour = "D";

struct PeriodBar {
    PeriodRecord record;
    std::int32_t startDay = 0;
    std::int32_t endDay = 0;
    // The day whose cell carries the title; none when fields 8..10 name no date.
    std::optional<std::int32_t> titleDay;
    // Fields 3 and 7 as stored: "M" and "A" place the stroke, anything else is evening.
    std::string startCode;
    std::string endCode;
};

// The bar of a period line, or nothing for a line the month view skips: fewer than 14
// fields, a start or end field that is not a number, a date that does not exist (the
// days missing from October 1582, a year out of range), or field 12 exactly "D".
std::optional<PeriodBar> parsePeriodBar(std::string_view line);

bool isStartDay(std::int32_t cellDay, const PeriodBar& bar);
bool isEndDay(std::int32_t cellDay, const PeriodBar& bar);
bool isTitleDay(std::int32_t cellDay, const PeriodBar& bar);

struct Segment {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;

    bool operator==(const Segment&) const = default;
};

enum class BarPart { Start, End, Middle };

// The bar in one cell, with y = textTop + Trunc(textHeight / 2) − 1:
// - start day (also a one-day period): from x0 to the cell's right, x0 = left + 5 for
//   "M", + 50 for "A", + 95 otherwise, and a start stroke to (x0 + 15, y + 2);
// - end day: from the cell's left to x1, x1 = right − 95 for "M", − 50 for "A", − 5
//   otherwise, and an arrow stroke from (x1 − 15, y − 2);
// - any other day: across the cell.
// On the title day the title " " + summary + " " is drawn with its right edge at
// titleRight and its top at textTop, over the cell background.
struct PeriodBarShape {
    BarPart part = BarPart::Middle;
    Segment line;
    std::optional<Segment> stroke;
    bool drawTitle = false;
    std::string title;
    int titleRight = 0;
    int textTop = 0;

    bool operator==(const PeriodBarShape&) const = default;
};
PeriodBarShape periodBarShape(const PeriodBar& bar, std::int32_t cellDay, const Rect& cell,
                              int textTop, int textHeight);

}  // namespace velmo
