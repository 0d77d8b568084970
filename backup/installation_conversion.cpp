#include "backup/installation_conversion.h"

#include <string>

#include "backup/data_format_conversion.h"
#include "backup/date_marker.h"
#include "backup/entry_swap.h"
#include "backup/folder_operations.h"
#include "backup/generation_copy.h"
#include "store/file_helpers.h"

namespace velmo {

namespace fs = std::filesystem;

namespace {

constexpr int kOldGenerations = 3;

fs::path withoutSlash(const fs::path& folder) {
    return fs::path(withoutTrailingSeparator(folder.lexically_normal().string()));
}

// Lexically, since one of the two may already have been renamed away.
bool sameOrNested(const fs::path& a, const fs::path& b) {
    const fs::path x = withoutSlash(fs::absolute(a));
    const fs::path y = withoutSlash(fs::absolute(b));
    const auto covers = [](const fs::path& outer, const fs::path& inner) {
        auto o = outer.begin();
        for (auto i = inner.begin(); o != outer.end(); ++o, ++i)
            if (i == inner.end() || *o != *i)
                return false;
        return true;
    };
    return covers(x, y) || covers(y, x);
}

std::string deleteFailure(const fs::path& folder, const char* code) {
    return folder.string() + "の削除が出来ませんでした(" + code + ")。" + "\r\n\r\n" +
           "一度、コンピュータをシャットダウンしてから、" + "\r\n" +
           "もう一度、セットアップをお願いいたします。";
}

enum class ClearOutcome { Cleared, Declined, DeleteFailed, KeepFailed };

// Frees the name of an old folder (Old_Torka, OD_Torka). It is deleted only while a
// verified generation of it is in backupRoot: today's one when it matches the folder,
// else a new one. When no generation can be made and the user goes on all the same,
// the folder is kept under another free name instead of being deleted.
ClearOutcome clearOldFolder(const fs::path& old, const std::string& baseName,
                            const fs::path& backupRoot, const Clock& clock, Sleeper& sleeper,
                            UserInterface& ui) {
    const fs::path today = backupRoot / ("01_" + baseName);
    bool copied = daysSinceMarker(today, clock, sleeper) == 0 && sameTree(old, today);
    if (!copied)
        copied = generationCopy({old, backupRoot, kOldGenerations, baseName, false}, ui);
    if (!copied) {
        if (!ask(ui,
                 "<" + baseName +
                     ">世代データバックアップエラー\r\n\r\n世代バックアップが出来ませんが\r\n"
                     "セットアップをこのまま続けますか。",
                 DefaultButton::No))
            return ClearOutcome::Declined;
        for (int n = 1; n < 1000; ++n) {
            const fs::path kept = old.parent_path() / (baseName + ".kept" + std::to_string(n));
            if (!entryPresent(kept))
                return moveFolder(old, kept) ? ClearOutcome::Cleared : ClearOutcome::KeepFailed;
        }
        return ClearOutcome::KeepFailed;
    }
    return removeFolderTree(old) ? ClearOutcome::Cleared : ClearOutcome::DeleteFailed;
}

bool createDataFolders(const fs::path& root) {
    return createFolderChain(root / "Data/Files1") && createFolderChain(root / "Data/Files2") &&
           createFolderChain(root / "Data/Files3");
}

class Conversion {
public:
    Conversion(const fs::path& setupFolder, const fs::path& dataFolder, const fs::path& backupRoot,
               const Clock& clock, Sleeper& sleeper, UserInterface& ui)
        : p_(withoutSlash(setupFolder)),
          o_(p_.parent_path() / "Old_Torka"),
          df_(dataFolder.empty() ? fs::path() : withoutSlash(dataFolder)),
          od_(df_.empty() ? fs::path() : df_.parent_path() / "OD_Torka"),
          backupRoot_(backupRoot),
          clock_(clock),
          sleeper_(sleeper),
          ui_(ui) {}

