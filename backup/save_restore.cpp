#include "backup/save_restore.h"

#include <cstdio>
#include <initializer_list>
#include <vector>

#include "backup/data_format_conversion.h"
#include "backup/entry_swap.h"
#include "backup/folder_operations.h"
#include "backup/generation_copy.h"
#include "calendar/japanese_date_text.h"
#include "calendar/julius_day.h"
#include "store/file_helpers.h"
#include "store/text_helpers.h"

namespace velmo {

namespace fs = std::filesystem;

namespace {

constexpr const char* kStopped = "中止します。";
constexpr const char* kOverlap =
    "バックアップデータとデータの保存先が重なっています。\r\n中止します。";
constexpr const char* kDataFolderError = "データフォルダエラー";
constexpr const char* kAdministratorFile = "velnet.myc";
constexpr int kRestoreGenerations = 3;

bool isFolder(const fs::path& path) {
    std::error_code ignored;
    return fs::is_directory(path, ignored);
}

// The folder the user entered, when it is usable; otherwise tells why not.
std::optional<fs::path> enteredFolder(const std::string& text, UserInterface& ui) {
    const std::string folder = trimSpaces(text);
    if (folder.empty()) {
        ui.message("フォルダの設定が、不明です。\r\n中止します。");
        return std::nullopt;
    }
    if (!fs::path(folder).is_absolute()) {
        ui.message("フォルダ選択エラー\r\n中止します。");
        return std::nullopt;
    }
    if (!isFolder(folder)) {
        ui.message("フォルダが存在しません。\r\n中止します。");
        return std::nullopt;
    }
    return fs::path(withoutTrailingSeparator(folder));
}

bool sameFolder(const fs::path& a, const fs::path& b) {
    if (a.empty() || b.empty())
        return false;
    std::error_code ignored;
    return fs::weakly_canonical(a, ignored) == fs::weakly_canonical(b, ignored);
}

struct Forbidden {
    const fs::path& folder;
    const char* refusal;
};

// True (after telling the user) when the folder is one it must not be.
bool refused(const fs::path& folder, std::initializer_list<Forbidden> forbidden,
             UserInterface& ui) {
    for (const Forbidden& f : forbidden)
        if (sameFolder(folder, f.folder)) {
            ui.message(f.refusal);
            return true;
        }
    return false;
}

// True (after telling the user) when the folder and any of the others share files.
bool overlapRefused(const fs::path& folder, std::initializer_list<fs::path> others,
                    UserInterface& ui) {
    for (const fs::path& other : others)
        if (!other.empty() && foldersOverlap(folder, other)) {
            ui.message(kOverlap);
            return true;
        }
    return false;
}

// The entries directly in the folder that a save writes: both file groups, the
// administrator file and whatever the new copy holds by the same name.
std::vector<fs::path> previousCopy(const fs::path& folder, const fs::path& fresh) {
    std::vector<std::string> masks = splitFields(kDataSetFiles, ',');
    for (std::string& mask : splitFields(kCommonFiles, ','))
        masks.push_back(std::move(mask));
    masks.emplace_back(kAdministratorFile);
    std::error_code error;
    for (fs::directory_iterator entry(fresh, error), end; !error && entry != end;
         entry.increment(error))
        masks.push_back(entry->path().filename().string());
    std::vector<fs::path> found;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        for (const std::string& mask : masks)
            if (matchesMask(name, mask)) {
                found.push_back(entry->path());
                break;
            }
    }
    return found;
}

// Writes the new copy beside the old one in destination, then swaps it in.
bool writeSaveCopy(const fs::path& source, const fs::path& destination, bool networkMode,
                   UserInterface& ui, bool& told) {
    const fs::path fresh = destination / ".velmo-save-tmp";
    if (entryPresent(fresh) && !removeFolderTree(fresh))
        return false;
    if (!createFolderChain(fresh))
        return false;
    bool ok = convertFormat2To1(source, fresh, networkMode, ui);
    told = !ok;
    if (ok && networkMode)
        if (const auto administrator = findCaseInsensitive(source, kAdministratorFile))
            ok = copyFile(*administrator, fresh / kAdministratorFile);
    ok = ok &&
         swapEntriesIn(fresh, destination, previousCopy(destination, fresh), ".velmo-save-old");
    if (!ok)
        removeFolderTree(fresh);
    return ok;
}

// Keeps target/Data as a generation, builds the restored Data beside it (a copy of the
// current one with the backup's files over it, so lock and counter files stay) and
// renames it in.
bool replaceData(const fs::path& backup, const fs::path& target, const SaveRestoreInputs& in) {
    const fs::path data = target / "Data";
    const bool hadData = entryPresent(data);
    if (hadData &&
        !generationCopy({data, in.backupRoot, kRestoreGenerations, "BeforeRestore", false}, in.ui))
        return false;
    const fs::path fresh = target / ".velmo-restore-tmp";
    if (entryPresent(fresh) && !removeFolderTree(fresh))
        return false;
    bool ok = createFolderChain(fresh) && (!hadData || copyFolderTree(data, fresh / "Data")) &&
              convertFormat1To2(backup, fresh, false, in.networkMode, in.ui);
    std::vector<fs::path> outgoing;
    if (hadData)
        outgoing.push_back(data);
    ok = ok && swapEntriesIn(fresh, target, outgoing, ".velmo-restore-old");
    if (!ok)
        removeFolderTree(fresh);
    return ok;
}

}  // namespace

