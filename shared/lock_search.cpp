#include "shared/lock_search.h"

#include <optional>
#include <vector>

#include "shared/lock_file.h"
#include "shared/maintenance.h"
#include "store/text_helpers.h"

namespace fs = std::filesystem;

namespace velmo {

namespace {

constexpr int kDisplayNameWidth = 18;

std::string holderOf(const fs::path& lock) {
    return readLockOwner(lock).value_or(kUnknownHolder);
}

}  // namespace

std::string lockSearchText(const fs::path& sharedFolder) {
    std::vector<std::string> lines(1);
    if (lockFilePresent(maintenanceLockPath(sharedFolder)))
        lines[0] = "メンテナンスロック：" + holderOf(maintenanceLockPath(sharedFolder));
    for (const fs::path& lock : lockFilesIn(sharedLockFolder(sharedFolder))) {
        if (static_cast<int>(lines.size()) > kLockSearchLines)
            break;
        lines.push_back(padRight(lockDisplayName(lock), kDisplayNameWidth) + "：" + holderOf(lock));
    }
    if (lines[0].empty() && lines.size() == 1)
        return "ロックされているファイルは有りませんでした。";
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines[i];
    }
    return text;
}

}  // namespace velmo
