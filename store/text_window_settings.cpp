#include "store/text_window_settings.h"

#include <type_traits>

#include "store/settings.h"

namespace fs = std::filesystem;

namespace velmo {

namespace {

struct ModeKeys {
    const char* topRow;
    const char* row;
    const char* buttons;
};

constexpr std::array<ModeKeys, kTextWindowModeCount> kModeKeys{{
    {"vMemoTopRow", "vMemoRow", "visMemoBtn"},
    {"vReadmeTopRow", "vReadmeRow", "visReadmeBtn"},
    {"vShiyouTopRow", "vShiyouRow", "visShiyouBtn"},
    {"vEditorTopRow", "vEditorRow", "visEditorBtn"},
}};

bool holdsSearchHistory(std::string_view section) {
    return equalsIgnoringAsciiCase(section, kSearchWindowSection);
}

// Calls visit(key, field) for every key of the section, so that the reader and the
// writer cannot drift apart. Settings is TextWindowSettings, const for the writer.
template <class Settings, class Visit>
void forEachKey(Settings& s, std::string_view section, Visit&& visit) {
    visit("fmMemoTop", s.top);
    visit("fmMemoLeft", s.left);
    visit("fmMemoHeight", s.height);
    visit("fmMemoWidth", s.width);
    visit("MemoTopLine", s.closeTopLine);
    visit("MemoY", s.closeRow);
    visit("MemoX", s.closeColumn);
    visit("vJHanten", s.vJHanten);
    visit("vCLine1", s.vCLine1);
    visit("vCLine2", s.vCLine2);
    visit("vMenuCount", s.vMenuCount);
    visit("vEditorFile", s.vEditorFile);
    for (std::size_t i = 0; i < kModeKeys.size(); ++i) {
        visit(kModeKeys[i].topRow, s.modes[i].topRow);
        visit(kModeKeys[i].row, s.modes[i].row);
        visit(kModeKeys[i].buttons, s.modes[i].buttons);
    }
    if (holdsSearchHistory(section))
        visit("vItems", s.vItems);
}

}  // namespace

TextWindowSettings readTextWindowSettings(const ProfileFile& file, std::string_view section) {
    TextWindowSettings s;
    forEachKey(s, section, [&](const char* key, auto& value) {
        using Value = std::remove_reference_t<decltype(value)>;
        if constexpr (std::is_same_v<Value, bool>)
            value = file.readBool(section, key, value);
        else if constexpr (std::is_same_v<Value, int>)
            value = file.readInt(section, key, value);
        else
            value = file.readString(section, key, value);
    });
    return s;
}

bool writeTextWindowSettings(ProfileFile& file, std::string_view section,
                             const TextWindowSettings& settings) {
    bool stored = true;
    forEachKey(settings, section, [&](const char* key, const auto& value) {
        using Value = std::remove_cvref_t<decltype(value)>;
        if constexpr (std::is_same_v<Value, bool>)
            stored = file.writeBool(section, key, value) && stored;
        else if constexpr (std::is_same_v<Value, int>)
            stored = file.writeInt(section, key, value) && stored;
        else
            stored = file.writeString(section, key, value) && stored;
    });
    return stored;
}

TextWindowSettings loadTextWindowSettings(const fs::path& settingsFile, std::string_view section,
                                          Sleeper& sleeper) {
    return readTextWindowSettings(ProfileFile::load(settingsFile, kSettingsRetry, sleeper),
                                  section);
}

bool saveTextWindowSettings(const fs::path& settingsFile, std::string_view section,
                            const TextWindowSettings& settings, Sleeper& sleeper) {
    bool stored = true;
    const bool saved = updateSettingsFile(settingsFile, sleeper, [&](ProfileFile& file) {
        stored = writeTextWindowSettings(file, section, settings);
    });
    return saved && stored;
}

}  // namespace velmo
