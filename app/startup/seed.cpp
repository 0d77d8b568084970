#include "app/startup/seed.h"

#include <filesystem>
#include <system_error>

#include "store/line_file.h"
#include "store/marker_files.h"

namespace velmo {

namespace fs = std::filesystem;

SeedOutcome seedStartFolderIfNew(const std::string& folder, const std::vector<SeedFile>& files,
                                 Sleeper& sleeper) {
    std::error_code error;
    if (fs::exists(folder, error) && !fs::is_empty(folder, error))
        return SeedOutcome::NotNeeded;
    if (error)
        return SeedOutcome::Failed;
    fs::create_directories(fs::path(folder) / "Data" / "Files1", error);
    if (error)
        return SeedOutcome::Failed;
    const Retry retry{3, std::chrono::milliseconds(300)};
    for (const SeedFile& file : files) {
        if (writeLinesRetrying(fs::path(folder) / file.name, file.lines, retry, sleeper) !=
            WriteOutcome::Written) {
            return SeedOutcome::Failed;
        }
    }
    return writeLocalFolderMarker(folder, folder, sleeper) == ProfileFile::SaveOutcome::Saved
               ? SeedOutcome::Seeded
               : SeedOutcome::Failed;
}

}  // namespace velmo
