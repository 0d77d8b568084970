#include "backup/installation_conversion.h"

#include <gtest/gtest.h>

#include "tests/backup/backup_tree_snapshot.h"
#include "tests/backup/format1_folder.h"
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
using testing::writeFormat1;
using Files = std::map<std::string, std::string>;

constexpr const char* kRestored =
    "上書きセットアップ、データ形式変更時に、エラーになりましたので、\r\n"
    "運用フォルダを元に戻しておきました。\r\n"
    "現在の状態は、セットアップ前の状態に戻っています。";

class InstallationConversionTest : public ::testing::Test {
protected:
    InstallationConversion convert(const fs::path& dataFolder = {}) {
        return convertInstallationToFormat2(dir / "Torka", dataFolder, dir / "backups", clock,
                                            sleeper, ui);
    }
    TempFolder dir;
    ScriptedUserInterface ui;
    FakeClock clock{{2026, 12, 10, 20, 30, 0, 0}};
    RecordingSleeper sleeper;
};

TEST_F(InstallationConversionTest, ContradictingFormatIsAskedAbout) {
    ASSERT_TRUE(fs::create_directories(dir / "setup/Data"));
    EXPECT_EQ(installedDataFormat(dir / "setup", 2, ui), 2);
    EXPECT_EQ(installedDataFormat(dir / "setup", 0, ui), 2);
    EXPECT_EQ(installedDataFormat(dir / "plain", 1, ui), 1);
    EXPECT_TRUE(ui.texts().empty());

    ui.answer(true);
    ui.answer(true);
    EXPECT_EQ(installedDataFormat(dir / "setup", 1, ui), 1);
    ASSERT_EQ(ui.questions().size(), 2u);
    EXPECT_EQ(ui.questions()[1],
              "データ形式を【古い】データ形式でセットアップしてよろしいですか？");
    EXPECT_EQ(ui.shown()[1].defaultButton, DefaultButton::No);

    ui.clearShown();
    ui.answer(false);
    ui.answer(false);
    EXPECT_EQ(installedDataFormat(dir / "plain", 2, ui), std::nullopt);
    EXPECT_EQ(
        ui.texts(),
        (std::vector<std::string>{
            "データ形式の整合性が合いません。\r\nデータ形式は、Ver4.2.0以前の物ですか？",
            "データ形式を【新しい】データ形式でセットアップしてよろしいですか？", "中止します"}));
}

TEST_F(InstallationConversionTest, SetupFolderIsConvertedAndTheOldOneKept) {
    writeFormat1(dir, "Torka");
    const Files before = treeSnapshot(dir / "Torka");
    dir.write("Old_Torka/CaFromTo.myc", "an older setup");
    ASSERT_EQ(convert(), InstallationConversion::Converted);
    EXPECT_EQ(TempFolder::read(dir / "Torka/Data/Files1/CaFromTo.myc"), "periods");
    EXPECT_EQ(TempFolder::read(dir / "Torka/Torka.ini"), "[Settings]");
    // The old setup folder is Old_Torka now; the older one lives on as a generation.
    Files old = treeSnapshot(dir / "Old_Torka");
    for (const auto& [name, bytes] : before)
        EXPECT_EQ(old[name], bytes) << name;
    bool kept = false;
    for (const fs::path& generation : TempFolder::subfolders(dir / "backups"))
        kept = kept || TempFolder::read(generation / "CaFromTo.myc") == "an older setup";
    EXPECT_TRUE(kept);
}

TEST_F(InstallationConversionTest, FailedConversionPutsTheSetupFolderBack) {
    dir.write("Torka/CaMemo.myc", "memo but no data set file");
    dir.write("Torka/Velmo.exe", "program");
    const Files before = treeSnapshot(dir / "Torka");
    EXPECT_EQ(convert(), InstallationConversion::RolledBack);
    EXPECT_EQ(treeSnapshot(dir / "Torka"), before);
    EXPECT_FALSE(fs::exists(dir / "Old_Torka"));
    ASSERT_EQ(ui.texts().size(), 3u);
    EXPECT_EQ(ui.texts()[1],
              "新しいデータ変換でエラー発生［指定なし：データ移動］(211)\r\n中止します");
    EXPECT_EQ(ui.texts()[2], kRestored);
}

