#include "store/export_settings.h"

#include <array>

#include "store/backup_page_settings.h"
#include "store/settings.h"

namespace velmo {
namespace {

struct FormatKey {
    ExportFormat format;
    const char* key;
};
constexpr std::array<FormatKey, 4> kFormatKeys{{{ExportFormat::Text, "rbText"},
                                                {ExportFormat::Csv, "rbCSV"},
                                                {ExportFormat::Html, "rbHtml"},
                                                {ExportFormat::ICalendar, "rbiCal"}}};

struct FlagKey {
    bool ExportSettings::*member;
    const char* key;
};
constexpr std::array<FlagKey, 7> kFlagKeys{{{&ExportSettings::title, "cbExTitle"},
                                            {&ExportSettings::creationDate, "cbExDate"},
                                            {&ExportSettings::holidays, "cbExSaijitu"},
                                            {&ExportSettings::memorialDays, "cbExKinenbi"},
                                            {&ExportSettings::entries, "cbExNaiyou"},
                                            {&ExportSettings::formats, "cbExShoshiki"},
                                            {&ExportSettings::preview, "cbExPreview"}}};

ExportTitleForm titleFormOf(int value) {
    if (value == 1)
        return ExportTitleForm::YearMonthAndTitle;
    if (value == 2)
        return ExportTitleForm::TitleOnly;
    return ExportTitleForm::YearMonth;
}

}  // namespace

ExportSettings withDefaultSpreadsheetOptions(ExportSettings settings) {
    const ExportSettings defaults;
    for (const FlagKey& flag : kFlagKeys)
        settings.*flag.member = defaults.*flag.member;
    settings.titleText = defaults.titleText;
    settings.titleForm = ExportTitleForm::YearMonthAndTitle;
    return settings;
}

ExportSettings readExportSettings(const ProfileFile& file, const std::string& startFolder) {
    ExportSettings s;
    s.folder = file.readString(kSetupSection, "TextDir", "");
    if (s.folder.empty())
        s.folder = file.readString(kSetupSection, "edtKakidashi", "");
    if (s.folder.empty())
        s.folder = startFolder;
    s.format = ExportFormat::Text;
    for (const FormatKey& format : kFormatKeys) {
        if (file.readBool(kSetupSection, format.key, format.format == ExportFormat::Text)) {
            s.format = format.format;
            break;
        }
    }
    for (const FlagKey& flag : kFlagKeys)
        s.*flag.member = file.readBool(kSetupSection, flag.key, s.*flag.member);
    s.titleForm = titleFormOf(file.readInt(kSetupSection, "rgExTitle", 0));
    s.titleText = file.readString(kSetupSection, "edtExTitle", kDefaultExportTitle);
    return s;
}

void writeExportSettings(ProfileFile& file, const ExportSettings& s) {
    file.writeString(kSetupSection, "TextDir", s.folder);
    file.writeString(kSetupSection, "edtKakidashi", s.folder);
    for (const FormatKey& format : kFormatKeys)
        file.writeBool(kSetupSection, format.key, s.format == format.format);
    for (const FlagKey& flag : kFlagKeys)
        file.writeBool(kSetupSection, flag.key, s.*flag.member);
    file.writeInt(kSetupSection, "rgExTitle", static_cast<int>(s.titleForm));
    file.writeString(kSetupSection, "edtExTitle", s.titleText);
}

ExportSettings loadExportSettings(const std::filesystem::path& settingsFile,
                                  const std::string& startFolder, Sleeper& sleeper) {
    return readExportSettings(ProfileFile::load(settingsFile, kSettingsRetry, sleeper),
                              startFolder);
}

bool saveExportSettings(const std::filesystem::path& settingsFile, const ExportSettings& settings,
                        Sleeper& sleeper) {
    return updateSettingsFile(settingsFile, sleeper,
                              [&](ProfileFile& file) { writeExportSettings(file, settings); });
}

}  // namespace velmo
