#include "backup/daily_shared_copy.h"

#include "backup/date_marker.h"
#include "backup/folder_operations.h"
#include "store/file_helpers.h"

namespace fs = std::filesystem;

namespace velmo {

namespace {

constexpr const char* kFolderFailed =
    "ネットデータバックアップフォルダを作成できませんでした。\r\n"
    "ネットフォルダのバックアップデータは保管していません。\r\nご注意下さい。\r\n"
    "（このバックアップは、今日最初のネットデータを一時的に保管しておくものです）";

std::string writeFailed(const fs::path& folder, const std::string& name) {
    return "[ " + withTrailingSeparator(folder.string()) + name + " ]の書込に失敗しました。";
}

// Puts the verified new folder in place of the old one; the old one goes only once the
// new one is in place, and comes back when that fails.
bool swapIn(const fs::path& fresh, const fs::path& folder) {
    const fs::path old = folder.parent_path() / "old_Files1";
    if (!removeFolderTree(old))
        return false;
    std::error_code error;
    const bool hadOld = fs::exists(fs::symlink_status(folder, error));
    if (hadOld && !moveFolder(folder, old))
        return false;
    if (!moveFolder(fresh, folder)) {
        if (hadOld)
            moveFolder(old, folder);
        return false;
    }
    removeFolderTree(old);
    return true;
}

}  // namespace

fs::path dailySharedCopyFolder(const fs::path& root) {
    return root / "Net/DayFirst/Files1";
}

DailySharedCopyOutcome dailySharedCopy(const DailySharedCopyRequest& request, UserInterface& ui,
                                       const Clock& clock, Sleeper& sleeper) {
    if (!request.networkMode || request.rights <= 5)
        return DailySharedCopyOutcome::Skipped;
    const fs::path folder = dailySharedCopyFolder(request.root);
    if (daysSinceMarker(folder, clock, sleeper) == 0)
        return DailySharedCopyOutcome::AlreadyToday;
    const fs::path fresh = folder.parent_path() / "tmp_Files1";
    if (!removeFolderTree(fresh) || !createFolderChain(fresh)) {
        ui.message(kFolderFailed);
        return DailySharedCopyOutcome::Failed;
    }
    auto fail = [&](const std::string& text) {
        removeFolderTree(fresh);
        ui.message(text);
        return DailySharedCopyOutcome::Failed;
    };
    const auto names = matchingFileNames(request.sharedDataFolder, kDailySharedCopyMasks);
    if (!names)
        return fail(writeFailed(folder, ""));
    for (const fs::path& name : *names) {
        const fs::path from = request.sharedDataFolder / name;
        if (!copyFile(from, fresh / name) || !sameFile(from, fresh / name))
            return fail(writeFailed(folder, name.string()));
    }
    if (!swapIn(fresh, folder))
        return fail(kFolderFailed);
    if (!writeTodayMarker(folder, clock, sleeper))
        return fail(writeFailed(folder, kDateMarkerName));
    return DailySharedCopyOutcome::Copied;
}

}  // namespace velmo
