#include "platform/posix/process_scan.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

namespace velmo::platform {

namespace fs = std::filesystem;

namespace {

std::string readSmallFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string baseName(std::string_view path) {
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

// The state letter of /proc/PID/stat; the command name before it may hold blanks and
// parentheses, so the last ')' ends it.
char processState(int pid) {
    const std::string stat = readSmallFile("/proc/" + std::to_string(pid) + "/stat");
    const auto close = stat.rfind(')');
    if (close == std::string::npos || close + 2 >= stat.size())
        return '\0';
    return stat[close + 2];
}

bool ownedByUs(const fs::path& processFolder) {
    struct stat info {};
    return ::stat(processFolder.c_str(), &info) == 0 && info.st_uid == ::getuid();
}

bool namesMatch(int pid, const std::string& key) {
    const fs::path folder = "/proc/" + std::to_string(pid);
    std::string comm = readSmallFile(folder / "comm");
    if (!comm.empty() && comm.back() == '\n')
        comm.pop_back();
    if (companionKey(comm) == key)
        return true;
    std::error_code error;
    const fs::path exe = fs::read_symlink(folder / "exe", error);
    if (!error && companionKey(baseName(exe.native())) == key)
        return true;
    // The arguments are separated by NUL bytes: the first one ends at the first NUL.
    const std::string cmdline = readSmallFile(folder / "cmdline");
    const std::string argv0 = cmdline.substr(0, cmdline.find('\0'));
    return !argv0.empty() && companionKey(baseName(argv0)) == key;
}

bool isExecutableFile(const fs::path& file) {
    std::error_code error;
    return fs::is_regular_file(file, error) && ::access(file.c_str(), X_OK) == 0;
}

// The matching file in one folder; an exact spelling wins over other spellings.
std::optional<fs::path> companionIn(const fs::path& folder, std::string_view fileName,
                                    const std::string& key) {
    if (folder.empty())
        return std::nullopt;
    const fs::path exact = folder / fileName;
    if (isExecutableFile(exact))
        return exact;
    std::error_code error;
    std::vector<fs::path> hits;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (companionKey(it->path().filename().native()) == key && isExecutableFile(it->path()))
            hits.push_back(it->path());
    }
    if (hits.empty())
        return std::nullopt;
    return *std::min_element(hits.begin(), hits.end());
}

}  // namespace

std::string companionKey(std::string_view name) {
    std::string key(name);
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    if (key.size() > 4 && key.ends_with(".exe"))
        key.resize(key.size() - 4);
    return key;
}

std::vector<int> processesNamed(std::string_view name) {
    const std::string key = companionKey(name);
    std::vector<int> found;
    if (key.empty())
        return found;
    std::error_code error;
    for (fs::directory_iterator it("/proc", error), end; !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().native();
        if (entry.empty() || !std::all_of(entry.begin(), entry.end(), ::isdigit))
            continue;
        const int pid = std::atoi(entry.c_str());
        if (pid == ::getpid() || !ownedByUs(it->path()) || !namesMatch(pid, key))
            continue;
        if (processRunning(pid))
            found.push_back(pid);
    }
    std::sort(found.begin(), found.end());
    return found;
}

bool processRunning(int pid) {
    if (pid <= 0)
        return false;
    if (::kill(pid, 0) != 0 && errno != EPERM)
        return false;
    const char state = processState(pid);
    return state != 'Z' && state != 'X';
}

bool requestClose(int pid) {
    // 0 and negative numbers would signal whole process groups.
    return pid > 0 && ::kill(pid, SIGTERM) == 0;
}

std::optional<fs::path> findCompanion(std::string_view fileName,
                                      const std::vector<fs::path>& folders,
                                      std::string_view pathVariable) {
    const std::string key = companionKey(fileName);
    if (key.empty())
        return std::nullopt;
    for (const fs::path& folder : folders) {
        if (auto hit = companionIn(folder, fileName, key))
            return hit;
    }
    while (!pathVariable.empty()) {
        const auto colon = pathVariable.find(':');
        const std::string_view entry = pathVariable.substr(0, colon);
        // An empty entry of $PATH means the current folder; companions are not taken from there.
        if (!entry.empty()) {
            if (auto hit = companionIn(fs::path(entry), fileName, key))
                return hit;
        }
        if (colon == std::string_view::npos)
            break;
        pathVariable.remove_prefix(colon + 1);
    }
    return std::nullopt;
}

std::optional<fs::path> findCompanion(std::string_view fileName,
                                      const std::vector<fs::path>& folders) {
    const char* path = std::getenv("PATH");
    return findCompanion(fileName, folders, path == nullptr ? "" : path);
}

}  // namespace velmo::platform
