#pragma once
// The date marker of a backup folder: "VelDate.myc", an ini-style CP932 file whose
// [Date] Sakusei = "yyyy/mm/dd" says on which day the backup there was made. A backup is
// due whenever the marker does not say today.

#include <filesystem>
#include <optional>

#include "calendar/julius_day.h"
#include "core/clock.h"

namespace velmo {

inline constexpr const char* kDateMarkerName = "VelDate.myc";

// Writes today's date into the folder's marker (the folder must exist). False when it
// could not be written, or an existing marker could not be read (it is left alone).
bool writeTodayMarker(const std::filesystem::path& folder, const Clock& clock, Sleeper& sleeper);

// The date the folder's marker holds; nothing when it is missing, empty, unreadable or
// holds no valid date.
std::optional<Ymd> markerDate(const std::filesystem::path& folder, Sleeper& sleeper);

// Today's day number minus the marker's; -1 when there is no usable marker.
int daysSinceMarker(const std::filesystem::path& folder, const Clock& clock, Sleeper& sleeper);

}  // namespace velmo
