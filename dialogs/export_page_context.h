#pragma once
// What the export pages of the data dialog work on: the month in view, its cells, the
// folders, and the desktop services they lean on.

#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "backup/export_day.h"
#include "backup/month_export.h"
#include "calendar/day_rules.h"

class QWidget;

namespace velmo {

struct ExportPageContext {
    int year = 0;
    int month = 0;
    std::string startFolder;  // ends with "/"
    std::string dataFolder;   // the current data folder, ends with "/"
    std::function<ExportGrid()> grid;
    std::string uidDomain;
    const DayRules* holidayRules = nullptr;  // for the holiday list of a year
    // The save dialog; the desktop's own one when not set (tests replace it).
    std::function<std::optional<std::filesystem::path>(QWidget*, const ExportFileChoice&)>
        chooseFile;
    // Opens a file in the desktop's program for it; false when that failed.
    std::function<bool(const std::filesystem::path&)> openFile;
    // The file exports are for local data only; the spreadsheet calendar stays.
    bool fileExportsAllowed = true;
};

// The desktop's save dialog for an export: captioned "テキスト書出", the four file types
// with the format's one selected and its suffix added when the name has none. The
// overwrite question is the export's own.
std::optional<std::filesystem::path> chooseExportFile(QWidget* owner,
                                                      const ExportFileChoice& choice);

}  // namespace velmo
