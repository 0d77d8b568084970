#pragma once
// Whether a folder on a network share exists, without ever hanging the caller: on a
// dead hard NFS or CIFS mount a plain stat waits for the server forever.

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

namespace velmo {

// The underlying test; it must be safe to run on another thread.
using ExistenceTest = std::function<bool(const std::filesystem::path&)>;

inline constexpr std::chrono::milliseconds kFolderProbeTimeout{3000};

// A folder (or a link to one) at that path; false on any error.
bool folderExists(const std::filesystem::path& folder);

// Runs the test on a helper thread and waits at most timeout for it. A test that takes
// longer counts as absent; its thread is left to finish on its own and touches nothing
// of the caller's. While too many earlier probes are still stuck, answers absent at once
// instead of starting yet another thread.
bool folderReachable(const std::filesystem::path& folder,
                     std::chrono::milliseconds timeout = kFolderProbeTimeout,
                     const ExistenceTest& test = folderExists);

// folderReachable with its defaults, in the form the folder decisions take (FolderExists).
bool folderReachableText(const std::string& folder);

// Probes started whose test has not returned yet.
int folderProbesInFlight();

}  // namespace velmo