    InstallationConversion run() {
        // Decided before the setup folder moves, which may carry the data folder along.
        const bool separateData = !df_.empty() && entryPresent(df_);
        if (entryPresent(o_)) {
            switch (clearOldFolder(o_, "Old_Torka", backupRoot_, clock_, sleeper_, ui_)) {
                case ClearOutcome::Cleared:
                    break;
                case ClearOutcome::Declined:
                    return InstallationConversion::Stopped;
                case ClearOutcome::DeleteFailed:
                case ClearOutcome::KeepFailed:
                    ui_.message(deleteFailure(o_, "201"));
                    return InstallationConversion::Stopped;
            }
        }
        if (!moveFolder(p_, o_)) {
            ui_.message("現フォルダの名称変更エラー(202)\r\n中止します");
            return InstallationConversion::Stopped;
        }
        if (!createDataFolders(p_))
            return rollBack("フォルダ作成でエラー発生(203)\r\n中止します");
        if (!separateData) {
            if (!convertFormat1To2(o_, p_, true, false, ui_))
                return rollBack(
                    "新しいデータ変換でエラー発生［指定なし：データ移動］(211)\r\n中止します");
            return converted();
        }
        if (sameOrNested(p_, df_))
            return rollBack("データフォルダ：" + df_.string() + "\r\n" + "セットアップフォルダ：" +
                            p_.string() + "\r\n\r\n" +
                            "この組み合わせの場合は、自動でファイル形式を変更できません(102)。" +
                            "\r\n" + "ホームページにて、ご質問下さい。");
        return convertDataFolder();
    }

private:
    InstallationConversion convertDataFolder() {
        if (entryPresent(od_)) {
            switch (clearOldFolder(od_, "OD_Torka", backupRoot_, clock_, sleeper_, ui_)) {
                case ClearOutcome::Cleared:
                    break;
                case ClearOutcome::Declined:
                    return rollBack({});
                case ClearOutcome::DeleteFailed:
                case ClearOutcome::KeepFailed:
                    return rollBack(deleteFailure(od_, "204"));
            }
        }
        if (!moveFolder(df_, od_))
            return rollBack("現フォルダの名称変更エラー(205)\r\n中止します");
        dataSetAside_ = true;
        if (!createDataFolders(df_))
            return rollBack(
                "新しいデータ変換でエラー発生［フォルダ指定：フォルダ作成］(206)\r\n中止します");
        if (!convertFormat1To2(od_, df_, false, false, ui_))
            return rollBack(
                "新しいデータ変換でエラー発生［フォルダ指定：データ移動］(207)\r\n中止します");
        // The period and memo backups and the settings stayed with the program folder.
        struct Step {
            std::string_view masks;
            fs::path to;
            const char* failure;
        };
        const Step steps[] = {
            {"CaFT*.mcp", df_ / "Data/Files1",
             "データ形式１からデータ形式２にする過程（１１）で、エラーが発生しました(208)。"},
            {"CaMe*.mcp,Cmr.myc,SDay.myc,TorkaSte.myd", df_ / "Data",
             "データ形式１からデータ形式２にする過程（１２）で、エラーが発生しました(209)。"},
            {"Torka.ini", p_,
             "データ形式１からデータ形式２にする過程（１３）で、エラーが発生しました(210)。"},
        };
        for (const Step& step : steps)
            if (!copyMatching(o_, step.masks, step.to))
                return rollBack(step.failure);
        return converted();
    }

    // Old_Torka gets its date only now, so a rolled-back setup leaves the folder as it was.
    InstallationConversion converted() {
        writeTodayMarker(o_, clock_, sleeper_);
        return InstallationConversion::Converted;
    }

    // Shows why the conversion stopped (when there is a text), then puts the old
    // folders back under their names.
    InstallationConversion rollBack(const std::string& why) {
        if (!why.empty())
            ui_.message(why);
        bool failed = false;
        const auto step = [&](bool ok, const char* failure) {
            if (!ok) {
                ui_.message(failure);
                failed = true;
            }
        };
        step(!entryPresent(p_) || removeFolderTree(p_),
             "新フォルダのエラー時削除エラー(212)\r\n中止します");
        if (!failed)
            step(moveFolder(o_, p_), "現フォルダへの名称変更エラー(213)\r\n中止します");
        if (dataSetAside_) {
            step(!entryPresent(df_) || removeFolderTree(df_),
                 "新フォルダデータのエラー時削除エラー(214)\r\n中止します");
            if (!failed)
                step(moveFolder(od_, df_), "現フォルダデータへの名称変更エラー(215)\r\n中止します");
        }
        if (failed) {
            ui_.message(
                "上書きセットアップ、データ形式変更時に、エラーになりました。\r\n"
                "運用フォルダを元に戻そうとしましたが、これも失敗しました。\r\n\r\n"
                "運用フォルダと同じところに、Old_Torka というセットアップ前のフォルダが存在して"
                "います。\r\n"
                "この Old_Torka を運用のフォルダ名に戻してください。\r\n\r\n"
                "もし、データの場所を指定されている場合は、そのフォルダと同じところに、OD_Torka "
                "というセットアップ前のデータフォルダが存在しています。\r\n"
                "この OD_Torka を運用のデータフォルダ名に戻してください。\r\n\r\n"
                "現在の状態は、新しいデータ形式変更の途中になっています。");
            return InstallationConversion::RollBackFailed;
        }
        ui_.message(
            "上書きセットアップ、データ形式変更時に、エラーになりましたので、\r\n"
            "運用フォルダを元に戻しておきました。\r\n"
            "現在の状態は、セットアップ前の状態に戻っています。");
        return InstallationConversion::RolledBack;
    }

    fs::path p_, o_, df_, od_, backupRoot_;
    const Clock& clock_;
    Sleeper& sleeper_;
    UserInterface& ui_;
    bool dataSetAside_ = false;
};

}  // namespace

std::optional<int> installedDataFormat(const fs::path& setupFolder, int recordedFormat,
                                       UserInterface& ui) {
    std::error_code ignored;
    const bool hasData = fs::is_directory(setupFolder / "Data", ignored);
    if (recordedFormat != 1 && recordedFormat != 2)
        return hasData ? 2 : 1;
    if ((recordedFormat == 2) == hasData)
        return recordedFormat;
    const int format =
        ask(ui, "データ形式の整合性が合いません。\r\nデータ形式は、Ver4.2.0以前の物ですか？",
            DefaultButton::Yes)
            ? 1
            : 2;
    if (!ask(ui,
             std::string("データ形式を【") + (format == 1 ? "古い" : "新しい") +
                 "】データ形式でセットアップしてよろしいですか？",
             DefaultButton::No)) {
        ui.message("中止します");
        return std::nullopt;
    }
    return format;
}

InstallationConversion convertInstallationToFormat2(const fs::path& setupFolder,
                                                    const fs::path& dataFolder,
                                                    const fs::path& backupRoot, const Clock& clock,
                                                    Sleeper& sleeper, UserInterface& ui) {
    return Conversion(setupFolder, dataFolder, backupRoot, clock, sleeper, ui).run();
}

}  // namespace velmo
