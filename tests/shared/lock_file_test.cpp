#include "shared/lock_file.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <functional>
#include <set>

#include "store/cp932.h"
#include "tests/support/failing_calls.h"
#include "tests/support/fake_clock.h"
#include "tests/support/fifo.h"
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
using testing::red;
using testing::ScriptedUserInterface;
using testing::StatusEvent;
using testing::TempFolder;
using Events = std::vector<StatusEvent>;
using Names = std::set<std::string>;
using Pauses = std::vector<milliseconds>;
using Texts = std::vector<std::string>;

constexpr const char* kBusyText =
    "他のコンピュータ【PC2】がデータをロックしています。\r\n"
    "しばらくしてから、もう一度お願いいたします。";
constexpr const char* kFailedText =
    "[Ca201305.myc]のロックに失敗しました。\r\n頻繁に出現しましたら、ベルモ管理者にご連絡下さい。";
constexpr const char* kRewrittenText =
    "他のコンピュータ(PC2)にロックファイルの内容が変わっています\r\nベルモ管理者にご連絡下さい。";

Names folderNames(const fs::path& folder) {
    Names names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// A sleeper that runs something at chosen pauses (counting from 1), as another
// computer acting while this one waits.
class ActingSleeper final : public Sleeper {
public:
    void at(int nth, std::function<void()> act) { acts_.push_back({nth, std::move(act)}); }
    void sleep(milliseconds duration) override {
        pauses_.push_back(duration);
        for (auto& [nth, act] : acts_) {
            if (nth == static_cast<int>(pauses_.size()))
                act();
        }
    }
    const Pauses& pauses() const { return pauses_; }

private:
    std::vector<std::pair<int, std::function<void()>>> acts_;
    Pauses pauses_;
};

// A shared data folder seen by one computer, with the month lock of May 2013.
struct LockFixture {
    TempFolder dir;
    fs::path lock = dir / "Ca201305.lock";
    ScriptedUserInterface ui;
    RecordingStatusLine status;
    RecordingSleeper sleeper;
    LockContext context{ui, status, sleeper};

    LockResult acquire(const std::string& name = "PC1", int retries = kAcquireRetries) {
        return acquireLock(lock, name, kLockWait, retries, context);
    }
    bool release(HeldLock held, int retries = kEditorReleaseRetries) {
        return releaseLock(std::move(held), "PC1", kLockWait, retries, context);
    }
    std::string content() const { return TempFolder::read(lock); }
    void writeLock(std::string_view bytes) const { dir.write("Ca201305.lock", bytes); }
};

// What another program of this computer holding a lock looks like: a child process that
// acquired it and waits until it is killed.
class HoldingChild {
public:
    HoldingChild(const fs::path& lock, const std::string& name) {
        int ready[2];
        if (::pipe(ready) != 0)
            throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            SilentStatusLine status;
            RecordingSleeper sleeper;
            ScriptedUserInterface ui;
            LockResult result = acquireLock(lock, name, milliseconds(0), 0, {ui, status, sleeper});
            const char answer = result.acquired() && result.held.held() ? 'y' : 'n';
            [[maybe_unused]] const ssize_t put = ::write(ready[1], &answer, 1);
            while (true)
                ::pause();
        }
        ::close(ready[1]);
        char answer = 'n';
        acquired_ = ::read(ready[0], &answer, 1) == 1 && answer == 'y';
        ::close(ready[0]);
    }
    ~HoldingChild() { kill(); }
    HoldingChild(const HoldingChild&) = delete;
    HoldingChild& operator=(const HoldingChild&) = delete;

    bool acquired() const { return acquired_; }
    void kill() {
        if (pid_ <= 0)
            return;
        ::kill(pid_, SIGKILL);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    bool acquired_ = false;
};

TEST(LockNames, DisplayNameAndMonthLock) {
    EXPECT_EQ(lockDisplayName("Ca201305.lock"), "Ca201305.myc");
    EXPECT_EQ(lockDisplayName("/share/Data/Files1/CaFromTo.lock"), "CaFromTo.myc");
    EXPECT_EQ(lockDisplayName("/share/mente.lock"), "mente.myc");
    EXPECT_EQ(lockDisplayName("CA201305.LOCK"), "CA201305.myc");
    EXPECT_EQ(monthLockFileName(2013, 5), "Ca201305.lock");
    EXPECT_EQ(monthLockFileName(987, 12), "Ca098712.lock");
    EXPECT_EQ(sharedLockFolder("/share/"), fs::path("/share/Data/Files1/"));
}

TEST(ReadOrCreateOwner, CreatesTheLockOrReadsItsOwner) {
    LockFixture f;
    EXPECT_EQ(readOrCreateOwner(f.lock, "経理PC"), "経理PC");
    EXPECT_EQ(f.content(), cp932::encode("経理PC") + "\r\n");
    EXPECT_EQ(readOrCreateOwner(f.lock, "PC2"), "経理PC");
    EXPECT_EQ(readOrCreateOwner(f.lock, "経理PC"), "経理PC");  // left over: taken again
    EXPECT_EQ(f.content(), cp932::encode("経理PC") + "\r\n");

    f.writeLock("PC2\nmore\r\n");
    EXPECT_EQ(readOrCreateOwner(f.lock, "PC1"), "PC2");
    f.writeLock("PC2\r");
    EXPECT_EQ(readOrCreateOwner(f.lock, "PC1"), "PC2");
}

TEST(ReadOrCreateOwner, EmptyOrHalfWrittenFileIsUnknown) {
    LockFixture f;
    for (const char* bytes : {"", "\r\n", "PC12", "PC1"}) {
        SCOPED_TRACE(bytes);
        f.writeLock(bytes);
        EXPECT_EQ(readOrCreateOwner(f.lock, "PC1"), kOwnerUnknown);
        EXPECT_EQ(readOrCreateOwner(f.lock, "PC12"), kOwnerUnknown);
        EXPECT_EQ(f.content(), bytes);
    }
    // A name cut by a short write must never pass for a shorter one.
    f.writeLock("PC12");
    LockResult result = f.acquire("PC1", 0);
    EXPECT_EQ(result.outcome, LockOutcome::Failed);
    EXPECT_EQ(f.content(), "PC12");
}

TEST(ReadOrCreateOwner, AnyRefusedCreateReadsTheOwner) {
    LockFixture f;
    f.writeLock("PC2\r\n");
    FailingCalls fail;
    fail.failNth(Call::CreateExclusive, 1, EPERM);  // sshfs's answer for a file that exists
    EXPECT_EQ(readOrCreateOwner(f.lock, "PC1"), "PC2");
    EXPECT_EQ(fail.count(Call::CreateExclusive), 1);
    EXPECT_EQ(fail.count(Call::Unlink), 0);
    EXPECT_EQ(f.content(), "PC2\r\n");
}

// A create refused while nothing is there (a share's cached entry of a lock just
// removed) creates again once; refused again, the owner is unknown.
TEST(ReadOrCreateOwner, RefusedCreateOfAMissingFileTriesOnceMore) {
    LockFixture f;
    FailingCalls fail;
    fail.failNth(Call::CreateExclusive, 1, EEXIST);
    EXPECT_EQ(readOrCreateOwner(f.lock, "PC1"), "PC1");
    EXPECT_EQ(fail.count(Call::CreateExclusive), 2);
    EXPECT_EQ(f.content(), "PC1\r\n");

    fs::remove(f.lock);
    fail.failFrom(Call::CreateExclusive, 3, EPERM);
    EXPECT_EQ(readOrCreateOwner(f.lock, "PC1"), kOwnerUnknown);
    EXPECT_EQ(fail.count(Call::CreateExclusive), 4);
    EXPECT_EQ(folderNames(f.dir.path()), Names{});
}

TEST(ReadOrCreateOwner, FailedWriteOrFlushLeavesNoFile) {
    for (const testing::WriteFault& fault : testing::writeFaults()) {
        SCOPED_TRACE(fault.name);
        LockFixture f;
        FailingCalls fail;
        fault.plan(fail, 2);
        EXPECT_EQ(readOrCreateOwner(f.lock, "PC12"), kOwnerUnknown);
        EXPECT_EQ(folderNames(f.dir.path()), Names{});
        EXPECT_EQ(fail.paths(Call::Unlink), Texts{f.lock.string()});
    }
    // In an acquire such a write counts as unreadable: wait and try again.
    LockFixture f;
    FailingCalls fail;
    fail.failNth(Call::Write, 1, ENOSPC);
    LockResult result = f.acquire("PC1", 1);
    EXPECT_TRUE(result.acquired());
    EXPECT_EQ(f.sleeper.pauses(), Pauses{kLockWait});
    EXPECT_EQ(f.content(), "PC1\r\n");
}

TEST(ReadOrCreateOwner, ShortWritesAreCompleted) {
    LockFixture f;
    FailingCalls fail;
    fail.shortenNthWrite(1, 1);
    fail.shortenNthWrite(2, 2);
    EXPECT_EQ(readOrCreateOwner(f.lock, "PC12"), "PC12");
    EXPECT_EQ(f.content(), "PC12\r\n");
    EXPECT_EQ(fail.count(Call::Write), 3);
    EXPECT_EQ(fail.count(Call::Fsync), 1);
}

TEST(ReadOrCreateOwner, PipeInPlaceOfTheLockIsUnknownAndNeverHangs) {
    LockFixture f;
    testing::makeFifo(f.lock);
    std::string owner;
    EXPECT_TRUE(
        testing::returnsBesideFifo(f.lock, [&] { owner = readOrCreateOwner(f.lock, "PC1"); }));
    EXPECT_EQ(owner, kOwnerUnknown);
}

TEST(AcquireLock, FreeLockIsTakenAtOnce) {
    LockFixture f;
    LockResult result = f.acquire();
    EXPECT_EQ(result.outcome, LockOutcome::Acquired);
    EXPECT_TRUE(result.held.held());
    EXPECT_EQ(result.held.path(), f.lock);
    EXPECT_EQ(f.content(), "PC1\r\n");
    EXPECT_TRUE(f.sleeper.pauses().empty());
    EXPECT_TRUE(f.ui.shown().empty());
    EXPECT_EQ(f.status.events(), Events{cleared()});
}

TEST(AcquireLock, NoComputerNameStopsAtOnce) {
    for (const std::string name : {"", "PC\r\n1", "PC\xF0\x9F\x98\x80"}) {
        LockFixture f;
        LockResult result = f.acquire(name);
        EXPECT_EQ(result.outcome, LockOutcome::NoComputerName);
        EXPECT_FALSE(result.held.held());
        EXPECT_EQ(f.ui.texts(), Texts{"コンピュータ名が不明です。\r\n中止します。"});
        EXPECT_EQ(f.status.events(), Events{cleared()});
        EXPECT_TRUE(f.sleeper.pauses().empty());
        EXPECT_EQ(folderNames(f.dir.path()), Names{});
    }
}

TEST(AcquireLock, UnreadableOnEveryAttemptFails) {
    LockFixture f;
    f.writeLock("");
    LockResult result = f.acquire();
    EXPECT_EQ(result.outcome, LockOutcome::Failed);
    EXPECT_FALSE(result.held.held());
    EXPECT_EQ(f.sleeper.pauses(), Pauses(kAcquireRetries + 1, kLockWait));
    Events expected(kAcquireRetries, fuchsia("[Ca201305.myc]書込権限取得のため待機中"));
    expected.push_back(red("[Ca201305.myc]ロック失敗"));
    expected.push_back(cleared());
    EXPECT_EQ(f.status.events(), expected);
    EXPECT_EQ(f.ui.texts(), Texts{kFailedText});
    EXPECT_EQ(f.content(), "");
}

TEST(AcquireLock, AnotherComputersLockIsRefusedAtOnce) {
    LockFixture f;
    f.writeLock("PC2\r\n");
    LockResult result = f.acquire();
    EXPECT_EQ(result.outcome, LockOutcome::HeldByOther);
    EXPECT_EQ(result.owner, "PC2");
    EXPECT_FALSE(result.held.held());
    EXPECT_TRUE(f.sleeper.pauses().empty());
    EXPECT_EQ(f.status.events(),
              (Events{fuchsia("[Ca201305.myc]他のコンピュータがロック中"), cleared()}));
    EXPECT_EQ(f.ui.texts(), Texts{kBusyText});
    EXPECT_EQ(f.content(), "PC2\r\n");
}

TEST(AcquireLock, LockNamedInAnotherSpellingIsTheSameLock) {
    LockFixture f;
    f.dir.write("CA201305.LOCK", "PC2\r\n");
    EXPECT_EQ(f.acquire().outcome, LockOutcome::HeldByOther);
    EXPECT_EQ(folderNames(f.dir.path()), Names{"CA201305.LOCK"});
}

TEST(AcquireLock, LockLeftByACrashOfThisComputerIsTakenAtOnce) {
    LockFixture f;
    f.writeLock("PC1\r\n");
    LockResult result = f.acquire();
    EXPECT_TRUE(result.acquired());
    EXPECT_TRUE(result.held.held());
    EXPECT_TRUE(f.sleeper.pauses().empty());
    EXPECT_TRUE(f.ui.shown().empty());
    EXPECT_EQ(f.content(), "PC1\r\n");
}

TEST(AcquireLock, LockFreedOnlyAtTheLastAttemptIsTaken) {
    LockFixture f;
    ActingSleeper sleeper;
    f.writeLock("PC");  // another computer writing, slowly
    sleeper.at(kAcquireRetries, [&] { fs::remove(f.lock); });
    LockResult result =
        acquireLock(f.lock, "PC1", kLockWait, kAcquireRetries, {f.ui, f.status, sleeper});
    EXPECT_TRUE(result.acquired());
    EXPECT_EQ(sleeper.pauses(), Pauses(kAcquireRetries, kLockWait));
    Events expected(kAcquireRetries - 1, fuchsia("[Ca201305.myc]書込権限取得のため待機中"));
    expected.push_back(cleared());
    EXPECT_EQ(f.status.events(), expected);
    EXPECT_TRUE(f.ui.shown().empty());
    EXPECT_EQ(f.content(), "PC1\r\n");
}

// The editing protocol acquires twice: the second acquire rereads the file and succeeds
// while this program holds the lock, or is refused when another computer's name is there.
TEST(AcquireLock, SecondAcquireRereadsTheFile) {
    LockFixture f;
    LockResult first = f.acquire();
    LockResult second = f.acquire();
    EXPECT_TRUE(second.acquired());
    EXPECT_TRUE(first.held.held());
    EXPECT_TRUE(second.held.held());
    EXPECT_TRUE(f.sleeper.pauses().empty());
    EXPECT_TRUE(f.ui.shown().empty());

    // Released through either, the lock ends for both.
    EXPECT_TRUE(f.release(std::move(second.held)));
    EXPECT_FALSE(fs::exists(f.lock));
    EXPECT_FALSE(first.held.held());
    EXPECT_TRUE(f.release(std::move(first.held)));  // nothing left to do

    // Two computers created the lock at the same moment and the other one won.
    LockResult mine = f.acquire();
    ASSERT_TRUE(mine.acquired());
    fs::remove(f.lock);
    f.writeLock("PC2\r\n");
    LockResult again = f.acquire();
    EXPECT_EQ(again.outcome, LockOutcome::HeldByOther);
    EXPECT_EQ(again.owner, "PC2");
    EXPECT_EQ(f.ui.texts(), Texts{kBusyText});
}

// The other program of this computer deletes its lock and lets go of it just after this
// one has read its name: the file it then takes is no longer there and guards nothing,
// so the attempt counts as unreadable and the next one creates the lock anew.
const char* gVanishing = nullptr;

int openThenVanish(const char* path, int flags) {
    const int fd = systemFileCalls().open(path, flags);
    if (gVanishing && std::string_view(path) == gVanishing) {
        gVanishing = nullptr;
        ::unlink(path);
    }
    return fd;
}

TEST(AcquireLock, LockDeletedWhileBeingReadIsNotTaken) {
    LockFixture f;
    f.writeLock("PC1\r\n");
    const std::string lock = f.lock.string();
    gVanishing = lock.c_str();
    FileCalls calls = systemFileCalls();
    calls.open = openThenVanish;
    const ScopedFileCalls guard(calls);
    LockResult result = f.acquire();
    EXPECT_TRUE(result.acquired());
    EXPECT_EQ(gVanishing, nullptr);
    EXPECT_EQ(f.sleeper.pauses(), Pauses{kLockWait});
    EXPECT_EQ(f.content(), "PC1\r\n");
    EXPECT_TRUE(f.release(std::move(result.held)));
    EXPECT_FALSE(fs::exists(f.lock));
}

TEST(AcquireLock, LockDroppedWithoutReleaseStaysAndIsTakenAgain) {
    LockFixture f;
    {
        LockResult result = f.acquire();
        ASSERT_TRUE(result.acquired());
    }
    EXPECT_EQ(f.content(), "PC1\r\n");
    LockResult again = f.acquire();
    EXPECT_TRUE(again.acquired());
    EXPECT_TRUE(again.held.held());
    EXPECT_TRUE(f.sleeper.pauses().empty());
}

TEST(ReleaseLock, DeletesTheOwnLock) {
    LockFixture f;
    LockResult result = f.acquire();
    f.status.forget();
    FailingCalls fail;
    EXPECT_TRUE(f.release(std::move(result.held)));
    EXPECT_EQ(folderNames(f.dir.path()), Names{});
    EXPECT_EQ(fail.count(Call::Unlink), 1);
    EXPECT_TRUE(f.sleeper.pauses().empty());
    EXPECT_TRUE(f.ui.shown().empty());
    EXPECT_EQ(f.status.events(), Events{cleared()});
}

TEST(ReleaseLock, MissingFileIsReleased) {
    LockFixture f;
    EXPECT_TRUE(releaseLock(f.lock, "PC1", kLockWait, kEditorReleaseRetries, f.context));
    EXPECT_TRUE(f.release(HeldLock{}));
    EXPECT_TRUE(f.ui.shown().empty());
    EXPECT_TRUE(f.sleeper.pauses().empty());
}

TEST(ReleaseLock, LockRewrittenByAnotherComputerStays) {
    LockFixture f;
    LockResult result = f.acquire();
    fs::remove(f.lock);  // the forced unlock of another computer, which then locked
    f.writeLock("PC2\r\n");
    f.status.forget();
    EXPECT_FALSE(f.release(std::move(result.held)));
    EXPECT_EQ(f.content(), "PC2\r\n");
    EXPECT_EQ(f.ui.texts(), Texts{kRewrittenText});
    EXPECT_EQ(f.status.events(),
              (Events{fuchsia("[Ca201305.myc]他のコンピュータがロック中"), cleared()}));
    EXPECT_TRUE(f.sleeper.pauses().empty());
}

TEST(ReleaseLock, UnreadableOnEveryPassReportsTheFullPath) {
    LockFixture f;
    f.writeLock("PC");
    EXPECT_FALSE(releaseLock(f.lock, "PC1", kLockWait, 3, f.context));
    EXPECT_EQ(f.content(), "PC");
    EXPECT_EQ(f.sleeper.pauses(), Pauses(4, kLockWait));
    Events expected(3, fuchsia("[Ca201305.myc]ロックＯｆｆ処理待機中"));
    expected.push_back(red("[Ca201305.myc]ロックＯｆｆ失敗"));
    expected.push_back(cleared());
    EXPECT_EQ(f.status.events(), expected);
    EXPECT_EQ(f.ui.texts(), Texts{"ロックファイル[" + f.lock.string() +
                                  "]の削除に失敗しました。\r\nベルモ管理者にご連絡下さい。"});
}

TEST(ReleaseLock, RefusedAndFailedDeletionsAreRetried) {
    LockFixture f;
    LockResult result = f.acquire();
    f.status.forget();
    FailingCalls fail;
    fail.failNth(Call::Unlink, 1, EBUSY);
    fail.failNth(Call::Unlink, 2, EACCES);
    fail.failNth(Call::Unlink, 3, EIO);
    EXPECT_TRUE(f.release(std::move(result.held)));
    EXPECT_FALSE(fs::exists(f.lock));
    EXPECT_EQ(fail.count(Call::Unlink), 4);
    EXPECT_EQ(f.sleeper.pauses(), Pauses(3, kLockWait));
    EXPECT_EQ(f.status.events(),
              (Events{fuchsia("[Ca201305.myc]ロックＯｆｆ処理待機中(2)"),
                      fuchsia("[Ca201305.myc]ロックＯｆｆ処理待機中(3)"), cleared()}));
    EXPECT_TRUE(f.ui.shown().empty());
}

// At most n deletions are tried; the last pass only reports. The hold ends all the same:
// the file stays as a crashed program leaves it.
TEST(ReleaseLock, DeletionRefusedOnEveryPassKeepsTheFile) {
    LockFixture f;
    LockResult result = f.acquire();
    f.status.forget();
    FailingCalls fail;
    fail.failFrom(Call::Unlink, 1, EACCES);
    EXPECT_FALSE(releaseLock(std::move(result.held), "PC1", kLockWait, 2, f.context));
    EXPECT_EQ(fail.count(Call::Unlink), 2);
    EXPECT_EQ(f.content(), "PC1\r\n");
    EXPECT_EQ(f.sleeper.pauses(), Pauses(2, kLockWait));
    EXPECT_EQ(f.status.events(), (Events{fuchsia("[Ca201305.myc]ロックＯｆｆ処理待機中(2)"),
                                         red("[Ca201305.myc]ロックＯｆｆ失敗"), cleared()}));
    EXPECT_EQ(f.ui.texts(), Texts{"ロックファイル[" + f.lock.string() +
                                  "]の削除に失敗しました。\r\nベルモ管理者にご連絡下さい。"});
    EXPECT_TRUE(f.acquire().acquired());
}

TEST(ReleaseLock, FileGoneBeforeTheDeletionCountsAsDeleted) {
    LockFixture f;
    LockResult result = f.acquire();
    FailingCalls fail;
    fail.failNth(Call::Unlink, 1, ENOENT);
    EXPECT_TRUE(f.release(std::move(result.held)));
    EXPECT_TRUE(f.sleeper.pauses().empty());
    EXPECT_TRUE(f.ui.shown().empty());
}

// Two programs of one computer carry the same name; the lock file alone cannot tell them
// apart, the hold of the one that took it does.
TEST(SameComputer, SecondProgramIsRefusedUntilTheHolderDies) {
    LockFixture f;
    HoldingChild child(f.lock, "PC1");
    ASSERT_TRUE(child.acquired());
    EXPECT_EQ(f.content(), "PC1\r\n");

    LockResult refused = f.acquire();
    EXPECT_EQ(refused.outcome, LockOutcome::Failed);
    EXPECT_EQ(f.sleeper.pauses(), Pauses(kAcquireRetries + 1, kLockWait));
    EXPECT_EQ(f.ui.texts(), Texts{kFailedText});
    EXPECT_EQ(readOrCreateOwner(f.lock, "PC1"), kOwnerUnknown);
    EXPECT_EQ(readOrCreateOwner(f.lock, "PC2"), "PC1");
    EXPECT_EQ(readLockOwner(f.lock), "PC1");

    // Nor may it delete the other program's lock.
    RecordingSleeper sleeper;
    ScriptedUserInterface ui;
    EXPECT_FALSE(releaseLock(f.lock, "PC1", kLockWait, 1, {ui, f.status, sleeper}));
    EXPECT_EQ(f.content(), "PC1\r\n");
    EXPECT_EQ(ui.texts().size(), 1u);

    child.kill();
    RecordingSleeper after;
    LockResult taken =
        acquireLock(f.lock, "PC1", kLockWait, kAcquireRetries, {f.ui, f.status, after});
    EXPECT_TRUE(taken.acquired());
    EXPECT_TRUE(after.pauses().empty());
    EXPECT_TRUE(f.release(std::move(taken.held)));
    EXPECT_FALSE(fs::exists(f.lock));
}

}  // namespace
}  // namespace velmo
