#include "backup/automatic_backup.h"

#include <gtest/gtest.h>

#include "backup/date_marker.h"
#include "backup/folder_operations.h"
#include "backup/generation_copy.h"
#include "calendar/julius_day.h"
#include "tests/support/failing_calls.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::FakeClock;
using testing::RecordingSleeper;
using testing::ScriptedUserInterface;
using testing::TempFolder;

TEST(DateMarker, CountsDaysFromTheMarkersDate) {
    TempFolder dir;
    FakeClock clock({2026, 12, 10, 9, 0, 0, 0});
    RecordingSleeper sleeper;
    ASSERT_TRUE(writeTodayMarker(dir.path(), clock, sleeper));
    EXPECT_NE(TempFolder::read(dir / "VelDate.myc").find("[Date]\r\nSakusei=2026/12/10\r\n"),
              std::string::npos);
    EXPECT_EQ(daysSinceMarker(dir.path(), clock, sleeper), 0);
    clock.set({2027, 1, 9, 0, 0, 0, 0});
    EXPECT_EQ(daysSinceMarker(dir.path(), clock, sleeper), 30);
    clock.set({2027, 1, 10, 0, 0, 0, 0});
    EXPECT_EQ(daysSinceMarker(dir.path(), clock, sleeper), 31);
    dir.write("VelDate.myc", "[Date]\r\nSakusei=2024/2/29\r\n");
    clock.set({2024, 3, 1, 0, 0, 0, 0});
    EXPECT_EQ(daysSinceMarker(dir.path(), clock, sleeper), 1);
    dir.write("VelDate.myc", "[Date]\r\nSakusei=2024/03/02\r\n");
    EXPECT_EQ(daysSinceMarker(dir.path(), clock, sleeper), -1);  // a marker from tomorrow
}

TEST(DateMarker, NoUsableMarkerCountsAsMinusOne) {
    TempFolder dir;
    FakeClock clock;
    RecordingSleeper sleeper;
    EXPECT_EQ(daysSinceMarker(dir.path(), clock, sleeper), -1);
    for (const char* text :
         {"", "[Date]\r\n", "[Date]\r\nSakusei=\r\n", "[Other]\r\nSakusei=2024/09/10\r\n",
          "[Date]\r\nSakusei=2024/02/30\r\n", "[Date]\r\nSakusei=2024/09/10x\r\n",
          "[Date]\r\nSakusei=1582/10/10\r\n"}) {
        dir.write("VelDate.myc", text);
        EXPECT_EQ(daysSinceMarker(dir.path(), clock, sleeper), -1) << text;
    }
    fs::remove(dir / "VelDate.myc");
    fs::create_directory(dir / "VelDate.myc");  // unreadable: a folder in its place
    EXPECT_EQ(daysSinceMarker(dir.path(), clock, sleeper), -1);
    EXPECT_FALSE(writeTodayMarker(dir.path(), clock, sleeper));
}

class AutomaticBackupTest : public ::testing::Test {
protected:
    AutomaticBackupTest() {
        dir.write("start/Data/Files1/Ca202612.myc", "december");
        dir.write("start/Data/CaMemo.myc", "memo");
        keys.cbBackKankaku = 3;  // 7 days
    }
    AutomaticBackupInputs inputs() {
        return {.dataFormat = 2,
                .commonDataFolder = dir / "start/Data",
                .startFolder = dir / "start",
                .backupRoot = dir / "SafeGuard",
                .today = today,
                .settings = keys};
    }
    fs::path newest() const { return dir / "SafeGuard/01_AutoVelData"; }

    TempFolder dir;
    FakeClock clock{{2026, 12, 10, 9, 0, 0, 0}};
    RecordingSleeper sleeper;
    ScriptedUserInterface ui;
    BackupKeys keys;
    std::int32_t today = ymdToJuliusDay(2026, 12, 10);
};

TEST_F(AutomaticBackupTest, IntervalsFromTheListPosition) {
    const int expected[] = {0, 1, 3, 7, 15, 30, 7, 7};
    for (int position = 0; position < 8; ++position)
        EXPECT_EQ(backupInterval(position), expected[position]) << position;
    EXPECT_EQ(backupInterval(-1), 7);
}

