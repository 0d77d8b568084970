#include "app/startup/desktop_entries.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace velmo {

namespace fs = std::filesystem;

namespace {

constexpr const char* kEntryName = "velmo.desktop";

// Exec= arguments are quoted with double quotes, escaping the characters the
// desktop entry standard reserves inside them.
std::string quoted(const std::string& argument) {
    std::string result = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            result += '\\';
        result += c;
    }
    return result + "\"";
}

}  // namespace

std::string desktopEntryText(const std::string& executable, const std::string& startFolder,
                             bool givenStartFolder) {
    std::string exec = quoted(executable);
    if (givenStartFolder)
        exec += " --start-folder " + quoted(startFolder);
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=ベルモ - Velmo -\n"
           "Name[ja]=ベルモ\n"
           "Comment=Month calendar scheduler\n"
           "Comment[ja]=月間カレンダー形式のスケジューラー\n"
           "Exec=" +
           exec +
           "\n"
           "Terminal=false\n"
           "Categories=Office;Calendar;\n";
}

bool writeDesktopEntry(const std::string& folder, const std::string& text) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        return false;
    const fs::path target = fs::path(folder) / kEntryName;
    {
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush())
            return false;
    }
    fs::permissions(target, fs::perms::owner_exec, fs::perm_options::add, error);
    return true;
}

bool desktopEntryExists(const std::string& folder) {
    std::error_code error;
    return fs::exists(fs::path(folder) / kEntryName, error);
}

bool removeDesktopEntry(const std::string& folder) {
    std::error_code error;
    fs::remove(fs::path(folder) / kEntryName, error);
    return !desktopEntryExists(folder);
}

}  // namespace velmo
