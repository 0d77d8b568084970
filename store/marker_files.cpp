#include "store/marker_files.h"

#include <optional>

namespace velmo {
namespace {

constexpr const char* kSetSection = "Set";
constexpr const char* kDateSection = "Date";

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
long long daysFromCivil(int year, int month, int day) {
    const long long y = static_cast<long long>(year) - (month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yearOfEra = y - era * 400;
    const long long dayOfYear = (153LL * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// Reads `digits` (min..max of them) as a number; false when there are none or too many.
bool takeNumber(std::string_view& text, std::size_t minDigits, std::size_t maxDigits, int& out) {
    std::size_t n = 0;
    out = 0;
    while (n < text.size() && text[n] >= '0' && text[n] <= '9') {
        out = out * 10 + (text[n] - '0');
        if (++n > maxDigits)
            return false;
    }
    if (n < minDigits)
        return false;
    text.remove_prefix(n);
    return true;
}

bool takeSlash(std::string_view& text) {
    if (text.empty() || text.front() != '/')
        return false;
    text.remove_prefix(1);
    return true;
}

// The short date "yyyy/mm/dd"; single-digit months and days are accepted too.
std::optional<LocalDate> parseShortDate(std::string_view text) {
    LocalDate date;
    if (!takeNumber(text, 4, 4, date.year) || !takeSlash(text) ||
        !takeNumber(text, 1, 2, date.month) || !takeSlash(text) ||
        !takeNumber(text, 1, 2, date.day) || !text.empty()) {
        return std::nullopt;
    }
    if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > daysInMonth(date.year, date.month)) {
        return std::nullopt;
    }
    return date;
}

}  // namespace

ProfileFile::SaveOutcome writeLocalFolderMarker(const std::filesystem::path& startFolder,
                                                std::string_view folder, Sleeper& sleeper) {
    ProfileFile marker =
        ProfileFile::load(startFolder / kLocalFolderMarkerName, kMarkerRetry, sleeper);
    if (!marker.writeString(kSetSection, "Folder", folder) ||
        !marker.writeBool(kSetSection, "First", false)) {
        return ProfileFile::SaveOutcome::Unencodable;
    }
    return marker.save(kMarkerRetry, sleeper);
}

bool readAndResetFirstRun(const std::filesystem::path& startFolder, Sleeper& sleeper) {
    ProfileFile marker =
        ProfileFile::load(startFolder / kLocalFolderMarkerName, kMarkerRetry, sleeper);
    if (marker.loadOutcome() != ProfileFile::LoadOutcome::Loaded)
        return false;
    if (!marker.readBool(kSetSection, "First", false))
        return false;
    marker.writeBool(kSetSection, "First", false);
    (void)marker.save(kMarkerRetry, sleeper);
    return true;
}

ProfileFile::SaveOutcome writeBackupDateMarker(const std::filesystem::path& folder,
                                               std::string_view dateText, Sleeper& sleeper) {
    ProfileFile marker = ProfileFile::load(folder / kBackupDateMarkerName, kMarkerRetry, sleeper);
    if (!marker.writeString(kDateSection, "Sakusei", dateText)) {
        return ProfileFile::SaveOutcome::Unencodable;
    }
    return marker.save(kMarkerRetry, sleeper);
}

int daysSinceBackupDateMarker(const std::filesystem::path& folder, LocalDate today,
                              Sleeper& sleeper) {
    const ProfileFile marker =
        ProfileFile::load(folder / kBackupDateMarkerName, kMarkerRetry, sleeper);
    if (marker.loadOutcome() != ProfileFile::LoadOutcome::Loaded)
        return -1;
    const auto stored = parseShortDate(marker.readString(kDateSection, "Sakusei"));
    if (!stored)
        return -1;
    return static_cast<int>(daysFromCivil(today.year, today.month, today.day) -
                            daysFromCivil(stored->year, stored->month, stored->day));
}

}  // namespace velmo
