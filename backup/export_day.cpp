#include "backup/export_day.h"

namespace velmo {

std::vector<ExportDay> displayedMonthDays(const ExportGrid& grid) {
    std::vector<ExportDay> days;
    for (const ExportDay& day : grid) {
        if (day.inDisplayedMonth)
            days.push_back(day);
    }
    return days;
}

}  // namespace velmo
