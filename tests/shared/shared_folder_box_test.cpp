// The folder a box of the options dialog hands to the shared-folder operations.

#include "shared/shared_folder_box.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

TEST(SharedFolderBoxTest, BlankAndRelativeTextsNameNoFolder) {
    EXPECT_FALSE(sharedFolderFromBox(""));
    EXPECT_FALSE(sharedFolderFromBox("   \t "));
    // Never resolved against the current directory.
    EXPECT_FALSE(sharedFolderFromBox("share"));
    EXPECT_FALSE(sharedFolderFromBox("./share/"));
    EXPECT_FALSE(sharedFolderFromBox("\\\\server\\share\\"));
}

TEST(SharedFolderBoxTest, FoldersAreTrimmedNormalAndEndWithASeparator) {
    EXPECT_EQ(sharedFolderFromBox("  /srv/share "), std::filesystem::path("/srv/share/"));
    EXPECT_EQ(sharedFolderFromBox("/srv//share/./x/../"), std::filesystem::path("/srv/share/"));
    EXPECT_EQ(sharedFolderFromBox("/srv/share/"), std::filesystem::path("/srv/share/"));
    EXPECT_EQ(sharedFolderFromBox("/"), std::filesystem::path("/"));
    // Full-width spaces are part of a Japanese folder name.
    EXPECT_EQ(sharedFolderFromBox("/srv/共有　"), std::filesystem::path("/srv/共有　/"));
}

TEST(SharedFolderBoxTest, TheStartFolderInAnyCaseEmptiesTheBox) {
    EXPECT_EQ(emptiedWhenStartFolder("/home/a/Velmo/", "/home/a/Velmo/"), "");
    EXPECT_EQ(emptiedWhenStartFolder("/HOME/A/velmo", "/home/a/Velmo/"), "");
    EXPECT_EQ(emptiedWhenStartFolder(" /home/a/Velmo ", "/home/a/Velmo/"), "");
    EXPECT_EQ(emptiedWhenStartFolder("/home/a/Velmo2/", "/home/a/Velmo/"), "/home/a/Velmo2/");
    EXPECT_EQ(emptiedWhenStartFolder("/srv/share", "/home/a/Velmo/"), "/srv/share");
    EXPECT_EQ(emptiedWhenStartFolder("", "/home/a/Velmo/"), "");
    EXPECT_EQ(emptiedWhenStartFolder("/home/a/Velmo/", ""), "/home/a/Velmo/");
}

}  // namespace
}  // namespace velmo
