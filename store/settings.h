#pragma once
// The main window's options in "Torka.ini": every key with its type and default, the
// reader with its derived rules, the writer, and the file-level guard that never lets a
// save overwrite a settings file that could not be read. Other windows keep their own
// sections in the same file; the writer leaves them as they are.
//
// Field names are the key names, so a key can be found in the file and in the code alike.

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/clock.h"
#include "core/user_interface.h"
#include "store/colour_text.h"
#include "store/profile_file.h"

namespace velmo {

inline constexpr const char* kSettingsFileName = "Torka.ini";
inline constexpr const char* kSettingsVersion = "Ver9.1.1";
inline constexpr Retry kSettingsRetry{5, std::chrono::milliseconds(500)};

// A time of day as the "time" keys hold it.
struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const TimeOfDay&) const = default;
};

// The short time "H:mm" (seconds dropped).
std::string shortTimeText(TimeOfDay time);
// "H:mm" or "H:mm:ss", one or two digits each; nothing for anything else.
std::optional<TimeOfDay> parseTimeText(std::string_view text);

// [kanri]
struct BackupKeys {
    int BackupDay = 0;
    int cbBackKankaku = 0;
    bool cbABackupJ = false;
    int vBackKankaku = 0;

    bool operator==(const BackupKeys&) const = default;
};

// Window size presets, the memo page and the panels ([Settei]; visMemoMHide is in [Memo]).
struct DisplayKeys {
    bool vUW = false;  // carried through unchanged
    int pMemoMode = 0;
    bool visMemoMHide = false;
    int vSizeNo = 1;
    bool cbMonthBtn = false;
    int vCalGyou = 5;
    int vClientHeight = 0;  // written only: the client height at the save
    int udYokoC = 0;
    int udCalSize = 0;  // written only: set by the options dialog, 0 after every load
    bool cbTukiYotei = false;

    bool operator==(const DisplayKeys&) const = default;
};

struct BehaviourKeys {
    bool cbJigen = true;
    bool cbKidouKiroku = false;
    bool cbKirokuHyouji = false;
    int udKidouGyou = 100;
    bool cb24ji = false;
    bool cbZenkai = false;
    bool cbMemo = true;
    bool cbHotkey = true;
    bool cbCloseBtn = false;
    bool cbToday = false;
    bool cbShiyouchuu = true;
    bool cbCursor = false;
    bool cbKOption = false;

    bool operator==(const BehaviourKeys&) const = default;
};

struct NetworkKeys {
    bool cbNet = false;
    bool cbLNetf = false;
    bool vNet_flg = false;
    int rbNetKoushin = 0;
    bool cbNetIni = true;
    std::string edtNetFolder{};
    std::string edtNetFolder1{};
    std::string edtNetFolder2{};
    std::string edtNetFolder3{};

    bool operator==(const NetworkKeys&) const = default;
};

struct DataKeys {
    std::string edFolder{};  // data root; empty for the start folder
    std::string CaFT1{};
    std::string CaFT2{};
    std::string CaFT3{};
    int DhFolderNo = 2;  // carried through unchanged

    bool operator==(const DataKeys&) const = default;
};

struct WindowKeys {
    int HyoujiIchi = 0;
    bool cbNotMannaka = false;
    int fmC21Top = 0;   // default: the window's position when read
    int fmC21Left = 0;  // kept current by the caller before a save

    bool operator==(const WindowKeys&) const = default;
};

struct CalendarKeys {
    int rgYFirstMonth = 0;
    int rgStYoubi = 0;
    bool cbEquinox = false;
    bool cbFurikae = false;
    bool cbNeighborJump = false;
    bool cbNextDay = true;
    bool cbBold = true;
    int udKFutosa = 1;
    Colour edtKColor = 0xFF0000;  // clBlue
    bool cbUetume = false;
    bool cbToubai = true;
    bool cbNihongo = true;
    bool cbTukiMemo = false;
    bool cbTukiMUeTume = true;
    int SpHajimariTuki = 1;

    bool operator==(const CalendarKeys&) const = default;
};

// [Option]
struct ColourKeys {
    bool rbKinenbi = true;
    Colour edtCSun = 0x0000FF;                   // clRed
    Colour edtCSat = 0xFF0000;                   // clBlue
    Colour edtCWeekDay = kSystemColourFlag | 8;  // clWindowText
    Colour edtCYotei = 0x484848;
    Colour edtCRokuyo = 0x484848;
    Colour edtCKinenbi = 0x008000;  // clGreen

    bool operator==(const ColourKeys&) const = default;
};

// [KvMCal]
struct TabKeys {
    int TabToSp = 2;
    int TabAdj = 100;

    bool operator==(const TabKeys&) const = default;
};

// Read and written only while cbJigen is set.
struct TimerKeys {
    int cbTimerNo = 6;
    TimeOfDay pTimer{};  // default: now
    int pTimerBf = 3;

    bool operator==(const TimerKeys&) const = default;
};

