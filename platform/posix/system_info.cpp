#include "platform/posix/system_info.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace velmo::platform {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

bool computerNameOverridden() {
    return !environmentValue("VELMO_COMPUTER_NAME").empty();
}

std::string computerName() {
    std::string name = environmentValue("VELMO_COMPUTER_NAME");
    if (name.empty()) {
        char buffer[256] = {};
        if (gethostname(buffer, sizeof buffer - 1) == 0)
            name = buffer;
    }
    // The name is stored in files that hold at most 128 characters of it.
    if (name.size() > 128)
        name.resize(128);
    return name;
}

namespace {

const passwd* ownPasswordEntry() {
    return getpwuid(getuid());
}

}  // namespace

std::string userName() {
    const passwd* entry = ownPasswordEntry();
    return entry && entry->pw_name ? std::string(entry->pw_name) : std::string();
}

std::filesystem::path homeFolder() {
    std::string home = environmentValue("HOME");
    if (home.empty()) {
        const passwd* entry = ownPasswordEntry();
        if (entry && entry->pw_dir)
            home = entry->pw_dir;
    }
    return home;
}

namespace {

std::filesystem::path xdgFolder(const char* variable, const char* fallbackBelowHome) {
    const std::string value = environmentValue(variable);
    // The XDG rules ignore relative values.
    if (!value.empty() && value.front() == '/')
        return value;
    return homeFolder() / fallbackBelowHome;
}

}  // namespace

std::filesystem::path dataHomeFolder() {
    return xdgFolder("XDG_DATA_HOME", ".local/share");
}

std::filesystem::path configHomeFolder() {
    return xdgFolder("XDG_CONFIG_HOME", ".config");
}

std::filesystem::path stateHomeFolder() {
    return xdgFolder("XDG_STATE_HOME", ".local/state");
}

std::filesystem::path runtimeFolder() {
    const std::string value = environmentValue("XDG_RUNTIME_DIR");
    if (!value.empty() && value.front() == '/')
        return value;
    std::filesystem::path fallback =
        std::filesystem::temp_directory_path() / ("velmo-runtime-" + std::to_string(getuid()));
    // Private to the user, like a real runtime folder; a folder someone else made
    // there is not ours to use.
    mkdir(fallback.c_str(), 0700);
    struct stat info {};
    if (stat(fallback.c_str(), &info) == 0 && info.st_uid == getuid())
        return fallback;
    std::filesystem::path own = homeFolder() / ".cache" / "velmo-runtime";
    std::error_code ignored;
    std::filesystem::create_directories(own, ignored);
    chmod(own.c_str(), 0700);
    return own;
}

std::optional<std::uintmax_t> freeDiskSpace(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::space_info info = std::filesystem::space(path, error);
    if (error)
        return std::nullopt;
    return info.available;
}

}  // namespace velmo::platform
