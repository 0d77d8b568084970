#pragma once
// The key table of "Torka.ini": every key the main window reads or writes, named once with
// its section, the field that holds it and its rules. The reader and the writer both walk
// this one table, so a key added here is read and written alike. Other windows keep their
// own sections in the same file; the writer leaves them as they are.

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/clock.h"
#include "store/profile_file.h"
#include "store/settings_keys.h"

namespace velmo {

inline constexpr const char* kSettingsVersion = "Ver9.1.1";

// The short time "H:mm" (seconds dropped).
std::string shortTimeText(TimeOfDay time);
// "H:mm" or "H:mm:ss", one or two digits each; nothing for anything else.
std::optional<TimeOfDay> parseTimeText(std::string_view text);

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

// Writes only the keys of the given fields of settings (addresses of its members), in
// table order, for a change that must reach the file before the next full save. False as
// writeSettings.
bool writeSettingsKeys(ProfileFile& file, const TorkaSettings& settings,
                       std::initializer_list<const void*> fields);

// ---- The table ---------------------------------------------------------------------

enum class KeyUse : unsigned char {
    ReadWritten,
    ReadOnly,     // read for the run, never written
    WrittenOnly,  // run state or a value the options dialog sets; never read
};

// When a key is read (and, for TimerOn, written); otherwise it keeps its default.
enum class KeyCondition : unsigned char {
    Always,
    TimerOn,          // while cbJigen, read and written
    OwnSharedFolder,  // unless the run keeps its shared-folder keys
    StartedFromNetwork,
    ShellAboveVersion4,
};

struct KeyRule {
    KeyUse use = KeyUse::ReadWritten;
    KeyCondition when = KeyCondition::Always;
    bool path = false;  // a folder or program: read as unset when written on Windows
};

struct SettingsKey {
    const char* section;
    const char* name;
    KeyRule rule{};
};

namespace settings_table {

inline constexpr const char* kHeader = "Header";
inline constexpr const char* kKanri = "kanri";
inline constexpr const char* kSet2 = "Set2";
inline constexpr const char* kSettei = "Settei";
inline constexpr const char* kMemo = "Memo";
inline constexpr const char* kOption = "Option";
inline constexpr const char* kKvMCal = "KvMCal";
inline constexpr const char* kJikoku = "Jikoku";
inline constexpr const char* kVelprin = "Velprin";

inline constexpr KeyRule kPath{.path = true};
inline constexpr KeyRule kReadOnly{.use = KeyUse::ReadOnly};
inline constexpr KeyRule kWrittenOnly{.use = KeyUse::WrittenOnly};
inline constexpr KeyRule kTimer{.when = KeyCondition::TimerOn};
inline constexpr KeyRule kShared{.when = KeyCondition::OwnSharedFolder};
inline constexpr KeyRule kSharedPath{.when = KeyCondition::OwnSharedFolder, .path = true};
inline constexpr KeyRule kNetworkStart{.when = KeyCondition::StartedFromNetwork};
inline constexpr KeyRule kModernShell{.when = KeyCondition::ShellAboveVersion4};

}  // namespace settings_table

// Calls visit(const SettingsKey&, field) for every key in the order the writer writes
// them (and so the order sections first appear in a new file). Settings and Run may be
// const (writing) or not (reading). The field types tell the value's form: int, bool,
// text, TimeOfDay, Colour (a colour name or "$00BBGGRR"); the constant version text.
template <class Settings, class Run, class Visit>
void forEachSettingsKey(Settings& s, Run& run, Visit&& visit) {
    static_assert(std::is_same_v<std::remove_const_t<Settings>, TorkaSettings>);
    static_assert(std::is_same_v<std::remove_const_t<Run>, SettingsSaveContext>);
    using namespace settings_table;

    visit(SettingsKey{kHeader, "Version", kWrittenOnly}, kSettingsVersion);
    visit(SettingsKey{kHeader, "Folder", kWrittenOnly}, run.startFolder);

    visit(SettingsKey{kKanri, "BackupDay"}, s.backup.BackupDay);
    visit(SettingsKey{kKanri, "cbBackKankaku"}, s.backup.cbBackKankaku);
    visit(SettingsKey{kKanri, "cbABackupJ"}, s.backup.cbABackupJ);
    visit(SettingsKey{kKanri, "vBackKankaku"}, s.backup.vBackKankaku);
    visit(SettingsKey{kSet2, "yDataForm"}, s.yDataForm);
    visit(SettingsKey{kSet2, "UseFolNo", kWrittenOnly}, run.dataSet);

    visit(SettingsKey{kSettei, "vUW"}, s.display.vUW);
    visit(SettingsKey{kSettei, "pMemoMode"}, s.display.pMemoMode);
    visit(SettingsKey{kMemo, "visMemoMHide"}, s.display.visMemoMHide);
    visit(SettingsKey{kSettei, "vSizeNo"}, s.display.vSizeNo);
    visit(SettingsKey{kSettei, "cbMonthBtn"}, s.display.cbMonthBtn);
    visit(SettingsKey{kSettei, "cbJigen"}, s.behaviour.cbJigen);
    visit(SettingsKey{kSettei, "cbKidouKiroku"}, s.behaviour.cbKidouKiroku);
    visit(SettingsKey{kSettei, "cbKirokuHyouji"}, s.behaviour.cbKirokuHyouji);
    visit(SettingsKey{kSettei, "udKidouGyou"}, s.behaviour.udKidouGyou);
    visit(SettingsKey{kSettei, "vCalGyou"}, s.display.vCalGyou);
    visit(SettingsKey{kSettei, "vClientHeight", kWrittenOnly}, s.display.vClientHeight);
    visit(SettingsKey{kSettei, "udYokoC"}, s.display.udYokoC);
    visit(SettingsKey{kSettei, "udCalSize", kWrittenOnly}, s.display.udCalSize);
    visit(SettingsKey{kSettei, "cb24ji"}, s.behaviour.cb24ji);
    visit(SettingsKey{kSettei, "cbZenkai"}, s.behaviour.cbZenkai);
    visit(SettingsKey{kSettei, "cbMemo"}, s.behaviour.cbMemo);
    visit(SettingsKey{kSettei, "cbNet", kShared}, s.network.cbNet);
    visit(SettingsKey{kSettei, "cbLNetf", kNetworkStart}, s.network.cbLNetf);
    visit(SettingsKey{kSettei, "vNet_flg"}, s.network.vNet_flg);
    visit(SettingsKey{kSettei, "rbNetKoushin", kShared}, s.network.rbNetKoushin);
    visit(SettingsKey{kSettei, "cbNetIni", kShared}, s.network.cbNetIni);
    visit(SettingsKey{kSettei, "cbHotkey"}, s.behaviour.cbHotkey);
    visit(SettingsKey{kSettei, "cbCloseBtn"}, s.behaviour.cbCloseBtn);
    visit(SettingsKey{kSettei, "cbToday", kModernShell}, s.behaviour.cbToday);
    visit(SettingsKey{kSettei, "cbShiyouchuu"}, s.behaviour.cbShiyouchuu);
    visit(SettingsKey{kSettei, "cbTukiYotei"}, s.display.cbTukiYotei);
    visit(SettingsKey{kSettei, "cbCursor"}, s.behaviour.cbCursor);
    visit(SettingsKey{kSettei, "edFolder", kPath}, s.data.edFolder);
    visit(SettingsKey{kSettei, "edtNetFolder", kSharedPath}, s.network.edtNetFolder);
    visit(SettingsKey{kSettei, "edtNetFolder1", kSharedPath}, s.network.edtNetFolder1);
    visit(SettingsKey{kSettei, "edtNetFolder2", kSharedPath}, s.network.edtNetFolder2);
    visit(SettingsKey{kSettei, "edtNetFolder3", kSharedPath}, s.network.edtNetFolder3);

    visit(SettingsKey{kSettei, "rgYFirstMonth"}, s.calendar.rgYFirstMonth);
    visit(SettingsKey{kSettei, "HyoujiIchi"}, s.window.HyoujiIchi);
    visit(SettingsKey{kSettei, "cbNotMannaka"}, s.window.cbNotMannaka);
    visit(SettingsKey{kSettei, "fmC21Top"}, s.window.fmC21Top);
    visit(SettingsKey{kSettei, "fmC21Left"}, s.window.fmC21Left);
    visit(SettingsKey{kSettei, "CaFT1"}, s.data.CaFT1);
    visit(SettingsKey{kSettei, "CaFT2"}, s.data.CaFT2);
    visit(SettingsKey{kSettei, "CaFT3"}, s.data.CaFT3);
    visit(SettingsKey{kSettei, "DhFolderNo"}, s.data.DhFolderNo);
    visit(SettingsKey{kSettei, "rgStYoubi"}, s.calendar.rgStYoubi);
    visit(SettingsKey{kSettei, "cbEquinox"}, s.calendar.cbEquinox);
    visit(SettingsKey{kSettei, "cbFurikae"}, s.calendar.cbFurikae);
    visit(SettingsKey{kSettei, "cbNeighborJump"}, s.calendar.cbNeighborJump);
    visit(SettingsKey{kSettei, "cbNextDay"}, s.calendar.cbNextDay);
    visit(SettingsKey{kSettei, "cbBold"}, s.calendar.cbBold);
    visit(SettingsKey{kSettei, "udKFutosa"}, s.calendar.udKFutosa);
    visit(SettingsKey{kSettei, "edtKColor"}, s.calendar.edtKColor);
    visit(SettingsKey{kSettei, "cbUetume"}, s.calendar.cbUetume);
    visit(SettingsKey{kSettei, "cbToubai"}, s.calendar.cbToubai);
    visit(SettingsKey{kSettei, "cbNihongo"}, s.calendar.cbNihongo);
    visit(SettingsKey{kSettei, "cbTukiMemo"}, s.calendar.cbTukiMemo);
    visit(SettingsKey{kSettei, "cbTukiMUeTume"}, s.calendar.cbTukiMUeTume);

    visit(SettingsKey{kOption, "rbKinenbi"}, s.colours.rbKinenbi);
    visit(SettingsKey{kOption, "edtCSun"}, s.colours.edtCSun);
    visit(SettingsKey{kOption, "edtCSat"}, s.colours.edtCSat);
    visit(SettingsKey{kOption, "edtCWeekDay"}, s.colours.edtCWeekDay);
    visit(SettingsKey{kOption, "edtCYotei"}, s.colours.edtCYotei);
    visit(SettingsKey{kOption, "edtCRokuyo"}, s.colours.edtCRokuyo);
    visit(SettingsKey{kOption, "edtCKinenbi"}, s.colours.edtCKinenbi);
    visit(SettingsKey{kKvMCal, "TabToSp"}, s.tabs.TabToSp);
    visit(SettingsKey{kKvMCal, "TabAdj"}, s.tabs.TabAdj);
    visit(SettingsKey{kSettei, "SpHajimariTuki"}, s.calendar.SpHajimariTuki);
    visit(SettingsKey{kSettei, "cbKOption"}, s.behaviour.cbKOption);

    // After cbJigen, which decides whether these are read.
    visit(SettingsKey{kSettei, "cbTimerNo", kTimer}, s.timer.cbTimerNo);
    visit(SettingsKey{kSettei, "pTimer", kTimer}, s.timer.pTimer);
    visit(SettingsKey{kSettei, "pTimerBf", kTimer}, s.timer.pTimerBf);

    visit(SettingsKey{kSettei, "cbTShuusei"}, s.correction.cbTShuusei);
    visit(SettingsKey{kSettei, "cbClock"}, s.correction.cbClock);
    visit(SettingsKey{kSettei, "pTDay"}, s.correction.pTDay);
    visit(SettingsKey{kSettei, "pTWeek"}, s.correction.pTWeek);
    visit(SettingsKey{kSettei, "pTNini"}, s.correction.pTNini);
    visit(SettingsKey{kSettei, "pTTime"}, s.correction.pTTime);
    visit(SettingsKey{kSettei, "pTChien"}, s.correction.pTChien);
    visit(SettingsKey{kSettei, "pTAccess"}, s.correction.pTAccess);
    visit(SettingsKey{kSettei, "pTYoubi"}, s.correction.pTYoubi);
    visit(SettingsKey{kJikoku, "rbDay", kReadOnly}, s.correction.rbDay);
    visit(SettingsKey{kJikoku, "rbWeek", kReadOnly}, s.correction.rbWeek);

    visit(SettingsKey{kSettei, "rgNissuu"}, s.dayCount.rgNissuu);
    visit(SettingsKey{kSettei, "cbKeisan"}, s.dayCount.cbKeisan);
    visit(SettingsKey{kSettei, "pcNen"}, s.dayCount.pcNen);
    visit(SettingsKey{kSettei, "udDay"}, s.dayCount.udDay);
    visit(SettingsKey{kSettei, "rgKekka"}, s.dayCount.rgKekka);

    visit(SettingsKey{kSettei, "cbEditor"}, s.companions.cbEditor);
    visit(SettingsKey{kSettei, "cbVelmoJ"}, s.companions.cbVelmoJ);
    visit(SettingsKey{kSettei, "cbVelmoM"}, s.companions.cbVelmoM);
    visit(SettingsKey{kSettei, "edtEditorFolder", kPath}, s.companions.edtEditorFolder);
    visit(SettingsKey{kVelprin, "cbPrint"}, s.companions.cbPrint);
    visit(SettingsKey{kVelprin, "cbVelmoP"}, s.companions.cbVelmoP);
    visit(SettingsKey{kVelprin, "edtPrintFolder", kPath}, s.companions.edtPrintFolder);
}

}  // namespace velmo
