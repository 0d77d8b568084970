#pragma once
// The month view's model of one month as the main window would hold it, built without a
// window from a start folder's settings and data, for the commands that need the
// month's cells (a picture, an export).

#include <string>

#include "calendar/julius_day.h"
#include "core/clock.h"
#include "core/user_interface.h"
#include "monthview/month_grid.h"
#include "store/data_folders.h"
#include "store/settings.h"

namespace velmo {

struct ToolMonthSource {
    TorkaSettings settings;
    DataFolders folders;
};

// The settings as the program reads them at its start (on a notional ordinary desktop)
// and the data folders they name.
ToolMonthSource readToolMonthSource(const std::string& startFolder, const Clock& clock,
                                    Sleeper& sleeper);

// Fills a model whose metrics are set: the holiday and special-day lists, the month
// window around the month from the local data set, the period schedules, and the
// selected day (today when it lies in the month, else the first). Nothing is written:
// a missing period file is not created.
void loadToolMonth(TKvMCalModel& model, const std::string& startFolder,
                   const ToolMonthSource& source, int year, int month, const Ymd& today,
                   UserInterface& ui, Sleeper& sleeper);

}  // namespace velmo
