#include "store/settings.h"

#include <cstdio>
#include <exception>

#include "store/file_helpers.h"
#include "store/folder_listing.h"
#include "store/text_helpers.h"

namespace velmo {
namespace {

constexpr const char* kHeader = "Header";
constexpr const char* kKanri = "kanri";
constexpr const char* kSet2 = "Set2";
constexpr const char* kSettei = "Settei";
constexpr const char* kMemo = "Memo";
constexpr const char* kOption = "Option";
constexpr const char* kKvMCal = "KvMCal";
constexpr const char* kJikoku = "Jikoku";
constexpr const char* kVelprin = "Velprin";

// Stored work areas this tall or lower get the compact row layout.
constexpr int kCompactWorkAreaHeight = 609;
constexpr int kMaxCorrectionDelay = 300;
constexpr int kCorrectionDelayFallback = 180;

bool takeNumber(std::string_view& text, int& out) {
    std::size_t n = 0;
    out = 0;
    while (n < text.size() && n < 2 && text[n] >= '0' && text[n] <= '9')
        out = out * 10 + (text[n++] - '0');
    text.remove_prefix(n);
    return n > 0;
}

bool takeColon(std::string_view& text) {
    if (text.empty() || text.front() != ':')
        return false;
    text.remove_prefix(1);
    return true;
}

class KeyReader {
public:
    KeyReader(const ProfileFile& file, SettingsReadNotes* notes) : file_(file), notes_(notes) {}

    void get(const char* section, const char* key, int& value) const {
        value = file_.readInt(section, key, value);
    }
    void get(const char* section, const char* key, bool& value) const {
        value = file_.readBool(section, key, value);
    }
    void get(const char* section, const char* key, std::string& value) const {
        value = file_.readString(section, key, value);
    }
    void get(const char* section, const char* key, TimeOfDay& value) const {
        value = parseTimeText(file_.readString(section, key)).value_or(value);
    }
    void getColour(const char* section, const char* key, Colour& value) const {
        if (file_.keyExists(section, key))
            value = textToColour(file_.readString(section, key), value);
    }
    // A path setting; one written on Windows reads as unset and is noted for the user.
    void getPath(const char* section, const char* key, std::string& value) const {
        std::string stored = file_.readString(section, key, value);
        if (isWindowsStylePath(stored)) {
            if (notes_)
                notes_->windowsFolders.push_back(stored);
            stored.clear();
        }
        value = std::move(stored);
    }

private:
    const ProfileFile& file_;
    SettingsReadNotes* notes_;
};

class KeyWriter {
public:
    explicit KeyWriter(ProfileFile& file) : file_(file) {}

