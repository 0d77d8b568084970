#include "store/month_file.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <system_error>

#include "core/crash_points.h"
#include "store/file_helpers.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace velmo {
namespace {

// Loading may meet a busy share; saving gets more tries because a lost write costs more.
constexpr Retry kLoadRetry{5, 500ms};
constexpr Retry kSaveRetry{10, 300ms};

constexpr const char* kHalfQuestion =
    "月予定が立ち上げ時の半分以下、または０になっています。\r\n"
    "この月を保存してもいいですか。\r\n"
    "（※大量に予定を削除した月以外は、「いいえ」（保存しない）にしてください。）";
constexpr const char* kHalfConfirm = "本当に予定を大量に削除しましたか？";
constexpr const char* kEmptyQuestion =
    "月予定が全く有りませんが、\r\n"
    "この月を保存してもいいですか。\r\n"
    "（※予定を全削除した月以外は、「いいえ」（保存しない）にしてください。）";
constexpr const char* kNotSaved = "月予定は保存しません。";
constexpr const char* kNotRead =
    "月予定は、ファイルを読み込めなかったため保存しません。\r\n"
    "（読み込めなかったファイルを、空の予定で上書きしないためです。）\r\n"
    "ファイルを確認してから、この月を読み直してください。";

// "2024年3": the start of every message about one month.
std::string monthPrefix(const MonthSlot& slot) {
    return std::to_string(slot.year) + "年" + std::to_string(slot.month);
}

// The codes tell which path failed: the write itself, then the update counter.
struct FailureCodes {
    const char* write;
    const char* counter;
};

void reportWriteFailure(const MonthSlot& slot, const char* code, UserInterface& ui) {
    ui.message(monthPrefix(slot) + "月のデータを書き損ねたおそれがあります(" + code +
               ")。\r\nチェック願います。");
}

bool onlyPlaceholder(const MonthSlot& slot) {
    return slot.lines.size() == 1 && isPlaceholderLine(slot.lines.front());
}

SaveOutcome writeSlot(MonthSlot& slot, FailureCodes codes, const MonthFileContext& context) {
    const fs::path path = monthFilePath(context.dataFolder, slot.year, slot.month);
    if (writeLinesRetrying(path, slot.lines, kSaveRetry, context.sleeper) !=
        WriteOutcome::Written) {
        reportWriteFailure(slot, codes.write, context.ui);
        return SaveOutcome::WriteFailed;
    }
    slot.onDisk = slot.lines;
    if (context.shared.networkMode()) {
        crashPoint("before-counter");
        std::error_code ec;
        if (fs::is_directory(context.dataFolder, ec) && !context.shared.raiseUpdateCounter())
            reportWriteFailure(slot, codes.counter, context.ui);
    }
    return SaveOutcome::Written;
}

}  // namespace

std::string monthFileName(int year, int month) {
    char name[32];
    std::snprintf(name, sizeof name, "Ca%.4d%.2d.myc", year, month);
    return name;
}

fs::path monthFilePath(const std::string& dataFolder, int year, int month) {
    return fs::path(dataFolder) / monthFileName(year, month);
}

std::string placeholderLine(int year, int month, std::string_view dataSetText) {
    // "%4.d" is width 4 with precision 0: space padded, and zero itself prints nothing.
    char head[48];
    std::snprintf(head, sizeof head, " 0,0,9,%4.d/%2.d [", year, month);
    return head + std::string(dataSetText) + "]";
}

bool loadSlot(MonthSlot& slot, int slotNumber, int year, int month, bool forceReload,
              const MonthFileContext& context) {
    slot.year = year;
    slot.month = month;
    bool read = true;
    if (slot.lines.empty() || slot.readFailed || forceReload) {
        slot.lines.clear();
        slot.onDisk.clear();
        slot.readFailed = false;
        // Anything at the file's name counts: what is there but unreadable must be
        // marked, not taken for an empty month.
        const std::optional<fs::path> found =
            findEntry(monthFilePath(context.dataFolder, year, month), context.listing);
        if (found && !readLinesRetrying(*found, slot.lines, kLoadRetry, context.sleeper)) {
            context.ui.message("予定データ読込エラー[ " + std::to_string(slotNumber) + " ]");
            slot.readFailed = true;
            read = false;
        }
        slot.onDisk = slot.lines;
        if (slot.lines.empty())
            slot.lines.push_back(placeholderLine(year, month, context.dataSetText));
        slot.loadedCount = static_cast<int>(slot.lines.size());
    }
    return read;
}

