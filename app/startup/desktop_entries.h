#pragma once
// Shortcuts on Linux desktops are ".desktop" files: on the desktop, in the applications
// menu and in the autostart folder.

#include <string>

namespace velmo {

// The text of a ".desktop" entry that starts the program from its start folder.
std::string desktopEntryText(const std::string& executable, const std::string& startFolder,
                             bool givenStartFolder);

// Writes the entry as folder + "velmo.desktop" (UTF-8, as the desktop standard wants),
// creating the folder. False when it could not be written.
bool writeDesktopEntry(const std::string& folder, const std::string& text);

// True when folder + "velmo.desktop" exists.
bool desktopEntryExists(const std::string& folder);

// Removes folder + "velmo.desktop"; true when it is gone afterwards.
bool removeDesktopEntry(const std::string& folder);

}  // namespace velmo
