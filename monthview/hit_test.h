#pragma once
// Which day, third of a cell and line position lies under a point of the month view.
//
// The control is three pixels wider and taller than its cells, and a captured drag
// reports points anywhere on the screen, so a point outside the grid is first pulled to
// the nearest grid pixel: column, row, third and line position are always valid, and
// inGrid tells whether the point really lay on a cell.

#include <cstdint>

#include "monthview/grid_geometry.h"
#include "monthview/input_events.h"
#include "monthview/kvmcal_properties.h"

namespace velmo {

class TKvMCalModel;

struct MonthHit {
    int column = 0;  // 0..6
    int third = 1;   // 1 left, 2 middle, 3 right third of the cell
    int row = 0;     // 0 the header row, 1.. the week rows
    // 0 on the header row; otherwise 1..ItemGyo + 1, where ItemGyo + 1 is the band with
    // the day number. Line position p is cell slot p − 1.
    int linePosition = 0;
    bool inGrid = false;
    // FirstCellDay + column + (row − 1) × 7, also for the header row.
    std::int32_t day = 0;

    bool onHeader() const { return row == 0; }
    // 0..41 for a week row, −1 on the header row.
    int cellIndex() const { return row >= 1 ? (row - 1) * kColumnCount + column : -1; }
    int slot() const { return linePosition - 1; }

    bool operator==(const MonthHit&) const = default;
};

// rowCount includes the header row.
MonthHit hitTestMonth(const KvMCalProperties& p, const DerivedMetrics& m, int rowCount,
                      std::int32_t firstCellDay, Point point);
MonthHit hitTestMonth(const TKvMCalModel& model, Point point);

}  // namespace velmo
