#pragma once
// The options of the settings file that shape the month view: week start, holidays,
// bold texts, packing, month memo, rokuyo, tabs, fonts and the six colours.

#include "monthview/month_grid.h"
#include "store/settings.h"

namespace velmo {

// Applies the options as the month initialisation does; the colour options come last.
void applyCalendarSettings(TKvMCalModel& model, const TorkaSettings& settings);

}  // namespace velmo
