#include "store/period_file.h"

#include <algorithm>
#include <chrono>
#include <numeric>
#include <system_error>
#include <utility>
#include <vector>

#include "store/cp932.h"
#include "store/file_helpers.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace velmo {
namespace {

constexpr Retry kCreateRetry{10, 300ms};
constexpr Retry kSaveRetry{10, 300ms};

constexpr const char* kShrinkQuestion =
    "期間予定が立ち上げ時の半分以下、または０になっています。\r\n"
    "期間予定を保存してもいいですか。\r\n"
    "（※期間予定を削除した以外は、「いいえ」（保存しない）にしてください。）";
constexpr const char* kShrinkConfirm = "本当に期間予定を（大量に）削除しましたか？";
constexpr const char* kNotSaved = "期間予定は保存しません。";
constexpr const char* kNotRead =
    "期間予定は、ファイルを読み込めなかったため保存しません。\r\n"
    "（読み込めなかったファイルを、空の予定で上書きしないためです。）\r\n"
    "ファイルを確認してから、期間予定を読み直してください。";

// The order key of a line: its CP932 bytes with ASCII letters made upper case. Folding
// the UTF-8 text before encoding touches only real ASCII letters, never a CP932 trail
// byte that happens to lie in the letter range.
std::string sortKey(std::string_view line) {
    std::string folded(line);
    for (char& c : folded) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    try {
        return cp932::encode(folded);
    } catch (const cp932::EncodeError&) {
        return folded;  // not yet validated by an editor; still a consistent order
    }
}

// The same lines, whatever their order.
bool sameLines(const LineList& a, const LineList& b) {
    if (a.size() != b.size())
        return false;
    if (a == b)
        return true;
    LineList x = a;
    LineList y = b;
    std::sort(x.begin(), x.end());
    std::sort(y.begin(), y.end());
    return x == y;
}

bool namesRecord(const PeriodList& list, int index) {
    return index >= 1 && static_cast<std::size_t>(index) < list.lines.size();
}

PeriodEditResult edited(PeriodList& list, const SharedFolderHooks& shared) {
    list.selectedPeriod = 0;
    return {.changed = true, .saveNow = shared.networkMode()};
}

}  // namespace

std::string sharedFolderMissing(const std::string& folder, const char* code) {
    return "ネットフォルダ[" + folder +
           "]が確認できません。\r\nローカルフォルダに設定を戻します（ネットＯｆｆ）。[" + code +
           "]";
}

fs::path periodFilePath(const std::string& dataFolder) {
    return fs::path(dataFolder) / kPeriodFileName;
}

std::string periodHeaderLine(std::string_view dataSetLabel) {
    return "***** FromTo予定 [" + std::string(dataSetLabel) + "]";
}

PeriodLoadOutcome loadPeriodList(PeriodList& list, const PeriodFileContext& context,
                                 PeriodLoadStep* backups) {
    UserInterface& ui = context.ui;
    const std::string& folder = context.location.folder();
    if (context.shared.networkMode()) {
        if (!folderExistsOnDisk(folder)) {
            ui.message(sharedFolderMissing(folder, "n040"));
            context.shared.sharedFolderLost();
            return PeriodLoadOutcome::SharedFolderMissing;
        }
        backups = nullptr;  // backups are a local matter
    }

    list.lines.clear();
    list.onDisk.clear();
    list.selectedPeriod = 0;
    list.readFailed = false;
    const fs::path path = periodFilePath(folder);
    const std::string header = periodHeaderLine(context.location.label());
    PeriodLoadOutcome outcome = PeriodLoadOutcome::Loaded;

    // Anything at the file's name counts: what is there but unreadable must be marked,
    // not taken for a missing file and created afresh.
    if (findEntry(path, context.listing)) {
        if (!readLineFile(path, list.lines, ui, context.sleeper)) {
            list.readFailed = true;
            outcome = PeriodLoadOutcome::ReadFailed;
        } else {
            list.onDisk = list.lines;
            if (backups && !list.lines.empty())
                backups->listRead(list.lines, folder, ui, context.sleeper);
        }
    } else {
        // A folder without any data file is a new data folder: nothing to report.
        const fs::path anyDataFile = fs::path(folder) / "*.myc";
        if (context.listing ? context.listing->containsPlainFile(anyDataFile.filename().string())
                            : existsPlainFile(anyDataFile)) {
            ui.message(path.string() + " が存在しません。\r\n新しい期間データを作ります。");
        }
        list.lines.push_back(header);
        if (backups && !context.dataRoot.empty() && !folderExistsOnDisk(context.dataRoot) &&
            !createFolderChain(context.dataRoot)) {
            ui.error("フォルダを作成できません。", "エラー");
            list.loadedCount = static_cast<int>(list.lines.size());
            return PeriodLoadOutcome::DataRootNotCreatable;
        }
        if (writeLinesRetrying(path, list.lines, kCreateRetry, context.sleeper) ==
            WriteOutcome::Written) {
            list.onDisk = list.lines;
            outcome = PeriodLoadOutcome::Created;
        } else {
            ui.message("書込エラー[" + path.string() + "]");
            outcome = PeriodLoadOutcome::NotCreated;
        }
    }

    if (list.lines.empty())
        list.lines.push_back(header);
    list.loadedCount = static_cast<int>(list.lines.size());
    return outcome;
}

