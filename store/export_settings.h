#pragma once
// The export page's keys of section [Setup] of the settings file: the export folder,
// the chosen file format and the spreadsheet calendar's options.

#include <filesystem>
#include <string>

#include "core/clock.h"
#include "store/profile_file.h"

namespace velmo {

enum class ExportFormat { Text, Csv, Html, ICalendar };

// "年月", "年月+タイトル", "タイトルのみ".
enum class ExportTitleForm { YearMonth = 0, YearMonthAndTitle = 1, TitleOnly = 2 };

inline constexpr const char* kDefaultExportTitle = "予定表";

struct ExportSettings {
    std::string folder;  // TextDir / edtKakidashi; blank means the start folder
    ExportFormat format = ExportFormat::Text;
    bool title = true;  // cbExTitle
    ExportTitleForm titleForm = ExportTitleForm::YearMonth;
    std::string titleText = kDefaultExportTitle;
    bool creationDate = true;  // cbExDate
    bool holidays = true;      // cbExSaijitu
    bool memorialDays = true;  // cbExKinenbi
    bool entries = true;       // cbExNaiyou
    bool formats = true;       // cbExShoshiki: also write colours
    bool preview = true;       // cbExPreview

    bool operator==(const ExportSettings&) const = default;
};

// "規定値に戻す": the spreadsheet options as they come, title form 1; folder and format kept.
ExportSettings withDefaultSpreadsheetOptions(ExportSettings settings);

// The folder comes from TextDir, else from edtKakidashi, else the start folder. A format
// key set to true wins in the order text, CSV, HTML, iCalendar; none set means text.
ExportSettings readExportSettings(const ProfileFile& file, const std::string& startFolder);
void writeExportSettings(ProfileFile& file, const ExportSettings& settings);

ExportSettings loadExportSettings(const std::filesystem::path& settingsFile,
                                  const std::string& startFolder, Sleeper& sleeper);
bool saveExportSettings(const std::filesystem::path& settingsFile, const ExportSettings& settings,
                        Sleeper& sleeper);

}  // namespace velmo
