#pragma once
// Exporting the displayed month to a text, CSV, HTML or iCalendar file: the checks of
// the export folder and of the month's data file, the save dialog, the overwrite
// question, the atomic write and the closing message.

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "backup/export_day.h"
#include "core/clock.h"
#include "core/user_interface.h"
#include "store/export_settings.h"
#include "store/line_file.h"

namespace velmo {

inline constexpr const char* kExportDialogCaption = "テキスト書出";

struct ExportFilter {
    const char* caption;
    const char* pattern;
};
// The save dialog's file types, in the order of the formats.
inline constexpr std::array<ExportFilter, 4> kExportFilters{{{"テキストファイル（*.txt）", "*.txt"},
                                                             {"テキストファイル（*.csv）", "*.csv"},
                                                             {"ハイパーテキスト(*.html)", "*.htm*"},
                                                             {"カレンダデータ(*.ics)", "*.ics"}}};

// What the save dialog shows.
struct ExportFileChoice {
    std::filesystem::path folder;
    std::string proposedName;   // "Te202405.txt"; HTML without "Te": "202405.html"
    int filterIndex = 1;        // 1..4, the format's position in kExportFilters
    std::string defaultSuffix;  // "txt", "csv", "html", "ics"
};
ExportFileChoice exportFileChoice(ExportFormat format, int year, int month,
                                  const std::filesystem::path& folder);

// The file's bytes: CP932 with CR LF for text, CSV and HTML, UTF-8 for iCalendar. A byte
// the data file held that forms no character is written as "〓" in CP932.
std::string monthExportBytes(ExportFormat format, int year, int month,
                             const std::vector<ExportDay>& days, const LineList& monthLines,
                             const LocalDateTime& now, const std::string& uidDomain);

struct MonthExportContext {
    UserInterface& ui;
    Sleeper& sleeper;
    const Clock& clock;
    std::string startFolder;  // ends with "/"
    std::string dataFolder;   // the current data folder, ends with "/"
    std::function<void()> saveAll;
    // The save dialog; nothing when cancelled.
    std::function<std::optional<std::filesystem::path>(const ExportFileChoice&)> chooseFile;
    // The displayed month's days with their names, in date order.
    std::function<std::vector<ExportDay>()> days;
    std::string uidDomain;  // iCalendarUidDomain of this computer and data set
};

struct MonthExportResult {
    bool written = false;
    // The folder box afterwards: the start folder when it was blank, the chosen file's
    // folder once the dialog returned one.
    std::string folder;
};

MonthExportResult exportMonth(int year, int month, ExportFormat format,
                              const std::string& folderBox, const MonthExportContext& context);

}  // namespace velmo