// Clock correction; rbDay and rbWeek ([Jikoku]) are read only.
struct CorrectionKeys {
    bool cbTShuusei = false;
    bool cbClock = false;
    int pTDay = 0;
    int pTWeek = 0;
    int pTNini = 0;
    std::string pTTime = "150000";
    int pTChien = 180;
    int pTAccess = 0;
    int pTYoubi = 2;
    bool rbDay = true;
    bool rbWeek = false;

    bool operator==(const CorrectionKeys&) const = default;
};

// The day-count calculator; the defaults are its current state.
struct DayCountKeys {
    int rgNissuu = 0;
    bool cbKeisan = false;
    int pcNen = 0;
    int udDay = 0;
    int rgKekka = 0;

    bool operator==(const DayCountKeys&) const = default;
};

// Text editor ([Settei]) and print program ([Velprin]) companions.
struct CompanionKeys {
    bool cbEditor = false;
    bool cbVelmoJ = false;
    bool cbVelmoM = false;
    std::string edtEditorFolder{};  // default: the editor found
    bool cbPrint = false;
    bool cbVelmoP = true;
    std::string edtPrintFolder{};  // default: the print program found

    bool operator==(const CompanionKeys&) const = default;
};

struct TorkaSettings {
    BackupKeys backup{};
    int yDataForm = 1;  // as stored; the format in force is DataFolders::dataFormat
    DisplayKeys display{};
    BehaviourKeys behaviour{};
    NetworkKeys network{};
    DataKeys data{};
    WindowKeys window{};
    CalendarKeys calendar{};
    ColourKeys colours{};
    TabKeys tabs{};
    TimerKeys timer{};
    CorrectionKeys correction{};
    DayCountKeys dayCount{};
    CompanionKeys companions{};

    bool operator==(const TorkaSettings&) const = default;
};

// What the reader needs besides the file: the "current" defaults and the machine.
struct SettingsEnvironment {
    const Clock& clock;      // pTimer defaults to now
    int workAreaHeight = 0;  // desktop work area in logical pixels
    bool shellAboveVersion4 = true;
    bool startedFromNetwork = false;
    int windowTop = 0;
    int windowLeft = 0;
    DayCountKeys currentDayCount{};
    std::string foundEditor{};
    std::string foundPrintProgram{};
    // Set when the run already has a shared folder (a first network setup, or an earlier
    // read that found one): its edtNetFolder, edtNetFolder1..3, cbNet, cbNetIni and
    // rbNetKoushin are used instead of the file's.
    std::optional<NetworkKeys> keptSharedFolderKeys{};
};

// The shared-folder keys of a first network setup on the start folder.
NetworkKeys firstNetworkSetupKeys(const std::string& startFolder);

// Every key at its default.
TorkaSettings defaultSettings(const SettingsEnvironment& env);

// A folder or program path written on Windows: a drive letter ("D:\..", "d:") or a
// "\\server\share" path. Such settings are unusable here and read as unset.
bool isWindowsStylePath(std::string_view text);

struct SettingsReadNotes {
    // Stored Windows-style paths that were read as unset, in reading order.
    std::vector<std::string> windowsFolders{};
};

// Reads every key with the derived rules: work area <= 609 px reads vSizeNo and vCalGyou
// as 3; vSizeNo 4 with vCalGyou other than 4 reads as 1, 5 and udYokoC 0; pTChien above
// 300 reads as 180; timer keys only while cbJigen (else cbTimerNo 6); cbToday only on a
// shell above version 4; cbCloseBtn forces cbHotkey off; cbLNetf only when started from
// the network; an empty editor or print program path means the one found.
TorkaSettings readSettings(const ProfileFile& file, const SettingsEnvironment& env,
                           SettingsReadNotes* notes = nullptr);

// Run state the writer stores besides the option values.
struct SettingsSaveContext {
    std::string startFolder{};  // [Header] Folder
    int dataFormat = 1;         // [Set2] yDataForm: the format in force
    int dataSet = 1;            // [Set2] UseFolNo: the data set in use
};

// Writes every written key in table order into memory (timer keys only while cbJigen).
// False when a value cannot be held on a profile line; every other key is still written.
bool writeSettings(ProfileFile& file, const TorkaSettings& settings,
                   const SettingsSaveContext& context);

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

// ---- Messages and the full save ----------------------------------------------------

// One message naming every Windows-style folder that was unset.
std::string windowsFolderMessage(const std::vector<std::string>& folders);
// Shown when the settings file exists but could not be read.
std::string settingsUnreadableMessage(const std::filesystem::path& path);
// Why a settings save failed.
std::string settingsSaveFailedMessage(const SettingsSaveResult& result);

struct FullSaveResult {
    bool settingsSaved = false;
    bool dataSaved = false;

    bool ok() const { return settingsSaved && dataSaved; }
};

// The full save: the settings, then the data. The data save always runs, whatever
// became of the settings (a settings failure must not cost the user's schedules); a
// settings failure is reported after it. An exception from a step counts as a failure.
FullSaveResult fullSave(const std::function<SettingsSaveResult()>& saveSettingsStep,
                        const std::function<bool()>& saveDataStep, UserInterface& ui);

}  // namespace velmo
