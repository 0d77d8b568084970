#include "shared/maintenance.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "tests/support/failing_calls.h"
#include "tests/support/fake_clock.h"
#include "tests/support/recording_status_line.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using testing::Call;
using testing::cleared;
using testing::FailingCalls;
using testing::fuchsia;
using testing::RecordingSleeper;
using testing::RecordingStatusLine;
using testing::ScriptedUserInterface;
using testing::StatusEvent;
using testing::TempFolder;
using Events = std::vector<StatusEvent>;
using Pauses = std::vector<milliseconds>;
using Texts = std::vector<std::string>;

constexpr const char* kMaintenanceText =
    "現在、メンテナンス中です。\r\nしばらくしてから、処理をお願いいたします。";
constexpr milliseconds kSettle{1000};

// A shared folder as one computer sees it; its own data set may be another one.
struct MaintenanceFixture {
    TempFolder shared;
    fs::path mente = shared / "mente.lock";
    ScriptedUserInterface ui;
    RecordingStatusLine status;
    RecordingSleeper sleeper;
    LockContext context{ui, status, sleeper};

    HeldLock on() { return maintenanceLockOn(shared.path(), "ADMIN", context); }
};

TEST(MaintenanceTest, AnswersAndTellsWhileTheLockExists) {
    MaintenanceFixture f;
    EXPECT_EQ(maintenanceLockPath("/share/"), fs::path("/share/mente.lock"));
    EXPECT_FALSE(maintenanceActive(f.shared.path()));
    EXPECT_FALSE(maintenanceTest(f.shared.path(), f.ui));
    EXPECT_TRUE(f.ui.shown().empty());

    f.shared.write("mente.lock", "ADMIN\r\n");
    EXPECT_TRUE(maintenanceActive(f.shared.path()));
    EXPECT_TRUE(f.ui.shown().empty());
    EXPECT_TRUE(maintenanceTest(f.shared.path(), f.ui));
    EXPECT_EQ(f.ui.texts(), Texts{kMaintenanceText});

    // An empty or half-written maintenance lock is a maintenance lock all the same.
    f.shared.write("mente.lock", "");
    EXPECT_TRUE(maintenanceActive(f.shared.path()));
    fs::remove(f.mente);
    f.shared.write("MENTE.LOCK", "ADMIN\r\n");
    EXPECT_TRUE(maintenanceActive(f.shared.path()));
}

TEST(MaintenanceLock, ABlankOrRelativeFolderIsNoSharedFolder) {
    // A "mente.lock" in the current directory must never count, nor be created there.
    TempFolder cwd;
    const fs::path before = fs::current_path();
    fs::current_path(cwd.path());
    cwd.write("mente.lock", "ADMIN\r\n");
    ScriptedUserInterface ui;
    RecordingStatusLine status;
    RecordingSleeper sleeper;
    LockContext context{ui, status, sleeper};
    EXPECT_FALSE(maintenanceActive(""));
    EXPECT_FALSE(maintenanceActive("."));
    EXPECT_FALSE(maintenanceTest("", ui));
    fs::remove(cwd / "mente.lock");
    EXPECT_FALSE(maintenanceLockOn("", "ADMIN", context).held());
    EXPECT_FALSE(maintenanceLockOn("share", "ADMIN", context).held());
    EXPECT_FALSE(fs::exists(cwd / "mente.lock"));
    EXPECT_FALSE(fs::exists(cwd / "share"));
    fs::current_path(before);
    EXPECT_TRUE(ui.shown().empty());
}

TEST(MaintenanceLock, OnAndOff) {
    MaintenanceFixture f;
    f.shared.write("Data/Files1/Ca201305.myc", "");
    HeldLock lock = f.on();
    EXPECT_TRUE(lock.held());
    EXPECT_EQ(TempFolder::read(f.mente), "ADMIN\r\n");
    EXPECT_EQ(f.sleeper.pauses(), Pauses{kSettle});
    EXPECT_TRUE(f.ui.shown().empty());
    EXPECT_TRUE(maintenanceTest(f.shared.path(), f.ui));

    f.status.forget();
    EXPECT_TRUE(maintenanceLockOff(std::move(lock), "ADMIN", f.context));
    EXPECT_FALSE(fs::exists(f.mente));
    EXPECT_EQ(f.status.events(), Events{cleared()});
    EXPECT_EQ(f.ui.texts(), Texts{kMaintenanceText});
}

