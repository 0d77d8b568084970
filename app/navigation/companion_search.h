#pragma once
// Where the main window looks for its companion programs (the text editor, the print
// program and the clock), what it hands them, and the start-up shortcuts that tell it
// another program already looks after the clock.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

enum class Companion { Editor, Print, Clock };

struct CompanionNames {
    const char* file;    // "Ruvon.exe": found with or without ".exe", in any case
    const char* folder;  // its own folder under the shared places
    const char* shown;   // the name the user knows it by
};
const CompanionNames& companionNames(Companion companion);
inline const char* companionFileName(Companion companion) {
    return companionNames(companion).file;
}

struct CompanionPlaces {
    std::string startFolder;        // with trailing "/"
    std::string profileFolder;      // $HOME with trailing "/"
    std::string commonFilesFolder;  // $XDG_DATA_HOME with trailing "/"
    bool useUserFolder = false;     // the settings live in the user folder
};

// The folders searched for a companion, in order; PATH follows them. The drive root
// and the program files folder of old map to "/" and "/usr/". cbClock puts the start
// folder first for the clock.
std::vector<std::filesystem::path> companionFolders(Companion companion,
                                                    const CompanionPlaces& places, bool cbClock);

// Where the options dialog looks for the clock when its "start folder first" box is
// unchecked: the program files place, then, unless the user folder is in use, the
// common files place. The start folder itself is what the checked box looks at.
std::vector<std::filesystem::path> clockChoiceFolders(const CompanionPlaces& places);

// A start-up shortcut (an autostart ".desktop" entry, or a ".lnk" carried over) named
// `name` in the start-up folder.
bool startupShortcutExists(const std::string& startupFolder, std::string_view name);

inline constexpr const char* kTimeAdjustShortcut = "Orvan";
inline constexpr const char* kClockShortcut = "ベル時計";

// The editor's command for the memo: "CaMemo.myc," + common data folder +
// ",1,0,0,,,0,0,,," with every blank written as "_\Sp\_".
std::string editorMemoCommand(const std::string& commonFolder);

// The print program's arguments: the start folder, the data root (the start folder when
// blank), the current data folder and the settings folder. Each travels as one argument,
// so no path needs quoting.
std::vector<std::string> printCompanionArguments(const std::string& startFolder,
                                                 const std::string& dataRoot,
                                                 const std::string& currentDataFolder,
                                                 const std::string& settingsFolder);

inline constexpr const char* kPrintCompanionRunning =
    "「ベルプリン」が既に起動しています。\r\n一度、「ベルプリン」を終了させてください。";
inline constexpr const char* kPrintCompanionMissing =
    "「ベルプリン」が起動できません。\r\n「ベルプリン」の場所をチェックしてください。";

}  // namespace velmo
