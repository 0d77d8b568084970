#include "backup/data_format_conversion.h"

#include <gtest/gtest.h>

#include "tests/backup/backup_tree_snapshot.h"
#include "tests/backup/format1_folder.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedUserInterface;
using testing::TempFolder;
using testing::treeSnapshot;
using testing::writeFormat1;
using Files = std::map<std::string, std::string>;

constexpr const char* kNoCommon102 =
    "元データに共通データファイルが一つもありません(102)。\r\n"
    "運用によってはこれらのファイルは、存在しない可能性もありますので、\r\n"
    "処理は続行します。";
constexpr const char* kNoFiles2 =
    "元データに \\Files2 のデータファイルが一つもありません(103)。\r\n"
    "運用によってはこれらのファイルは、存在しない可能性もありますので、\r\n"
    "処理は続行します。";

class DataFormatConversionTest : public ::testing::Test {
protected:
    TempFolder dir;
    ScriptedUserInterface ui;
};

TEST_F(DataFormatConversionTest, Format1To2PutsEveryGroupInItsFolder) {
    writeFormat1(dir, "one");
    ASSERT_TRUE(convertFormat1To2(dir / "one", dir / "two", true, false, ui));
    EXPECT_EQ(treeSnapshot(dir / "two"), (Files{{"Data", "/"},
                                                {"Data/CaMemo.myc", "memo"},
                                                {"Data/Files1", "/"},
                                                {"Data/Files1/Ca202409.myc", "september"},
                                                {"Data/Files1/CaFT4090.mcp", "period backup"},
                                                {"Data/Files1/CaFromTo.myc", "periods"},
                                                {"Data/Files2", "/"},
                                                {"Data/Files2/Ca202410.myc", "set 2"},
                                                {"Data/Files3", "/"},
                                                {"Data/Files3/Ca202411.myc", "set 3"},
                                                {"Data/Sday.myc", "special days"},
                                                {"Torka.ini", "[Settings]"}}));
    EXPECT_TRUE(ui.texts().empty());
}

TEST_F(DataFormatConversionTest, Format1To2GoesOnWithoutCommonOrSetFiles) {
    dir.write("one/CaFromTo.myc", "periods");
    ASSERT_TRUE(fs::create_directories(dir / "one/Files2"));
    ASSERT_TRUE(fs::create_directories(dir / "one/Files3"));
    ASSERT_TRUE(convertFormat1To2(dir / "one", dir / "two", true, false, ui));
    EXPECT_EQ(TempFolder::read(dir / "two/Data/Files1/CaFromTo.myc"), "periods");
    EXPECT_TRUE(fs::is_directory(dir / "two/Data/Files3"));
    // An empty Files2 is told, an empty Files3 passes silently, a missing set folder is
    // not mentioned; no program file is still a success.
    ASSERT_EQ(ui.texts().size(), 3u);
    EXPECT_EQ(ui.texts()[0], kNoCommon102);
    EXPECT_EQ(ui.texts()[1], kNoFiles2);
    EXPECT_EQ(ui.texts()[2].substr(0, ui.texts()[2].find('\r')),
              "元データに設定されたファイルが一つもありません(105)。");
}

TEST_F(DataFormatConversionTest, Format1To2NeedsADataFile) {
    dir.write("one/CaMemo.myc", "memo");
    dir.write("one/Ca199912.myc", "not a data set file");
    EXPECT_FALSE(convertFormat1To2(dir / "one", dir / "two", false, false, ui));
    EXPECT_EQ(ui.texts(),
              std::vector<std::string>{
                  "元データにデータファイルが一つもありません(101)。\r\n"
                  "データ形式１からデータ形式２にする過程（１）又はデータ回復を中止します。"});
    EXPECT_FALSE(fs::exists(dir / "two/Data/CaMemo.myc"));
}

TEST_F(DataFormatConversionTest, NetworkModeLeavesSets2And3Alone) {
    writeFormat1(dir, "one");
    ASSERT_TRUE(convertFormat1To2(dir / "one", dir / "two", false, true, ui));
    EXPECT_TRUE(fs::exists(dir / "two/Data/Files1/Ca202409.myc"));
    EXPECT_FALSE(fs::exists(dir / "two/Data/Files2"));
    EXPECT_FALSE(fs::exists(dir / "two/Data/Files3"));
    EXPECT_FALSE(fs::exists(dir / "two/Torka.ini"));

    ASSERT_TRUE(convertFormat2To1(dir / "two", dir / "back", true, ui));
    EXPECT_FALSE(fs::exists(dir / "back/Files2"));
    EXPECT_TRUE(fs::exists(dir / "back/CaMemo.myc"));
}

TEST_F(DataFormatConversionTest, Format2To1IsTheWayBack) {
    writeFormat1(dir, "one");
    ASSERT_TRUE(convertFormat1To2(dir / "one", dir / "two", false, false, ui));
    ASSERT_TRUE(convertFormat2To1(dir / "two", dir / "back", false, ui));
    Files expected = treeSnapshot(dir / "one");
    expected.erase("Ca199912.myc");
    expected.erase("Torka.ini");
    EXPECT_EQ(treeSnapshot(dir / "back"), expected);

    fs::remove(dir / "two/Data/CaMemo.myc");
    fs::remove(dir / "two/Data/Sday.myc");
    ASSERT_TRUE(convertFormat2To1(dir / "two", dir / "again", false, ui));
    ASSERT_EQ(ui.texts().size(), 1u);
    EXPECT_EQ(ui.texts()[0],
              "元データに共通データファイルが一つもありません(202)。\r\n"
              "運用によってはこれらのファイルは、存在しない可能性もありますので、\r\n"
              "処理は続行します。\r\n"
              "何かキーを押してください。");
}

}  // namespace
}  // namespace velmo
