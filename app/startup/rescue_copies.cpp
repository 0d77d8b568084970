#include "app/startup/rescue_copies.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <system_error>

namespace velmo {

namespace fs = std::filesystem;

namespace {

// The state folder is local: a short retry covers a passing hiccup.
constexpr Retry kRescueRetry{3, std::chrono::milliseconds(100)};
constexpr const char* kNoticeRecord = ".pending-notice";
// Folders of one second beyond this are not worth telling apart.
constexpr int kMaxFoldersPerSecond = 100;

std::string timeStamp(const LocalDateTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return text;
}

// A folder nobody else made: create_directory fails for an existing one.
std::optional<fs::path> newFolder(const fs::path& root, const std::string& stamp) {
    std::error_code error;
    fs::create_directories(root, error);
    for (int n = 1; n <= kMaxFoldersPerSecond; ++n) {
        const fs::path folder = root / (n == 1 ? stamp : stamp + "-" + std::to_string(n));
        if (fs::create_directory(folder, error))
            return folder;
        if (error)
            return std::nullopt;
    }
    return std::nullopt;
}

LineList readRecord(const fs::path& record) {
    LineList folders;
    std::ifstream in(record);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty())
            folders.push_back(line);
    }
    return folders;
}

}  // namespace

fs::path rescueRoot(const fs::path& stateHome) {
    return stateHome / "velmo" / "rescue";
}

std::optional<std::string> writeRescueCopies(const std::vector<RescueFile>& files,
                                             const fs::path& root, const Clock& clock,
                                             Sleeper& sleeper) {
    if (files.empty() || root.empty())
        return std::nullopt;
    const std::optional<fs::path> folder = newFolder(root, timeStamp(clock.now()));
    if (!folder)
        return std::nullopt;
    bool complete = true;
    for (const RescueFile& file : files) {
        complete = writeLinesRetrying(*folder / file.name, file.lines, kRescueRetry, sleeper) ==
                       WriteOutcome::Written &&
                   complete;
    }
    if (!complete)
        return std::nullopt;
    return folder->string() + "/";
}

bool recordRescueNotice(const fs::path& root, const std::string& folder, Sleeper& sleeper) {
    if (root.empty())
        return false;
    const fs::path record = root / kNoticeRecord;
    std::string text;
    for (const std::string& earlier : readRecord(record))
        text += earlier + "\n";
    text += folder + "\n";
    std::error_code error;
    fs::create_directories(root, error);
    return writeFileAtomically(record, text, kRescueRetry, sleeper);
}

std::vector<std::string> takeRescueNotices(const fs::path& root) {
    if (root.empty())
        return {};
    const fs::path record = root / kNoticeRecord;
    const LineList folders = readRecord(record);
    std::error_code error;
    if (!fs::remove(record, error) || error)
        return {};
    std::vector<std::string> existing;
    for (const std::string& folder : folders) {
        if (fs::is_directory(folder, error))
            existing.push_back(folder);
    }
    return existing;
}

std::string rescuedText(const std::string& folder) {
    return "保存できなかった予定を" + folder + "に退避しました。";
}

std::string rescueNoticeText(const std::string& folder) {
    return "前回の終了時に" + rescuedText(folder);
}

}  // namespace velmo
