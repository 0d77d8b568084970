#include "app/startup/seed.h"

#include <filesystem>
#include <system_error>

#include "store/folder_listing.h"
#include "store/line_file.h"
#include "store/marker_files.h"

namespace velmo {

namespace fs = std::filesystem;

namespace {

// Any of these means the folder has been used by the program (or by its sibling).
constexpr const char* kProgramFiles[] = {"localfol.myc", "kidou.myc", "torka.ini"};

bool usedByProgram(const FolderListing& listing) {
    for (const char* name : kProgramFiles) {
        if (listing.find(name))
            return true;
    }
    return false;
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

}  // namespace

std::vector<SeedFile> bundledSeedFiles() {
    std::vector<SeedFile> files;
    for (const BundledText& text : bundledSeedTexts())
        files.push_back({std::string(text.name), splitLines(text.text)});
    return files;
}

SeedOutcome seedStartFolder(const std::string& folder, const std::vector<SeedFile>& files,
                            Sleeper& sleeper) {
    // One listing answers every question about the folder; a missing one lists as empty.
    const FolderListing listing(folder);
    if (usedByProgram(listing))
        return SeedOutcome::NotNeeded;
    std::error_code error;
    fs::create_directories(fs::path(folder) / "Data" / "Files1", error);
    if (error)
        return SeedOutcome::Failed;
    const Retry retry{3, std::chrono::milliseconds(300)};
    for (const SeedFile& file : files) {
        if (listing.find(file.name))
            continue;
        if (writeLinesRetrying(fs::path(folder) / file.name, file.lines, retry, sleeper) !=
            WriteOutcome::Written) {
            return SeedOutcome::Failed;
        }
    }
    // The marker goes last: a seed cut short is completed by the next start.
    return writeLocalFolderMarker(folder, folder, sleeper) == ProfileFile::SaveOutcome::Saved
               ? SeedOutcome::Seeded
               : SeedOutcome::Failed;
}

SeedOutcome seedStartFolder(const std::string& folder, Sleeper& sleeper) {
    return seedStartFolder(folder, bundledSeedFiles(), sleeper);
}

}  // namespace velmo
