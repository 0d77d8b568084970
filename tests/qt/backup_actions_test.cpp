// The automatic backup as the main window starts it: when a local data set is selected
// anew, and when network mode goes off, never merely at start.

#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "app/backup_actions.h"
#include "app/main_window.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"

namespace {

namespace fs = std::filesystem;

void write(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

}  // namespace

class BackupActionsTest : public QObject {
    Q_OBJECT

private slots:
    void leavingNetworkModeRunsTheDueBackupOnce() {
        QTemporaryDir dir;
        const fs::path start = dir.path().toStdString() + "/start/";
        velmo::StartFolders f;
        f.startFolder = start.string();
        f.settingsFolder = f.startFolder;
        f.settingsFile = f.startFolder + "Torka.ini";
        f.safeguardFolder = dir.path().toStdString() + "/SafeGuard/";
        f.localOperation = true;
        f.computerName = "PC-01";
        // Every day a backup, none made yet, data format 2.
        write(f.settingsFile,
              "[kanri]\r\ncbBackKankaku=1\r\nBackupDay=0\r\n[Set2]\r\nyDataForm=2\r\n");
        write(start / "Data/Files1/Ca202612.myc", "10,1,,予定,,,,,,\r\n");
        write(start / "Data/CaMemo.myc", "memo\r\n");
        velmo::testing::ScriptedUserInterface ui;
        velmo::testing::FakeClock clock({2026, 12, 10, 9, 0, 0, 0});
        velmo::testing::RecordingSleeper sleeper;
        velmo::TfmC21 window({f, {}, ui, clock, sleeper});
        auto* backup = window.findChild<velmo::BackupActions*>();
        QVERIFY(backup);
        const fs::path newest = fs::path(f.safeguardFolder) / "01_AutoVelData";
        // Starting and staying local copies nothing.
        backup->networkStateChanged(false);
        QVERIFY(!fs::exists(newest));
        backup->networkStateChanged(true);
        QVERIFY(!fs::exists(newest));
        backup->networkStateChanged(false);
        QVERIFY(fs::exists(newest / "Files1" / "Ca202612.myc"));
        QVERIFY(fs::exists(newest / "VelDate.myc"));
        QCOMPARE(window.runSettings().settings().backup.BackupDay, 2461385);
    }
};

QTEST_MAIN(BackupActionsTest)
#include "backup_actions_test.moc"
