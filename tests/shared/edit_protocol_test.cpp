#include "shared/edit_protocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "tests/support/scripted_locks.h"
#include "tests/support/scripted_user_interface.h"

namespace velmo {
namespace {

using testing::ScriptedLocks;
using testing::ScriptedUserInterface;
using testing::Steps;
using Acquire = LockOperations::Acquire;

class EditProtocolTest : public ::testing::Test {
protected:
    LockedEdit edit(bool testMaintenance = true) {
        return {"/s/Data/Files1/Ca202412.lock", testMaintenance,
                [this] {
                    steps.push_back("reload");
                    return reloadGoesOn;
                },
                [this] { steps.push_back("edit"); }};
    }
    ProtocolOutcome run(const LockedEdit& e) { return runLockedEdit(e, locks, ui); }

    Steps steps;
    ScriptedLocks locks{steps};
    ScriptedUserInterface ui;
    bool reloadGoesOn = true;
};

TEST_F(EditProtocolTest, AnEditRunsBetweenTwoAcquiresAndOneRelease) {
    EXPECT_EQ(run(edit()), ProtocolOutcome::Done);
    EXPECT_EQ(steps, (Steps{"maintenance?", "acquire /s/Data/Files1/Ca202412.lock", "maintenance?",
                            "reload", "acquire /s/Data/Files1/Ca202412.lock", "maintenance?",
                            "edit", "release /s/Data/Files1/Ca202412.lock"}));
    EXPECT_TRUE(ui.texts().empty());

    steps.clear();
    run(edit(false));  // the month memo: no test before the lock
    EXPECT_EQ(steps.front(), "acquire /s/Data/Files1/Ca202412.lock");
}

TEST_F(EditProtocolTest, MaintenanceBegunAfterTheFirstTestGivesTheLockBack) {
    locks.maintenance = {false, true};
    EXPECT_EQ(run(edit()), ProtocolOutcome::Maintenance);
    EXPECT_EQ(steps, (Steps{"maintenance?", "acquire /s/Data/Files1/Ca202412.lock", "maintenance?",
                            "release /s/Data/Files1/Ca202412.lock"}));

    steps.clear();
    locks.maintenance = {false, false, true};  // begun while reloading
    EXPECT_EQ(run(edit()), ProtocolOutcome::Maintenance);
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "edit"), 0);
    EXPECT_EQ(steps.back(), "release /s/Data/Files1/Ca202412.lock");
    EXPECT_TRUE(worthRetrying(ProtocolOutcome::Maintenance));
}

TEST_F(EditProtocolTest, LosingTheSecondAcquireLeavesTheWinnersLockAlone) {
    locks.acquires = {Acquire::Acquired, Acquire::HeldByOther};
    EXPECT_EQ(run(edit()), ProtocolOutcome::HeldByOther);
    EXPECT_EQ(steps.back(), "acquire /s/Data/Files1/Ca202412.lock");
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "release /s/Data/Files1/Ca202412.lock"), 0);
    EXPECT_TRUE(worthRetrying(ProtocolOutcome::HeldByOther));

    steps.clear();
    locks.acquires = {Acquire::Failed};
    EXPECT_EQ(run(edit()), ProtocolOutcome::LockFailed);
    EXPECT_EQ(steps, (Steps{"maintenance?", "acquire /s/Data/Files1/Ca202412.lock"}));
    EXPECT_FALSE(worthRetrying(ProtocolOutcome::LockFailed));
}

TEST_F(EditProtocolTest, AnAbandonedOrFinishedEditReportsALockThatStayed) {
    reloadGoesOn = false;
    EXPECT_EQ(run(edit()), ProtocolOutcome::Abandoned);
    EXPECT_EQ(steps.back(), "release /s/Data/Files1/Ca202412.lock");
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "edit"), 0);

    reloadGoesOn = true;
    locks.releases = {false};
    EXPECT_EQ(run(edit()), ProtocolOutcome::ReleaseFailed);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{
                              "ロックファイル[/s/Data/Files1/Ca202412.lock]を消去できませんでした。"
                              "\r\nもし、自身のロックファイルが存在していましたら、\r\n"
                              "メンテナンスでロックファイルを削除する必要があります。"});
}

}  // namespace
}  // namespace velmo
