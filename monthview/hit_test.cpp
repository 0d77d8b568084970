#include "monthview/hit_test.h"

#include <algorithm>

#include "monthview/month_grid.h"

namespace velmo {

MonthHit hitTestMonth(const KvMCalProperties& p, const DerivedMetrics& m, int rowCount,
                      std::int32_t firstCellDay, Point point) {
    const int width = std::max<int>(p.LenDayW, 1);
    const int height = std::max<int>(p.LenDayH, 1);
    const int weekRows = std::max(rowCount - 1, 1);
    const int gridRight = kColumnCount * width - 1;
    const int gridBottom = p.LenYoubiH + weekRows * height - 1;
    const int x = std::clamp(point.x, 0, gridRight);
    const int y = std::clamp(point.y, 0, gridBottom);

    MonthHit hit;
    hit.inGrid = x == point.x && y == point.y;
    hit.column = x / width;
    const int third = std::max<int>(m.CellThird, 1);
    // CellThird follows LenDayW only after UpdateMetrics; a stale one must not give a 4th third.
    hit.third = std::clamp((x - hit.column * width) / third + 1, 1, 3);
    if (y < p.LenYoubiH) {
        hit.row = 0;
        hit.linePosition = 0;
    } else {
        hit.row = (y - p.LenYoubiH) / height + 1;
        const int within = y - p.LenYoubiH - (hit.row - 1) * height;
        const int top = p.ItemGyo + 1;
        if (within < m.DateBand)
            hit.linePosition = top;
        else
            hit.linePosition =
                std::clamp((within - m.DateBand) / std::max<int>(m.LinePitch, 1) + 1, 1, top);
    }
    hit.day = firstCellDay + hit.column + (hit.row - 1) * kColumnCount;
    return hit;
}

MonthHit hitTestMonth(const TKvMCalModel& model, Point point) {
    return hitTestMonth(model.properties(), model.metrics(), model.rowCount(), model.firstCellDay(),
                        point);
}

}  // namespace velmo
