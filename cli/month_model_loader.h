#pragma once
// The month view's model of one month as the main window would hold it, built without a
// window from a start folder's settings and data, for the commands that need the
// month's cells (a picture, an export).

#include <QGuiApplication>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/julius_day.h"
#include "core/clock.h"
#include "core/user_interface.h"
#include "monthview/month_grid.h"
#include "store/data_folders.h"
#include "store/settings.h"

namespace velmo {

// A decimal number that is the whole text.
std::optional<int> wholeNumber(std::string_view text);

// The month argument "YYYYMM" of a command: nothing when the text is not six digits;
// valid is false for a month outside 1..12 or year 0.
struct ToolMonthArgument {
    int year = 0;
    int month = 0;
    bool valid = false;
};
std::optional<ToolMonthArgument> monthArgument(std::string_view text);
inline constexpr const char* kMonthArgumentRefusal = "the month must be YYYYMM, e.g. 202409";

// Qt for a command that measures fonts or draws without a window: the offscreen
// platform unless QT_QPA_PLATFORM names another.
std::unique_ptr<QGuiApplication> startWindowlessQt();

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