// Maintenance requested while another computer edits a month: the maintenance lock is
// taken, found beside a month lock after a second, and given back.
TEST(MaintenanceLock, GivenBackWhileSomebodyEdits) {
    MaintenanceFixture f;
    f.shared.write("Data/Files1/CA202409.LOCK", "PC2\r\n");
    HeldLock lock = f.on();
    EXPECT_FALSE(lock.held());
    EXPECT_FALSE(fs::exists(f.mente));
    EXPECT_EQ(f.sleeper.pauses(), Pauses{kSettle});
    EXPECT_TRUE(f.ui.shown().empty());
    EXPECT_TRUE(fs::exists(f.shared / "Data/Files1/CA202409.LOCK"));
}

// Only the shared folder's Data/Files1/ counts, whatever data set this computer uses.
TEST(MaintenanceLock, OnlyTheSharedDataFolderCounts) {
    MaintenanceFixture f;
    f.shared.write("Data/Files2/Ca202409.lock", "PC2\r\n");
    f.shared.write("Data/Files1/Ca202409.myc", "");
    f.shared.write("Data/Files1/lock", "");
    fs::create_directories(f.shared / "Data/Files1/old.lock");
    EXPECT_TRUE(f.on().held());
}

TEST(MaintenanceLock, RefusedWhileAnotherComputerHoldsIt) {
    MaintenanceFixture f;
    f.shared.write("mente.lock", "PC2\r\n");
    EXPECT_FALSE(f.on().held());
    EXPECT_EQ(f.ui.texts(), (Texts{"他のコンピュータ【PC2】がデータをロックしています。\r\n"
                                   "しばらくしてから、もう一度お願いいたします。",
                                   "メンテナンスファイルの書出しに失敗しました。"}));
    EXPECT_TRUE(f.sleeper.pauses().empty());
    EXPECT_EQ(TempFolder::read(f.mente), "PC2\r\n");
}

TEST(MaintenanceLock, FailedGiveBackIsReported) {
    MaintenanceFixture f;
    f.shared.write("Data/Files1/Ca202409.lock", "PC2\r\n");
    FailingCalls fail;
    fail.failFrom(Call::Unlink, 1, EACCES);
    EXPECT_FALSE(f.on().held());
    EXPECT_EQ(f.ui.texts(), (Texts{"ロックファイル[" + f.mente.string() +
                                       "]の削除に失敗しました。\r\nベルモ管理者にご連絡下さい。",
                                   "メンテナンスファイルの削除に失敗しました。"}));
    EXPECT_EQ(fail.count(Call::Unlink), kMaintenanceReleaseRetries);
    EXPECT_TRUE(fs::exists(f.mente));
}

TEST(MaintenanceLock, FailedOffAndExitReleasesAreReported) {
    MaintenanceFixture f;
    HeldLock first = f.on();
    ASSERT_TRUE(first.held());
    {
        FailingCalls fail;
        fail.failFrom(Call::Unlink, 1, EBUSY);
        EXPECT_FALSE(maintenanceLockOff(std::move(first), "ADMIN", f.context));
        EXPECT_EQ(f.ui.texts().back(), "メンテナンスファイルの削除に失敗しました。");

        HeldLock second = f.on();  // the file still names this computer
        ASSERT_TRUE(second.held());
        EXPECT_FALSE(releaseMaintenanceAtExit(std::move(second), "ADMIN", f.context));
        EXPECT_EQ(f.ui.texts().back(),
                  "メンテナンスロックファイルが、削除できません。\r\n管理者にご連絡下さい。");
    }
    HeldLock third = f.on();
    ASSERT_TRUE(third.held());
    const std::size_t shown = f.ui.shown().size();
    EXPECT_TRUE(releaseMaintenanceAtExit(std::move(third), "ADMIN", f.context));
    EXPECT_FALSE(fs::exists(f.mente));
    EXPECT_EQ(f.ui.shown().size(), shown);

    // Nothing held at exit: nothing to do.
    EXPECT_TRUE(releaseMaintenanceAtExit(HeldLock{}, "ADMIN", f.context));
    EXPECT_EQ(f.ui.shown().size(), shown);
}

TEST(MaintenanceLock, StatusTextsOfTheAcquireAreCleared) {
    MaintenanceFixture f;
    f.shared.write("mente.lock", "");
    EXPECT_FALSE(f.on().held());
    EXPECT_EQ(f.status.events().back(), cleared());
    EXPECT_EQ(f.status.events().front(), fuchsia("[mente.myc]書込権限取得のため待機中"));
    EXPECT_EQ(f.ui.texts(), (Texts{"[mente.myc]のロックに失敗しました。\r\n"
                                   "頻繁に出現しましたら、ベルモ管理者にご連絡下さい。",
                                   "メンテナンスファイルの書出しに失敗しました。"}));
}

}  // namespace
}  // namespace velmo
