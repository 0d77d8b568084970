#include "backup/period_backups.h"

#include "store/memo_file.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <system_error>
#include <vector>

#include "store/file_helpers.h"
#include "store/profile_file.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace velmo {
namespace {

constexpr Retry kBackupRetry{10, 500ms};
// The memo file of the common data folder, copied with every period backup.
constexpr std::size_t kBackupNameLength = 12;  // "CaFT" + 4 + ".mcp"

using Names = std::array<std::string, 3>;

Names namesOf(const DataKeys& keys) {
    return {keys.CaFT1, keys.CaFT2, keys.CaFT3};
}

bool sameName(std::string_view a, std::string_view b) {
    return equalsIgnoringAsciiCase(a, b);
}

bool isOneOf(std::string_view name, const std::vector<std::string>& names) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& n) { return !n.empty() && sameName(name, n); });
}

// Names come from the settings file, which anyone can edit: only a bare name of our
// own kind is ever turned into a path to delete.
bool isDeletableName(std::string_view name, const char* mask) {
    return name.find('/') == std::string_view::npos && name.find('\\') == std::string_view::npos &&
           matchesMask(name, mask);
}

bool before(const Ymd& a, const Ymd& b) {
    if (a.year != b.year)
        return a.year < b.year;
    if (a.month != b.month)
        return a.month < b.month;
    return a.day < b.day;
}

// Deletes folder/name (spelled as on disk); true when nothing is left of it.
bool deleteNamed(const fs::path& folder, std::string_view name, fs::path& shown) {
    shown = folder / name;
    const std::optional<fs::path> found = findCaseInsensitive(folder, name);
    if (!found)
        return true;
    shown = *found;
    std::error_code ec;
    fs::remove(*found, ec);
    return !ec;
}

// Removes the generation that dropped out of the names, with its memo copy.
void deleteDroppedGeneration(const std::string& name, const std::string& dataFolder,
                             const std::string& commonFolder, UserInterface& ui) {
    fs::path shown;
    if (!deleteNamed(dataFolder, name, shown))
        informMain(ui, "旧期間ファイルを削除できません。\r\n" + shown.string());
    const std::string memoName = memoBackupNameFor(name);
    if (!memoName.empty() && !deleteNamed(commonFolder, memoName, shown))
        informMain(ui, "旧メモファイルを削除できません。\r\n" + shown.string());
}

}  // namespace

std::string tenDayToken(const Ymd& today) {
    const int day = today.day >= 30 && today.day <= 31 ? 29 : today.day;
    char text[48];
    std::snprintf(text, sizeof text, "%.4d%.2d%.2d", today.year, today.month, day);
    return std::string(text).substr(3, 4);
}

std::string periodBackupName(std::string_view token) {
    return "CaFT" + std::string(token) + ".mcp";
}

std::string memoBackupNameFor(std::string_view periodBackupName) {
    if (periodBackupName.size() <= 4)
        return {};
    return "CaME" + std::string(periodBackupName.substr(4));
}

