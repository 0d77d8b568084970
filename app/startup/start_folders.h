#pragma once
// Where the program finds its files: the start folder and everything resolved from it
// when the main window is created. Folder texts end with "/".

#include <optional>
#include <string>
#include <vector>

#include "core/clock.h"

namespace velmo {

struct StartLocation {
    std::string folder;  // with trailing "/"
    bool given = false;  // from --start-folder or VELMO_HOME rather than the default
};

// --start-folder wins over VELMO_HOME, which wins over $XDG_DATA_HOME/velmo/.
// Relative folders are taken from the current directory once, here.
StartLocation resolveStartLocation(const std::optional<std::string>& optionFolder,
                                   const std::string& velmoHome, const std::string& dataHome);

// Which marker files the start folder holds, found ignoring case.
struct StartMarkers {
    bool localFolder = false;  // "localfol.myc": local operation
    bool start = false;        // "Kidou.myc"
};

// Looks both markers up in one listing of the start folder. The process entry reads them
// once for its own decision and hands them on, again only after seeding a new folder.
StartMarkers readStartMarkers(const std::string& startFolder);

// What the machine reports, gathered by the caller so the decisions below stay testable.
struct MachineFacts {
    StartLocation start;
    StartMarkers markers;
    std::string startDriveKind;   // "FIXED", "REMOVABLE", "NETWORK", "CDROM", "RAMDISK", "?"
    std::string profileFolder;    // $HOME, with trailing "/" (empty when unknown)
    std::string appDataFolder;    // $XDG_CONFIG_HOME, with trailing "/" (empty when unknown)
    std::string dataHomeFolder;   // $XDG_DATA_HOME, with trailing "/"
    std::string stateHomeFolder;  // $XDG_STATE_HOME, with trailing "/" (empty when unknown)
    std::string computerName;
};

struct StartFolders {
    std::string startFolder;
    bool startFolderGiven = false;  // named on the command line or by VELMO_HOME
    std::string startDriveKind;
    bool startedFromCdrom = false;
    bool startedFromNetwork = false;
    bool startedFromRemovable = false;
    std::string profileFolder;
    std::string userFolder;
    bool useUserFolder = false;
    std::string computerName;
    bool localOperation = false;
    bool firstRun = false;
    std::string settingsFolder;
    std::string settingsFile;
    std::string rightsFile;
    std::string startMarker;
    std::string safeguardFolder;
    std::string commonFilesFolder;
    std::string startupFolder;
    // Where edits that could not be saved are put when the run must end anyway; empty
    // when there is no such place.
    std::string rescueFolder;
};

// Resolves the folders and decides local operation and the first run, reading (and
// resetting) the first-run request of "localfol.myc" and creating the user folder when
// the settings live there.
StartFolders resolveStartFolders(const MachineFacts& facts, Sleeper& sleeper);

// The per-user folder of a start folder and whether its settings live there (a start
// folder inside the home folder).
struct UserFolderChoice {
    std::string folder;
    bool used = false;
};
UserFolderChoice userFolderOf(const MachineFacts& facts);

// The safeguard folder, the root of the program's backups: below the user folder when
// that is used, else below the common files folder.
std::string safeguardFolderOf(const MachineFacts& facts);

// Gathers the facts of this machine for the given start location and its markers.
MachineFacts readMachineFacts(const StartLocation& start, const StartMarkers& markers);

}  // namespace velmo
