#include "shared/lock_search.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "store/cp932.h"
#include "tests/support/fifo.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

constexpr const char* kNoLocks = "ロックされているファイルは有りませんでした。";

TEST(LockSearch, NothingLocked) {
    TempFolder shared;
    EXPECT_EQ(lockSearchText(shared.path()), kNoLocks);
    shared.write("Data/Files1/Ca201305.myc", "");
    shared.write("Data/Files2/Ca201305.lock", "PC2\r\n");  // not the shared data set
    shared.write("Data/Files1/.Ca201305.lock.tmp", "");
    fs::create_directories(shared / "Data/Files1/old.lock");
    EXPECT_EQ(lockSearchText(shared.path()), kNoLocks);
}

TEST(LockSearch, MaintenanceLockAlone) {
    TempFolder shared;
    shared.write("mente.lock", cp932::encode("管理PC") + "\r\n");
    EXPECT_EQ(lockSearchText(shared.path()), "メンテナンスロック：管理PC");
}

TEST(LockSearch, LockLinesFollowAnEmptyMaintenanceLine) {
    TempFolder shared;
    shared.write("Data/Files1/CaFromTo.lock", "PC2\r\n");
    shared.write("Data/Files1/Ca201305.lock", "PC1\r\n");
    EXPECT_EQ(lockSearchText(shared.path()),
              "\r\nCa201305.myc      ：PC1\r\nCaFromTo.myc      ：PC2");

    shared.write("mente.lock", "ADMIN\r\n");
    EXPECT_EQ(lockSearchText(shared.path()),
              "メンテナンスロック：ADMIN\r\nCa201305.myc      ：PC1\r\nCaFromTo.myc      ：PC2");
}

// A lock whose holder cannot be read is shown all the same, with an unknown holder.
TEST(LockSearch, UnreadableHoldersAreUnknown) {
    TempFolder shared;
    shared.write("mente.lock", "");
    shared.write("Data/Files1/Ca201305.lock", "PC1");  // half written
    shared.write("Data/Files1/Ca201306.lock", "");
    shared.write("Data/Files1/CA201307.LOCK", "PC3\r\n");
    testing::makeFifo(shared / "Data/Files1/Ca201308.lock");
    std::string text;
    EXPECT_TRUE(testing::returnsBesideFifo(shared / "Data/Files1/Ca201308.lock",
                                           [&] { text = lockSearchText(shared.path()); }));
    EXPECT_EQ(text,
              "メンテナンスロック：（不明）\r\n"
              "CA201307.myc      ：PC3\r\n"
              "Ca201305.myc      ：（不明）\r\n"
              "Ca201306.myc      ：（不明）\r\n"
              "Ca201308.myc      ：（不明）");
}

TEST(LockSearch, NamesAreCutToEighteenBytes) {
    TempFolder shared;
    shared.write("Data/Files1/予定表のロックファイル名.lock", "PC1\r\n");
    shared.write("Data/Files1/a予定表のロックファイル名.lock", "PC2\r\n");
    shared.write("Data/Files1/abcdefghijklmnopqrstu.lock", "PC3\r\n");
    EXPECT_EQ(lockSearchText(shared.path()),
              "\r\n"
              "abcdefghijklmnopqr：PC3\r\n"
              "a予定表のロックフ ：PC2\r\n"
              "予定表のロックファ：PC1");
}

TEST(LockSearch, AtMostTenLockLines) {
    TempFolder shared;
    std::string expected = "メンテナンスロック：ADMIN";
    shared.write("mente.lock", "ADMIN\r\n");
    for (int month = 1; month <= 12; ++month) {
        char name[32];
        std::snprintf(name, sizeof name, "Ca2024%.2d", month);
        shared.write(std::string("Data/Files1/") + name + ".lock", "PC1\r\n");
        if (month <= 10)
            expected += std::string("\r\n") + name + ".myc      ：PC1";
    }
    EXPECT_EQ(lockSearchText(shared.path()), expected);
}

}  // namespace
}  // namespace velmo
