#include "backup/setup_backups.h"

#include <string>
#include <system_error>

#include "backup/date_marker.h"
#include "backup/generation_copy.h"
#include "store/file_helpers.h"

namespace velmo {

namespace fs = std::filesystem;

namespace {

constexpr const char* kGoOnWithout =
    "\r\n\r\n世代バックアップが出来ませんが\r\nセットアップをこのまま続けますか。";

bool isFolder(const fs::path& folder) {
    std::error_code error;
    return !folder.empty() && fs::is_directory(folder, error);
}

}  // namespace

bool backupsBeforeOverwriteSetup(const SetupBackupRequest& request, const Clock& clock,
                                 Sleeper& sleeper, UserInterface& ui) {
    const fs::path& root = request.backupRoot;
    if (!createFolderChain(root))
        return ui.question("[" + root.string() + "]フォルダが作成できません。" + kGoOnWithout,
                           kQuestionCaption, DefaultButton::No);

    const fs::path setupParent = request.setupFolder.parent_path();
    const fs::path dataParent = request.dataFolder.parent_path();
    const struct {
        fs::path source;
        const char* baseName;
        const char* failure;
    } backups[] = {
        {request.dataFolder, "TorkaData", "セットアップ世代データバックアップエラー"},
        {request.setupFolder, "Torka", "セットアップ世代アプリバックアップエラー"},
        {setupParent / "Old_Torka", "Old_Torka", "<Old_Torka>世代データバックアップエラー"},
        {request.dataFolder.empty() ? fs::path() : dataParent / "OD_Torka", "OD_Torka",
         "<OD_Torka>世代データバックアップエラー"},
    };
    for (const auto& backup : backups) {
        if (!isFolder(backup.source))
            continue;
        const fs::path newest = generationFolder(root, backup.baseName, 1);
        if (daysSinceMarker(newest, clock, sleeper) == 0)
            continue;
        if (generationCopy({backup.source, root, 3, backup.baseName, false}, ui)) {
            writeTodayMarker(newest, clock, sleeper);
        } else if (!ui.question(std::string(backup.failure) + kGoOnWithout, kQuestionCaption,
                                DefaultButton::No)) {
            return false;
        }
    }
    return true;
}

}  // namespace velmo
