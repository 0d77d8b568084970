#include "backup/generation_copy.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

#include "backup/folder_operations.h"
#include "tests/backup/backup_tree_snapshot.h"
#include "tests/support/failing_calls.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::Call;
using testing::FailingCalls;
using testing::ScriptedUserInterface;
using testing::TempFolder;
using testing::treeSnapshot;

class GenerationCopyTest : public ::testing::Test {
protected:
    GenerationCopyTest() {
        dir.write("Data/CaMemo.myc", "memo");
        dir.write("Data/Files1/Ca202612.myc", "december");
        dir.write("Data/Files1/CaFromTo.myc", "periods");
        fs::create_directories(root());
    }
    fs::path root() const { return dir / "SafeGuard"; }
    fs::path generation(int k) const { return generationFolder(root(), "AutoVelData", k); }
    void makeGenerations(std::initializer_list<int> numbers) {
        for (int k : numbers)
            dir.write(generation(k).lexically_relative(dir.path()).string() + "/which",
                      "generation " + std::to_string(k));
    }
    std::string which(int k) const { return TempFolder::read(generation(k) / "which"); }
    GenerationCopyRequest request(int generations = 3) const {
        return {dir / "Data", root(), generations, "AutoVelData", true};
    }
    std::string failureText() const { return "世代コピーエラー [" + (dir / "Data").string() + "]"; }

    TempFolder dir;
    ScriptedUserInterface ui;
};

TEST_F(GenerationCopyTest, RotationKeepsAtMostTheGenerationsAskedFor) {
    makeGenerations({1, 2, 3, 4, 5});
    ASSERT_TRUE(generationCopy(request(), ui));
    EXPECT_TRUE(sameTree(dir / "Data", generation(1)));
    EXPECT_EQ(which(2), "generation 1");
    EXPECT_EQ(which(3), "generation 2");
    EXPECT_FALSE(fs::exists(generation(4)));
    EXPECT_FALSE(fs::exists(generation(5)));
    EXPECT_FALSE(fs::exists(root() / "tmp_AutoVelData"));
    EXPECT_TRUE(ui.texts().empty());
    // The copy showed how far it had come, up to every byte, and took the display down.
    ASSERT_FALSE(ui.progress().empty());
    EXPECT_EQ(ui.progress().back().first, ui.progress().back().second);
    EXPECT_EQ(ui.progress().back().second, 4u + 8u + 7u);
    EXPECT_FALSE(ui.progressShowing());

    TempFolder other;
    fs::create_directories(other / "R");
    const GenerationCopyRequest fewer{dir / "Data", other / "R", 3, "AutoVelData", true};
    other.write("R/01_AutoVelData/which", "one");
    other.write("R/02_AutoVelData/which", "two");
    ASSERT_TRUE(generationCopy(fewer, ui));
    EXPECT_TRUE(sameTree(dir / "Data", other / "R/01_AutoVelData"));
    EXPECT_EQ(TempFolder::read(other / "R/02_AutoVelData/which"), "one");
    EXPECT_EQ(TempFolder::read(other / "R/03_AutoVelData/which"), "two");
}

TEST_F(GenerationCopyTest, AGapEndsTheGenerationsAndNamesakesArePutAside) {
    makeGenerations({1, 3});
    dir.write("SafeGuard/Data/stray", "a folder named like the source");
    dir.write("SafeGuard/wk_Data/older", "put aside before");
    dir.write("SafeGuard/AutoVelData/stray", "named like the base");
    ASSERT_TRUE(generationCopy(request(), ui));
    EXPECT_EQ(which(2), "generation 1");
    EXPECT_EQ(which(3), "generation 3");  // beyond the gap: not ours to rotate
    EXPECT_TRUE(sameTree(dir / "Data", generation(1)));
    EXPECT_FALSE(fs::exists(root() / "Data"));
    EXPECT_EQ(TempFolder::read(root() / "wk_Data/stray"), "a folder named like the source");
    EXPECT_FALSE(fs::exists(root() / "wk_Data/older"));
    EXPECT_EQ(TempFolder::read(root() / "wk_AutoVelData/stray"), "named like the base");
}

TEST_F(GenerationCopyTest, RefusalsTouchNothing) {
    makeGenerations({1, 2});
    dir.write("SafeGuard/tmp_AutoVelData/stale", "x");
    const auto before = treeSnapshot(root());
    EXPECT_FALSE(generationCopy(request(1), ui));
    EXPECT_FALSE(generationCopy(request(10), ui));
    GenerationCopyRequest missing = request();
    missing.source = dir / "Nothing";
    EXPECT_FALSE(generationCopy(missing, ui));
    GenerationCopyRequest inside = request();
    inside.root = dir / "Data/Files1/backups";
    EXPECT_FALSE(generationCopy(inside, ui));
    missing.report = false;
    EXPECT_FALSE(generationCopy(missing, ui));
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{
                  "世代の数が正しくありません。", "世代の数が正しくありません。",
                  "[" + (dir / "Nothing").string() + "]がありません。", failureText()}));
    EXPECT_EQ(treeSnapshot(root()), before);
    EXPECT_FALSE(fs::exists(dir / "Data/Files1/backups"));
}

