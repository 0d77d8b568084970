#pragma once
// The settings file "Torka.ini" for a run: which file is read, the guard that never lets
// a save overwrite a settings file that could not be read, and the messages. The keys and
// their reader and writer are in settings_table.h; the full save is the program's
// (app/startup/full_save.h).

#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/user_interface.h"
#include "store/profile_file.h"
#include "store/settings_table.h"

namespace velmo {

inline constexpr const char* kSettingsFileName = "Torka.ini";
inline constexpr Retry kSettingsRetry{5, std::chrono::milliseconds(500)};

// ---- The settings file -------------------------------------------------------------

struct SettingsFilePlace {
    std::string settingsFile{};  // settings folder + "Torka.ini"
    std::string startFolder{};
    bool localOperation = false;
    bool startedFromNetwork = false;
    bool startMarkerExists = false;
    std::string profileFolder{};
};

struct SettingsFileChoice {
    std::filesystem::path readFrom{};
    // Nothing to read on a network start with the start marker, outside local
    // operation: the options dialog's network page opens at the end of the read.
    bool openNetworkSetupPage = false;
};

// The settings folder's file; in local operation the start folder's when only that one
// exists (the next save then moves the settings to the settings folder).
SettingsFileChoice chooseSettingsFile(const SettingsFilePlace& place);

struct SettingsSaveResult {
    ProfileFile::SaveOutcome outcome = ProfileFile::SaveOutcome::Failed;
    std::filesystem::path path{};

    bool saved() const { return outcome == ProfileFile::SaveOutcome::Saved; }
};

// Reads and writes the settings file for a run. A read that failed on an existing file
// gives the defaults and blocks every save until a later read succeeds, so the user's
// file is never replaced by defaults.
class SettingsStore {
public:
    explicit SettingsStore(SettingsFilePlace place) : place_(std::move(place)) {}

    struct ReadResult {
        TorkaSettings settings;
        ProfileFile::LoadOutcome outcome = ProfileFile::LoadOutcome::Missing;
        std::filesystem::path path;
        bool openNetworkSetupPage = false;
        // Windows-style paths unset by this read and not reported before in this run.
        std::vector<std::string> windowsFoldersToReport;
        // The settings folder's file as read, for the other windows' sections (so that
        // they need not read it again); empty when the read came from the start folder.
        std::optional<ProfileFile> settingsFile;
    };

    ReadResult read(const SettingsEnvironment& env, Sleeper& sleeper);
    // Loads the settings folder's file afresh (other windows' sections may have changed),
    // writes the keys and saves. Refused while a failed read blocks saving. Settings read
    // from the start folder's file are first copied whole to the settings folder.
    SettingsSaveResult save(const TorkaSettings& settings, const SettingsSaveContext& context,
                            Sleeper& sleeper);
    bool saveBlocked() const { return saveBlocked_; }

private:
    SettingsFilePlace place_;
    bool saveBlocked_ = false;
    std::optional<std::filesystem::path> movingFrom_;
    std::set<std::string> reportedWindowsFolders_;
};

// Reads the settings file afresh, applies the change and saves it at once, every other
// line as it was; a file that could not be read is never saved over. True when saved.
bool updateSettingsFile(const std::filesystem::path& settingsFile, Sleeper& sleeper,
                        const std::function<void(ProfileFile&)>& change);

// Writes the three backup names (CaFT1..3) into the settings file and saves it at once,
// so that a crash before the next full save cannot rotate the same backups twice.
bool saveBackupNames(const std::filesystem::path& settingsFile,
                     const std::array<std::string, 3>& names, Sleeper& sleeper);

// A window's place in its own section of the settings file.
struct WindowPlace {
    std::optional<int> left{};  // the position is written only when both are known
    std::optional<int> top{};
    int width = 0;
    int height = 0;
};

// Writes the place as fmTop, fmLeft, fmWidth and fmHeight of the section and saves at
// once, every other line as it was. False when the file could not be read or written.
bool saveWindowPlace(const std::filesystem::path& settingsFile, const std::string& section,
                     const WindowPlace& place, Sleeper& sleeper);

// ---- Messages ----------------------------------------------------

// One message naming every Windows-style folder that was unset.
std::string windowsFolderMessage(const std::vector<std::string>& folders);
// Shown when the settings file exists but could not be read.
std::string settingsUnreadableMessage(const std::filesystem::path& path);
// Why a settings save failed.
std::string settingsSaveFailedMessage(const SettingsSaveResult& result);

}  // namespace velmo
