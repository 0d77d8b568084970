#include "app/startup/launch_options.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

TEST(LaunchOptions, SwitchesAreCaseInsensitiveAndMatchOnTheirOwnLength) {
    const LaunchOptions options =
        parseLaunchOptions({"/2x", "/f", "/j30", "/d1/tmp/a.exe", "/D2/tmp/b.exe", "/d3/tmp/w",
                            "/dn/srv/share", "/Q", "plain"});
    EXPECT_TRUE(options.ignoreRunningCopy);
    EXPECT_TRUE(options.firstNetworkSetup);
    EXPECT_EQ(options.autoResidentSeconds, 30);
    EXPECT_EQ(options.deleteFile, "/tmp/a.exe");
    EXPECT_EQ(options.offerArchiveDeletion, "/tmp/b.exe");
    EXPECT_EQ(options.offerWorkFolderDeletion, "/tmp/w");
    EXPECT_EQ(options.sharedFolderOverride, "/srv/share");
    EXPECT_TRUE(options.deletionsPending());
}

TEST(LaunchOptions, CountdownTakesTwoCharactersAndFallsBackToZero) {
    EXPECT_EQ(parseLaunchOptions({"/J5"}).autoResidentSeconds, 5);
    EXPECT_EQ(parseLaunchOptions({"/J123"}).autoResidentSeconds, 12);
    EXPECT_EQ(parseLaunchOptions({"/Jx"}).autoResidentSeconds, 0);
    EXPECT_EQ(parseLaunchOptions({"/J5x"}).autoResidentSeconds, 0);
    EXPECT_EQ(parseLaunchOptions({"/J"}).autoResidentSeconds, 0);
    EXPECT_EQ(parseLaunchOptions({"/J-3"}).autoResidentSeconds, 0);
}

TEST(LaunchOptions, OverLongPathIsIgnoredNotCut) {
    const std::string longPath(251, 'a');
    const LaunchOptions options =
        parseLaunchOptions({"/D1" + longPath, "/D2" + longPath.substr(1)});
    EXPECT_TRUE(options.deleteFile.empty());
    EXPECT_EQ(options.offerArchiveDeletion.size(), 250u);
}

TEST(LaunchOptions, BenchmarkSwitchIsSpelledOutExactly) {
    EXPECT_TRUE(parseLaunchOptions({"--quit-after-first-paint"}).quitAfterFirstPaint);
    EXPECT_FALSE(parseLaunchOptions({"--QUIT-AFTER-FIRST-PAINT"}).quitAfterFirstPaint);
    EXPECT_FALSE(parseLaunchOptions({"--quit-after-first-paint=1"}).quitAfterFirstPaint);
    EXPECT_FALSE(parseLaunchOptions({"/2"}).quitAfterFirstPaint);
}

TEST(LaunchOptions, StartFolderInBothSpellings) {
    EXPECT_EQ(parseLaunchOptions({"--start-folder", "/x/y"}).startFolder, "/x/y");
    EXPECT_EQ(parseLaunchOptions({"--start-folder=/z"}).startFolder, "/z");
    // A dangling option is not mistaken for a folder.
    EXPECT_FALSE(parseLaunchOptions({"--start-folder"}).startFolder.has_value());
    EXPECT_FALSE(parseLaunchOptions({}).deletionsPending());
}

}  // namespace
}  // namespace velmo
