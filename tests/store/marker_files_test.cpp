#include "store/marker_files.h"

#include <gtest/gtest.h>

#include "store/cp932.h"
#include "tests/support/fake_clock.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

using testing::RecordingSleeper;
using testing::TempFolder;
using Save = ProfileFile::SaveOutcome;

TEST(LocalFolderMarker, WritesFolderAndClearsFirstRun) {
    TempFolder start;
    RecordingSleeper sleeper;
    EXPECT_EQ(writeLocalFolderMarker(start.path(), "/home/花子/velmo/", sleeper), Save::Saved);
    EXPECT_EQ(TempFolder::read(start / "localfol.myc"),
              cp932::encode("[Set]\r\nFolder=/home/花子/velmo/\r\nFirst=0\r\n"));

    EXPECT_EQ(writeLocalFolderMarker(start.path(), "bad\nfolder", sleeper), Save::Unencodable);
    EXPECT_EQ(writeLocalFolderMarker(start.path(), "/home/😀/", sleeper), Save::Unencodable);
}

TEST(LocalFolderMarker, FirstRunIsReportedOnceAndResetOnDisk) {
    TempFolder start;
    RecordingSleeper sleeper;
    start.write("LOCALFOL.MYC", "[SET]\r\nFolder=/opt/v/\r\nfirst=1\r\n; note\r\n");
    EXPECT_TRUE(readAndResetFirstRun(start.path(), sleeper));
    EXPECT_EQ(TempFolder::read(start / "LOCALFOL.MYC"),
              "[SET]\r\nFolder=/opt/v/\r\nfirst=0\r\n; note\r\n");
    EXPECT_FALSE(std::filesystem::exists(start / "localfol.myc"));
    EXPECT_FALSE(readAndResetFirstRun(start.path(), sleeper));
}

TEST(LocalFolderMarker, NoFirstRunWithoutAFlag) {
    TempFolder start;
    RecordingSleeper sleeper;
    EXPECT_FALSE(readAndResetFirstRun(start.path(), sleeper));
    EXPECT_FALSE(std::filesystem::exists(start / "localfol.myc"));  // not created

    start.write("localfol.myc", "[Set]\r\nFirst=maybe\r\n");
    EXPECT_FALSE(readAndResetFirstRun(start.path(), sleeper));
    EXPECT_EQ(TempFolder::read(start / "localfol.myc"), "[Set]\r\nFirst=maybe\r\n");
}

TEST(BackupDateMarker, WritesTheDate) {
    TempFolder backup;
    RecordingSleeper sleeper;
    EXPECT_EQ(writeBackupDateMarker(backup.path(), "2024/09/09", sleeper), Save::Saved);
    EXPECT_EQ(TempFolder::read(backup / "VelDate.myc"), "[Date]\r\nSakusei=2024/09/09\r\n");
    EXPECT_EQ(daysSinceBackupDateMarker(backup.path(), {2024, 9, 10}, sleeper), 1);
}

TEST(BackupDateMarker, CountsDaysAcrossMonthsYearsAndLeapDays) {
    TempFolder backup;
    RecordingSleeper sleeper;
    const auto days = [&](const char* stored, LocalDate today) {
        backup.write("VelDate.myc", std::string("[Date]\r\nSakusei=") + stored + "\r\n");
        return daysSinceBackupDateMarker(backup.path(), today, sleeper);
    };
    EXPECT_EQ(days("2024/09/10", {2024, 9, 10}), 0);
    EXPECT_EQ(days("2024/02/28", {2024, 3, 1}), 2);
    EXPECT_EQ(days("2023/02/28", {2023, 3, 1}), 1);
    EXPECT_EQ(days("1900/02/28", {1900, 3, 1}), 1);
    EXPECT_EQ(days("2000/02/28", {2000, 3, 1}), 2);
    EXPECT_EQ(days("1999/12/31", {2000, 1, 1}), 1);
    EXPECT_EQ(days("2000/01/01", {2024, 9, 10}), 9019);
    EXPECT_EQ(days("1600/03/01", {2024, 9, 10}), 155056);
    EXPECT_EQ(days("2024/9/9", {2024, 9, 10}), 1);
    EXPECT_EQ(days("2024/09/12", {2024, 9, 10}), -2);
}

TEST(BackupDateMarker, MinusOneWhenThereIsNoUsableDate) {
    TempFolder backup;
    RecordingSleeper sleeper;
    const LocalDate today{2024, 9, 10};
    EXPECT_EQ(daysSinceBackupDateMarker(backup.path(), today, sleeper), -1);  // missing
    for (const char* bad : {"", "2023/02/29", "2024/13/01", "2024/00/10", "24/09/09", "2024-09-09",
                            "2024/09/09 12:00", "2024/9/", "abc"}) {
        backup.write("VelDate.myc", std::string("[Date]\r\nSakusei=") + bad + "\r\n");
        EXPECT_EQ(daysSinceBackupDateMarker(backup.path(), today, sleeper), -1) << bad;
    }
    std::filesystem::remove(backup / "VelDate.myc");
    std::filesystem::create_directory(backup / "VelDate.myc");  // cannot be read
    EXPECT_EQ(daysSinceBackupDateMarker(backup.path(), today, sleeper), -1);
    EXPECT_EQ(writeBackupDateMarker(backup.path(), "2024/09/10", sleeper), Save::Refused);
}

}  // namespace
}  // namespace velmo
