#include "app/startup/pending_deletions.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

TEST(PendingDeletions, NeverDeletesAKeptFolderOrAParentOfOne) {
    TempFolder temp;
    const std::string start = (temp / "velmo").string() + "/";
    fs::create_directories(start + "Data/Files1");
    const std::vector<std::string> kept = {start};
    EXPECT_TRUE(protectsFolder(start, kept));
    EXPECT_TRUE(protectsFolder(temp.path().string(), kept));
    EXPECT_TRUE(protectsFolder("/", kept));
    EXPECT_FALSE(protectsFolder(start + "Data", kept));
    // A sibling whose name merely starts like a kept folder is not its parent.
    EXPECT_FALSE(protectsFolder((temp / "vel").string(), kept));
}

TEST(PendingDeletions, FileIsDeletedSilentlyOnlyWhenItIsAPlainFile) {
    TempFolder temp;
    const auto archive = temp.write("setup.exe", "MZ");
    EXPECT_TRUE(deleteFileSilently(archive.string(), {}));
    EXPECT_FALSE(fs::exists(archive));
    EXPECT_FALSE(deleteFileSilently(archive.string(), {}));
    fs::create_directories(temp / "folder");
    EXPECT_FALSE(deleteFileSilently((temp / "folder").string(), {}));
    EXPECT_TRUE(fs::exists(temp / "folder"));
}

TEST(PendingDeletions, ArchiveReportsBothOutcomes) {
    TempFolder temp;
    const std::string archive = temp.write("a.exe", "x").string();
    EXPECT_EQ(deleteOfferedArchive(archive, {}), "[ " + archive + " ]を削除しました。");
    EXPECT_EQ(deleteOfferedArchive(archive, {}), "[ " + archive + " ]は削除できませんでした。");
}

TEST(PendingDeletions, WorkFolderNeedsItsMarkerAndMustNotHoldOurFolders) {
    TempFolder temp;
    const std::string work = (temp / "work").string();
    temp.write("work/setup/file.bin", "data");
    EXPECT_EQ(deleteOfferedWorkFolder(work, {}),
              "このフォルダ[ " + work +
                  " ]はワークフォルダでない可能性がありますので、削除いたしません。");
    EXPECT_TRUE(fs::exists(work));

    temp.write("work/LOCALFOL.MYC", "[Set]\r\n");
    EXPECT_EQ(deleteOfferedWorkFolder(work, {work + "/setup/"}),
              "フォルダ[ " + work + " ]は削除できませんでした。");
    EXPECT_TRUE(fs::exists(work));

    EXPECT_EQ(deleteOfferedWorkFolder(work, {}), "フォルダ[ " + work + " ]を削除しました。");
    EXPECT_FALSE(fs::exists(work));
}

}  // namespace
}  // namespace velmo
