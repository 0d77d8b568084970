#pragma once
// The two small sections of the settings file that the options dialog writes itself
// when it closes: the page it was left on ([Option] PageIndex) and its memory of the
// time-correction schedule ([Jikoku]), which the dialog reads back when it opens.

#include <filesystem>
#include <string>

#include "core/clock.h"

namespace velmo {

struct JikokuSection {
    bool rbDay = true;
    bool rbWeek = false;
    bool rbShitei = false;
    int cbYoubi = 1;
    std::string vTime;  // "hhmmss" as stored; empty when the key is missing

    bool operator==(const JikokuSection&) const = default;
};

// Reads [Jikoku] of the settings file; a missing file or key gives the defaults.
JikokuSection readJikokuSection(const std::filesystem::path& settingsFile, Sleeper& sleeper);

// Writes [Option] PageIndex and [Jikoku], keeping every other line. False when the
// file could not be written (or could not be read, so it is not overwritten).
bool writeOptionsDialogSections(const std::filesystem::path& settingsFile, int pageIndex,
                                const JikokuSection& jikoku, Sleeper& sleeper);

}  // namespace velmo
