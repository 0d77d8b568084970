#include "platform/posix/drive_kind.h"

#include <gtest/gtest.h>

namespace velmo::platform {
namespace {

const char* const kMountInfo =
    "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
    "23 22 0:21 / /proc rw shared:2 - proc proc rw\n"
    "40 22 0:35 / /srv/share rw - nfs4 server:/export rw,vers=4.2\n"
    "41 22 0:36 / /mnt/win\\040share rw shared:7 master:3 - cifs //pc/share rw\n"
    "42 22 11:0 / /mnt/cd ro - iso9660 /dev/sr0 ro\n"
    "43 22 0:40 / /tmp rw - tmpfs tmpfs rw\n"
    "44 22 8:17 / /run/media/user/STICK rw - vfat /dev/sdb1 rw\n"
    "45 22 8:33 / /mnt/usb rw - ext4 /dev/sdc1 rw\n"
    "46 22 0:45 / /home/u/remote rw - fuse.sshfs host: rw\n"
    "47 22 0:46 / /srv/share/sub rw - ext4 /dev/sdd1 rw\n";

std::string kind(const std::string& path) {
    const auto mounts = parseMountInfo(kMountInfo);
    return driveKindOf(path, mounts, [](const std::string& device) { return device == "8:33"; });
}

TEST(DriveKind, FileSystemsMapToWindowsDriveKinds) {
    EXPECT_EQ(kind("/home/u/velmo"), "FIXED");
    EXPECT_EQ(kind("/srv/share/velmo"), "NETWORK");
    EXPECT_EQ(kind("/mnt/win share/Data"), "NETWORK");
    EXPECT_EQ(kind("/home/u/remote/x"), "NETWORK");
    EXPECT_EQ(kind("/mnt/cd"), "CDROM");
    EXPECT_EQ(kind("/tmp/x"), "RAMDISK");
    EXPECT_EQ(kind("/run/media/user/STICK/velmo"), "REMOVABLE");
    EXPECT_EQ(kind("/mnt/usb/velmo"), "REMOVABLE");
    EXPECT_EQ(kind("//server/share"), "NETWORK");
    EXPECT_EQ(kind("\\\\server\\share"), "NETWORK");
}

TEST(DriveKind, LongestWholeComponentMountWins) {
    // A nested mount hides its parent; a name that merely shares a prefix does not.
    EXPECT_EQ(kind("/srv/share/sub/velmo"), "FIXED");
    EXPECT_EQ(kind("/srv/shared"), "FIXED");
    EXPECT_EQ(kind("/tmpx"), "FIXED");
}

TEST(DriveKind, MalformedLinesAreSkipped) {
    const auto mounts = parseMountInfo("garbage\n\n1 2 3\n22 1 8:1 / / rw - ext4 /dev/sda1 rw\n");
    ASSERT_EQ(mounts.size(), 1u);
    EXPECT_EQ(mounts[0].mountPoint, "/");
    EXPECT_EQ(driveKindOf("relative", {}, [](const std::string&) { return false; }), "?");
}

TEST(DriveKind, ThisMachineGivesAKnownKind) {
    const std::string measured = driveKind("/");
    EXPECT_TRUE(measured == "FIXED" || measured == "NETWORK" || measured == "RAMDISK" ||
                measured == "REMOVABLE" || measured == "CDROM")
        << measured;
}

}  // namespace
}  // namespace velmo::platform
