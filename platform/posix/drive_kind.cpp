#include "platform/posix/drive_kind.h"

#include <array>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>
#include <vector>

namespace velmo::platform {

namespace {

std::string unescapeOctal(std::string_view text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size()) {
            const std::string_view digits = text.substr(i + 1, 3);
            if (digits.size() == 3 &&
                digits.find_first_not_of("01234567") == std::string_view::npos) {
                result += static_cast<char>(std::stoi(std::string(digits), nullptr, 8));
                i += 3;
                continue;
            }
        }
        result += text[i];
    }
    return result;
}

bool startsWithComponent(const std::string& path, const std::string& prefix) {
    if (prefix == "/")
        return !path.empty() && path.front() == '/';
    if (path.compare(0, prefix.size(), prefix) != 0)
        return false;
    return path.size() == prefix.size() || path[prefix.size()] == '/';
}

bool isOneOf(const std::string& value, std::initializer_list<std::string_view> names) {
    for (std::string_view name : names) {
        if (value == name)
            return true;
    }
    return false;
}

std::string readWholeFile(const std::filesystem::path& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool blockDeviceIsRemovable(const std::string& device) {
    // A partition has no "removable" file of its own; its parent disk has.
    const std::filesystem::path base = std::filesystem::path("/sys/dev/block") / device;
    for (const auto& candidate : {base / "removable", base / ".." / "removable"}) {
        const std::string value = readWholeFile(candidate);
        if (!value.empty())
            return value.front() == '1';
    }
    return false;
}

}  // namespace

std::vector<MountEntry> parseMountInfo(std::string_view text) {
    std::vector<MountEntry> mounts;
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::vector<std::string> parts{std::istream_iterator<std::string>(fields),
                                       std::istream_iterator<std::string>()};
        // id parent major:minor root mount-point options [optional...] - fstype source ...
        std::size_t separator = 6;
        while (separator < parts.size() && parts[separator] != "-")
            ++separator;
        if (parts.size() < 5 || separator + 1 >= parts.size())
            continue;
        mounts.push_back({unescapeOctal(parts[4]), parts[separator + 1], parts[2]});
    }
    return mounts;
}

const MountEntry* mountHolding(const std::vector<MountEntry>& mounts, const std::string& path) {
    const MountEntry* best = nullptr;
    for (const MountEntry& mount : mounts) {
        // Later entries with the same mount point hide earlier ones (over-mounts).
        if (startsWithComponent(path, mount.mountPoint) &&
            (!best || mount.mountPoint.size() >= best->mountPoint.size())) {
            best = &mount;
        }
    }
    return best;
}

std::string driveKindOf(const std::string& path, const std::vector<MountEntry>& mounts,
                        const std::function<bool(const std::string&)>& isRemovable) {
    if (path.starts_with("//") || path.starts_with("\\\\"))
        return "NETWORK";
    const MountEntry* mount = mountHolding(mounts, path);
    if (!mount)
        return "?";
    const std::string& fs = mount->fileSystem;
    if (isOneOf(fs, {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs", "fuse.gvfsd-fuse",
                     "fuse.kio-fuse"})) {
        return "NETWORK";
    }
    if (isOneOf(fs, {"iso9660", "udf"}))
        return "CDROM";
    if (isOneOf(fs, {"tmpfs", "ramfs"}))
        return "RAMDISK";
    if (startsWithComponent(mount->mountPoint, "/media") ||
        startsWithComponent(mount->mountPoint, "/run/media") || isRemovable(mount->device)) {
        return "REMOVABLE";
    }
    return "FIXED";
}

std::string driveKind(const std::filesystem::path& path) {
    const std::string text = path.string();
    if (text.starts_with("//") || text.starts_with("\\\\"))
        return "NETWORK";
    std::error_code error;
    // The folder may not exist yet; the nearest existing ancestor lies on the same mount.
    const std::filesystem::path absolute =
        std::filesystem::weakly_canonical(std::filesystem::absolute(path, error), error);
    if (error)
        return "?";
    std::string normal = absolute.string();
    while (normal.size() > 1 && normal.back() == '/')
        normal.pop_back();
    return driveKindOf(normal, parseMountInfo(readWholeFile("/proc/self/mountinfo")),
                       blockDeviceIsRemovable);
}

}  // namespace velmo::platform
