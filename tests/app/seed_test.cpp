#include "app/startup/seed.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

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
    ASSERT_EQ(seedStartFolder(folder, {{"ReadMe.txt", {"ベルモ", "abc"}}}, sleeper),
              SeedOutcome::Seeded);
    EXPECT_TRUE(fs::is_directory(folder + "Data/Files1"));
    // "ベルモ" in CP932, then CR LF line ends.
    EXPECT_EQ(TempFolder::read(folder + "ReadMe.txt"), "\x83\x78\x83\x8B\x83\x82\r\nabc\r\n");
    const std::string marker = TempFolder::read(folder + "localfol.myc");
    EXPECT_NE(marker.find("Folder=" + folder + "\r\n"), std::string::npos);
    EXPECT_NE(marker.find("First=0\r\n"), std::string::npos);
}

TEST(Seed, FolderWithoutProgramFilesIsCompletedWithoutOverwritingAnything) {
    // What velmo-tool leaves behind when it runs before the program's first start.
    TempFolder temp;
    RecordingSleeper sleeper;
    temp.write("velmo/ReadMe.txt", "mine");
    temp.write("velmo/Data/Dekita/holiday2026.csv", "x");
    const std::string folder = (temp / "velmo").string() + "/";
    EXPECT_EQ(
        seedStartFolder(folder, {{"ReadMe.txt", {"new"}}, {"Hday.dat", {"1,1,元日"}}}, sleeper),
        SeedOutcome::Seeded);
    EXPECT_EQ(TempFolder::read(folder + "ReadMe.txt"), "mine");
    EXPECT_EQ(TempFolder::read(folder + "Hday.dat"), "1,1,\x8C\xB3\x93\xFA\r\n");
    EXPECT_TRUE(fs::is_directory(folder + "Data/Files1"));
    EXPECT_TRUE(fs::exists(folder + "localfol.myc"));
}

TEST(Seed, FolderWithAMarkerOrSettingsFileInAnyCaseIsLeftAlone) {
    for (const char* name : {"LOCALFOL.MYC", "Kidou.myc", "torka.INI"}) {
        TempFolder temp;
        RecordingSleeper sleeper;
        temp.write(std::string("velmo/") + name, "");
        const std::string folder = (temp / "velmo").string() + "/";
        EXPECT_EQ(seedStartFolder(folder, {{"ReadMe.txt", {"new"}}}, sleeper),
                  SeedOutcome::NotNeeded)
            << name;
        EXPECT_FALSE(fs::exists(folder + "ReadMe.txt")) << name;
        EXPECT_FALSE(fs::exists(folder + "Data")) << name;
    }
}

TEST(Seed, BundledTextsAreTheCommittedOnes) {
    const std::vector<SeedFile> files = bundledSeedFiles();
    ASSERT_EQ(files.size(), 3u);
    const auto hday = std::find_if(files.begin(), files.end(),
                                   [](const SeedFile& file) { return file.name == "Hday.dat"; });
    ASSERT_NE(hday, files.end());
    std::ifstream in(std::string(VELMO_SOURCE_DIR) + "/resources/seed/Hday.dat");
    std::vector<std::string> committed;
    for (std::string line; std::getline(in, line);)
        committed.push_back(line);
    EXPECT_EQ(hday->lines, committed);
}

TEST(Seed, EmptyExistingFolderIsSeeded) {
    TempFolder temp;
    RecordingSleeper sleeper;
    EXPECT_EQ(seedStartFolder(temp.path().string() + "/", {}, sleeper), SeedOutcome::Seeded);
    EXPECT_TRUE(fs::exists(temp / "localfol.myc"));
}

TEST(Seed, UncreatableFolderFails) {
    TempFolder temp;
    RecordingSleeper sleeper;
    temp.write("file", "x");
    EXPECT_EQ(seedStartFolder((temp / "file" / "velmo").string() + "/", {}, sleeper),
              SeedOutcome::Failed);
}

}  // namespace
}  // namespace velmo
