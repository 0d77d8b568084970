#include "backup/save_restore.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "backup/backup_folder_choice.h"
#include "tests/backup/backup_tree_snapshot.h"
#include "tests/support/failing_calls.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::Call;
using testing::FailingCalls;
using testing::FakeClock;
using testing::RecordingSleeper;
using testing::ScriptedUserInterface;
using testing::TempFolder;
using testing::treeSnapshot;

constexpr const char* kOverlap =
    "バックアップデータとデータの保存先が重なっています。\r\n中止します。";
constexpr const char* kRestoreDone =
    "データ回復作業を終了しました。\r\n\r\n一旦、ベルモを終了させます。\r\n"
    "ベルモを立ち上げ直して下さい。";
constexpr const char* kRestoreFailed =
    "コピー作業中にエラーが生じました。\r\n\r\n一旦、ベルモを終了させます。\r\n"
    "ベルモを立ち上げ直して下さい。";

class SaveRestoreTest : public ::testing::Test {
protected:
    SaveRestoreTest() {
        dir.write("start/Data/Files1/Ca202612.myc", "december");
        dir.write("start/Data/Files1/CaFromTo.myc", "periods");
        dir.write("start/Data/Files1/Ca199912.myc", "not a data set file");
        dir.write("start/Data/CaMemo.myc", "memo");
        dir.write("start/Data/Files2/Ca202612.myc", "set 2");
        dir.write("start/settings.ini", "[Settings]");
        fs::create_directories(dir / "bak");
    }
    SaveRestoreInputs inputs(const fs::path& folder) { return inputs(folder, ui); }
    SaveRestoreInputs inputs(const fs::path& folder, UserInterface& shownTo) {
        return {.folderText = folder.string(),
                .currentDataFolder = dir / "start/Data/Files1",
                .commonDataFolder = dir / "start/Data",
                .startFolder = dir / "start",
                .dataRoot = network ? dir / "shared" : dir / "start",
                .networkMode = network,
                .sharedFolder = network ? dir / "shared" : fs::path(),
                .backupRoot = dir / "generations",
                .saveAll =
                    [this] {
                        ++saves;
                        return true;
                    },
                .raiseUpdateCounter = [this] { ++bumps; },
                .onFinished = [this] { ++finished; },
                .clock = clock,
                .ui = shownTo,
                .sleeper = sleeper};
    }
    std::optional<std::string> save(const fs::path& folder) { return saveData(inputs(folder)); }
    // Answers Yes to "データ回復を行いますか？", then the further answers.
    RestoreOutcome restore(const fs::path& folder, std::initializer_list<bool> further = {}) {
        ui.answer(true);
        for (const bool yes : further)
            ui.answer(yes);
        return restoreData(inputs(folder));
    }

    TempFolder dir;
    FakeClock clock{{2026, 12, 10, 20, 30, 0, 0}};
    RecordingSleeper sleeper;
    ScriptedUserInterface ui;
    bool network = false;
    int saves = 0;
    int bumps = 0;
    int finished = 0;
};

TEST_F(SaveRestoreTest, SaveWritesFormat1AndReplacesThePreviousCopy) {
    dir.write("bak/CaFT4090.mcp", "an earlier copy's period backup");
    dir.write("bak/notes.txt", "the user's own file");
    EXPECT_EQ(save(dir / "bak"), "令和8年12月10日(木) 20:30 退避");
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"データ退避作業を終了しました。"});
    EXPECT_EQ(treeSnapshot(dir / "bak"),
              (std::map<std::string, std::string>{{"Ca202612.myc", "december"},
                                                  {"CaFromTo.myc", "periods"},
                                                  {"CaMemo.myc", "memo"},
                                                  {"Files2", "/"},
                                                  {"Files2/Ca202612.myc", "set 2"},
                                                  {"notes.txt", "the user's own file"}}));
    EXPECT_EQ(saveLabelText({2013, 5, 1, 9, 5, 0, 0}), "平成25年5月1日(水) 09:05 退避");
}

TEST_F(SaveRestoreTest, SaveRefusesUnusableDestinations) {
    struct Case {
        std::string folder;
        const char* refusal;
    };
    fs::create_directories(dir / "start/Backups");
    const Case cases[] = {
        {"  ", "フォルダの設定が、不明です。\r\n中止します。"},
        {"bak", "フォルダ選択エラー\r\n中止します。"},
        {(dir / "missing").string(), "フォルダが存在しません。\r\n中止します。"},
        {(dir / "start/Data/Files1").string(),
         "データフォルダはデータの保存先に出来ません。\r\n中止します。"},
        {(dir / "start/Data/").string(),
         "データ共通フォルダはデータの保存先に出来ません。\r\n中止します。"},
        {(dir / "start").string(), "起動フォルダはデータの保存先に出来ません。\r\n中止します。"},
        // Local operation too: a copy inside the folder it copies.
        {(dir / "start/Backups").string(), kOverlap},
        {dir.path().string(), kOverlap},
    };
    for (const Case& c : cases) {
        ui.clearShown();
        EXPECT_EQ(saveData(inputs(c.folder)), std::nullopt) << c.folder;
        EXPECT_EQ(ui.texts(), std::vector<std::string>{c.refusal}) << c.folder;
    }
    EXPECT_TRUE(fs::is_empty(dir / "start/Backups"));
}

