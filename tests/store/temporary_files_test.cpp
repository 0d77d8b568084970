#include "store/temporary_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <ctime>
#include <set>

#include "tests/support/fake_clock.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;
using testing::FakeClock;
using testing::TempFolder;

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// Sets an entry's last write (of a link, the link's own) to the clock's time minus age.
void age(const fs::path& entry, const FakeClock& clock, std::chrono::minutes minutes) {
    const std::time_t when = secondsSinceEpoch(clock.now()) - minutes.count() * 60;
    const timespec times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, entry.c_str(), times, AT_SYMLINK_NOFOLLOW), 0);
}

TEST(TemporaryNames, OnlyTheWritersOwnPattern) {
    const std::string name = newTemporaryName("Ca202611.myc");
    EXPECT_TRUE(name.starts_with(".Ca202611.myc."));
    EXPECT_TRUE(isTemporaryName(name));
    EXPECT_NE(newTemporaryName("Torka.ini"), newTemporaryName("Torka.ini"));
    EXPECT_TRUE(isTemporaryName(".Torka.ini.x7Kq2B.tmp"));
    EXPECT_TRUE(isTemporaryName(".a.000000.tmp"));
    for (const char* other :
         {"Ca202611.myc", "Torka.ini.x7Kq2B.tmp", ".Torka.ini.tmp", ".Torka.ini.x7Kq2.tmp",
          ".Torka.ini.x7Kq2BB.tmp", ".Torka.ini.x7-q2B.tmp", ".Torka.ini.x7Kq2B.TMP",
          ".Torka.inix7Kq2B.tmp", "..x7Kq2B.tmp", ".Torka.ini.x7Kq2B.tmp.bak", ".tmp", ""}) {
        EXPECT_FALSE(isTemporaryName(other)) << other;
    }
}

// What a killed save left behind goes once it is an hour old; nothing else is touched.
TEST(StaleTemporaries, OnlyOldLeftoversOfOurOwnSavesGo) {
    TempFolder start;
    FakeClock clock{{2024, 11, 20, 9, 0, 0, 0}};
    const fs::path data = start / "Data" / "Files1";
    fs::create_directories(data);
    const fs::path old = start.write("Data/Files1/.Ca202611.myc.Ab12Cd.tmp", "half a save");
    const fs::path oldIni = start.write(".Torka.ini.x7Kq2B.tmp", "half a save");
    const fs::path fresh = start.write("Data/Files1/.Ca202612.myc.Zz09Yy.tmp", "saving now");
    const fs::path justUnder = start.write(".Torka.ini.aaaaaa.tmp", "saving");
    const fs::path month = start.write("Data/Files1/Ca202611.myc", "data");
    const fs::path notOurs = start.write("Data/Files1/.notes.tmp", "someone's");
    const fs::path below = start.write("Data/Files1/deeper/.Ca202611.myc.Ab12Cd.tmp", "x");
    fs::create_directory(data / ".Ca202610.myc.Folder.tmp");
    fs::create_symlink(month, data / ".Ca202609.myc.Linked.tmp");
    for (const fs::path& entry :
         {old, oldIni, month, notOurs, below, data / ".Ca202610.myc.Folder.tmp",
          data / ".Ca202609.myc.Linked.tmp"}) {
        age(entry, clock, std::chrono::minutes(61));
    }
    age(fresh, clock, std::chrono::minutes(5));
    age(justUnder, clock, std::chrono::minutes(59));

    const std::vector<fs::path> removed =
        removeStaleTemporaries({start.path(), data, start / "missing"}, clock);

    EXPECT_EQ(std::set<fs::path>(removed.begin(), removed.end()),
              (std::set<fs::path>{old, oldIni}));
    EXPECT_EQ(namesIn(data), (std::set<std::string>{
                                 ".Ca202612.myc.Zz09Yy.tmp", "Ca202611.myc", ".notes.tmp", "deeper",
                                 ".Ca202610.myc.Folder.tmp", ".Ca202609.myc.Linked.tmp"}));
    EXPECT_TRUE(fs::exists(below));
    EXPECT_TRUE(fs::exists(justUnder));
    EXPECT_EQ(TempFolder::read(month), "data");
}

// Another user's leftover may be a save in progress on a computer whose clock is off.
TEST(StaleTemporaries, OtherUsersFilesStay) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "handing a file to another user needs root";
    TempFolder folder;
    FakeClock clock{{2024, 11, 20, 9, 0, 0, 0}};
    const fs::path theirs = folder.write(".Ca202611.myc.Ab12Cd.tmp", "x");
    ASSERT_EQ(::chown(theirs.c_str(), 4242, 4242), 0);
    age(theirs, clock, std::chrono::hours(5));
    EXPECT_TRUE(removeStaleTemporaries({folder.path()}, clock).empty());
    EXPECT_TRUE(fs::exists(theirs));
}

}  // namespace
}  // namespace velmo
