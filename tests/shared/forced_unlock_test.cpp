#include "shared/forced_unlock.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <set>

#include "shared/lock_file.h"
#include "tests/support/failing_calls.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::Call;
using testing::FailingCalls;
using testing::ScriptedUserInterface;
using testing::ShownBox;
using testing::TempFolder;
using Names = std::set<std::string>;
using Texts = std::vector<std::string>;

constexpr const char* kFirstQuestion = "すべての予定のロックを解除しますか？";
constexpr const char* kWarning =
    "このボタンは緊急なとき、管理権限を持つ担当者が不在の時だけに使用してください。\r\n"
    "本当に、すべての予定のロックを解除しますか？";
constexpr const char* kMaintenanceQuestion = "メンテナンスロックを強制解除しますか？";
constexpr int kAdministrator = 7;
constexpr int kMember = 0;

Names folderNames(const fs::path& folder) {
    Names names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

struct UnlockFixture {
    TempFolder shared;
    fs::path files1 = shared / "Data/Files1";
    ScriptedUserInterface ui;

    UnlockFixture() {
        shared.write("Data/Files1/Ca201305.myc", "");
        shared.write("Data/Files1/Ca201305.lock", "PC1\r\n");
        shared.write("Data/Files1/CaFromTo.lock", "");
        shared.write("Data/Files2/Ca201305.lock", "PC3\r\n");
    }
    ForcedUnlockOutcome run(int rights) { return forceUnlockAll(shared.path(), rights, ui); }
};

TEST(ForcedUnlock, NoToEitherQuestionChangesNothing) {
    {
        UnlockFixture f;
        f.ui.answer(false);
        EXPECT_EQ(f.run(kAdministrator), ForcedUnlockOutcome::Cancelled);
        EXPECT_EQ(f.ui.texts(), (Texts{kFirstQuestion, "中止します。"}));
        EXPECT_EQ(f.ui.shown()[0].defaultButton, DefaultButton::Yes);
        EXPECT_EQ(f.ui.shown()[0].caption, kQuestionCaption);
        EXPECT_EQ(folderNames(f.files1), (Names{"Ca201305.myc", "Ca201305.lock", "CaFromTo.lock"}));
    }
    {
        UnlockFixture f;
        f.ui.answer(true);
        f.ui.answer(false);
        EXPECT_EQ(f.run(kMember), ForcedUnlockOutcome::Cancelled);
        EXPECT_EQ(f.ui.texts(), (Texts{kFirstQuestion, kWarning, "中止します。"}));
        EXPECT_EQ(f.ui.shown()[1].defaultButton, DefaultButton::No);
        EXPECT_EQ(folderNames(f.files1).size(), 3u);
    }
}

TEST(ForcedUnlock, DeletesEveryLockOfTheSharedDataSet) {
    UnlockFixture f;
    f.ui.answer(true);
    f.ui.answer(true);
    EXPECT_EQ(f.run(5), ForcedUnlockOutcome::Unlocked);
    EXPECT_EQ(f.ui.texts(), (Texts{kFirstQuestion, kWarning, "すべてのロックを解除しました。"}));
    EXPECT_EQ(folderNames(f.files1), Names{"Ca201305.myc"});
    EXPECT_TRUE(fs::exists(f.shared / "Data/Files2/Ca201305.lock"));
}

TEST(ForcedUnlock, NothingLocked) {
    TempFolder shared;
    ScriptedUserInterface ui;
    ui.answer(true);
    EXPECT_EQ(forceUnlockAll(shared.path(), 6, ui), ForcedUnlockOutcome::NothingLocked);
    EXPECT_EQ(ui.texts(), (Texts{kFirstQuestion, "どの予定もロックされていませんでした。"}));
}

TEST(ForcedUnlock, MaintenanceLockOnlyAfterItsOwnQuestion) {
    {
        UnlockFixture f;
        f.shared.write("mente.lock", "ADMIN\r\n");
        f.ui.answer(true);
        f.ui.answer(false);
        EXPECT_EQ(f.run(kAdministrator), ForcedUnlockOutcome::MaintenanceKept);
        EXPECT_EQ(f.ui.texts(), (Texts{kFirstQuestion, kMaintenanceQuestion,
                                       "メンテナンスロックは解除いたしません。\r\n"
                                       "スケジュールのロックは解除しました。"}));
        EXPECT_EQ(f.ui.shown()[1].defaultButton, DefaultButton::No);
        EXPECT_TRUE(fs::exists(f.shared / "mente.lock"));
        EXPECT_EQ(folderNames(f.files1), Names{"Ca201305.myc"});
    }
    {
        TempFolder shared;
        shared.write("mente.lock", "ADMIN\r\n");
        ScriptedUserInterface ui;
        ui.answer(true);
        ui.answer(false);
        EXPECT_EQ(forceUnlockAll(shared.path(), kAdministrator, ui),
                  ForcedUnlockOutcome::MaintenanceKept);
        EXPECT_EQ(ui.texts().back(), "メンテナンスロックは解除いたしません。");
    }
    {
        TempFolder shared;
        shared.write("MENTE.LOCK", "ADMIN\r\n");
        ScriptedUserInterface ui;
        ui.answer(true);
        ui.answer(true);
        EXPECT_EQ(forceUnlockAll(shared.path(), kAdministrator, ui), ForcedUnlockOutcome::Unlocked);
        EXPECT_EQ(ui.texts().back(), "すべてのロックを解除しました。");
        EXPECT_EQ(folderNames(shared.path()), Names{});
    }
}

// A lock file that cannot be deleted is named, and the procedure ends there.
TEST(ForcedUnlock, FailedDeletionIsReported) {
    UnlockFixture f;
    f.shared.write("mente.lock", "ADMIN\r\n");
    f.ui.answer(true);
    FailingCalls fail;
    fail.failNth(Call::Unlink, 1, EACCES);
    EXPECT_EQ(f.run(kAdministrator), ForcedUnlockOutcome::DeletionFailed);
    EXPECT_EQ(f.ui.texts(),
              (Texts{kFirstQuestion, "ロックファイル[" + (f.files1 / "Ca201305.lock").string() +
                                         "]を削除できませんでした。"}));
    EXPECT_EQ(folderNames(f.files1), (Names{"Ca201305.myc", "Ca201305.lock"}));
    EXPECT_TRUE(fs::exists(f.shared / "mente.lock"));

    ScriptedUserInterface ui;
    ui.answer(true);
    fail.failFrom(Call::Unlink, 3, EIO);
    EXPECT_EQ(forceUnlockAll(f.shared.path(), kAdministrator, ui),
              ForcedUnlockOutcome::DeletionFailed);
    EXPECT_EQ(ui.texts().back(), "ロックファイル[" + (f.files1 / "Ca201305.lock").string() +
                                     "]を削除できませんでした。");
}

TEST(ForcedUnlock, LockThisProgramHoldsEndsWithIt) {
    UnlockFixture f;
    SilentStatusLine status;
    testing::RecordingSleeper sleeper;
    LockResult held =
        acquireLock(f.files1 / "Ca201306.lock", "PC1", kLockWait, 0, {f.ui, status, sleeper});
    ASSERT_TRUE(held.acquired());
    f.ui.answer(true);
    EXPECT_EQ(f.run(kAdministrator), ForcedUnlockOutcome::Unlocked);
    EXPECT_FALSE(held.held.held());
    EXPECT_EQ(folderNames(f.files1), Names{"Ca201305.myc"});
}

}  // namespace
}  // namespace velmo
