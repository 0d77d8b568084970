#include "app/navigation/companion_search.h"

#include <system_error>

#include "store/text_helpers.h"

namespace velmo {

namespace {

namespace fs = std::filesystem;

const fs::path kProgramFilesNorv("/usr/Norv");

fs::path commonFilesClockFolder(const CompanionPlaces& places) {
    return fs::path(places.commonFilesFolder) / "Norv" / "VelClock";
}

bool pathExists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

}  // namespace

const CompanionNames& companionNames(Companion companion) {
    static const CompanionNames kNames[] = {{"Ruvon.exe", "Ruvon", "ルボン"},
                                            {"Velprin.exe", "Velprin", "ベルプリン"},
                                            {"Velclock.exe", "Velclock", "ベル時計"}};
    return kNames[static_cast<int>(companion)];
}

std::vector<fs::path> companionFolders(Companion companion, const CompanionPlaces& places,
                                       bool cbClock) {
    const std::string name = companionNames(companion).folder;
    const fs::path start(places.startFolder);
    const fs::path profile(places.profileFolder);
    if (companion != Companion::Clock) {
        return {fs::path("/AppFiles") / name, profile / "AppFiles" / name, kProgramFilesNorv / name,
                start, start / name};
    }
    std::vector<fs::path> shared{profile / "AppFiles" / name, kProgramFilesNorv / name};
    if (!cbClock || !places.useUserFolder)
        shared.push_back(commonFilesClockFolder(places));
    if (cbClock)
        shared.insert(shared.begin(), start);
    else
        shared.push_back(start);
    return shared;
}

std::vector<fs::path> clockChoiceFolders(const CompanionPlaces& places) {
    std::vector<fs::path> folders{kProgramFilesNorv / companionNames(Companion::Clock).folder};
    if (!places.useUserFolder)
        folders.push_back(commonFilesClockFolder(places));
    return folders;
}

bool startupShortcutExists(const std::string& startupFolder, std::string_view name) {
    if (startupFolder.empty())
        return false;
    const fs::path folder(startupFolder);
    return pathExists(folder / (std::string(name) + ".desktop")) ||
           pathExists(folder / (std::string(name) + ".lnk"));
}

std::string editorMemoCommand(const std::string& commonFolder) {
    return spaceEncode("CaMemo.myc," + commonFolder + ",1,0,0,,,0,0,,,");
}

std::vector<std::string> printCompanionArguments(const std::string& startFolder,
                                                 const std::string& dataRoot,
                                                 const std::string& currentDataFolder,
                                                 const std::string& settingsFolder) {
    const std::string root = trimSpaces(dataRoot);
    return {"/K=" + startFolder, "/D=" + (root.empty() ? startFolder : root),
            "/D2=" + currentDataFolder, "/S=" + trimSpaces(settingsFolder)};
}

}  // namespace velmo
