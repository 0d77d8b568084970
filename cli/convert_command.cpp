#include "cli/convert_command.h"

#include <cstdio>
#include <filesystem>
#include <optional>

#include "backup/installation_conversion.h"
#include "backup/setup_backups.h"
#include "cli/tool_environment.h"
#include "store/profile_file.h"
#include "store/settings.h"
#include "store/settings_table.h"

namespace velmo {

namespace fs = std::filesystem;

namespace {

struct ConvertRequest {
    fs::path folder;
    fs::path dataFolder;
    bool backups = true;
};

std::optional<ConvertRequest> parseConvert(const std::vector<std::string>& arguments) {
    ConvertRequest request;
    std::vector<std::string> plain;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--data" && i + 1 < arguments.size())
            request.dataFolder = fs::absolute(arguments[++i]);
        else if (a == "--no-backup")
            request.backups = false;
        else if (a.starts_with("--"))
            return std::nullopt;
        else
            plain.push_back(a);
    }
    if (plain.size() != 1)
        return std::nullopt;
    request.folder = fs::absolute(plain[0]).lexically_normal();
    if (!request.folder.has_filename())
        request.folder = request.folder.parent_path();
    return request;
}

}  // namespace

int runConvertFolderCommand(const std::string& startFolder,
                            const std::vector<std::string>& arguments, UserInterface& ui) {
    const std::optional<ConvertRequest> request = parseConvert(arguments);
    if (!request) {
        std::fputs("Usage: velmo-tool convert-folder DIR [--data FOLDER] [--no-backup]\n", stderr);
        return 2;
    }
    ThreadSleeper sleeper;
    const ToolClock clock;
    const ProfileFile settings =
        ProfileFile::load(request->folder / "Torka.ini", kSettingsRetry, sleeper);
    const std::optional<int> format = installedDataFormat(
        request->folder, settings.readInt(settings_table::kSet2, "yDataForm", 1), ui);
    if (!format)
        return 1;
    if (*format == 2) {
        std::puts("the folder is in data format 2 already");
        return 0;
    }
    const fs::path backupRoot = safeguardFolder(startFolder);
    if (request->backups &&
        !backupsBeforeOverwriteSetup({request->folder, request->dataFolder, backupRoot}, clock,
                                     sleeper, ui))
        return 1;
    const InstallationConversion outcome = convertInstallationToFormat2(
        request->folder, request->dataFolder, backupRoot, clock, sleeper, ui);
    if (outcome != InstallationConversion::Converted)
        return 1;
    // The installation's settings say what it is now, as the program writes at its exit.
    if (!updateSettingsFile(request->folder / "Torka.ini", sleeper, [](ProfileFile& file) {
            file.writeInt(settings_table::kSet2, "yDataForm", 2);
        }))
        std::fputs("velmo-tool: yDataForm=2 could not be written to Torka.ini\n", stderr);
    return 0;
}

}  // namespace velmo
