#include "backup/setup_backups.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "backup/date_marker.h"
#include "backup/generation_copy.h"
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

class SetupBackupsTest : public ::testing::Test {
protected:
    SetupBackupsTest() {
        dir.write("Velmo/Torka.ini", "[Set2]\r\nyDataForm=1\r\n");
        dir.write("Schedules/Ca202612.myc", "december");
        dir.write("Old_Torka/Ca202412.myc", "set aside");
    }
    SetupBackupRequest request() const {
        return {dir / "Velmo", dir / "Schedules", dir / "SafeGuard"};
    }
    fs::path generation(const char* base, int k) const {
        return generationFolder(dir / "SafeGuard", base, k);
    }

    TempFolder dir;
    FakeClock clock{{2026, 12, 10, 9, 0, 0, 0}};
    RecordingSleeper sleeper;
    ScriptedUserInterface ui;
};

TEST_F(SetupBackupsTest, EachFolderIsKeptOnceADayWithItsMarker) {
    ASSERT_TRUE(backupsBeforeOverwriteSetup(request(), clock, sleeper, ui));
    // Each generation is its folder plus the day's marker.
    EXPECT_EQ(TempFolder::read(generation("TorkaData", 1) / "Ca202612.myc"), "december");
    EXPECT_EQ(TempFolder::read(generation("Torka", 1) / "Torka.ini"), "[Set2]\r\nyDataForm=1\r\n");
    EXPECT_EQ(TempFolder::read(generation("Old_Torka", 1) / "Ca202412.myc"), "set aside");
    EXPECT_FALSE(fs::exists(generation("OD_Torka", 1)));  // nothing was set aside there
    EXPECT_EQ(daysSinceMarker(generation("Torka", 1), clock, sleeper), 0);

    // A second setup the same day makes no second generation; the next day does.
    ASSERT_TRUE(backupsBeforeOverwriteSetup(request(), clock, sleeper, ui));
    EXPECT_FALSE(fs::exists(generation("Torka", 2)));
    clock.set({2026, 12, 11, 9, 0, 0, 0});
    ASSERT_TRUE(backupsBeforeOverwriteSetup(request(), clock, sleeper, ui));
    EXPECT_TRUE(fs::exists(generation("Torka", 2)));
    EXPECT_TRUE(ui.texts().empty());
}

TEST_F(SetupBackupsTest, AFailureAsksWhetherTheSetupGoesOnWithoutIt) {
    {
        FailingCalls fail;
        fail.failFrom(Call::Write, 1, ENOSPC);
        ui.answer(true);   // TorkaData failed: go on
        ui.answer(false);  // Torka failed: stop
        EXPECT_FALSE(backupsBeforeOverwriteSetup(request(), clock, sleeper, ui));
    }
    EXPECT_EQ(
        ui.questions(),
        (std::vector<std::string>{
            "セットアップ世代データバックアップエラー\r\n\r\n世代バックアップが出来ませんが\r\n"
            "セットアップをこのまま続けますか。",
            "セットアップ世代アプリバックアップエラー\r\n\r\n世代バックアップが出来ませんが\r\n"
            "セットアップをこのまま続けますか。"}));
    EXPECT_FALSE(fs::exists(generation("TorkaData", 1)));
    EXPECT_FALSE(fs::exists(generation("Old_Torka", 1)));  // stopped before it
}

TEST_F(SetupBackupsTest, ARootThatCannotBeMadeIsAskedAbout) {
    dir.write("blocked", "a file where the root's parent should be");
    SetupBackupRequest r = request();
    r.backupRoot = dir / "blocked" / "SafeGuard";
    ui.answer(false);
    EXPECT_FALSE(backupsBeforeOverwriteSetup(r, clock, sleeper, ui));
    ASSERT_EQ(ui.questions().size(), 1u);
    EXPECT_TRUE(
        ui.questions()[0].starts_with("[" + r.backupRoot.string() + "]フォルダが作成できません。"));
    ui.answer(true);
    EXPECT_TRUE(backupsBeforeOverwriteSetup(r, clock, sleeper, ui));
}

}  // namespace
}  // namespace velmo
