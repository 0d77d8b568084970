#include "monthview/grid_geometry.h"

#include <algorithm>
#include <array>

namespace velmo {

std::int32_t firstCellDay(int year, int month, TDayOfWeek firstDayOfWeek, bool firstRowFirstDay) {
    const std::int32_t first = ymdToJuliusDay(year, month, 1);
    const int w = weekdayOf(first);
    std::int32_t cellDay = first - ((w - static_cast<int>(firstDayOfWeek) + 6) % 7);
    if (!firstRowFirstDay && cellDay == first)
        cellDay = first - 7;
    return cellDay;
}

int rowCount(int year, int month, std::int32_t firstCellDay, bool autoResize, bool lastRowLastDay) {
    if (!autoResize)
        return kWeekRowCount + 1;
    const std::int32_t last = ymdToJuliusDay(year, month, daysOfMonth(year, month));
    const std::int32_t span = last - firstCellDay;
    int rows = static_cast<int>(span / 7) + 2;
    if (!lastRowLastDay && (span + 1) % 7 == 0)
        ++rows;
    return std::clamp(rows, 2, kWeekRowCount + 1);
}

std::string_view weekdayShortName(int weekday) {
    static constexpr std::array<std::string_view, 7> kNames{"日", "月", "火", "水",
                                                            "木", "金", "土"};
    return kNames[static_cast<std::size_t>(((weekday - 1) % 7 + 7) % 7)];
}

int columnWeekday(TDayOfWeek firstDayOfWeek, int column) {
    return (static_cast<int>(firstDayOfWeek) + column) % 7 + 1;
}

Rect headerRect(const KvMCalProperties& p, int column) {
    return {column * p.LenDayW, 0, (column + 1) * p.LenDayW, p.LenYoubiH};
}

Rect cellRect(const KvMCalProperties& p, int row, int column) {
    const int top = p.LenYoubiH + (row - 1) * p.LenDayH;
    return {column * p.LenDayW, top, (column + 1) * p.LenDayW, top + p.LenDayH};
}

Rect cellRectOfIndex(const KvMCalProperties& p, int cellIndex) {
    return cellRect(p, cellIndex / kColumnCount + 1, cellIndex % kColumnCount);
}

Size preferredControlSize(const KvMCalProperties& p) {
    return {kColumnCount * p.LenDayW + 3, kWeekRowCount * p.LenDayH + p.LenYoubiH + 3};
}

Rect memoAreaRect(const KvMCalProperties& p, int rowCount, Size control) {
    Rect area = cellRect(p, rowCount - 1, kMemoFirstColumn);
    area.right = std::max(area.right, control.width);
    return area;
}

GridLines gridLinesOf(const Rect& cell, Size control) {
    return {cell.right < control.width - 4, cell.bottom < control.height - 4};
}

int slotTextTop(const DerivedMetrics& m, const Rect& cell, int slot, int textHeight) {
    return cell.top + m.DateBand + slot * m.LinePitch + m.LinePitch - textHeight;
}

int dayNumberFontHeight(const KvMCalProperties& p, bool neighbour) {
    return neighbour ? p.LenFontNeighbH : p.LenFontHidukeH;
}

int nameFontHeight(const KvMCalProperties& p, bool neighbour) {
    return neighbour ? p.LenFontKinenbNH : p.LenFontKinenbH;
}

int nameLift(const KvMCalProperties& p, bool neighbour) {
    return neighbour ? p.LenKinenNC : p.LenKinenC;
}

DayNumberPlacement placeDayNumber(const KvMCalProperties& p, const Rect& cell, int numberHeight,
                                  int widthOf25, int numberWidth, bool extendNames) {
    // Both offsets were bytes: a negative difference or an overlong width must not wrap
    // around to a large offset that pushes the number out of its cell.
    const int offset = saturateByte(p.LenHidukeW - widthOf25);
    DayNumberPlacement placement;
    placement.numberRect = {cell.left + offset, cell.top + p.LenHidukeH - numberHeight,
                            cell.left + p.LenHidukeW + p.LenYohaku, cell.top + p.LenHidukeH + 1};
    placement.nameLeft = cell.left + saturateByte(offset + numberWidth) + p.LenYohaku;
    placement.nameRight = cell.right + (extendNames ? 9 : 0);
    placement.nameBottom = cell.top + p.LenHidukeH;
    return placement;
}

int nameTextTop(const KvMCalProperties& p, const Rect& cell, int textHeight, bool neighbour) {
    return cell.top + p.LenHidukeH - textHeight - nameLift(p, neighbour);
}

}  // namespace velmo
