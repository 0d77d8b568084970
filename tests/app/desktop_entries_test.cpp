#include "app/startup/desktop_entries.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

TEST(DesktopEntries, ExecLineQuotesReservedCharacters) {
    const std::string text = desktopEntryText("/opt/velmo/velmo", "/home/a \"b\"/$x/", true);
    EXPECT_NE(text.find("Exec=\"/opt/velmo/velmo\" --start-folder \"/home/a \\\"b\\\"/\\$x/\"\n"),
              std::string::npos);
    EXPECT_EQ(desktopEntryText("/v", "/home/u/.local/share/velmo/", false).find("--start-folder"),
              std::string::npos);
}

TEST(DesktopEntries, WriteCreatesFolderAndRemoveTakesItAway) {
    testing::TempFolder temp;
    const std::string folder = (temp / "autostart").string() + "/";
    EXPECT_FALSE(desktopEntryExists(folder));
    ASSERT_TRUE(writeDesktopEntry(folder, "[Desktop Entry]\n"));
    EXPECT_TRUE(desktopEntryExists(folder));
    EXPECT_EQ(testing::TempFolder::read(folder + "velmo.desktop"), "[Desktop Entry]\n");
    EXPECT_TRUE(removeDesktopEntry(folder));
    EXPECT_FALSE(desktopEntryExists(folder));
    // A folder that cannot be created: its parent is a file.
    temp.write("file", "x");
    EXPECT_FALSE(writeDesktopEntry((temp / "file" / "sub").string(), "x"));
}

}  // namespace
}  // namespace velmo
