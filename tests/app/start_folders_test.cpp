#include "app/startup/start_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/fake_clock.h"
#include "tests/support/folder_reads.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::RecordingSleeper;
using testing::TempFolder;

class StartFoldersTest : public ::testing::Test {
protected:
    MachineFacts facts(const std::string& kind = "FIXED") const {
        MachineFacts f;
        f.start = {start, true};
        f.markers = readStartMarkers(start);
        f.startDriveKind = kind;
        f.profileFolder = home;
        f.appDataFolder = home + ".config/";
        f.dataHomeFolder = home + ".local/share/";
        f.stateHomeFolder = home + ".local/state/";
        f.computerName = "PC-01";
        return f;
    }

    TempFolder temp;
    std::string home = temp.path().string() + "/home/";
    std::string start = home + "velmo/";
    RecordingSleeper sleeper;
};

TEST(StartLocation, OptionWinsOverEnvironmentWhichWinsOverDefault) {
    EXPECT_EQ(resolveStartLocation(std::string("/a/b"), "/c", "/d").folder, "/a/b/");
    EXPECT_TRUE(resolveStartLocation(std::string("/a/b"), "/c", "/d").given);
    EXPECT_EQ(resolveStartLocation(std::nullopt, "/c/", "/d").folder, "/c/");
    const StartLocation fallback = resolveStartLocation(std::nullopt, "", "/d");
    EXPECT_EQ(fallback.folder, "/d/velmo/");
    EXPECT_FALSE(fallback.given);
    EXPECT_EQ(resolveStartLocation(std::string("/a/./x/../b"), "", "/d").folder, "/a/b/");
}

TEST_F(StartFoldersTest, SeededFolderIsLocalOperationWithoutFirstRun) {
    temp.write("home/velmo/localfol.myc", "[Set]\r\nFolder=x\r\nFirst=0\r\n");
    fs::create_directories(start + "Data/Files1");
    const StartFolders f = resolveStartFolders(facts(), sleeper);
    EXPECT_TRUE(f.localOperation);
    EXPECT_FALSE(f.firstRun);
    EXPECT_EQ(f.settingsFolder, start);
    EXPECT_EQ(f.settingsFile, start + "Torka.ini");
    EXPECT_EQ(f.rightsFile, start + "velnetid.myc");
    EXPECT_EQ(f.startMarker, start + "Kidou.myc");
    EXPECT_TRUE(f.useUserFolder);
    EXPECT_TRUE(f.userFolder.starts_with(home + ".config/AppFiles/Torka/_")) << f.userFolder;
    EXPECT_EQ(f.safeguardFolder, f.userFolder + "SafeGuard/");
    EXPECT_EQ(f.startupFolder, home + ".config/autostart/");
    EXPECT_EQ(f.rescueFolder, home + ".local/state/velmo/rescue/");
    // Without a state folder there is nowhere to put copies.
    MachineFacts stateless = facts();
    stateless.stateHomeFolder.clear();
    EXPECT_EQ(resolveStartFolders(stateless, sleeper).rescueFolder, "");
}

// The markers come from one listing of the start folder; resolving the folders then
// looks nothing up again.
TEST_F(StartFoldersTest, MarkersAreLookedUpInOneListing) {
    temp.write("home/velmo/localfol.myc", "[Set]\r\nFirst=0\r\n");
    temp.write("home/velmo/KIDOU.MYC", "");
    fs::create_directories(start + "Data");
    testing::FolderReads reads(start);
    const MachineFacts f = facts();
    EXPECT_TRUE(f.markers.localFolder);
    EXPECT_TRUE(f.markers.start);
    EXPECT_EQ(reads.take(), 1);
    const StartFolders folders = resolveStartFolders(f, sleeper);
    EXPECT_TRUE(folders.localOperation);
    EXPECT_FALSE(folders.firstRun);
    EXPECT_EQ(reads.take(), 0);

    fs::remove(start + "KIDOU.MYC");
    EXPECT_FALSE(readStartMarkers(start).start);
}

TEST_F(StartFoldersTest, UserFolderEncodesTheStartFolder) {
    MachineFacts f = facts();
    f.start.folder = "/home/u/my velmo.d/";
    f.profileFolder = "/home/u/";
    f.appDataFolder = "/home/u/.config/";
    const StartFolders folders = resolveStartFolders(f, sleeper);
    EXPECT_EQ(folders.userFolder, "/home/u/.config/AppFiles/Torka/_home_u_my_S_velmo_D_d/");
    EXPECT_TRUE(folders.useUserFolder);

    // Outside the profile folder the safeguard folder moves to the common files folder.
    f.start.folder = "/srv/velmo/";
    const StartFolders outside = resolveStartFolders(f, sleeper);
    EXPECT_FALSE(outside.useUserFolder);
    EXPECT_EQ(outside.safeguardFolder, f.dataHomeFolder + "Norv/Torka/SafeGuard/");
}

TEST_F(StartFoldersTest, FirstRunRequestIsReadOnceAndReset) {
    temp.write("home/velmo/LocalFol.MYC", "[set]\r\nfirst=1\r\n");
    fs::create_directories(start + "Data");
    EXPECT_TRUE(resolveStartFolders(facts(), sleeper).firstRun);
    EXPECT_FALSE(resolveStartFolders(facts(), sleeper).firstRun);
    // The marker kept its own spelling; no second file appeared beside it.
    EXPECT_FALSE(fs::exists(start + "localfol.myc"));
}

TEST_F(StartFoldersTest, MissingDataFolderMeansFirstRun) {
    temp.write("home/velmo/localfol.myc", "[Set]\r\nFirst=0\r\n");
    EXPECT_TRUE(resolveStartFolders(facts(), sleeper).firstRun);
}

TEST_F(StartFoldersTest, RemovableDriveIsLocalOperationWithoutMarker) {
    fs::create_directories(start + "Data");
    const StartFolders removable = resolveStartFolders(facts("REMOVABLE"), sleeper);
    EXPECT_TRUE(removable.localOperation);
    EXPECT_TRUE(removable.startedFromRemovable);
    const StartFolders fixed = resolveStartFolders(facts("FIXED"), sleeper);
    EXPECT_FALSE(fixed.localOperation);
    EXPECT_FALSE(fixed.firstRun);
}

TEST_F(StartFoldersTest, NetworkStartInvertsFirstRunUnlessStartMarkerExists) {
    temp.write("home/velmo/localfol.myc", "[Set]\r\nFirst=0\r\n");
    fs::create_directories(start + "Data");
    const StartFolders fresh = resolveStartFolders(facts("NETWORK"), sleeper);
    EXPECT_TRUE(fresh.firstRun);
    EXPECT_EQ(fresh.settingsFolder, start);

    temp.write("home/velmo/Kidou.myc", "");
    const StartFolders marked = resolveStartFolders(facts("NETWORK"), sleeper);
    EXPECT_FALSE(marked.firstRun);
    // Settings of a network installation live in the user's own folder, created on demand.
    EXPECT_EQ(marked.settingsFolder, marked.userFolder);
    EXPECT_TRUE(fs::is_directory(marked.userFolder));
    EXPECT_EQ(marked.settingsFile, marked.userFolder + "Torka.ini");
}

}  // namespace
}  // namespace velmo