std::optional<Ymd> backupPeriodStart(std::string_view name, const Ymd& today) {
    if (name.size() != kBackupNameLength || !sameName(name.substr(8), ".mcp") ||
        !(sameName(name.substr(0, 4), "CaFT") || sameName(name.substr(0, 4), "CaME"))) {
        return std::nullopt;
    }
    const std::string_view token = name.substr(4, 4);
    if (!std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int digit = token[0] - '0';
    const int month = (token[1] - '0') * 10 + (token[2] - '0');
    const int tens = token[3] - '0';
    if (month < 1 || month > 12 || tens > 2)
        return std::nullopt;
    // The latest year ending in that digit whose period has begun by today.
    Ymd start{today.year - (((today.year - digit) % 10) + 10) % 10, month,
              tens == 0 ? 1 : tens * 10};
    if (before(today, start))
        start.year -= 10;
    return start;
}

BackupOutcome makeTenDayBackup(const LineList& lines, const std::string& dataFolder,
                               PeriodBackupContext& backups, UserInterface& ui, Sleeper& sleeper) {
    const std::string name = periodBackupName(tenDayToken(backups.today));
    const Names old = namesOf(backups.names);
    if (sameName(name, old[0]))
        return BackupOutcome::NotDue;

    // The new generation first: until it is safely on disk nothing old is touched.
    const fs::path copy = fs::path(dataFolder) / name;
    switch (writeLinesRetrying(copy, lines, kBackupRetry, sleeper)) {
        case WriteOutcome::Written:
            break;
        case WriteOutcome::Failed:
            ui.message("[ " + copy.string() + " ]の書込に失敗しました。");
            return BackupOutcome::Failed;
        case WriteOutcome::Unencodable:
            informMain(ui, "期間ファイルを書き込めません。\r\n" + copy.string());
            return BackupOutcome::Failed;
    }
    backups.cleanupWanted = true;

    const fs::path memo = memoFilePath(backups.commonFolder);
    if (existsPlainFile(memo)) {
        const fs::path memoCopy = fs::path(backups.commonFolder) / memoBackupNameFor(name);
        if (!copyFile(memo, memoCopy))
            ui.message("メモファイルを書き込めません。\r\n" + memoCopy.string());
    }

    // A name that comes back moves to the front instead of being dropped and deleted.
    std::vector<std::string> rest;
    for (const std::string& n : old) {
        if (!sameName(n, name))
            rest.push_back(n);
    }
    rest.resize(std::max<std::size_t>(rest.size(), 2));
    const Names rotated{name, rest[0], rest[1]};
    backups.names.CaFT1 = rotated[0];
    backups.names.CaFT2 = rotated[1];
    backups.names.CaFT3 = rotated[2];
    bool persisted = false;
    try {
        persisted = backups.persist && backups.persist(rotated);
    } catch (const std::exception&) {
        persisted = false;  // the settings file keeps the old names: keep the old files too
    }

    if (persisted && rest.size() == 3) {
        const std::string& dropped = rest[2];
        if (!dropped.empty() && isDeletableName(dropped, kPeriodBackupMask) &&
            !isOneOf(dropped, {rotated.begin(), rotated.end()})) {
            deleteDroppedGeneration(dropped, dataFolder, backups.commonFolder, ui);
        }
    }
    return BackupOutcome::Made;
}

bool cleanUpStaleBackups(const std::string& dataFolder, const PeriodBackupContext& backups,
                         UserInterface& ui) {
    const Names names = namesOf(backups.names);
    std::optional<Ymd> oldest;
    for (const std::string& name : names) {
        const std::optional<Ymd> start = backupPeriodStart(name, backups.today);
        if (!start)
            return true;  // fewer than three dated generations: nothing counts as stale
        if (!oldest || before(*start, *oldest))
            oldest = start;
    }

    const auto sweep = [&](const std::string& folder, const char* mask,
                           const std::vector<std::string>& kept) {
        for (const fs::path& entry : matchingEntries(fs::path(folder) / mask)) {
            const std::string name = entry.filename().string();
            if (isOneOf(name, kept))
                continue;
            const std::optional<Ymd> start = backupPeriodStart(name, backups.today);
            if (!start || !before(*start, *oldest))
                continue;
            std::error_code ec;
            fs::remove(entry, ec);
            if (ec) {
                ui.message("ファイルの削除に失敗しました。");
                return false;
            }
        }
        return true;
    };

    std::vector<std::string> memoNames;
    for (const std::string& name : names)
        memoNames.push_back(memoBackupNameFor(name));
    return sweep(dataFolder, kPeriodBackupMask, {names.begin(), names.end()}) &&
           sweep(backups.commonFolder, kMemoBackupMask, memoNames);
}

void TenDayBackupStep::listRead(const LineList& lines, const std::string& dataFolder,
                                UserInterface& ui, Sleeper& sleeper) {
    makeTenDayBackup(lines, dataFolder, backups_, ui, sleeper);
}

PeriodLoadOutcome loadPeriodListWithBackups(PeriodList& list, const PeriodFileContext& context,
                                            PeriodBackupContext& backups) {
    TenDayBackupStep step(backups);
    return loadPeriodList(list, context, &step);
}

LeavingOutcome saveBeforeLeaving(const PeriodFileContext& context,
                                 const std::function<bool()>& fullSave,
                                 const PeriodBackupContext& backups) {
    const std::string& folder = context.location.folder();
    if (context.shared.networkMode() && !folderExistsOnDisk(folder)) {
        context.ui.message(sharedFolderMissing(folder, "n050"));
        context.shared.sharedFolderLost();
        return LeavingOutcome::SharedFolderMissing;
    }
    bool saved = false;
    try {
        saved = fullSave();
    } catch (const std::exception&) {
        saved = false;
    }
    if (!saved) {
        informMain(context.ui, "不要アイテム削除エラー");
        return LeavingOutcome::SaveFailed;
    }
    if (backups.cleanupWanted && !cleanUpStaleBackups(folder, backups, context.ui))
        return LeavingOutcome::CleanUpFailed;
    return LeavingOutcome::Done;
}

}  // namespace velmo