SaveOutcome savePeriodList(PeriodList& list, SaveRequest request,
                           const PeriodFileContext& context) {
    if (context.shared.networkMode() && request == SaveRequest::SaveAll)
        return SaveOutcome::Skipped;

    UserInterface& ui = context.ui;
    const int count = static_cast<int>(list.lines.size());
    if (list.readFailed) {
        if (count <= 1)
            return SaveOutcome::NothingToWrite;  // untouched since the failed read
        ui.message(kNotRead);
        return SaveOutcome::NotRead;
    }
    if (sameLines(list.lines, list.onDisk))
        return SaveOutcome::Unchanged;

    // Below half of what was loaded, counted exactly: 11 loaded lines may shrink to 6
    // without a question, not to 5.
    if (2 * count < list.loadedCount || count == 0) {
        if (!ask(ui, kShrinkQuestion, DefaultButton::No) ||
            !ask(ui, kShrinkConfirm, DefaultButton::No)) {
            informMain(ui, kNotSaved);
            return SaveOutcome::Declined;
        }
    }

    const std::string folder = context.location.folder();
    const fs::path path = periodFilePath(folder);
    const std::string failure = "期間予定データ書込エラー[" + path.string() + "]";
    if (writeLinesRetrying(path, list.lines, kSaveRetry, context.sleeper) !=
        WriteOutcome::Written) {
        ui.message(failure);
        return SaveOutcome::WriteFailed;
    }
    list.onDisk = list.lines;
    if (context.shared.networkMode() && folderExistsOnDisk(folder) &&
        !context.shared.raiseUpdateCounter()) {
        ui.message(failure);
    }
    return SaveOutcome::Written;
}

bool hasUnsavedChange(const PeriodList& list) {
    if (list.readFailed)
        return list.lines.size() > 1;
    return !sameLines(list.lines, list.onDisk);
}

bool sortPeriodLines(PeriodList& list) {
    if (list.lines.size() < 3)
        return false;
    const std::size_t records = list.lines.size() - 1;
    std::vector<std::string> keys;
    keys.reserve(records);
    for (std::size_t i = 1; i < list.lines.size(); ++i)
        keys.push_back(sortKey(list.lines[i]));
    std::vector<std::size_t> order(records);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    bool moved = false;
    for (std::size_t i = 0; i < records && !moved; ++i)
        moved = order[i] != i;
    if (!moved)
        return false;

    LineList sorted;
    sorted.reserve(list.lines.size());
    sorted.push_back(std::move(list.lines.front()));
    for (std::size_t index : order)
        sorted.push_back(std::move(list.lines[index + 1]));
    list.lines = std::move(sorted);
    list.selectedPeriod = 0;
    return true;
}

PeriodEditResult addPeriod(PeriodList& list, PeriodRecord record, const std::string& computerName,
                           const SharedFolderHooks& shared) {
    record.owner = computerName;
    list.lines.push_back(formatPeriodRecord(record));
    return edited(list, shared);
}

PeriodEditResult changePeriod(PeriodList& list, int p, PeriodRecord record,
                              const SharedFolderHooks& shared) {
    if (!namesRecord(list, p))
        return {};
    record.owner = periodOwner(list.lines[static_cast<std::size_t>(p)]);
    list.lines.erase(list.lines.begin() + p);
    list.lines.push_back(formatPeriodRecord(record));
    return edited(list, shared);
}

PeriodEditResult deletePeriod(PeriodList& list, int index, const SharedFolderHooks& shared) {
    if (!namesRecord(list, index))
        return {};
    list.lines.erase(list.lines.begin() + index);
    return edited(list, shared);
}

PeriodEditResult deleteSelectedPeriod(PeriodList& list, UserInterface& ui,
                                      const SharedFolderHooks& shared) {
    if (!namesRecord(list, list.selectedPeriod) ||
        !ask(ui, kDeletePeriodQuestion, DefaultButton::No))
        return {};
    return deletePeriod(list, list.selectedPeriod, shared);
}

bool periodLineUnchanged(const PeriodList& list, int p, std::string_view remembered) {
    return namesRecord(list, p) && list.lines[static_cast<std::size_t>(p)] == remembered;
}

}  // namespace velmo
