#pragma once
// The memo window's and the search window's sections of the settings file. Both windows
// show the same four texts and keep the same keys; the search window also keeps its
// search box history. "visMemoMHide" of [Memo] belongs to the main window's key table
// (settings_table.h) and is neither read nor written here.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/clock.h"
#include "store/profile_file.h"
#include "store/settings_table.h"

namespace velmo {

inline constexpr const char* kMemoWindowSection = settings_table::kMemo;
inline constexpr const char* kSearchWindowSection = "Kensaku";
// Entries of the search box history "vItems" keeps at most.
inline constexpr int kSearchHistoryLimit = 21;

// The texts a text window shows, in the order of TextWindowSettings::modes.
enum class TextWindowMode { Memo, Readme, Usage, Editor };
inline constexpr std::size_t kTextWindowModeCount = 4;

// Where one text was left: its top row, caret row and whether its buttons show.
struct ModeViewState {
    int topRow = 0;
    int row = 0;
    bool buttons = true;

    bool operator==(const ModeViewState&) const = default;
};

struct TextWindowSettings {
    // The designed size 779 × 575; without a stored place the window opens 100 px from
    // the desktop's top left corner.
    int top = 100;
    int left = 100;
    int height = 575;
    int width = 779;
    // Top row, caret row and caret column when the window last closed.
    int closeTopLine = 0;
    int closeRow = 0;
    int closeColumn = 0;
    bool vJHanten = false;  // Shift swapped for jumps (see jumpTopRow)
    int vCLine1 = 2;        // rows shown above a jump mark
    int vCLine2 = 3;        // rows shown below a jump mark jumped to with Shift
    int vMenuCount = 8;
    std::string vEditorFile = "無題";
    std::array<ModeViewState, kTextWindowModeCount> modes{
        {{}, {}, {}, {.buttons = false}}};  // memo, readme, usage, editor
    // The search window's history as its comma text; always empty for the memo window.
    std::string vItems;

    ModeViewState& mode(TextWindowMode m) { return modes[static_cast<std::size_t>(m)]; }
    const ModeViewState& mode(TextWindowMode m) const { return modes[static_cast<std::size_t>(m)]; }

    bool operator==(const TextWindowSettings&) const = default;
};

// Every key of the section with its default for what is missing or no number.
// "vItems" is read only for the search window's section.
TextWindowSettings readTextWindowSettings(const ProfileFile& file, std::string_view section);

// Writes every key of the section (booleans as 1/0, as the whole file does) in memory;
// "vItems" only for the search window's section. Every other line stays as it was.
// False when a text could not be stored (a line break in it); that key is left as it was.
bool writeTextWindowSettings(ProfileFile& file, std::string_view section,
                             const TextWindowSettings& settings);

// Reads the section from the settings file (Torka.ini) as it is now.
TextWindowSettings loadTextWindowSettings(const std::filesystem::path& settingsFile,
                                          std::string_view section, Sleeper& sleeper);

// Reads the settings file afresh, writes the section and saves at once, like a window's
// place (saveWindowPlace). False when the file could not be read or written, or a text
// could not be stored.
bool saveTextWindowSettings(const std::filesystem::path& settingsFile, std::string_view section,
                            const TextWindowSettings& settings, Sleeper& sleeper);

}  // namespace velmo
