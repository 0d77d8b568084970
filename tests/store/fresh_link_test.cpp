#include "store/fresh_link.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store/temporary_files.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

TEST(FreshLink, ALinkReadsTheFileUnderATemporaryNameAndGoesAwayAfter) {
    TempFolder dir;
    const fs::path file = dir.write("Ca202412.myc", "10,1,,会議\r\n");
    fs::path linked;
    {
        std::optional<FreshLink> link = FreshLink::make(file);
        ASSERT_TRUE(link);
        linked = link->path();
        EXPECT_EQ(linked.parent_path(), file.parent_path());
        // The writer's temporary form: the clean-up of killed saves knows it, no mask does.
        EXPECT_TRUE(isTemporaryName(linked.filename().string()));
        EXPECT_EQ(TempFolder::read(linked), "10,1,,会議\r\n");
        EXPECT_TRUE(fs::equivalent(linked, file));
        std::optional<FreshLink> moved = std::move(link);
        EXPECT_TRUE(fs::exists(linked));
    }
    EXPECT_FALSE(fs::exists(linked));
    EXPECT_TRUE(fs::exists(file));
    EXPECT_FALSE(FreshLink::make(dir / "Ca202501.myc"));
}

TEST(FreshLink, LocalFoldersAreReadDirectly) {
    TempFolder dir;
    // The test folders lie on a local disk or tmpfs, never on a network client.
    EXPECT_FALSE(servedFromClientCache(dir.path()));
    const fs::path file = dir.write("CaFromTo.myc", "x\r\n");
    std::optional<FreshLink> link;
    EXPECT_EQ(freshReadPath(file, link), file);
    EXPECT_FALSE(link);
}

}  // namespace
}  // namespace velmo