fs::path dataRootFor(bool networkMode, const fs::path& sharedFolder,
                     const fs::path& dataFolderSetting, const fs::path& startFolder) {
    if (networkMode)
        return sharedFolder;
    return dataFolderSetting.empty() ? startFolder : dataFolderSetting;
}

std::string saveLabelText(const LocalDateTime& when) {
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d", when.hour, when.minute);
    return warekiDateYoubiText(dateTimeToJuliusDay(when)) + " " + time + " 退避";
}

std::optional<std::string> saveData(const SaveRestoreInputs& in) {
    UserInterface& ui = in.ui;
    if (!in.networkMode && in.saveAll && !in.saveAll())
        return std::nullopt;
    const std::optional<fs::path> destination = enteredFolder(in.folderText, ui);
    if (!destination)
        return std::nullopt;
    if (in.dataRoot.empty() || !isFolder(in.dataRoot)) {
        ui.message(kDataFolderError);
        return std::nullopt;
    }
    if (refused(
            *destination,
            {{in.currentDataFolder, "データフォルダはデータの保存先に出来ません。\r\n中止します。"},
             {in.commonDataFolder,
              "データ共通フォルダはデータの保存先に出来ません。\r\n中止します。"},
             {in.startFolder, "起動フォルダはデータの保存先に出来ません。\r\n中止します。"}},
            ui) ||
        overlapRefused(*destination, {in.dataRoot, in.sharedFolder, in.startFolder}, ui))
        return std::nullopt;
    bool told = false;
    bool ok = false;
    try {
        ok = writeSaveCopy(in.dataRoot, *destination, in.networkMode, ui, told);
    } catch (const std::exception&) {
        ok = false;
    }
    if (!ok) {
        if (!told)
            ui.message("コピー作業中にエラーが生じました。\r\n中止します。");
        return std::nullopt;
    }
    ui.message("データ退避作業を終了しました。");
    return saveLabelText(in.clock.now());
}

RestoreOutcome restoreData(const SaveRestoreInputs& in) {
    UserInterface& ui = in.ui;
    bool finished = false;
    const auto finish = [&] {
        if (!finished && in.onFinished)
            in.onFinished();
        finished = true;
    };
    struct AtExit {
        const decltype(finish)& run;
        ~AtExit() { run(); }
    } atExit{finish};

    if (!ask(ui, "データ回復を行いますか？", DefaultButton::No)) {
        ui.message(kStopped);
        return RestoreOutcome::Refused;
    }
    const std::optional<fs::path> backup = enteredFolder(in.folderText, ui);
    if (!backup)
        return RestoreOutcome::Refused;
    const bool administered = findCaseInsensitive(*backup, kAdministratorFile).has_value();
    const fs::path target = in.networkMode ? in.sharedFolder : in.dataRoot;
    if (in.networkMode && !administered &&
        !ask(ui,
             "コピー元にネット管理ファイルがありませんが、コピー元は間違いないでしょうか。\r\n"
             "（ネットフォルダにコピー元を回復させます）",
             DefaultButton::No)) {
        ui.message(kStopped);
        return RestoreOutcome::Refused;
    }
    if (!in.networkMode && administered &&
        !ask(ui,
             "コピー元にネット管理ファイルが有ります。コピー元は間違いないでしょうか。\r\n"
             "（ネットフォルダでなくローカルフォルダにコピー元を回復させます）",
             DefaultButton::No)) {
        ui.message(kStopped);
        return RestoreOutcome::Refused;
    }
    if (target.empty() || !isFolder(target)) {
        ui.message(kDataFolderError);
        return RestoreOutcome::Refused;
    }
    if (refused(
            *backup,
            {{in.currentDataFolder, "データフォルダとデータの保存元が同じです。\r\n中止します。"},
             {in.commonDataFolder,
              "データ共通フォルダとデータの保存元が同じです。\r\n中止します。"},
             {in.startFolder, "起動フォルダとデータの保存元が同じです。\r\n中止します。"}},
            ui) ||
        overlapRefused(*backup, {target}, ui))
        return RestoreOutcome::Refused;
    if (!in.networkMode && in.saveAll && !in.saveAll())
        return RestoreOutcome::Refused;

    bool ok = false;
    try {
        ok = replaceData(*backup, target, in);
    } catch (const std::exception&) {
        ok = false;
    }
    if (ok && in.networkMode && in.raiseUpdateCounter)
        in.raiseUpdateCounter();
    finish();
    ui.message(ok ? "データ回復作業を終了しました。\r\n\r\n一旦、ベルモを終了させます。\r\n"
                    "ベルモを立ち上げ直して下さい。"
                  : "コピー作業中にエラーが生じました。\r\n\r\n一旦、ベルモを終了させます。\r\n"
                    "ベルモを立ち上げ直して下さい。");
    return ok ? RestoreOutcome::Restored : RestoreOutcome::Failed;
}

}  // namespace velmo
