#include "app/startup/start_folders.h"

#include "app/startup/rescue_copies.h"

#include <filesystem>
#include <system_error>

#include "backup/folder_name_encoding.h"
#include "platform/posix/drive_kind.h"
#include "platform/posix/system_info.h"
#include "store/file_helpers.h"
#include "store/folder_listing.h"
#include "store/marker_files.h"

namespace velmo {

namespace fs = std::filesystem;

StartLocation resolveStartLocation(const std::optional<std::string>& optionFolder,
                                   const std::string& velmoHome, const std::string& dataHome) {
    StartLocation location;
    std::string chosen;
    if (optionFolder && !optionFolder->empty()) {
        chosen = *optionFolder;
    } else if (!velmoHome.empty()) {
        chosen = velmoHome;
    }
    if (!chosen.empty()) {
        location.given = true;
        std::error_code ignored;
        location.folder =
            withTrailingSeparator(fs::absolute(chosen, ignored).lexically_normal().string());
    } else {
        location.folder = withTrailingSeparator(dataHome) + "velmo/";
    }
    return location;
}

namespace {

bool isInside(const std::string& folder, const std::string& parent) {
    return !parent.empty() && folder.size() >= parent.size() &&
           folder.compare(0, parent.size(), parent) == 0;
}

}  // namespace

UserFolderChoice userFolderOf(const MachineFacts& facts) {
    if (facts.appDataFolder.empty())
        return {facts.start.folder, false};
    return {facts.appDataFolder + "AppFiles/Torka/" + encodeFolderName(facts.start.folder) + "/",
            isInside(facts.start.folder, facts.profileFolder)};
}

std::string safeguardFolderOf(const MachineFacts& facts) {
    const UserFolderChoice user = userFolderOf(facts);
    return user.used ? user.folder + "SafeGuard/" : facts.dataHomeFolder + "Norv/Torka/SafeGuard/";
}

StartMarkers readStartMarkers(const std::string& startFolder) {
    const FolderListing listing(startFolder);
    return {listing.containsAny("localfol.myc"), listing.containsAny("Kidou.myc")};
}

MachineFacts readMachineFacts(const StartLocation& start, const StartMarkers& markers) {
    MachineFacts facts;
    facts.start = start;
    facts.markers = markers;
    // The default folder is the user's own local data; only a folder named explicitly
    // may be a network share or a stick worth measuring.
    facts.startDriveKind = start.given ? platform::driveKind(start.folder) : "FIXED";
    const fs::path home = platform::homeFolder();
    facts.profileFolder = home.empty() ? std::string() : withTrailingSeparator(home.string());
    facts.appDataFolder = withTrailingSeparator(platform::configHomeFolder().string());
    facts.dataHomeFolder = withTrailingSeparator(platform::dataHomeFolder().string());
    // Without a home folder the fallback would be relative to wherever the program runs.
    const fs::path state = platform::stateHomeFolder();
    facts.stateHomeFolder = state.is_absolute() ? withTrailingSeparator(state.string()) : "";
    facts.computerName = platform::computerName();
    return facts;
}

StartFolders resolveStartFolders(const MachineFacts& facts, Sleeper& sleeper) {
    StartFolders folders;
    folders.startFolder = facts.start.folder;
    folders.startFolderGiven = facts.start.given;
    folders.startDriveKind = facts.startDriveKind;
    folders.startedFromCdrom = facts.startDriveKind == "CDROM";
    folders.startedFromNetwork = facts.startDriveKind == "NETWORK";
    folders.startedFromRemovable = facts.startDriveKind == "REMOVABLE";
    folders.profileFolder = facts.profileFolder.empty() ? facts.start.folder : facts.profileFolder;
    folders.computerName = facts.computerName;

    const UserFolderChoice user = userFolderOf(facts);
    folders.userFolder = user.folder;
    folders.useUserFolder = user.used;

    folders.startMarker = facts.start.folder + "Kidou.myc";
    const bool startMarkerExists = facts.markers.start;

    if (facts.markers.localFolder || folders.startedFromRemovable) {
        folders.localOperation = true;
        folders.firstRun = readAndResetFirstRun(facts.start.folder, sleeper);
        if (folders.startedFromNetwork) {
            folders.firstRun = startMarkerExists ? false : !folders.firstRun;
        }
        std::error_code ignored;
        if (!fs::is_directory(facts.start.folder + "Data", ignored))
            folders.firstRun = true;
    }

    folders.settingsFolder = facts.start.folder;
    if (folders.startedFromNetwork && startMarkerExists) {
        folders.settingsFolder = folders.userFolder;
        std::error_code ignored;
        fs::create_directories(folders.settingsFolder, ignored);
    }

    folders.commonFilesFolder = facts.dataHomeFolder;
    folders.safeguardFolder = safeguardFolderOf(facts);
    folders.settingsFile = folders.settingsFolder + "Torka.ini";
    folders.rightsFile = folders.settingsFolder + "velnetid.myc";
    folders.startupFolder = facts.appDataFolder + "autostart/";
    if (!facts.stateHomeFolder.empty())
        folders.rescueFolder = withTrailingSeparator(rescueRoot(facts.stateHomeFolder).string());
    return folders;
}

}  // namespace velmo
