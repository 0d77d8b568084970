#include "backup/daily_shared_copy.h"

#include <gtest/gtest.h>

#include "backup/date_marker.h"
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

class DailySharedCopyTest : public ::testing::Test {
protected:
    DailySharedCopyTest() {
        dir.write("share/Data/Files1/Ca202612.myc", "december");
        dir.write("share/Data/Files1/Ca202701.myc", "january");
        dir.write("share/Data/Files1/CaFromTo.myc", "periods");
        dir.write("share/Data/Files1/update.myc", "7");
    }
    DailySharedCopyRequest request(int rights = 6) const {
        return {true, rights, dir / "SafeGuard", dir / "share/Data/Files1"};
    }
    fs::path day() const { return dir / "SafeGuard/Net/DayFirst/Files1"; }

    TempFolder dir;
    FakeClock clock{{2026, 12, 10, 8, 0, 0, 0}};
    RecordingSleeper sleeper;
    ScriptedUserInterface ui;
};

TEST_F(DailySharedCopyTest, CopiesTheSharedFilesOncePerDay) {
    EXPECT_EQ(dailySharedCopy(request(0), ui, clock, sleeper), DailySharedCopyOutcome::Skipped);
    DailySharedCopyRequest local = request();
    local.networkMode = false;
    EXPECT_EQ(dailySharedCopy(local, ui, clock, sleeper), DailySharedCopyOutcome::Skipped);
    EXPECT_FALSE(fs::exists(day()));

    ASSERT_EQ(dailySharedCopy(request(), ui, clock, sleeper), DailySharedCopyOutcome::Copied);
    EXPECT_EQ(TempFolder::read(day() / "Ca202612.myc"), "december");
    EXPECT_EQ(TempFolder::read(day() / "CaFromTo.myc"), "periods");
    EXPECT_FALSE(fs::exists(day() / "update.myc"));
    EXPECT_EQ(daysSinceMarker(day(), clock, sleeper), 0);

    dir.write("share/Data/Files1/Ca202612.myc", "changed at noon");
    EXPECT_EQ(dailySharedCopy(request(), ui, clock, sleeper), DailySharedCopyOutcome::AlreadyToday);
    EXPECT_EQ(TempFolder::read(day() / "Ca202612.myc"), "december");

    clock.set({2026, 12, 11, 8, 0, 0, 0});
    fs::remove(dir / "share/Data/Files1/Ca202701.myc");
    ASSERT_EQ(dailySharedCopy(request(7), ui, clock, sleeper), DailySharedCopyOutcome::Copied);
    EXPECT_EQ(TempFolder::read(day() / "Ca202612.myc"), "changed at noon");
    EXPECT_FALSE(fs::exists(day() / "Ca202701.myc"));  // a fresh folder, not a merge
    EXPECT_EQ(TempFolder::subfolders(dir / "SafeGuard/Net/DayFirst"), std::vector<fs::path>{day()});
    EXPECT_TRUE(ui.texts().empty());
}

TEST_F(DailySharedCopyTest, AFailedFileKeepsYesterdaysCopy) {
    ASSERT_EQ(dailySharedCopy(request(), ui, clock, sleeper), DailySharedCopyOutcome::Copied);
    const auto before = testing::treeSnapshot(dir / "SafeGuard");
    clock.set({2026, 12, 11, 8, 0, 0, 0});
    {
        FailingCalls fail;
        fail.failNth(Call::Write, 2, ENOSPC);  // the second file: Ca202701.myc
        EXPECT_EQ(dailySharedCopy(request(), ui, clock, sleeper), DailySharedCopyOutcome::Failed);
    }
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"[ " + day().string() +
                                                   "/Ca202701.myc ]の書込に失敗しました。"});
    EXPECT_EQ(testing::treeSnapshot(dir / "SafeGuard"), before);
}

TEST_F(DailySharedCopyTest, AFolderThatCannotBeMadeIsReported) {
    dir.write("SafeGuard/Net", "a file where the folder belongs");
    EXPECT_EQ(dailySharedCopy(request(), ui, clock, sleeper), DailySharedCopyOutcome::Failed);
    EXPECT_EQ(ui.texts(),
              std::vector<std::string>{
                  "ネットデータバックアップフォルダを作成できませんでした。\r\n"
                  "ネットフォルダのバックアップデータは保管していません。\r\nご注意下さい。\r\n"
                  "（このバックアップは、今日最初のネットデータを一時的に保管しておくものです）"});
}

}  // namespace
}  // namespace velmo
