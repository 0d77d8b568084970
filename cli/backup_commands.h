#pragma once
// velmo-tool's `backup` and `backups`: the automatic backup of the common data folder
// run now, and the generations it keeps, for timers and scripts.

#include <string>
#include <vector>

#include "core/user_interface.h"

namespace velmo {

// backup [--generations N]: a generation copy of the common data folder into the
// safeguard folder, unless the newest generation was made today; the date marker and
// BackupDay are written as by the program's own run. 0 on success, 1 on failure, 2 a
// usage error. VELMO_TODAY=YYYY-MM-DD stands in for the clock's date.
int runBackupCommand(const std::string& startFolder, const std::vector<std::string>& arguments,
                     UserInterface& ui);

// backups: one line per generation, newest first: "01_AutoVelData  2026/12/10" (the date
// of its marker, left out when it has none).
int runBackupsCommand(const std::string& startFolder);

}  // namespace velmo
