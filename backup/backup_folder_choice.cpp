#include "backup/backup_folder_choice.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "store/file_helpers.h"

namespace velmo {

namespace fs = std::filesystem;

namespace {

std::string lowerAscii(std::string text) {
    std::ranges::transform(text, text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isFolder(const fs::path& path) {
    std::error_code ignored;
    return fs::is_directory(path, ignored);
}

}  // namespace

std::optional<fs::path> saveDestinationFolder(const fs::path& chosen, UserInterface& ui) {
    if (lowerAscii(chosen.string()).find(lowerAscii(kBackupSubfolder)) != std::string::npos)
        return chosen;
    fs::path below = chosen / kBackupSubfolder;
    if (isFolder(below))
        return below;
    if (!ask(ui, "指定されたフォルダーに<\\Velmobak\\>のフォルダを\r\n付け加えますか？",
             DefaultButton::Yes))
        return chosen;
    if (!createFolderChain(below)) {
        ui.message("フォルダを作成できませんでした。\r\n中止します。");
        return std::nullopt;
    }
    return below;
}

fs::path restoreSourceFolder(const fs::path& chosen, UserInterface& ui) {
    fs::path below = chosen / kBackupSubfolder;
    if (isFolder(below) &&
        ask(ui, "指定されたフォルダーに<\\Velmobak\\>を\r\n付け加えますか？", DefaultButton::Yes))
        return below;
    return chosen;
}

}  // namespace velmo
