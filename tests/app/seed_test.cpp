#include "app/startup/seed.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/fake_clock.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::RecordingSleeper;
using testing::TempFolder;

TEST(Seed, NewFolderGetsDataFolderMarkerAndTextsInCp932) {
    TempFolder temp;
    RecordingSleeper sleeper;
    const std::string folder = (temp / "velmo").string() + "/";
    ASSERT_EQ(seedStartFolderIfNew(folder, {{"ReadMe.txt", {"ベルモ", "abc"}}}, sleeper),
              SeedOutcome::Seeded);
    EXPECT_TRUE(fs::is_directory(folder + "Data/Files1"));
    // "ベルモ" in CP932, then CR LF line ends.
    EXPECT_EQ(TempFolder::read(folder + "ReadMe.txt"), "\x83\x78\x83\x8B\x83\x82\r\nabc\r\n");
    const std::string marker = TempFolder::read(folder + "localfol.myc");
    EXPECT_NE(marker.find("Folder=" + folder + "\r\n"), std::string::npos);
    EXPECT_NE(marker.find("First=0\r\n"), std::string::npos);
}

TEST(Seed, FolderWithAnythingInItIsNeverTouched) {
    TempFolder temp;
    RecordingSleeper sleeper;
    temp.write("velmo/ReadMe.txt", "mine");
    const std::string folder = (temp / "velmo").string() + "/";
    EXPECT_EQ(seedStartFolderIfNew(folder, {{"ReadMe.txt", {"new"}}}, sleeper),
              SeedOutcome::NotNeeded);
    EXPECT_EQ(TempFolder::read(folder + "ReadMe.txt"), "mine");
    EXPECT_FALSE(fs::exists(folder + "localfol.myc"));
}

TEST(Seed, EmptyExistingFolderIsSeeded) {
    TempFolder temp;
    RecordingSleeper sleeper;
    EXPECT_EQ(seedStartFolderIfNew(temp.path().string() + "/", {}, sleeper), SeedOutcome::Seeded);
    EXPECT_TRUE(fs::exists(temp / "localfol.myc"));
}

TEST(Seed, UncreatableFolderFails) {
    TempFolder temp;
    RecordingSleeper sleeper;
    temp.write("file", "x");
    EXPECT_EQ(seedStartFolderIfNew((temp / "file" / "velmo").string() + "/", {}, sleeper),
              SeedOutcome::Failed);
}

}  // namespace
}  // namespace velmo
