#pragma once
// The two layouts of the data files and the copies between them.
// Format 1: data set 1 and the common files in the root, sets 2 and 3 in root/Files2 and
// root/Files3. Format 2: everything below root/Data (set 1 in Data/Files1, the common
// files in Data, sets 2 and 3 in Data/Files2 and Data/Files3). Backups are kept in
// format 1, so the save converts 2 → 1 and the restore and the setup convert 1 → 2.

#include <filesystem>
#include <string_view>

#include "core/user_interface.h"

namespace velmo {

// The file groups, as comma-separated masks (case is ignored).
inline constexpr std::string_view kDataSetFiles = "CaFT*.mcp,Ca20*.myc,CaFromTo.myc";
inline constexpr std::string_view kCommonFiles =
    "CaMe*.mcp,CaMemo.myc,Cmr.myc,Sday.myc,TorkaSte.myd";
inline constexpr std::string_view kProgramFiles =
    "Velmo.exe,Torka.ini,Velclock.exe,CaSima.dat,HelpVelm.chm,Veluser.chm,HDay.dat,Readme.txt";

// Copies a format 1 folder into a format 2 root; with withProgramFiles also the program
// group into the root. Sets 2 and 3 are copied only outside network mode. Every
// failure is told to the user; false when the copy stopped.
bool convertFormat1To2(const std::filesystem::path& source,
                       const std::filesystem::path& destination, bool withProgramFiles,
                       bool networkMode, UserInterface& ui);

// Copies a format 2 root into a format 1 folder (no program files); sets 2 and 3 only
// outside network mode. Failures are told to the user; false when the copy stopped.
bool convertFormat2To1(const std::filesystem::path& source,
                       const std::filesystem::path& destination, bool networkMode,
                       UserInterface& ui);

}  // namespace velmo