// Each fault leaves the generations byte for byte and no new or half-made folder.
struct Fault {
    const char* name;
    void (*plan)(FailingCalls&);
    bool rotationMessage;
};

TEST_F(GenerationCopyTest, FaultsLeaveEveryGenerationAsItWas) {
    const Fault faults[] = {
        {"unreadable source file", [](FailingCalls& f) { f.failNth(Call::Open, 2, EACCES); },
         false},
        {"read-only root", [](FailingCalls& f) { f.failFrom(Call::CreateExclusive, 1, EACCES); },
         false},
        {"disk full", [](FailingCalls& f) { f.failNth(Call::Write, 2, ENOSPC); }, false},
        {"flush", [](FailingCalls& f) { f.failNth(Call::Fsync, 1, EIO); }, false},
        // rename 1 and 2 put nothing aside here, so the first rename is the first shift
        {"shift refused", [](FailingCalls& f) { f.failFrom(Call::Rename, 1, EACCES); }, true},
        {"oldest not deletable", [](FailingCalls& f) { f.failNth(Call::Unlink, 1, EBUSY); }, true},
    };
    makeGenerations({1, 2, 3});
    const auto before = treeSnapshot(root());
    for (const Fault& fault : faults) {
        ui.clearShown();
        {
            FailingCalls fail;
            fault.plan(fail);
            EXPECT_FALSE(generationCopy(request(), ui)) << fault.name;
        }
        const std::string rotation = "[" + root().string() +
                                     "/01_AutoVelData]の削除エラー\r\nフォルダはバックアップされて"
                                     "いません。\r\n手動でバックアップしておいてください。";
        EXPECT_EQ(ui.texts(),
                  std::vector<std::string>{fault.rotationMessage ? rotation : failureText()})
            << fault.name;
        if (fault.rotationMessage) {
            // The oldest beyond the kept number may be gone; every kept one stays.
            auto kept = before;
            std::erase_if(kept, [](const auto& e) { return e.first.starts_with("03_"); });
            auto now = treeSnapshot(root());
            std::erase_if(now, [](const auto& e) { return e.first.starts_with("03_"); });
            EXPECT_EQ(now, kept) << fault.name;
            dir.write("SafeGuard/03_AutoVelData/which", "generation 3");
        } else {
            EXPECT_EQ(treeSnapshot(root()), before) << fault.name;
        }
    }
}

TEST_F(GenerationCopyTest, AnUnreadableFileOfTheSourceFailsTheCopy) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads a file of mode 000; the FailingCalls case covers it";
    makeGenerations({1});
    const auto before = treeSnapshot(root());
    fs::permissions(dir / "Data/Files1/Ca202612.myc", fs::perms::none);
    EXPECT_FALSE(generationCopy(request(), ui));
    EXPECT_EQ(treeSnapshot(root()), before);
}

TEST_F(GenerationCopyTest, ALastRenameThatFailsGivesTheNewestItsNumberBack) {
    makeGenerations({1, 2});
    FailingCalls fail;
    fail.failNth(Call::Rename, 3, EIO);  // 2→3 and 1→2 work, tmp_→01 does not
    EXPECT_FALSE(generationCopy(request(), ui));
    EXPECT_EQ(which(1), "generation 1");
    EXPECT_FALSE(fs::exists(generation(2)));
    EXPECT_EQ(which(3), "generation 2");
    EXPECT_FALSE(fs::exists(root() / "tmp_AutoVelData"));
    EXPECT_EQ(ui.texts(), std::vector<std::string>{failureText()});
}

TEST_F(GenerationCopyTest, ListingNamesTheGenerationsNewestFirstWithTheirMarkers) {
    makeGenerations({1, 2, 4});
    dir.write("SafeGuard/01_AutoVelData/VelDate.myc", "[Date]\r\nSakusei=2026/12/10\r\n");
    const auto list = listGenerations(root(), "AutoVelData");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].number, 1);
    EXPECT_EQ(list[0].markerDate, (Ymd{2026, 12, 10}));
    EXPECT_EQ(list[1].number, 2);
    EXPECT_EQ(list[1].markerDate, std::nullopt);
    EXPECT_EQ(list[2].folder, generation(4));
}

}  // namespace
}  // namespace velmo