DayLines readDayLines(const MonthSlot& slot, int day) {
    DayLines result;
    for (const std::string& line : slot.lines) {
        if (entryDay(line) != day)
            continue;
        result.texts.push_back(textForEditing(entryStoredText(line)));
        result.attrs.push_back(day == kMonthMemoDay ? DayLineAttr{} : entryAttr(line));
    }
    if (result.texts.empty()) {
        result.texts.emplace_back();
        result.attrs.emplace_back();
    }
    return result;
}

WriteBackResult writeBackDay(MonthSlot& slot, int slotNumber, int year, int month, int day,
                             const std::vector<std::string>& texts,
                             const std::vector<DayLineAttr>& attrs, bool monthMemoOn,
                             const SharedFolderHooks& shared) {
    if ((slot.year == year && slot.month == month) || monthMemoOn) {
        std::erase_if(slot.lines, [day](const std::string& line) { return entryDay(line) == day; });
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const DayLineAttr attr = i < attrs.size() ? attrs[i] : DayLineAttr{};
        slot.lines.push_back(formatEntryLine(day, static_cast<int>(i) + 1, texts[i], attr));
    }
    return {.freeMonthChanged = slotNumber == kFreeMonthSlot, .saveNow = shared.networkMode()};
}

SaveOutcome saveSlot(MonthSlot& slot, SaveRequest request, const MonthFileContext& context) {
    if (context.shared.networkMode() && request == SaveRequest::SaveAll)
        return SaveOutcome::Skipped;

    UserInterface& ui = context.ui;
    const std::string prefix = monthPrefix(slot);
    const int count = static_cast<int>(slot.lines.size());
    const int loaded = slot.loadedCount;
    const bool placeholderAlone = onlyPlaceholder(slot);

    if (slot.readFailed) {
        if (placeholderAlone)
            return SaveOutcome::NothingToWrite;  // untouched since the failed read
        ui.message(prefix + kNotRead);
        return SaveOutcome::NotRead;
    }
    if (slot.lines == slot.onDisk)
        return SaveOutcome::Unchanged;

    if (count < loaded / 2 || count == 0) {
        if (!ask(ui, prefix + kHalfQuestion, DefaultButton::No) ||
            !ask(ui, kHalfConfirm, DefaultButton::No)) {
            ui.message(prefix + kNotSaved);
            return SaveOutcome::Declined;
        }
        return writeSlot(slot, {"fs01", "fs02"}, context);
    }

    // A single real entry is an ordinary month; only the placeholder means "empty".
    if (!placeholderAlone)
        return writeSlot(slot, {"fs05", "fs06"}, context);

    if (loaded <= 1)
        return SaveOutcome::NothingToWrite;
    if (!ask(ui, prefix + kEmptyQuestion, DefaultButton::No))
        return SaveOutcome::Declined;
    if (!ask(ui, "本当にこのまま " + prefix + "月予定をない状態にしてもいいですか？",
             DefaultButton::No)) {
        ui.message(prefix + kNotSaved);
        return SaveOutcome::Declined;
    }
    return writeSlot(slot, {"fs03", "fs04"}, context);
}

bool hasUnsavedChange(const MonthSlot& slot) {
    if (slot.readFailed)
        return !onlyPlaceholder(slot);
    if (slot.lines == slot.onDisk)
        return false;
    // The placeholder of a month that had no entries is never written.
    return !(onlyPlaceholder(slot) && slot.loadedCount <= 1);
}

bool createDataSetFolders(const std::string& folder, bool report, UserInterface& ui) {
    const std::string base = withTrailingSeparator(folder);
    struct Step {
        std::string folder;
        const char* failure;
    };
    const Step steps[] = {
        {base, "運用フォルダが作成できません。\r\n中止します。"},
        {base + "Data/Files1", "メインデータフォルダが作成できません。\r\n中止します。"},
        {base + "Data/Files2", "サブデータフォルダが作成できません。\r\n中止します。"},
        {base + "Data/Files3", "Files3フォルダが作成できません。\r\n中止します。"},
    };
    for (const Step& step : steps) {
        if (!ensureFolder(step.folder, true, false, ui)) {
            if (report)
                ui.message(step.failure);
            return false;
        }
    }
    return true;
}

}  // namespace velmo
