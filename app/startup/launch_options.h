#pragma once
// The program's command line: the Linux start-folder option and the switches
// "/2", "/F", "/J", "/D1", "/D2", "/D3" and "/DN".

#include <optional>
#include <string>
#include <vector>

namespace velmo {

struct LaunchOptions {
    std::optional<std::string> startFolder;  // --start-folder DIR
    bool ignoreRunningCopy = false;          // /2
    bool firstNetworkSetup = false;          // /F
    int autoResidentSeconds = 0;             // /J, 0 = no countdown
    std::string deleteFile;                  // /D1: deleted silently at the first showing
    std::string offerArchiveDeletion;        // /D2
    std::string offerWorkFolderDeletion;     // /D3
    std::string sharedFolderOverride;        // /DN
    bool showHelp = false;
    bool showVersion = false;
    // --quit-after-first-paint: ends the run, without saving, once the month view has
    // painted for the first time. For start-up benchmarks only.
    bool quitAfterFirstPaint = false;

    bool deletionsPending() const {
        return !deleteFile.empty() || !offerArchiveDeletion.empty() ||
               !offerWorkFolderDeletion.empty();
    }
};

// Longest path a deletion or folder switch accepts; a longer argument is ignored.
inline constexpr std::size_t kMaxSwitchPathLength = 250;

// Reads the arguments after the program name. Switches compare case-insensitively on
// their own length; anything unrecognised is ignored.
LaunchOptions parseLaunchOptions(const std::vector<std::string>& arguments);

}  // namespace velmo
