#include "monthview/period_bar.h"

#include <vector>

#include "store/profile_file.h"
#include "store/text_helpers.h"

namespace velmo {
namespace {

// Fields 0..13 are all read; a shorter line is damaged.
constexpr std::size_t kDrawnFieldCount = 14;

std::optional<std::int32_t> dayOf(const std::vector<std::string>& fields, std::size_t first) {
    const auto year = parseDelphiInteger(fields[first]);
    const auto month = parseDelphiInteger(fields[first + 1]);
    const auto day = parseDelphiInteger(fields[first + 2]);
    if (!year || !month || !day)
        return std::nullopt;
    try {
        return ymdToJuliusDay(*year, *month, *day);
    } catch (const EJuliusError&) {
        return std::nullopt;
    }
}

}  // namespace

std::optional<PeriodBar> parsePeriodBar(std::string_view line) {
    const std::vector<std::string> fields = splitFields(line, ',');
    if (fields.size() < kDrawnFieldCount || fields[12] == kUndrawnPeriodColour)
        return std::nullopt;
    const auto start = dayOf(fields, 0);
    const auto end = dayOf(fields, 4);
    if (!start || !end)
        return std::nullopt;
    PeriodBar bar;
    bar.record = parsePeriodRecord(line);
    bar.startDay = *start;
    bar.endDay = *end;
    bar.titleDay = dayOf(fields, 8);
    bar.startCode = fields[3];
    bar.endCode = fields[7];
    return bar;
}

bool isStartDay(std::int32_t cellDay, const PeriodBar& bar) {
    return cellDay == bar.startDay;
}

bool isEndDay(std::int32_t cellDay, const PeriodBar& bar) {
    return cellDay == bar.endDay;
}

bool isTitleDay(std::int32_t cellDay, const PeriodBar& bar) {
    return bar.titleDay && cellDay == *bar.titleDay;
}

PeriodBarShape periodBarShape(const PeriodBar& bar, std::int32_t cellDay, const Rect& cell,
                              int textTop, int textHeight) {
    PeriodBarShape shape;
    const int y = textTop + textHeight / 2 - 1;
    if (isStartDay(cellDay, bar)) {
        const int x0 = cell.left + (bar.startCode == "M" ? 5 : bar.startCode == "A" ? 50 : 95);
        shape.part = BarPart::Start;
        shape.line = {x0, y, cell.right, y};
        shape.stroke = Segment{x0, y, x0 + 15, y + 2};
    } else if (isEndDay(cellDay, bar)) {
        const int x1 = cell.right - (bar.endCode == "M" ? 95 : bar.endCode == "A" ? 50 : 5);
        shape.part = BarPart::End;
        shape.line = {cell.left, y, x1, y};
        shape.stroke = Segment{x1 - 15, y - 2, x1, y};
    } else {
        shape.line = {cell.left, y, cell.right, y};
    }
    shape.drawTitle = isTitleDay(cellDay, bar);
    shape.title = " " + bar.record.summary + " ";
    shape.titleRight = cell.right - 4;
    shape.textTop = textTop;
    return shape;
}

}  // namespace velmo