TEST_F(SaveRestoreTest, NetworkSaveRefusesTheSharedFolderAndTakesTheAdministratorFile) {
    network = true;
    dir.write("shared/Data/Files1/Ca202612.myc", "shared december");
    dir.write("shared/Data/Files2/Ca202612.myc", "never in network mode");
    dir.write("shared/velnet.myc", "administrator");
    fs::create_directories(dir / "shared/Backups");
    EXPECT_EQ(save(dir / "shared/Backups"), std::nullopt);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{kOverlap});

    ui.clearShown();
    ASSERT_TRUE(save(dir / "bak"));
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(TempFolder::read(dir / "bak/Ca202612.myc"), "shared december");
    EXPECT_EQ(TempFolder::read(dir / "bak/velnet.myc"), "administrator");
    EXPECT_FALSE(fs::exists(dir / "bak/Files2"));
}

TEST_F(SaveRestoreTest, FailedSaveLeavesThePreviousCopy) {
    ASSERT_TRUE(save(dir / "bak"));
    const auto before = treeSnapshot(dir / "bak");
    dir.write("start/Data/Files1/Ca202612.myc", "changed");
    for (int nth = 1;; ++nth) {
        ASSERT_LT(nth, 100);
        ScriptedUserInterface failing;
        std::optional<std::string> label;
        {
            FailingCalls fail;
            fail.failNth(Call::Rename, nth, EIO);
            label = saveData(inputs(dir / "bak", failing));
        }
        if (label) {
            EXPECT_EQ(TempFolder::read(dir / "bak/Ca202612.myc"), "changed");
            break;
        }
        EXPECT_EQ(treeSnapshot(dir / "bak"), before) << "rename " << nth;
    }
}

TEST_F(SaveRestoreTest, VelmobakIsAddedAsTheUserAnswers) {
    EXPECT_EQ(saveDestinationFolder(dir / "USB/velmoBAK", ui), dir / "USB/velmoBAK");
    ui.answer(false);
    EXPECT_EQ(saveDestinationFolder(dir / "bak", ui), dir / "bak");
    ui.answer(true);
    EXPECT_EQ(saveDestinationFolder(dir / "bak", ui), dir / "bak/Velmobak");
    EXPECT_TRUE(fs::is_directory(dir / "bak/Velmobak"));
    EXPECT_EQ(saveDestinationFolder(dir / "bak", ui), dir / "bak/Velmobak");
    EXPECT_EQ(ui.questions(),
              (std::vector<std::string>(
                  2, "指定されたフォルダーに<\\Velmobak\\>のフォルダを\r\n付け加えますか？")));

    ui.clearShown();
    ui.answer(false);
    EXPECT_EQ(restoreSourceFolder(dir / "bak", ui), dir / "bak");
    ui.answer(true);
    EXPECT_EQ(restoreSourceFolder(dir / "bak", ui), dir / "bak/Velmobak");
    EXPECT_EQ(restoreSourceFolder(dir / "start", ui), dir / "start");
    EXPECT_EQ(ui.questions().size(), 2u);
}

TEST_F(SaveRestoreTest, RestoreBringsTheSavedDataBackAndKeepsTheReplacedOne) {
    ASSERT_TRUE(save(dir / "bak"));
    const auto saved = treeSnapshot(dir / "start/Data");
    dir.write("start/Data/Files1/Ca202612.myc", "edited after the save");
    dir.write("start/Data/Files2/Ca202612.myc", "set 2 edited");
    ui.clearShown();
    EXPECT_EQ(restore(dir / "bak"), RestoreOutcome::Restored);
    EXPECT_EQ(treeSnapshot(dir / "start/Data"), saved);
    EXPECT_EQ(ui.texts().back(), kRestoreDone);
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(bumps, 0);
    EXPECT_EQ(TempFolder::subfolders(dir / "start"), std::vector<fs::path>{dir / "start/Data"});
    bool kept = false;
    for (const fs::path& generation : TempFolder::subfolders(dir / "generations"))
        kept =
            kept || TempFolder::read(generation / "Files1/Ca202612.myc") == "edited after the save";
    EXPECT_TRUE(kept);
}

