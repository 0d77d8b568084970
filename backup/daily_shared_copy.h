#pragma once
// The day's first copy of the shared data: on a computer with administrator rights in
// network mode, the month files of the shared folder's data folder are copied once a day
// into the safeguard folder's "Net/DayFirst/Files1/", so the day's first state of the
// shared data survives whatever the day brings. The files are taken from the shared
// folder itself, never from the months in memory.

#include <filesystem>

#include "core/clock.h"
#include "core/user_interface.h"

namespace velmo {

struct DailySharedCopyRequest {
    bool networkMode = false;
    int rights = 0;                          // the rights level; the copy needs more than 5
    std::filesystem::path root;              // the safeguard folder
    std::filesystem::path sharedDataFolder;  // the shared folder's "Data/Files1/"
};

enum class DailySharedCopyOutcome { Skipped, AlreadyToday, Copied, Failed };

// The files copied: the month files and the period file.
inline constexpr const char* kDailySharedCopyMasks = "Ca20*.myc,CaFromTo.myc";

// The folder holding the day's copy: root/"Net/DayFirst/Files1/".
std::filesystem::path dailySharedCopyFolder(const std::filesystem::path& root);

// Copies the files into a new folder beside the day's folder, verifies them, and only
// then puts the new folder in place of the old one and writes today's marker into it.
// A failure tells the user and leaves the previous day's copy where it was.
DailySharedCopyOutcome dailySharedCopy(const DailySharedCopyRequest& request, UserInterface& ui,
                                       const Clock& clock, Sleeper& sleeper);

}  // namespace velmo