TEST_F(AutomaticBackupTest, DueOnceTheIntervalHasPassedOrBackupDayLiesAhead) {
    keys.BackupDay = today - 6;
    EXPECT_EQ(automaticBackup(inputs(), ui, clock, sleeper), AutomaticBackupOutcome::Skipped);
    EXPECT_EQ(keys.vBackKankaku, 7);
    EXPECT_FALSE(fs::exists(newest()));
    keys.BackupDay = today - 7;
    EXPECT_EQ(automaticBackup(inputs(), ui, clock, sleeper), AutomaticBackupOutcome::Copied);
    EXPECT_EQ(keys.BackupDay, today);
    EXPECT_EQ(daysSinceMarker(newest(), clock, sleeper), 0);
    fs::remove(newest() / kDateMarkerName);
    EXPECT_TRUE(sameTree(dir / "start/Data", newest()));

    keys.BackupDay = today + 40;  // the clock was set back
    EXPECT_TRUE(automaticBackupDue(inputs()));
}

TEST_F(AutomaticBackupTest, StartsThatNeverBackUp) {
    keys.BackupDay = today - 100;
    auto refused = [&](auto change) {
        AutomaticBackupInputs in = inputs();
        change(in);
        return !automaticBackupDue(in);
    };
    EXPECT_TRUE(refused([](AutomaticBackupInputs& in) { in.networkMode = true; }));
    EXPECT_TRUE(refused([](AutomaticBackupInputs& in) { in.startedFromCdrom = true; }));
    EXPECT_TRUE(refused([](AutomaticBackupInputs& in) { in.startedFromNetwork = true; }));
    EXPECT_TRUE(refused([](AutomaticBackupInputs& in) { in.startedFromRemovable = true; }));
    EXPECT_TRUE(refused([](AutomaticBackupInputs& in) { in.dataFormat = 1; }));
    EXPECT_TRUE(
        refused([&](AutomaticBackupInputs& in) { in.commonDataFolder = dir / "start/./"; }));
    EXPECT_FALSE(refused([](AutomaticBackupInputs&) {}));
    keys.cbBackKankaku = 0;
    EXPECT_TRUE(refused([](AutomaticBackupInputs&) {}));
}

TEST_F(AutomaticBackupTest, TodaysMarkerMeansNoCopyButBackupDayMoves) {
    dir.write("SafeGuard/01_AutoVelData/which", "made this morning");
    ASSERT_TRUE(writeTodayMarker(newest(), clock, sleeper));
    keys.BackupDay = today - 9;
    EXPECT_EQ(automaticBackup(inputs(), ui, clock, sleeper), AutomaticBackupOutcome::AlreadyToday);
    EXPECT_EQ(keys.BackupDay, today);
    EXPECT_EQ(TempFolder::read(newest() / "which"), "made this morning");
    EXPECT_FALSE(fs::exists(dir / "SafeGuard/02_AutoVelData"));
}

TEST_F(AutomaticBackupTest, AFailedCopyIsReportedAndTriedAgainTomorrow) {
    keys.BackupDay = today - 7;
    ui.clearShown();
    {
        testing::FailingCalls fail;
        fail.failNth(testing::Call::Write, 1, ENOSPC);
        EXPECT_EQ(automaticBackup(inputs(), ui, clock, sleeper), AutomaticBackupOutcome::Failed);
    }
    EXPECT_EQ(keys.BackupDay, today - 6);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"自動世代データバックアップエラー\r\n\r\n"
                                                   "世代バックアップが出来ませんでした。"});
    EXPECT_FALSE(fs::exists(newest()));
}

TEST_F(AutomaticBackupTest, BusyFlagLastsAsLongAsTheObject) {
    bool busy = false;
    {
        BackupBusy guard(busy);
        EXPECT_TRUE(busy);
    }
    EXPECT_FALSE(busy);
}

}  // namespace
}  // namespace velmo
