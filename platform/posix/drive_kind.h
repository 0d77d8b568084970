#pragma once
// The kind of drive a folder lies on, told from the file system of its mount:
// "FIXED", "REMOVABLE", "NETWORK", "CDROM", "RAMDISK" or "?".

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace velmo::platform {

// One mount as /proc/self/mountinfo describes it.
struct MountEntry {
    std::string mountPoint;
    std::string fileSystem;
    std::string device;  // "major:minor"
};

// Parses the text of /proc/self/mountinfo, unescaping octal escapes in mount points.
std::vector<MountEntry> parseMountInfo(std::string_view text);

// The mount holding an absolute, normalised path: the longest mount point that is a
// whole-component prefix of it. Null when none matches.
const MountEntry* mountHolding(const std::vector<MountEntry>& mounts, const std::string& path);

// Classifies a path with the given mounts; isRemovable tells whether a block device
// ("major:minor") is removable.
std::string driveKindOf(const std::string& path, const std::vector<MountEntry>& mounts,
                        const std::function<bool(const std::string&)>& isRemovable);

// Classifies a path on this machine.
std::string driveKind(const std::filesystem::path& path);

}  // namespace velmo::platform
