#pragma once
// The backup page's keys of section [Setup] of the settings file: the two save
// destinations with the time of their last save and the restore source, one set for
// local operation and one ("Net" keys) for the shared folder, and the dialog's place.

#include <filesystem>
#include <string>

#include "core/clock.h"
#include "store/profile_file.h"

namespace velmo {

inline constexpr const char* kSetupSection = "Setup";
inline constexpr const char* kNotBackedUpText = "バックアップされていません。";

struct BackupPageSettings {
    std::string destination1;
    std::string destination2;
    std::string label1 = kNotBackedUpText;
    std::string label2 = kNotBackedUpText;
    std::string restoreSource;
    int setupX = 0;
    int setupY = 0;
    bool operator==(const BackupPageSettings&) const = default;
};

// The keys of local operation, or with networkMode those with "Net" in their names.
BackupPageSettings readBackupPageSettings(const ProfileFile& file, bool networkMode);
void writeBackupPageSettings(ProfileFile& file, const BackupPageSettings& settings,
                             bool networkMode);

// The same on the settings file as it is now, saved at once; false when it could not be
// read or written.
BackupPageSettings loadBackupPageSettings(const std::filesystem::path& settingsFile,
                                          bool networkMode, Sleeper& sleeper);
bool saveBackupPageSettings(const std::filesystem::path& settingsFile,
                            const BackupPageSettings& settings, bool networkMode, Sleeper& sleeper);

}  // namespace velmo
