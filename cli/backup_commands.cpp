#include "cli/backup_commands.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "app/startup/start_folders.h"
#include "backup/automatic_backup.h"
#include "backup/generation_copy.h"
#include "calendar/julius_day.h"
#include "calendar/julius_error.h"
#include "cli/start_folder_settings.h"
#include "cli/tool_environment.h"
#include "platform/posix/system_info.h"
#include "store/data_folders.h"
#include "store/settings.h"
#include "store/settings_table.h"

namespace velmo {

namespace {

std::optional<int> generationsArgument(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        return kAutomaticBackupGenerations;
    if (arguments.size() != 2 || arguments[0] != "--generations")
        return std::nullopt;
    char* end = nullptr;
    const long value = std::strtol(arguments[1].c_str(), &end, 10);
    if (arguments[1].empty() || *end != '\0' || value < 0 || value > 99)
        return std::nullopt;
    return static_cast<int>(value);
}

}  // namespace

int runBackupCommand(const std::string& startFolder, const std::vector<std::string>& arguments,
                     UserInterface& ui) {
    const std::optional<int> generations = generationsArgument(arguments);
    if (!generations) {
        std::fputs("Usage: velmo-tool backup [--generations N]\n", stderr);
        return 2;
    }
    ThreadSleeper sleeper;
    const ToolClock clock;
    TorkaSettings settings = startFolderSettings(startFolder, sleeper);
    const DataFolders folders = decideDataFolders(settings.data.edFolder, startFolder,
                                                  settings.yDataForm, folderExistsOnDisk);
    const AutomaticBackupInputs inputs{.dataFormat = folders.dataFormat,
                                       .commonDataFolder = folders.commonFolder,
                                       .startFolder = startFolder,
                                       .backupRoot = safeguardFolder(startFolder),
                                       .today = dateTimeToJuliusDay(clock.today()),
                                       .generations = *generations,
                                       .settings = settings.backup};
    const AutomaticBackupOutcome outcome = runAutomaticBackup(inputs, ui, clock, sleeper);
    const int backupDay = settings.backup.BackupDay;
    const bool saved = updateSettingsFile(startFolder + "Torka.ini", sleeper, [&](ProfileFile& f) {
        f.writeInt(settings_table::kKanri, "BackupDay", backupDay);
    });
    if (!saved)
        std::fprintf(stderr, "velmo-tool: BackupDay could not be written to %sTorka.ini\n",
                     startFolder.c_str());
    if (outcome == AutomaticBackupOutcome::AlreadyToday)
        std::puts("today's backup exists already");
    return outcome == AutomaticBackupOutcome::Failed ? 1 : 0;
}

int runBackupsCommand(const std::string& startFolder) {
    for (const GenerationInfo& info :
         listGenerations(safeguardFolder(startFolder), kAutomaticBackupBaseName)) {
        std::string line = info.folder.filename().string();
        if (info.markerDate) {
            char date[32];
            std::snprintf(date, sizeof date, "  %04d/%02d/%02d", info.markerDate->year,
                          info.markerDate->month, info.markerDate->day);
            line += date;
        }
        std::puts(line.c_str());
    }
    return std::ferror(stdout) ? 1 : 0;
}

}  // namespace velmo
