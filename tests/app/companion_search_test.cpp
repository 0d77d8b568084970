#include "app/navigation/companion_search.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using Folders = std::vector<fs::path>;

CompanionPlaces places(bool useUserFolder = false) {
    return {"/opt/velmo/", "/home/kei/", "/home/kei/.local/share/", useUserFolder};
}

TEST(CompanionSearch, TheEditorAndThePrintProgramAreLookedForInTheSharedPlacesFirst) {
    EXPECT_EQ(companionFolders(Companion::Editor, places(), false),
              (Folders{"/AppFiles/Ruvon", "/home/kei/AppFiles/Ruvon", "/usr/Norv/Ruvon",
                       "/opt/velmo/", "/opt/velmo/Ruvon"}));
    const Folders print = companionFolders(Companion::Print, places(), true);
    EXPECT_EQ(print.front(), fs::path("/AppFiles/Velprin"));
    EXPECT_EQ(print.back(), fs::path("/opt/velmo/Velprin"));
}

TEST(CompanionSearch, TheClockSettingPutsTheStartFolderFirst) {
    EXPECT_EQ(companionFolders(Companion::Clock, places(), true),
              (Folders{"/opt/velmo/", "/home/kei/AppFiles/Velclock", "/usr/Norv/Velclock",
                       "/home/kei/.local/share/Norv/VelClock"}));
    // With the user folder in use the common files place is left out.
    EXPECT_EQ(companionFolders(Companion::Clock, places(true), true).size(), 3u);
    EXPECT_EQ(companionFolders(Companion::Clock, places(), false),
              (Folders{"/home/kei/AppFiles/Velclock", "/usr/Norv/Velclock",
                       "/home/kei/.local/share/Norv/VelClock", "/opt/velmo/"}));
}

TEST(CompanionSearch, TheUncheckedClockChoiceLooksOnlyInTheSharedPlaces) {
    EXPECT_EQ(clockChoiceFolders(places()),
              (Folders{"/usr/Norv/Velclock", "/home/kei/.local/share/Norv/VelClock"}));
    EXPECT_EQ(clockChoiceFolders(places(true)), (Folders{"/usr/Norv/Velclock"}));
}

TEST(CompanionSearch, StartUpShortcutsAreDesktopEntriesOrCarriedOverLinks) {
    testing::TempFolder folder;
    const std::string startup = folder.path().string() + "/";
    EXPECT_FALSE(startupShortcutExists(startup, kTimeAdjustShortcut));
    folder.write("Orvan.desktop", "[Desktop Entry]\n");
    EXPECT_TRUE(startupShortcutExists(startup, kTimeAdjustShortcut));
    EXPECT_FALSE(startupShortcutExists(startup, kClockShortcut));
    folder.write("ベル時計.lnk", "");
    EXPECT_TRUE(startupShortcutExists(startup, kClockShortcut));
    EXPECT_FALSE(startupShortcutExists("", kClockShortcut));
}

TEST(CompanionSearch, TheEditorMemoCommandCodesEveryBlank) {
    EXPECT_EQ(editorMemoCommand("/home/kei/My Data/Common/"),
              "CaMemo.myc,/home/kei/My_\\Sp\\_Data/Common/,1,0,0,,,0,0,,,");
}

TEST(CompanionSearch, ThePrintProgramGetsEachFolderAsOneArgument) {
    EXPECT_EQ(
        printCompanionArguments("/opt/velmo/", "  ", "/opt/velmo/Data/Files2/",
                                " /home/kei/.config/velmo/ "),
        (std::vector<std::string>{"/K=/opt/velmo/", "/D=/opt/velmo/", "/D2=/opt/velmo/Data/Files2/",
                                  "/S=/home/kei/.config/velmo/"}));
    EXPECT_EQ(printCompanionArguments("/a/", " /data root/ ", "/c/", "/d/")[1], "/D=/data root/");
}

}  // namespace
}  // namespace velmo