    void put(const char* section, const char* key, int value) {
        ok_ = file_.writeInt(section, key, value) && ok_;
    }
    void put(const char* section, const char* key, bool value) {
        ok_ = file_.writeBool(section, key, value) && ok_;
    }
    void put(const char* section, const char* key, const std::string& value) {
        ok_ = file_.writeString(section, key, value) && ok_;
    }
    void put(const char* section, const char* key, const char* value) {
        ok_ = file_.writeString(section, key, value) && ok_;
    }
    void put(const char* section, const char* key, TimeOfDay value) {
        put(section, key, shortTimeText(value));
    }
    void putColour(const char* section, const char* key, Colour value) {
        put(section, key, colourToText(value));
    }
    bool ok() const { return ok_; }

private:
    ProfileFile& file_;
    bool ok_ = true;
};

void readSharedFolderKeys(const KeyReader& r, NetworkKeys& n) {
    r.getPath(kSettei, "edtNetFolder", n.edtNetFolder);
    r.getPath(kSettei, "edtNetFolder1", n.edtNetFolder1);
    r.getPath(kSettei, "edtNetFolder2", n.edtNetFolder2);
    r.getPath(kSettei, "edtNetFolder3", n.edtNetFolder3);
    r.get(kSettei, "cbNet", n.cbNet);
    r.get(kSettei, "cbNetIni", n.cbNetIni);
    r.get(kSettei, "rbNetKoushin", n.rbNetKoushin);
}

void keepSharedFolderKeys(const NetworkKeys& kept, NetworkKeys& n) {
    n.edtNetFolder = kept.edtNetFolder;
    n.edtNetFolder1 = kept.edtNetFolder1;
    n.edtNetFolder2 = kept.edtNetFolder2;
    n.edtNetFolder3 = kept.edtNetFolder3;
    n.cbNet = kept.cbNet;
    n.cbNetIni = kept.cbNetIni;
    n.rbNetKoushin = kept.rbNetKoushin;
}

std::string pathText(const std::filesystem::path& path) {
    return path.string();
}

}  // namespace

std::string shortTimeText(TimeOfDay time) {
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d", time.hour, time.minute);
    return text;
}

std::optional<TimeOfDay> parseTimeText(std::string_view text) {
    TimeOfDay time;
    if (!takeNumber(text, time.hour) || !takeColon(text) || !takeNumber(text, time.minute))
        return std::nullopt;
    if (!text.empty() && (!takeColon(text) || !takeNumber(text, time.second) || !text.empty()))
        return std::nullopt;
    if (time.hour > 23 || time.minute > 59 || time.second > 59)
        return std::nullopt;
    return time;
}

NetworkKeys firstNetworkSetupKeys(const std::string& startFolder) {
    NetworkKeys keys;
    keys.edtNetFolder = startFolder;
    keys.cbNet = true;
    keys.cbNetIni = true;
    keys.rbNetKoushin = 2;
    return keys;
}

TorkaSettings defaultSettings(const SettingsEnvironment& env) {
    TorkaSettings s;
    const LocalDateTime now = env.clock.now();
    s.timer.pTimer = {now.hour, now.minute, now.second};
    s.window.fmC21Top = env.windowTop;
    s.window.fmC21Left = env.windowLeft;
    s.dayCount = env.currentDayCount;
    s.companions.edtEditorFolder = env.foundEditor;
    s.companions.edtPrintFolder = env.foundPrintProgram;
    return s;
}

bool isWindowsStylePath(std::string_view text) {
    const std::string t = trimSpaces(text);
    if (t.size() >= 2 && t[1] == ':' &&
        ((t[0] >= 'A' && t[0] <= 'Z') || (t[0] >= 'a' && t[0] <= 'z'))) {
        return true;
    }
    return t.size() >= 2 && t[0] == '\\' && t[1] == '\\';
}

TorkaSettings readSettings(const ProfileFile& file, const SettingsEnvironment& env,
                           SettingsReadNotes* notes) {
    TorkaSettings s = defaultSettings(env);
    const KeyReader r(file, notes);

    BackupKeys& k = s.backup;
    r.get(kKanri, "BackupDay", k.BackupDay);
    r.get(kKanri, "cbBackKankaku", k.cbBackKankaku);
    r.get(kKanri, "cbABackupJ", k.cbABackupJ);
    r.get(kKanri, "vBackKankaku", k.vBackKankaku);
    r.get(kSet2, "yDataForm", s.yDataForm);

    DisplayKeys& d = s.display;
    BehaviourKeys& b = s.behaviour;
    r.get(kSettei, "vUW", d.vUW);
    r.get(kSettei, "pMemoMode", d.pMemoMode);
    r.get(kMemo, "visMemoMHide", d.visMemoMHide);
    r.get(kSettei, "vSizeNo", d.vSizeNo);
    r.get(kSettei, "cbMonthBtn", d.cbMonthBtn);
    r.get(kSettei, "cbJigen", b.cbJigen);
    r.get(kSettei, "cbKidouKiroku", b.cbKidouKiroku);
    r.get(kSettei, "cbKirokuHyouji", b.cbKirokuHyouji);
    r.get(kSettei, "udKidouGyou", b.udKidouGyou);

    // A small desktop cannot hold the taller presets.
    if (env.workAreaHeight > kCompactWorkAreaHeight) {
        r.get(kSettei, "vCalGyou", d.vCalGyou);
    } else {
        d.vSizeNo = 3;
        d.vCalGyou = 3;
    }
    r.get(kSettei, "udYokoC", d.udYokoC);
    // Size preset 4 exists only with row layout 4.
    if (d.vSizeNo == 4 && d.vCalGyou != 4) {
        d.vSizeNo = 1;
        d.vCalGyou = 5;
        d.udYokoC = 0;
    }

    r.get(kSettei, "cb24ji", b.cb24ji);
    r.get(kSettei, "cbZenkai", b.cbZenkai);
    r.get(kSettei, "cbMemo", b.cbMemo);

    NetworkKeys& n = s.network;
    if (env.keptSharedFolderKeys)
        keepSharedFolderKeys(*env.keptSharedFolderKeys, n);
    else
        readSharedFolderKeys(r, n);
    if (env.startedFromNetwork)
        r.get(kSettei, "cbLNetf", n.cbLNetf);
    r.get(kSettei, "vNet_flg", n.vNet_flg);

    r.get(kSettei, "cbHotkey", b.cbHotkey);
    r.get(kSettei, "cbCloseBtn", b.cbCloseBtn);
    if (b.cbCloseBtn)
        b.cbHotkey = false;

    if (env.shellAboveVersion4)
        r.get(kSettei, "cbToday", b.cbToday);
    r.get(kSettei, "cbShiyouchuu", b.cbShiyouchuu);
    r.get(kSettei, "cbTukiYotei", d.cbTukiYotei);
    r.get(kSettei, "cbCursor", b.cbCursor);

    r.getPath(kSettei, "edFolder", s.data.edFolder);

    CalendarKeys& c = s.calendar;
    r.get(kSettei, "rgYFirstMonth", c.rgYFirstMonth);
    r.get(kSettei, "rgStYoubi", c.rgStYoubi);
    r.get(kSettei, "cbEquinox", c.cbEquinox);
    r.get(kSettei, "cbFurikae", c.cbFurikae);
    r.get(kSettei, "cbNextDay", c.cbNextDay);
    r.get(kSettei, "cbNeighborJump", c.cbNeighborJump);
    r.get(kSettei, "cbBold", c.cbBold);
    r.get(kSettei, "udKFutosa", c.udKFutosa);
    r.getColour(kSettei, "edtKColor", c.edtKColor);
    r.get(kSettei, "cbUetume", c.cbUetume);
    r.get(kSettei, "cbToubai", c.cbToubai);
    r.get(kSettei, "cbNihongo", c.cbNihongo);
    r.get(kSettei, "cbTukiMemo", c.cbTukiMemo);
    r.get(kSettei, "cbTukiMUeTume", c.cbTukiMUeTume);

    ColourKeys& o = s.colours;
    r.get(kOption, "rbKinenbi", o.rbKinenbi);
    r.getColour(kOption, "edtCSun", o.edtCSun);
    r.getColour(kOption, "edtCSat", o.edtCSat);
    r.getColour(kOption, "edtCWeekDay", o.edtCWeekDay);
    r.getColour(kOption, "edtCYotei", o.edtCYotei);
    r.getColour(kOption, "edtCRokuyo", o.edtCRokuyo);
    r.getColour(kOption, "edtCKinenbi", o.edtCKinenbi);
    r.get(kKvMCal, "TabToSp", s.tabs.TabToSp);
    r.get(kKvMCal, "TabAdj", s.tabs.TabAdj);
    r.get(kSettei, "SpHajimariTuki", c.SpHajimariTuki);
    r.get(kSettei, "cbKOption", b.cbKOption);

    WindowKeys& w = s.window;
    r.get(kSettei, "HyoujiIchi", w.HyoujiIchi);
    r.get(kSettei, "cbNotMannaka", w.cbNotMannaka);
    r.get(kSettei, "fmC21Top", w.fmC21Top);
    r.get(kSettei, "fmC21Left", w.fmC21Left);
    r.get(kSettei, "CaFT1", s.data.CaFT1);
    r.get(kSettei, "CaFT2", s.data.CaFT2);
    r.get(kSettei, "CaFT3", s.data.CaFT3);
    r.get(kSettei, "DhFolderNo", s.data.DhFolderNo);

    // Without the timer function its keys stay at their defaults (cbTimerNo 6).
    if (b.cbJigen) {
        r.get(kSettei, "cbTimerNo", s.timer.cbTimerNo);
        r.get(kSettei, "pTimer", s.timer.pTimer);
        r.get(kSettei, "pTimerBf", s.timer.pTimerBf);
    }

    CorrectionKeys& t = s.correction;
    r.get(kSettei, "cbTShuusei", t.cbTShuusei);
    r.get(kSettei, "cbClock", t.cbClock);
    r.get(kSettei, "pTDay", t.pTDay);
    r.get(kSettei, "pTWeek", t.pTWeek);
    r.get(kSettei, "pTNini", t.pTNini);
    r.get(kSettei, "pTTime", t.pTTime);
    r.get(kSettei, "pTChien", t.pTChien);
    if (t.pTChien > kMaxCorrectionDelay)
        t.pTChien = kCorrectionDelayFallback;
    r.get(kSettei, "pTAccess", t.pTAccess);
    r.get(kSettei, "pTYoubi", t.pTYoubi);
    r.get(kJikoku, "rbDay", t.rbDay);
    r.get(kJikoku, "rbWeek", t.rbWeek);

    DayCountKeys& y = s.dayCount;
    r.get(kSettei, "rgNissuu", y.rgNissuu);
    r.get(kSettei, "cbKeisan", y.cbKeisan);
    r.get(kSettei, "pcNen", y.pcNen);
    r.get(kSettei, "udDay", y.udDay);
    r.get(kSettei, "rgKekka", y.rgKekka);

    CompanionKeys& m = s.companions;
    r.get(kSettei, "cbEditor", m.cbEditor);
    r.get(kSettei, "cbVelmoJ", m.cbVelmoJ);
    r.get(kSettei, "cbVelmoM", m.cbVelmoM);
    r.getPath(kSettei, "edtEditorFolder", m.edtEditorFolder);
    if (m.edtEditorFolder.empty())
        m.edtEditorFolder = env.foundEditor;
    r.get(kVelprin, "cbPrint", m.cbPrint);
    r.get(kVelprin, "cbVelmoP", m.cbVelmoP);
    r.getPath(kVelprin, "edtPrintFolder", m.edtPrintFolder);
    if (m.edtPrintFolder.empty())
        m.edtPrintFolder = env.foundPrintProgram;
    return s;
}

bool writeSettings(ProfileFile& file, const TorkaSettings& s, const SettingsSaveContext& context) {
    KeyWriter w(file);
    w.put(kHeader, "Version", kSettingsVersion);
    w.put(kHeader, "Folder", context.startFolder);

    w.put(kKanri, "BackupDay", s.backup.BackupDay);
    w.put(kKanri, "cbBackKankaku", s.backup.cbBackKankaku);
    w.put(kKanri, "cbABackupJ", s.backup.cbABackupJ);
    w.put(kKanri, "vBackKankaku", s.backup.vBackKankaku);
    w.put(kSet2, "yDataForm", context.dataFormat);
    w.put(kSet2, "UseFolNo", context.dataSet);

    const DisplayKeys& d = s.display;
    const BehaviourKeys& b = s.behaviour;
    const NetworkKeys& n = s.network;
    w.put(kSettei, "vUW", d.vUW);
    w.put(kSettei, "pMemoMode", d.pMemoMode);
    w.put(kMemo, "visMemoMHide", d.visMemoMHide);
    w.put(kSettei, "vSizeNo", d.vSizeNo);
    w.put(kSettei, "cbMonthBtn", d.cbMonthBtn);
    w.put(kSettei, "cbJigen", b.cbJigen);
    w.put(kSettei, "cbKidouKiroku", b.cbKidouKiroku);
    w.put(kSettei, "cbKirokuHyouji", b.cbKirokuHyouji);
    w.put(kSettei, "udKidouGyou", b.udKidouGyou);
    w.put(kSettei, "vCalGyou", d.vCalGyou);
    w.put(kSettei, "vClientHeight", d.vClientHeight);
    w.put(kSettei, "udYokoC", d.udYokoC);
    w.put(kSettei, "udCalSize", d.udCalSize);
    w.put(kSettei, "cb24ji", b.cb24ji);
    w.put(kSettei, "cbZenkai", b.cbZenkai);
    w.put(kSettei, "cbMemo", b.cbMemo);
    w.put(kSettei, "cbNet", n.cbNet);
    w.put(kSettei, "cbLNetf", n.cbLNetf);
    w.put(kSettei, "vNet_flg", n.vNet_flg);
    w.put(kSettei, "rbNetKoushin", n.rbNetKoushin);
    w.put(kSettei, "cbNetIni", n.cbNetIni);
    w.put(kSettei, "cbHotkey", b.cbHotkey);
    w.put(kSettei, "cbCloseBtn", b.cbCloseBtn);
    w.put(kSettei, "cbToday", b.cbToday);
    w.put(kSettei, "cbShiyouchuu", b.cbShiyouchuu);
    w.put(kSettei, "cbTukiYotei", d.cbTukiYotei);
    w.put(kSettei, "cbCursor", b.cbCursor);
    w.put(kSettei, "edFolder", s.data.edFolder);
    w.put(kSettei, "edtNetFolder", n.edtNetFolder);
    w.put(kSettei, "edtNetFolder1", n.edtNetFolder1);
    w.put(kSettei, "edtNetFolder2", n.edtNetFolder2);
    w.put(kSettei, "edtNetFolder3", n.edtNetFolder3);

    const CalendarKeys& c = s.calendar;
    w.put(kSettei, "rgYFirstMonth", c.rgYFirstMonth);
    w.put(kSettei, "HyoujiIchi", s.window.HyoujiIchi);
    w.put(kSettei, "cbNotMannaka", s.window.cbNotMannaka);
    w.put(kSettei, "fmC21Top", s.window.fmC21Top);
    w.put(kSettei, "fmC21Left", s.window.fmC21Left);
    w.put(kSettei, "CaFT1", s.data.CaFT1);
    w.put(kSettei, "CaFT2", s.data.CaFT2);
    w.put(kSettei, "CaFT3", s.data.CaFT3);
    w.put(kSettei, "DhFolderNo", s.data.DhFolderNo);
    w.put(kSettei, "rgStYoubi", c.rgStYoubi);
    w.put(kSettei, "cbEquinox", c.cbEquinox);
    w.put(kSettei, "cbFurikae", c.cbFurikae);
    w.put(kSettei, "cbNeighborJump", c.cbNeighborJump);
    w.put(kSettei, "cbNextDay", c.cbNextDay);
    w.put(kSettei, "cbBold", c.cbBold);
    w.put(kSettei, "udKFutosa", c.udKFutosa);
    w.putColour(kSettei, "edtKColor", c.edtKColor);
    w.put(kSettei, "cbUetume", c.cbUetume);
    w.put(kSettei, "cbToubai", c.cbToubai);
    w.put(kSettei, "cbNihongo", c.cbNihongo);
    w.put(kSettei, "cbTukiMemo", c.cbTukiMemo);
    w.put(kSettei, "cbTukiMUeTume", c.cbTukiMUeTume);

    const ColourKeys& o = s.colours;
    w.put(kOption, "rbKinenbi", o.rbKinenbi);
    w.putColour(kOption, "edtCSun", o.edtCSun);
    w.putColour(kOption, "edtCSat", o.edtCSat);
    w.putColour(kOption, "edtCWeekDay", o.edtCWeekDay);
    w.putColour(kOption, "edtCYotei", o.edtCYotei);
    w.putColour(kOption, "edtCRokuyo", o.edtCRokuyo);
    w.putColour(kOption, "edtCKinenbi", o.edtCKinenbi);
    w.put(kKvMCal, "TabToSp", s.tabs.TabToSp);
    w.put(kKvMCal, "TabAdj", s.tabs.TabAdj);
    w.put(kSettei, "SpHajimariTuki", c.SpHajimariTuki);
    w.put(kSettei, "cbKOption", b.cbKOption);

    if (b.cbJigen) {
        w.put(kSettei, "cbTimerNo", s.timer.cbTimerNo);
        w.put(kSettei, "pTimer", s.timer.pTimer);
        w.put(kSettei, "pTimerBf", s.timer.pTimerBf);
    }
    const CorrectionKeys& t = s.correction;
    w.put(kSettei, "cbTShuusei", t.cbTShuusei);
    w.put(kSettei, "cbClock", t.cbClock);
    w.put(kSettei, "pTDay", t.pTDay);
    w.put(kSettei, "pTWeek", t.pTWeek);
    w.put(kSettei, "pTNini", t.pTNini);
    w.put(kSettei, "pTTime", t.pTTime);
    w.put(kSettei, "pTChien", t.pTChien);
    w.put(kSettei, "pTAccess", t.pTAccess);
    w.put(kSettei, "pTYoubi", t.pTYoubi);

    const DayCountKeys& y = s.dayCount;
    w.put(kSettei, "rgNissuu", y.rgNissuu);
    w.put(kSettei, "cbKeisan", y.cbKeisan);
    w.put(kSettei, "pcNen", y.pcNen);
    w.put(kSettei, "udDay", y.udDay);
    w.put(kSettei, "rgKekka", y.rgKekka);

    const CompanionKeys& m = s.companions;
    w.put(kSettei, "cbEditor", m.cbEditor);
    w.put(kSettei, "cbVelmoJ", m.cbVelmoJ);
    w.put(kSettei, "cbVelmoM", m.cbVelmoM);
    w.put(kSettei, "edtEditorFolder", m.edtEditorFolder);
    w.put(kVelprin, "cbPrint", m.cbPrint);
    w.put(kVelprin, "cbVelmoP", m.cbVelmoP);
    w.put(kVelprin, "edtPrintFolder", m.edtPrintFolder);
    return w.ok();
}

namespace {

// The settings folder and the start folder, each listed once for one read.
class SettingsFolders {
public:
    explicit SettingsFolders(const SettingsFilePlace& place)
        : ownFile_(place.settingsFile),
          startFile_(std::filesystem::path(place.startFolder) / kSettingsFileName),
          own_(ownFile_.parent_path()) {
        if (startFile_.parent_path().lexically_normal() !=
            ownFile_.parent_path().lexically_normal())
            start_.emplace(startFile_.parent_path());
    }

