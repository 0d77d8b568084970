#pragma once
// Companion programs the user started by hand are found among the running processes by
// their executable name, the way the Windows program found their windows.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmo::platform {

// The program name as compared: ASCII lower case, without a trailing ".exe".
std::string companionKey(std::string_view name);

// The processes of the current user whose executable is `name`, compared
// case-insensitively with or without ".exe" against /proc/PID/comm, the base name of
// /proc/PID/exe and of the first argument in /proc/PID/cmdline. Ended processes that
// wait to be reaped do not count.
std::vector<int> processesNamed(std::string_view name);

// True while the process exists and has not ended.
bool processRunning(int pid);

// Sends SIGTERM, the close request of a companion; false when it could not be sent.
bool requestClose(int pid);

// The first folder holding a regular executable file named `fileName` (case-insensitive,
// with or without ".exe": "Ruvon.exe" finds "ruvon" and "Ruvon.exe"), then the folders
// of `pathVariable` (colon-separated, as $PATH).
std::optional<std::filesystem::path> findCompanion(
    std::string_view fileName, const std::vector<std::filesystem::path>& folders,
    std::string_view pathVariable);

// The same with the folders of this process's $PATH.
std::optional<std::filesystem::path> findCompanion(
    std::string_view fileName, const std::vector<std::filesystem::path>& folders);

}  // namespace velmo::platform
