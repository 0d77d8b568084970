#include "store/settings_table.h"

#include <algorithm>
#include <cstdio>

#include "store/text_helpers.h"

namespace velmo {
namespace {

// Stored work areas this tall or lower get the compact row layout.
constexpr int kCompactWorkAreaHeight = 609;
constexpr int kMaxCorrectionDelay = 300;
constexpr int kCorrectionDelayFallback = 180;

// Colours are told from plain numbers by their type.
static_assert(!std::is_same_v<Colour, int>);

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
    KeyReader(const ProfileFile& file, const SettingsEnvironment& env,
              const TorkaSettings& settings, SettingsReadNotes* notes)
        : file_(file), env_(env), settings_(settings), notes_(notes) {}

    // Whether the key is read now; settings_ holds what the keys before it read.
    bool reads(const KeyRule& rule) const {
        if (rule.use == KeyUse::WrittenOnly)
            return false;
        switch (rule.when) {
            case KeyCondition::Always:
                return true;
            case KeyCondition::TimerOn:
                return settings_.behaviour.cbJigen;
            case KeyCondition::OwnSharedFolder:
                return !env_.keptSharedFolderKeys;
            case KeyCondition::StartedFromNetwork:
                return env_.startedFromNetwork;
            case KeyCondition::ShellAboveVersion4:
                return env_.shellAboveVersion4;
        }
        return false;
    }

    void get(const SettingsKey& key, int& value) const {
        value = file_.readInt(key.section, key.name, value);
    }
    void get(const SettingsKey& key, bool& value) const {
        value = file_.readBool(key.section, key.name, value);
    }
    void get(const SettingsKey& key, TimeOfDay& value) const {
        value = parseTimeText(file_.readString(key.section, key.name)).value_or(value);
    }
    void get(const SettingsKey& key, Colour& value) const {
        if (file_.keyExists(key.section, key.name))
            value = textToColour(file_.readString(key.section, key.name), value);
    }
    void get(const SettingsKey& key, std::string& value) const {
        std::string stored = file_.readString(key.section, key.name, value);
        // A path written on Windows reads as unset and is noted for the user.
        if (key.rule.path && isWindowsStylePath(stored)) {
            if (notes_)
                notes_->windowsFolders.push_back(stored);
            stored.clear();
        }
        value = std::move(stored);
    }

private:
    const ProfileFile& file_;
    const SettingsEnvironment& env_;
    const TorkaSettings& settings_;
    SettingsReadNotes* notes_;
};

class KeyWriter {
public:
    KeyWriter(ProfileFile& file, const TorkaSettings& settings)
        : file_(file), settings_(settings) {}

    bool writes(const KeyRule& rule) const {
        if (rule.use == KeyUse::ReadOnly)
            return false;
        return rule.when != KeyCondition::TimerOn || settings_.behaviour.cbJigen;
    }

    void put(const SettingsKey& key, int value) {
        ok_ = file_.writeInt(key.section, key.name, value) && ok_;
    }
    void put(const SettingsKey& key, bool value) {
        ok_ = file_.writeBool(key.section, key.name, value) && ok_;
    }
    void put(const SettingsKey& key, std::string_view value) {
        ok_ = file_.writeString(key.section, key.name, value) && ok_;
    }
    void put(const SettingsKey& key, const std::string& value) {
        put(key, std::string_view(value));
    }
    void put(const SettingsKey& key, const char* value) { put(key, std::string_view(value)); }
    void put(const SettingsKey& key, TimeOfDay value) { put(key, shortTimeText(value)); }
    void put(const SettingsKey& key, Colour value) { put(key, colourToText(value)); }
    bool ok() const { return ok_; }

private:
    ProfileFile& file_;
    const TorkaSettings& settings_;
    bool ok_ = true;
};

void keepSharedFolderKeys(const NetworkKeys& kept, NetworkKeys& n) {
    n.edtNetFolder = kept.edtNetFolder;
    n.edtNetFolder1 = kept.edtNetFolder1;
    n.edtNetFolder2 = kept.edtNetFolder2;
    n.edtNetFolder3 = kept.edtNetFolder3;
    n.cbNet = kept.cbNet;
    n.cbNetIni = kept.cbNetIni;
    n.rbNetKoushin = kept.rbNetKoushin;
}

// The rules that derive one key from others, after every key is read.
void applyDerivedRules(TorkaSettings& s, const SettingsEnvironment& env) {
    DisplayKeys& d = s.display;
    // A small desktop cannot hold the taller presets.
    if (env.workAreaHeight <= kCompactWorkAreaHeight) {
        d.vSizeNo = 3;
        d.vCalGyou = 3;
    }
    // Size preset 4 exists only with row layout 4.
    if (d.vSizeNo == 4 && d.vCalGyou != 4) {
        d.vSizeNo = 1;
        d.vCalGyou = 5;
        d.udYokoC = 0;
    }
    if (env.keptSharedFolderKeys)
        keepSharedFolderKeys(*env.keptSharedFolderKeys, s.network);
    if (s.behaviour.cbCloseBtn)
        s.behaviour.cbHotkey = false;
    if (s.correction.pTChien > kMaxCorrectionDelay)
        s.correction.pTChien = kCorrectionDelayFallback;
    CompanionKeys& m = s.companions;
    if (m.edtEditorFolder.empty())
        m.edtEditorFolder = env.foundEditor;
    if (m.edtPrintFolder.empty())
        m.edtPrintFolder = env.foundPrintProgram;
}

// Writes the keys for which chosen(field address) holds, in table order.
template <class Chosen>
bool writeKeys(ProfileFile& file, const TorkaSettings& s, const SettingsSaveContext& context,
               Chosen chosen) {
    KeyWriter w(file, s);
    forEachSettingsKey(s, context, [&](const SettingsKey& key, const auto& value) {
        if (chosen(static_cast<const void*>(&value)) && w.writes(key.rule))
            w.put(key, value);
    });
    return w.ok();
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
    SettingsSaveContext runState;  // written only, never read
    const KeyReader r(file, env, s, notes);
    // The shared-folder keys first, so that their Windows-style folders are noted first.
    for (const bool sharedFolderPass : {true, false}) {
        forEachSettingsKey(s, runState, [&](const SettingsKey& key, auto& value) {
            if constexpr (!std::is_const_v<std::remove_reference_t<decltype(value)>>) {
                const bool shared = key.rule.when == KeyCondition::OwnSharedFolder;
                if (shared == sharedFolderPass && r.reads(key.rule))
                    r.get(key, value);
            }
        });
    }
    applyDerivedRules(s, env);
    return s;
}

bool writeSettings(ProfileFile& file, const TorkaSettings& settings,
                   const SettingsSaveContext& context) {
    // [Set2] yDataForm holds the format in force, not the one read.
    TorkaSettings written = settings;
    written.yDataForm = context.dataFormat;
    return writeKeys(file, written, context, [](const void*) { return true; });
}

bool writeSettingsKeys(ProfileFile& file, const TorkaSettings& settings,
                       std::initializer_list<const void*> fields) {
    const SettingsSaveContext runState;
    return writeKeys(file, settings, runState, [&](const void* field) {
        return std::find(fields.begin(), fields.end(), field) != fields.end();
    });
}

}  // namespace velmo
