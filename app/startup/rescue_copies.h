#pragma once
// Copies of edits that could not reach the data folder (a full disk, a folder gone
// read-only) when the run has to end anyway: written into a folder of their own below
// the user's state folder, and announced once at the next start.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/clock.h"
#include "store/line_file.h"

namespace velmo {

// One data file as the data folder would have received it.
struct RescueFile {
    std::string name;  // its name in the data folder, e.g. "Ca202401.myc"
    LineList lines;
};

// Where the rescue folders go: stateHome + "velmo/rescue". Every function below does
// nothing with an empty root.
std::filesystem::path rescueRoot(const std::filesystem::path& stateHome);

// Writes the files into a new folder root/YYYYMMDD-HHMMSS/ named from the clock (with
// "-2", "-3"… when that folder exists already), byte for byte as the data folder would
// have received them (CP932, CR LF). The folder text, ending with "/", when every file
// was written; nothing when the folder or any file could not be written.
std::optional<std::string> writeRescueCopies(const std::vector<RescueFile>& files,
                                             const std::filesystem::path& root, const Clock& clock,
                                             Sleeper& sleeper);

// Records a rescue folder for the next start to announce. False when the record could
// not be written.
bool recordRescueNotice(const std::filesystem::path& root, const std::string& folder,
                        Sleeper& sleeper);

// The recorded folders that still exist, oldest first. The record is removed first, so
// each folder is announced once; nothing is returned when it cannot be removed.
std::vector<std::string> takeRescueNotices(const std::filesystem::path& root);

// "保存できなかった予定を" + folder + "に退避しました。"
std::string rescuedText(const std::string& folder);

// The next start's notice: "前回の終了時に" + rescuedText(folder).
std::string rescueNoticeText(const std::string& folder);

}  // namespace velmo
