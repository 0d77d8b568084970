#pragma once
// Facts about this computer and user, read the POSIX way.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace velmo::platform {

// VELMO_COMPUTER_NAME when set (lets tests and several users on one host act as
// different computers), else the host name. Empty when neither can be read.
std::string computerName();

// True when the computer name comes from VELMO_COMPUTER_NAME.
bool computerNameOverridden();

// The login name of the user running the program, empty when unknown.
std::string userName();

// $HOME, or the password database's home folder; empty when unknown.
std::filesystem::path homeFolder();

// $XDG_DATA_HOME or ~/.local/share.
std::filesystem::path dataHomeFolder();

// $XDG_CONFIG_HOME or ~/.config.
std::filesystem::path configHomeFolder();

// $XDG_STATE_HOME or ~/.local/state.
std::filesystem::path stateHomeFolder();

// $XDG_RUNTIME_DIR, or a private folder below /tmp when the session has none.
std::filesystem::path runtimeFolder();

// Free bytes available to this user on the file system holding the path.
std::optional<std::uintmax_t> freeDiskSpace(const std::filesystem::path& path);

// Value of an environment variable, empty when unset.
std::string environmentValue(const char* name);

}  // namespace velmo::platform
