#include "app/navigation/data_set_switch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

using Log = std::vector<std::string>;
using testing::ShownBox;
using testing::TempFolder;

class DataSetSwitchTest : public ::testing::Test {
protected:
    DataSetSwitchTest() {
        std::filesystem::create_directories(temp / "Data/Files1");
        folders = decideDataFolders("", root, 1, folderExistsOnDisk);
        hooks.saveBeforeLeaving = [this] {
            log.push_back("save in " + folders.current().folder());
            return saveWorks;
        };
        hooks.automaticBackup = [this] { log.push_back("backup"); };
        hooks.reloadAll = [this](bool forced) {
            log.push_back(std::string(forced ? "forced reload" : "reload") + " from " +
                          folders.current().folder());
        };
        hooks.monthInWindow = [](const std::string& yyyymm) { return yyyymm == "202409"; };
        hooks.activateMonthPage = [this] { log.push_back("month page"); };
        hooks.showMonth = [this](const std::string& yyyymm) { log.push_back("show " + yyyymm); };
    }

    DataSetSwitchOutcome switchTo(int number, bool networkMode = false,
                                  bool backupOnlyWhenResident = false) {
        return switchToDataSet({number, networkMode, backupOnlyWhenResident, shown}, folders,
                               folderExistsOnDisk, ui, hooks);
    }
    std::string setFolder(int number) const { return root + dataSetFolder(number); }

    TempFolder temp;
    std::string root = temp.path().string() + "/";
    DataFolders folders;
    testing::ScriptedUserInterface ui;
    DataSetSwitchHooks hooks;
    bool saveWorks = true;
    std::string shown = "202409";
    Log log;
};

TEST_F(DataSetSwitchTest, AMissingFolderIsReportedAndTheDataSetInUseStays) {
    const DataFolders before = folders;
    EXPECT_EQ(switchTo(2), DataSetSwitchOutcome::FolderMissing);
    EXPECT_EQ(switchTo(3), DataSetSwitchOutcome::FolderMissing);
    ASSERT_EQ(ui.shown().size(), 2u);
    EXPECT_EQ(ui.shown()[0].kind, ShownBox::Kind::Message);
    EXPECT_EQ(ui.shown()[0].text,
              root +
                  "Data/Files2/のフォルダがありません。\r\n"
                  "セットアップされていない場合は、セットアップすれば、作成されます。");
    EXPECT_EQ(ui.shown()[1].text.substr(0, root.size() + 12), root + "Data/Files3/");
    EXPECT_EQ(folders, before);
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(files2ButtonTinted(folders));
}

TEST_F(DataSetSwitchTest, RefusedSilentlyInNetworkModeForTheSetInUseAndWithoutDataSets) {
    std::filesystem::create_directories(temp / "Data/Files2");
    const DataFolders before = folders;
    EXPECT_EQ(switchTo(2, true), DataSetSwitchOutcome::Refused);
    EXPECT_EQ(switchTo(1), DataSetSwitchOutcome::Refused);
    EXPECT_EQ(switchTo(4), DataSetSwitchOutcome::Refused);
    folders.shared = DataLocation::shared(root + "net/");
    EXPECT_EQ(switchTo(2), DataSetSwitchOutcome::Refused);
    folders = before;
    folders.dataFormat = 1;
    EXPECT_EQ(switchTo(2), DataSetSwitchOutcome::Refused);
    EXPECT_EQ(folders.local, before.local);
    EXPECT_TRUE(ui.shown().empty());
    EXPECT_TRUE(log.empty());
}

TEST_F(DataSetSwitchTest, ASwitchSavesFirstThenMovesReloadsAndShowsTheMonthShownBefore) {
    std::filesystem::create_directories(temp / "Data/Files2");
    EXPECT_EQ(switchTo(2), DataSetSwitchOutcome::Switched);
    EXPECT_EQ(log, (Log{"save in " + setFolder(1), "backup", "forced reload from " + setFolder(2),
                        "show 202409"}));
    EXPECT_EQ(folders.local, DataLocation::dataSet(root, 2));
    EXPECT_TRUE(files2ButtonTinted(folders));

    // Back to Files1 with the backup kept for going resident; a free month brings the
    // month page forward before it is shown.
    log.clear();
    shown = "203001";
    EXPECT_EQ(switchTo(1, false, true), DataSetSwitchOutcome::Switched);
    EXPECT_EQ(log, (Log{"save in " + setFolder(2), "forced reload from " + setFolder(1),
                        "month page", "show 203001"}));
    EXPECT_EQ(folders.local, DataLocation::dataSet(root, 1));
    EXPECT_FALSE(files2ButtonTinted(folders));
    EXPECT_TRUE(ui.shown().empty());
}

TEST_F(DataSetSwitchTest, AFailedSaveDoesNotSwitch) {
    std::filesystem::create_directories(temp / "Data/Files2");
    const DataFolders before = folders;
    saveWorks = false;
    EXPECT_EQ(switchTo(2), DataSetSwitchOutcome::NotSaved);
    EXPECT_EQ(log, (Log{"save in " + setFolder(1)}));
    EXPECT_EQ(folders, before);
    // The save told the user already.
    EXPECT_TRUE(ui.shown().empty());
}

}  // namespace
}  // namespace velmo
