#include "backup/date_marker.h"

#include <cstdio>
#include <string>

#include "calendar/julius_error.h"
#include "store/profile_file.h"

namespace velmo {

namespace {

constexpr const char* kSection = "Date";
constexpr const char* kKey = "Sakusei";
// A backup folder is local or a share of the office; a short second chance is enough.
constexpr Retry kMarkerRetry{2, std::chrono::milliseconds(200)};

}  // namespace

bool writeTodayMarker(const std::filesystem::path& folder, const Clock& clock, Sleeper& sleeper) {
    ProfileFile file = ProfileFile::load(folder / kDateMarkerName, kMarkerRetry, sleeper);
    const LocalDate today = clock.today();
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d", today.year, today.month, today.day);
    return file.writeString(kSection, kKey, text) &&
           file.save(kMarkerRetry, sleeper) == ProfileFile::SaveOutcome::Saved;
}

std::optional<Ymd> markerDate(const std::filesystem::path& folder, Sleeper& sleeper) {
    const ProfileFile file = ProfileFile::load(folder / kDateMarkerName, kMarkerRetry, sleeper);
    if (file.loadOutcome() != ProfileFile::LoadOutcome::Loaded)
        return std::nullopt;
    const std::string text = file.readString(kSection, kKey);
    Ymd date;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d/%d/%d%c", &date.year, &date.month, &date.day, &tail) != 3)
        return std::nullopt;
    try {
        if (isValidYmd(date.year, date.month, date.day))
            return date;
    } catch (const EJuliusError&) {
        // a day of the 1582 gap is no date a marker was written on
    }
    return std::nullopt;
}

int daysSinceMarker(const std::filesystem::path& folder, const Clock& clock, Sleeper& sleeper) {
    const std::optional<Ymd> date = markerDate(folder, sleeper);
    if (!date)
        return -1;
    return dateTimeToJuliusDay(clock.today()) - ymdToJuliusDay(date->year, date->month, date->day);
}

}  // namespace velmo