TEST_F(InstallationConversionTest, SeparateDataFolderGetsTheDataAndTheBackups) {
    dir.write("Torka/Torka.ini", "[Settings]");
    dir.write("Torka/CaFT4090.mcp", "period backup");
    dir.write("Torka/CaME4090.mcp", "memo backup");
    writeFormat1(dir, "MyData");
    ASSERT_EQ(convert(dir / "MyData"), InstallationConversion::Converted);
    EXPECT_EQ(TempFolder::read(dir / "MyData/Data/Files1/Ca202409.myc"), "september");
    EXPECT_EQ(TempFolder::read(dir / "MyData/Data/Files2/Ca202410.myc"), "set 2");
    EXPECT_EQ(TempFolder::read(dir / "MyData/Data/CaME4090.mcp"), "memo backup");
    EXPECT_EQ(TempFolder::read(dir / "OD_Torka/CaFromTo.myc"), "periods");
    EXPECT_EQ(TempFolder::read(dir / "Torka/Torka.ini"), "[Settings]");
}

TEST_F(InstallationConversionTest, SetupFolderInsideTheDataFolderIsRefused) {
    writeFormat1(dir, "MyData");
    dir.write("MyData/Torka/Torka.ini", "[Settings]");
    const Files before = treeSnapshot(dir / "MyData");
    EXPECT_EQ(convertInstallationToFormat2(dir / "MyData/Torka", dir / "MyData", dir / "backups",
                                           clock, sleeper, ui),
              InstallationConversion::RolledBack);
    EXPECT_EQ(treeSnapshot(dir / "MyData"), before);
    ASSERT_EQ(ui.texts().size(), 2u);
    EXPECT_NE(ui.texts()[0].find("自動でファイル形式を変更できません(102)。"), std::string::npos);
}

TEST_F(InstallationConversionTest, OldTorkaIsNeverDeletedWithoutAGeneration) {
    writeFormat1(dir, "Torka");
    dir.write("Old_Torka/CaFromTo.myc", "an older setup");
    dir.write("backups", "a file where the generations belong");
    const Files setup = treeSnapshot(dir / "Torka");
    ui.answer(false);
    EXPECT_EQ(convert(), InstallationConversion::Stopped);
    EXPECT_EQ(ui.questions(),
              std::vector<std::string>{
                  "<Old_Torka>世代データバックアップエラー\r\n\r\n"
                  "世代バックアップが出来ませんが\r\nセットアップをこのまま続けますか。"});
    EXPECT_EQ(ui.shown()[0].defaultButton, DefaultButton::No);
    EXPECT_EQ(treeSnapshot(dir / "Torka"), setup);
    EXPECT_EQ(TempFolder::read(dir / "Old_Torka/CaFromTo.myc"), "an older setup");

    // Going on all the same keeps the older folder under another name.
    ui.clearShown();
    ui.answer(true);
    EXPECT_EQ(convert(), InstallationConversion::Converted);
    EXPECT_EQ(TempFolder::read(dir / "Old_Torka.kept1/CaFromTo.myc"), "an older setup");
    EXPECT_EQ(TempFolder::read(dir / "Old_Torka/CaFromTo.myc"), "periods");
}

TEST_F(InstallationConversionTest, FailedRollBackSaysWhereTheOldFolderIs) {
    dir.write("Torka/CaMemo.myc", "memo but no data set file");
    {
        FailingCalls fail;
        fail.failFrom(Call::Rename, 2, EIO);  // the setup folder goes, but never comes back
        EXPECT_EQ(convert(), InstallationConversion::RollBackFailed);
    }
    EXPECT_EQ(TempFolder::read(dir / "Old_Torka/CaMemo.myc"), "memo but no data set file");
    ASSERT_EQ(ui.texts().size(), 4u);
    EXPECT_EQ(ui.texts()[2], "現フォルダへの名称変更エラー(213)\r\n中止します");
    EXPECT_EQ(ui.texts()[3].substr(0, ui.texts()[3].find('\r')),
              "上書きセットアップ、データ形式変更時に、エラーになりました。");
}

}  // namespace
}  // namespace velmo