TEST_F(SaveRestoreTest, RestoreAsksAboutTheAdministratorFileAndRefusesBadSources) {
    ASSERT_TRUE(save(dir / "bak"));
    dir.write("bak/velnet.myc", "administrator");
    const auto before = treeSnapshot(dir / "start");
    ui.clearShown();
    EXPECT_EQ(restore(dir / "bak", {false}), RestoreOutcome::Refused);
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{
                  "データ回復を行いますか？",
                  "コピー元にネット管理ファイルが有ります。コピー元は間違いないでしょうか。\r\n"
                  "（ネットフォルダでなくローカルフォルダにコピー元を回復させます）",
                  "中止します。"}));
    EXPECT_EQ(ui.shown()[1].defaultButton, DefaultButton::No);

    ui.clearShown();
    EXPECT_EQ(restore(dir / "start/Data/Files1"), RestoreOutcome::Refused);
    EXPECT_EQ(ui.texts().back(), "データフォルダとデータの保存元が同じです。\r\n中止します。");
    fs::create_directories(dir / "start/Old");
    ui.clearShown();
    EXPECT_EQ(restore(dir / "start/Old"), RestoreOutcome::Refused);
    EXPECT_EQ(ui.texts().back(), kOverlap);
    EXPECT_EQ(finished, 3);
    fs::remove(dir / "start/Old");
    EXPECT_EQ(treeSnapshot(dir / "start"), before);
}

TEST_F(SaveRestoreTest, NetworkRestoreGoesToTheSharedFolderAndRaisesTheCounter) {
    network = true;
    dir.write("shared/Data/Files1/Ca202612.myc", "shared december");
    dir.write("shared/Data/Files1/mente.lock", "THIS-PC\r\n");
    dir.write("bak/Ca202612.myc", "from the backup");
    dir.write("bak/Files2/Ca202612.myc", "set 2 is not restored on the net");
    // No administrator file in the backup: the source is right all the same.
    EXPECT_EQ(restore(dir / "bak", {true}), RestoreOutcome::Restored);
    EXPECT_EQ(TempFolder::read(dir / "shared/Data/Files1/Ca202612.myc"), "from the backup");
    EXPECT_EQ(TempFolder::read(dir / "shared/Data/Files1/mente.lock"), "THIS-PC\r\n");
    EXPECT_FALSE(fs::exists(dir / "shared/Data/Files2"));
    EXPECT_EQ(bumps, 1);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(saves, 0);
}

TEST_F(SaveRestoreTest, FailedRestoreLeavesTheDataAsItWas) {
    ASSERT_TRUE(save(dir / "bak"));
    dir.write("bak/Ca202612.myc", "from the backup");
    dir.write("bak/CaFT4090.mcp", "a period backup");
    const auto before = treeSnapshot(dir / "start");
    for (const Call kind : {Call::Rename, Call::CreateExclusive, Call::Write}) {
        for (int nth = 1;; ++nth) {
            ASSERT_LT(nth, 200);
            ui.clearShown();
            RestoreOutcome outcome;
            {
                FailingCalls fail;
                fail.failNth(kind, nth, EIO);
                outcome = restore(dir / "bak");
            }
            if (outcome == RestoreOutcome::Restored) {
                EXPECT_EQ(TempFolder::read(dir / "start/Data/Files1/Ca202612.myc"),
                          "from the backup");
                // Back to the start for the next kind of fault.
                fs::remove_all(dir / "start/Data");
                for (const auto& [name, bytes] : before)
                    if (bytes == "/")
                        fs::create_directories(dir / "start" / name);
                    else
                        dir.write("start/" + name, bytes);
                break;
            }
            ASSERT_EQ(outcome, RestoreOutcome::Failed);
            EXPECT_EQ(treeSnapshot(dir / "start"), before) << static_cast<int>(kind) << " " << nth;
            EXPECT_EQ(ui.texts().back(), kRestoreFailed);
        }
    }
}

TEST_F(SaveRestoreTest, RestoreNeverFollowsALinkOutOfTheBackup) {
    dir.write("secret/Ca209901.myc", "outside the backup");
    dir.write("bak/CaFromTo.myc", "periods");
    ASSERT_EQ(symlink((dir / "secret/Ca209901.myc").c_str(), (dir / "bak/Ca209901.myc").c_str()),
              0);
    ASSERT_EQ(symlink((dir / "secret").c_str(), (dir / "bak/Files2").c_str()), 0);
    EXPECT_EQ(restore(dir / "bak"), RestoreOutcome::Restored);
    EXPECT_FALSE(fs::exists(dir / "start/Data/Files1/Ca209901.myc"));
    EXPECT_FALSE(fs::exists(dir / "start/Data/Files2/Ca209901.myc"));
    EXPECT_EQ(TempFolder::read(dir / "start/Data/Files2/Ca202612.myc"), "set 2");
}

}  // namespace
}  // namespace velmo
