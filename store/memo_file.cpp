#include "store/memo_file.h"

#include "store/file_helpers.h"
#include "store/line_file.h"
#include "store/start_end_log.h"

namespace fs = std::filesystem;

namespace velmo {

namespace {
constexpr Retry kMemoWriteRetry{5, std::chrono::milliseconds(500)};
}  // namespace

fs::path memoFilePath(const fs::path& commonDataFolder) {
    return commonDataFolder / kMemoFileName;
}

bool ensureMemoFile(const fs::path& memoFile, UserInterface& ui, Sleeper& sleeper) {
    if (existsPlainFile(memoFile))
        return true;
    if (writeLinesRetrying(memoFile, {""}, kMemoWriteRetry, sleeper) == WriteOutcome::Written)
        return true;
    ui.message(writeFailedText(memoFile));
    return false;
}

}  // namespace velmo