    const std::filesystem::path& ownFile() const { return ownFile_; }
    const std::filesystem::path& startFile() const { return startFile_; }
    const FolderListing& own() const { return own_; }
    const FolderListing& start() const { return start_ ? *start_ : own_; }

private:
    std::filesystem::path ownFile_;
    std::filesystem::path startFile_;
    FolderListing own_;
    std::optional<FolderListing> start_;
};

SettingsFileChoice chooseSettingsFile(const SettingsFilePlace& place,
                                      const SettingsFolders& folders) {
    const bool ownExists = folders.own().containsAny(folders.ownFile().filename().string());
    const bool startExists = folders.start().containsAny(kSettingsFileName);

    SettingsFileChoice choice{folders.ownFile(), false};
    if (place.localOperation && !ownExists && startExists)
        choice.readFrom = folders.startFile();
    choice.openNetworkSetupPage = !place.localOperation && !ownExists && !startExists &&
                                  place.startedFromNetwork && place.startMarkerExists &&
                                  !trimSpaces(place.profileFolder).empty();
    return choice;
}

}  // namespace

SettingsFileChoice chooseSettingsFile(const SettingsFilePlace& place) {
    return chooseSettingsFile(place, SettingsFolders(place));
}

SettingsStore::ReadResult SettingsStore::read(const SettingsEnvironment& env, Sleeper& sleeper) {
    const SettingsFolders folders(place_);
    const SettingsFileChoice choice = chooseSettingsFile(place_, folders);
    const bool fromOwnFolder = choice.readFrom == folders.ownFile();
    const ProfileFile file = ProfileFile::load(
        choice.readFrom, fromOwnFolder ? folders.own() : folders.start(), kSettingsRetry, sleeper);
    SettingsReadNotes notes;
    ReadResult result;
    result.settings = readSettings(file, env, &notes);
    result.outcome = file.loadOutcome();
    result.path = file.path();
    result.openNetworkSetupPage = choice.openNetworkSetupPage;
    for (const std::string& folder : notes.windowsFolders) {
        if (reportedWindowsFolders_.insert(folder).second)
            result.windowsFoldersToReport.push_back(folder);
    }
    saveBlocked_ = file.isUnreadable();
    movingFrom_.reset();
    if (file.loadOutcome() == ProfileFile::LoadOutcome::Loaded && !fromOwnFolder)
        movingFrom_ = file.path();
    if (fromOwnFolder)
        result.settingsFile = file;
    return result;
}

SettingsSaveResult SettingsStore::save(const TorkaSettings& settings,
                                       const SettingsSaveContext& context, Sleeper& sleeper) {
    if (saveBlocked_)
        return {ProfileFile::SaveOutcome::Refused, place_.settingsFile};
    // Settings read from the start folder move to the settings folder whole, with the
    // sections of the other windows.
    if (movingFrom_ && !existsAny(place_.settingsFile))
        copyFile(*movingFrom_, place_.settingsFile);
    ProfileFile file = ProfileFile::load(place_.settingsFile, kSettingsRetry, sleeper);
    if (!writeSettings(file, settings, context))
        return {ProfileFile::SaveOutcome::Unencodable, file.path()};
    return {file.save(kSettingsRetry, sleeper), file.path()};
}

std::string windowsFolderMessage(const std::vector<std::string>& folders) {
    std::string text;
    for (const std::string& folder : folders) {
        if (!text.empty())
            text += "\r\n";
        text += "Windows の設定フォルダ[" + folder + "]は使用できないため、設定を解除しました。";
    }
    return text;
}

std::string settingsUnreadableMessage(const std::filesystem::path& path) {
    return "設定ファイル[" + pathText(path) +
           "]を読み込めませんでした。\r\n既定の設定を使い、この設定ファイルへの保存は行いません。";
}

std::string settingsSaveFailedMessage(const SettingsSaveResult& result) {
    const std::string file = result.path.empty() ? std::string("設定ファイル")
                                                 : "設定ファイル[" + pathText(result.path) + "]";
    switch (result.outcome) {
        case ProfileFile::SaveOutcome::Refused:
            return file + "は読み込めなかったため、上書き保存しませんでした。";
        case ProfileFile::SaveOutcome::Unencodable:
            return file + "に保存できない文字があるため、保存できませんでした。";
        case ProfileFile::SaveOutcome::Saved:
        case ProfileFile::SaveOutcome::Failed:
            break;
    }
    return file + "を保存できませんでした。";
}

FullSaveResult fullSave(const std::function<SettingsSaveResult()>& saveSettingsStep,
                        const std::function<bool()>& saveDataStep, UserInterface& ui) {
    SettingsSaveResult settings;
    try {
        settings = saveSettingsStep();
    } catch (const std::exception&) {
        settings = {ProfileFile::SaveOutcome::Failed, {}};
    }
    FullSaveResult result;
    result.settingsSaved = settings.saved();
    try {
        result.dataSaved = saveDataStep();
    } catch (const std::exception&) {
        result.dataSaved = false;
    }
    if (!result.settingsSaved)
        ui.error(settingsSaveFailedMessage(settings), kMainInformationCaption);
    return result;
}

}  // namespace velmo
