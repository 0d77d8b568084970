#include "app/startup/rescue_copies.h"

#include <gtest/gtest.h>

#include "tests/support/fake_clock.h"
#include "tests/support/store_fakes.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::FakeClock;
using testing::fileBytes;
using testing::RecordingSleeper;
using testing::TempFolder;

class RescueCopiesTest : public ::testing::Test {
protected:
    TempFolder temp;
    fs::path root = rescueRoot(temp.path() / "state");
    FakeClock clock{{2024, 1, 15, 9, 5, 3, 0}};
    RecordingSleeper sleeper;
};

TEST_F(RescueCopiesTest, FilesAreWrittenAsTheDataFolderWouldHaveReceivedThem) {
    EXPECT_EQ(root, temp.path() / "state/velmo/rescue");
    const std::vector<RescueFile> files = {
        {"Ca202401.myc", {" 0,0,9,2024/ 1 [Data\\Files1\\]", "20,1,,纊≒の出張,,,,,,"}},
        {"CaFromTo.myc", {"***** FromTo予定 [Data\\Files1\\]"}}};
    const std::optional<std::string> folder = writeRescueCopies(files, root, clock, sleeper);
    ASSERT_TRUE(folder);
    EXPECT_EQ(*folder, (root / "20240115-090503").string() + "/");
    for (const RescueFile& file : files)
        EXPECT_EQ(TempFolder::read(*folder + file.name), fileBytes(file.lines)) << file.name;
    // The codes Windows writes for twins, and CR LF.
    EXPECT_NE(TempFolder::read(*folder + "Ca202401.myc").find("\xFA\x5C\x81\xE0"),
              std::string::npos);

    // A second rescue in the same second gets a folder of its own.
    EXPECT_EQ(writeRescueCopies(files, root, clock, sleeper),
              (root / "20240115-090503-2").string() + "/");
    EXPECT_EQ(TempFolder::read(*folder + "Ca202401.myc"), fileBytes(files[0].lines));
    EXPECT_TRUE(sleeper.pauses().empty());
}

TEST_F(RescueCopiesTest, AnythingNotWrittenIsAFailure) {
    const std::vector<RescueFile> files = {{"Ca202401.myc", {"1,1,,a"}}};
    EXPECT_FALSE(writeRescueCopies({}, root, clock, sleeper));
    EXPECT_FALSE(fs::exists(root));

    temp.write("blocked", "");
    EXPECT_FALSE(writeRescueCopies(files, temp.path() / "blocked/rescue", clock, sleeper));

    // A line CP932 cannot hold is never written with a character missing.
    EXPECT_FALSE(writeRescueCopies({{"Ca202401.myc", {"1,1,,😀"}}, files[0]}, root, clock, sleeper));
}

TEST_F(RescueCopiesTest, EachRecordedFolderIsAnnouncedOnce) {
    EXPECT_TRUE(takeRescueNotices(root).empty());
    const std::string first = (root / "20240115-090503").string() + "/";
    const std::string second = (root / "20240116-170000").string() + "/";
    const std::string removed = (root / "20240117-080000").string() + "/";
    for (const std::string& folder : {first, second, removed}) {
        fs::create_directories(folder);
        EXPECT_TRUE(recordRescueNotice(root, folder, sleeper));
    }
    // A folder the user already cleared away is not worth a word.
    fs::remove(removed);
    EXPECT_EQ(takeRescueNotices(root), (std::vector<std::string>{first, second}));
    EXPECT_TRUE(takeRescueNotices(root).empty());

    EXPECT_EQ(rescueNoticeText("/home/u/.local/state/velmo/rescue/20240115-090503/"),
              "前回の終了時に保存できなかった予定を/home/u/.local/state/velmo/rescue/"
              "20240115-090503/に退避しました。");
    temp.write("blocked", "");
    EXPECT_FALSE(recordRescueNotice(temp.path() / "blocked/rescue", first, sleeper));
}

}  // namespace
}  // namespace velmo
