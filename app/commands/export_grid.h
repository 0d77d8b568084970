#pragma once
// The month view's 42 cells as the exports read them: dates, names split as the view
// splits them, and the day lines each cell shows.

#include "backup/export_day.h"
#include "monthview/month_grid.h"

namespace velmo {

// Names and lines are taken whether or not the rokuyo is shown: the export describes the
// days, not what the cells happen to have room for. Lines lose the editor's tags, as in
// every export, and a stray byte of the data file becomes U+FFFD.
ExportGrid exportGrid(const TKvMCalModel& model);

}  // namespace velmo
