#pragma once
// The small marker files of the profile format: "localfol.myc" in the start folder
// (local operation and the first-run question) and "VelDate.myc" in a backup folder
// (the date the folder was filled). Folder arguments end with "/".

#include <filesystem>
#include <string_view>

#include "core/clock.h"
#include "store/profile_file.h"

namespace velmo {

inline constexpr const char* kLocalFolderMarkerName = "localfol.myc";
inline constexpr const char* kBackupDateMarkerName = "VelDate.myc";

// Markers are read and written with five tries 500 ms apart.
inline constexpr Retry kMarkerRetry{5, std::chrono::milliseconds(500)};

// Writes "localfol.myc" in the start folder with [Set] Folder = folder and First = 0.
// Other lines of an existing marker are kept; a marker that exists but cannot be read
// is left alone (Refused). A folder text with a line break, which no profile line can
// hold, counts as Unencodable, like one with a character CP932 lacks.
ProfileFile::SaveOutcome writeLocalFolderMarker(const std::filesystem::path& startFolder,
                                                std::string_view folder, Sleeper& sleeper);

// True when the marker asks for the first-run question ([Set] First, default false).
// The flag is written back as 0 at once, so the question comes only once even when the
// program ends before its next save; were that write to fail, the question would simply
// come again at the next start.
bool readAndResetFirstRun(const std::filesystem::path& startFolder, Sleeper& sleeper);

// Writes "VelDate.myc" in the folder with [Date] Sakusei = the date text ("yyyy/mm/dd").
ProfileFile::SaveOutcome writeBackupDateMarker(const std::filesystem::path& folder,
                                               std::string_view dateText, Sleeper& sleeper);

// Days from the date in the folder's "VelDate.myc" to today (yesterday gives 1; a date
// after today gives a negative count). -1 when the file is missing or unreadable, or
// the key is empty or not a valid "yyyy/m/d" date.
int daysSinceBackupDateMarker(const std::filesystem::path& folder, LocalDate today,
                              Sleeper& sleeper);

}  // namespace velmo
