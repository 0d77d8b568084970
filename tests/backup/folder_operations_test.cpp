#include "backup/folder_operations.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "tests/support/failing_calls.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::Call;
using testing::FailingCalls;
using testing::TempFolder;

class FolderOperationsTest : public ::testing::Test {
protected:
    FolderOperationsTest() {
        dir.write("src/Data/Files1/Ca202612.myc", "december");
        dir.write("src/Data/CaMemo.myc", std::string(200000, 'x'));
        dir.write("src/Torka.ini", "[Settei]\r\n");
        fs::create_directory(dir / "src/empty");
        fs::create_symlink("Data/CaMemo.myc", dir / "src/inside");
        fs::create_symlink(dir / "outside", dir / "src/out");
        dir.write("outside/precious", "keep");
    }
    fs::path src() const { return dir / "src"; }
    TempFolder dir;
};

TEST_F(FolderOperationsTest, CopyKeepsBytesModesTimesAndLinksAsLinks) {
    ::chmod((dir / "src/Torka.ini").c_str(), 0640);
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(48);
    fs::last_write_time(dir / "src/Data/CaMemo.myc", old);
    std::uint64_t lastDone = 0, lastTotal = 0;
    ASSERT_TRUE(copyFolderTree(src(), dir / "copy", {[&](std::uint64_t done, std::uint64_t all) {
                                   lastDone = done;
                                   lastTotal = all;
                               }}));
    EXPECT_TRUE(sameTree(src(), dir / "copy"));
    EXPECT_EQ(lastDone, lastTotal);
    EXPECT_EQ(lastTotal, 200000u + 8u + 10u);
    EXPECT_EQ(fs::status(dir / "copy/Torka.ini").permissions() & fs::perms::all, fs::perms(0640));
    EXPECT_EQ(fs::last_write_time(dir / "copy/Data/CaMemo.myc"), old);
    EXPECT_TRUE(fs::is_symlink(dir / "copy/out"));
    EXPECT_EQ(fs::read_symlink(dir / "copy/out"), dir / "outside");
    EXPECT_TRUE(fs::is_directory(dir / "copy/empty"));
}

TEST_F(FolderOperationsTest, CopyRefusesAnExistingDestinationAndCleansUpAfterFaults) {
    fs::create_directory(dir / "copy");
    dir.write("copy/mine", "mine");
    EXPECT_FALSE(copyFolderTree(src(), dir / "copy"));
    EXPECT_EQ(TempFolder::read(dir / "copy/mine"), "mine");

    for (Call kind : {Call::Open, Call::CreateExclusive, Call::Write, Call::Fsync, Call::Close}) {
        FailingCalls fail;
        fail.failFrom(kind, 2, kind == Call::Write ? ENOSPC : EIO);
        EXPECT_FALSE(copyFolderTree(src(), dir / "again")) << static_cast<int>(kind);
        EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "again"))) << static_cast<int>(kind);
    }
}

TEST_F(FolderOperationsTest, SameTreeSeesEveryDifference) {
    ASSERT_TRUE(copyFolderTree(src(), dir / "copy"));
    dir.write("copy/Data/Files1/Ca202612.myc", "decembeR");
    EXPECT_FALSE(sameTree(src(), dir / "copy"));
    dir.write("copy/Data/Files1/Ca202612.myc", "december");
    EXPECT_TRUE(sameTree(src(), dir / "copy"));
    dir.write("copy/Data/extra", "");
    EXPECT_FALSE(sameTree(src(), dir / "copy"));
    fs::remove(dir / "copy/Data/extra");
    fs::remove(dir / "copy/empty");
    EXPECT_FALSE(sameTree(src(), dir / "copy"));
    fs::create_directory(dir / "copy/empty");
    fs::remove(dir / "copy/inside");
    fs::create_symlink("Torka.ini", dir / "copy/inside");
    EXPECT_FALSE(sameTree(src(), dir / "copy"));
}

TEST_F(FolderOperationsTest, CopyMatchingTakesMatchingFilesOnlyAndReplacesThem) {
    dir.write("m/Ca202612.myc", "12");
    dir.write("m/CA202701.MYC", "01");
    dir.write("m/CaFromTo.myc", "ft");
    dir.write("m/CaMemo.myc", "memo");
    fs::create_directory(dir / "m/Ca2099.myc");  // a folder is no month file
    dir.write("out/Ca202612.myc", "stale");
    EXPECT_TRUE(anyMatching(dir / "m", "Ca20*.myc,CaFromTo.myc"));
    EXPECT_FALSE(anyMatching(dir / "m", "CaFT*.mcp"));
    EXPECT_EQ(copyMatching(dir / "m", "Ca20*.myc,CaFromTo.myc", dir / "out"), 3);
    EXPECT_EQ(TempFolder::read(dir / "out/Ca202612.myc"), "12");
    EXPECT_EQ(TempFolder::read(dir / "out/CA202701.MYC"), "01");
    EXPECT_FALSE(fs::exists(dir / "out/CaMemo.myc"));
    EXPECT_FALSE(fs::exists(dir / "out/Ca2099.myc"));
    EXPECT_EQ(copyMatching(dir / "m", "CaFT*.mcp", dir / "new/deep"), 0);
    EXPECT_EQ(copyMatching(dir / "missing", "*.*", dir / "out"), std::nullopt);

    FailingCalls fail;
    fail.failNth(Call::Rename, 1, ENOSPC);
    EXPECT_EQ(copyMatching(dir / "m", "Ca20*.myc", dir / "out"), std::nullopt);
}

TEST_F(FolderOperationsTest, MoveNeverReplacesAndRemoveStaysInsideTheFolder) {
    fs::create_directory(dir / "taken");
    EXPECT_FALSE(moveFolder(src(), dir / "taken"));
    EXPECT_TRUE(fs::exists(dir / "src/Torka.ini"));
    ASSERT_TRUE(moveFolder(src(), dir / "moved"));
    EXPECT_FALSE(fs::exists(src()));

    ::chmod((dir / "moved/Data").c_str(), 0500);  // a read-only folder inside still goes
    EXPECT_TRUE(removeFolderTree(dir / "moved"));
    EXPECT_FALSE(fs::exists(dir / "moved"));
    EXPECT_EQ(TempFolder::read(dir / "outside/precious"), "keep");
    EXPECT_TRUE(removeFolderTree(dir / "never-there"));

    dir.write("gone/a", "a");
    FailingCalls fail;
    fail.failNth(Call::Unlink, 1, EBUSY);
    EXPECT_FALSE(removeFolderTree(dir / "gone"));
}

TEST_F(FolderOperationsTest, OverlapComparesCanonicalPaths) {
    fs::create_symlink(src(), dir / "alias");
    EXPECT_TRUE(foldersOverlap(src(), dir / "alias"));
    EXPECT_TRUE(foldersOverlap(dir / "alias/Data/../Data", src() / "Data/Files1"));
    EXPECT_TRUE(foldersOverlap(src() / "not/yet", src()));
    EXPECT_FALSE(foldersOverlap(src(), dir / "src2"));
    EXPECT_FALSE(foldersOverlap(dir / "outside", src()));
}

}  // namespace
}  // namespace velmo
