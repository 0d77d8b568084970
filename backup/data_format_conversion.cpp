#include "backup/data_format_conversion.h"

#include "backup/folder_operations.h"
#include "store/file_helpers.h"

namespace velmo {

namespace fs = std::filesystem;

namespace {

constexpr const char* kNoDataFiles =
    "元データにデータファイルが一つもありません(101)。\r\n"
    "データ形式１からデータ形式２にする過程（１）又はデータ回復を中止します。";
constexpr const char* kNoCommonFilesUp =
    "元データに共通データファイルが一つもありません(102)。\r\n"
    "運用によってはこれらのファイルは、存在しない可能性もありますので、\r\n"
    "処理は続行します。";
constexpr const char* kNoFiles2Up =
    "元データに \\Files2 のデータファイルが一つもありません(103)。\r\n"
    "運用によってはこれらのファイルは、存在しない可能性もありますので、\r\n"
    "処理は続行します。";
constexpr const char* kNoProgramFiles =
    "元データに設定されたファイルが一つもありません(105)。\r\n"
    "[ Velmo.exe,Torka.ini,Velclock.exe,CaSima.dat,HelpVelm.chm,Veluser.chm,HDay.dat,"
    "Readme.txt ]以外のファイルは正常にコピーできています。\r\n"
    "何かキーを押してください。";
constexpr const char* kNoCommonFilesDown =
    "元データに共通データファイルが一つもありません(202)。\r\n"
    "運用によってはこれらのファイルは、存在しない可能性もありますので、\r\n"
    "処理は続行します。\r\n"
    "何かキーを押してください。";

// Copies one group into a folder (created when missing); tells the user the failure text.
bool copyGroup(const fs::path& from, std::string_view masks, const fs::path& to,
               const char* failure, UserInterface& ui) {
    if (createFolderChain(to) && copyMatching(from, masks, to))
        return true;
    ui.message(failure);
    return false;
}

// The group when the source holds any of it, else the notice (none for an empty one).
bool copyGroupIfAny(const fs::path& from, std::string_view masks, const fs::path& to,
                    const char* failure, const char* noneNotice, UserInterface& ui) {
    if (anyMatching(from, masks))
        return copyGroup(from, masks, to, failure, ui);
    if (noneNotice)
        ui.message(noneNotice);
    return true;
}

}  // namespace

bool convertFormat1To2(const fs::path& source, const fs::path& destination, bool withProgramFiles,
                       bool networkMode, UserInterface& ui) {
    const fs::path data = destination / "Data";
    std::error_code ignored;
    createFolderChain(data / "Files1");
    if (!anyMatching(source, kDataSetFiles)) {
        ui.message(kNoDataFiles);
        return false;
    }
    if (!copyGroup(source, kDataSetFiles, data / "Files1",
                   "データ形式１からデータ形式２にする過程（１）又はデータ回復で、"
                   "エラーが発生しました。",
                   ui))
        return false;
    if (!copyGroupIfAny(source, kCommonFiles, data,
                        "データ形式１からデータ形式２にする過程（２）又はデータ回復で、"
                        "エラーが発生しました。",
                        kNoCommonFilesUp, ui))
        return false;
    if (!networkMode) {
        struct Set {
            const char* name;
            const char* failure;
            const char* noneNotice;
        };
        for (const Set& set :
             {Set{"Files2",
                  "データ形式２の \\Files2 フォルダを回復する過程で、エラーが発生しました。",
                  kNoFiles2Up},
              Set{"Files3",
                  "データ形式２の \\Files3 フォルダを回復する過程で、エラーが発生しました。",
                  nullptr}}) {
            // A link in place of the folder is never followed out of the source. A set
            // that was never used has no folder and needs no notice.
            const fs::path from = source / set.name;
            if (!fs::is_directory(fs::symlink_status(from, ignored)))
                continue;
            createFolderChain(data / set.name);
            if (!copyGroupIfAny(from, kDataSetFiles, data / set.name, set.failure, set.noneNotice,
                                ui))
                return false;
        }
    }
    if (withProgramFiles)
        return copyGroupIfAny(source, kProgramFiles, destination,
                              "データ形式１からデータ形式２にする過程（３）又はデータ回復で、"
                              "エラーが発生しました。",
                              kNoProgramFiles, ui);
    return true;
}

bool convertFormat2To1(const fs::path& source, const fs::path& destination, bool networkMode,
                       UserInterface& ui) {
    const fs::path data = source / "Data";
    if (!copyGroup(data / "Files1", kDataSetFiles, destination,
                   "データ形式２からデータ形式１にする過程（１）又はバックアップで、"
                   "エラーが発生しました。",
                   ui))
        return false;
    if (!copyGroupIfAny(data, kCommonFiles, destination,
                        "データ形式２からデータ形式１にする過程（２）又はバックアップで、"
                        "エラーが発生しました。",
                        kNoCommonFilesDown, ui))
        return false;
    if (networkMode)
        return true;
    std::error_code ignored;
    for (const auto& [name, failure] :
         {std::pair{"Files2", "データ形式２の \\Files2 のバックアップで、エラーが発生しました。"},
          std::pair{"Files3",
                    "データ形式２の \\Files3 のバックアップで、エラーが発生しました。"}}) {
        if (fs::is_directory(fs::symlink_status(data / name, ignored)) &&
            !copyGroup(data / name, kDataSetFiles, destination / name, failure, ui))
            return false;
    }
    return true;
}

}  // namespace velmo
