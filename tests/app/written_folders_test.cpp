#include "app/startup/written_folders.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

using Paths = std::vector<std::filesystem::path>;

StartFolders startIn(const std::string& start) {
    StartFolders f;
    f.startFolder = start;
    f.settingsFolder = start;
    f.userFolder = "/home/u/.config/AppFiles/Torka/x/";
    f.safeguardFolder = "/home/u/.config/AppFiles/Torka/x/SafeGuard/";
    return f;
}

TEST(WrittenFolders, DataSetFoldersBelowTheDataRootEachOnce) {
    const DataFolders data =
        decideDataFolders("", "/home/u/velmo/", 2, [](const std::string&) { return true; });
    EXPECT_EQ(foldersWrittenByRun(startIn("/home/u/velmo/"), data),
              (Paths{"/home/u/velmo", "/home/u/.config/AppFiles/Torka/x",
                     "/home/u/.config/AppFiles/Torka/x/SafeGuard", "/home/u/velmo/Data",
                     "/home/u/velmo/Data/Files1", "/home/u/velmo/Data/Files2",
                     "/home/u/velmo/Data/Files3"}));
}

TEST(WrittenFolders, SeparateDataRootAndSharedFolder) {
    DataFolders data = decideDataFolders("/srv/kept/", "/home/u/velmo/", 1,
                                         [](const std::string&) { return false; });
    data.shared = DataLocation::shared("/mnt/share/");
    StartFolders start = startIn("/home/u/velmo/");
    start.settingsFolder = start.userFolder;
    EXPECT_EQ(
        foldersWrittenByRun(start, data),
        (Paths{"/home/u/velmo", "/home/u/.config/AppFiles/Torka/x",
               "/home/u/.config/AppFiles/Torka/x/SafeGuard", "/srv/kept", "/srv/kept/Data/Files1",
               "/srv/kept/Data/Files2", "/srv/kept/Data/Files3", "/mnt/share/Data/Files1"}));
}

}  // namespace
}  // namespace velmo
