// "/F" started from a shared folder: the start folder becomes the run's shared folder and
// this computer its administrator, unless the folder already has one.

#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "app/main_window.h"
#include "shared/administrator_files.h"
#include "tests/support/fake_clock.h"
#include "tests/support/office_folders.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using velmo::testing::ScriptedUserInterface;

void write(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

}  // namespace

class FirstNetworkSetupTest : public QObject {
    Q_OBJECT

private slots:
    void theStartFolderBecomesTheSharedFolderAndThisComputerItsAdministrator() {
        QTemporaryDir dir;
        ScriptedUserInterface ui;
        velmo::testing::FakeClock clock({2026, 12, 10, 9, 0, 0, 0});
        velmo::testing::RecordingSleeper sleeper;
        const velmo::StartFolders f = velmo::testing::startedFromShare(dir.path().toStdString());
        // What the settings file says about a shared folder does not count for this run.
        write(f.settingsFile,
              "[Settei]\r\nedtNetFolder=/elsewhere/\r\ncbNet=0\r\nrbNetKoushin=0\r\n");
        velmo::TfmC21 window({f, velmo::parseLaunchOptions({"/F"}), ui, clock, sleeper});

        const velmo::NetworkKeys& keys = window.runSettings().settings().network;
        QCOMPARE(keys.edtNetFolder, f.startFolder);
        QVERIFY(keys.cbNet);
        QVERIFY(keys.cbNetIni);
        QCOMPARE(keys.rbNetKoushin, 2);
        const auto admin =
            velmo::loadFramedFile(fs::path(f.startFolder) / "velnet.myc", 5, ui, sleeper);
        QVERIFY(admin);
        QCOMPARE((*admin)[0], std::string("PC-01"));
        QCOMPARE((*admin)[1], std::string("PC-01"));
        QCOMPARE((*admin)[2], std::string("PC-01"));
        QCOMPARE((*admin)[3], std::string("0"));
    }

    void anAdministratorAlreadyThereIsKept() {
        QTemporaryDir dir;
        ScriptedUserInterface ui;
        velmo::testing::FakeClock clock;
        velmo::testing::RecordingSleeper sleeper;
        const velmo::StartFolders f = velmo::testing::startedFromShare(dir.path().toStdString());
        const fs::path adminFile = fs::path(f.startFolder) / "velnet.myc";
        velmo::CipherFileContext other{"PC-09", 2461385, [](std::uint32_t) { return 3u; }, ui,
                                       sleeper};
        QVERIFY(velmo::writeAdministratorFile(f.startFolder, {"総務", "s3cret"}, other));
        const std::string before = velmo::testing::TempFolder::read(adminFile);
        velmo::TfmC21 window({f, velmo::parseLaunchOptions({"/F"}), ui, clock, sleeper});
        QCOMPARE(velmo::testing::TempFolder::read(adminFile), before);
        QCOMPARE(window.runSettings().settings().network.edtNetFolder, f.startFolder);
    }

    void withTheStartMarkerOrWithoutTheSwitchNothingChanges() {
        for (const bool marker : {true, false}) {
            QTemporaryDir dir;
            ScriptedUserInterface ui;
            velmo::testing::FakeClock clock;
            velmo::testing::RecordingSleeper sleeper;
            const velmo::StartFolders f =
                velmo::testing::startedFromShare(dir.path().toStdString());
            write(f.settingsFile, "[Settei]\r\nedtNetFolder=/elsewhere/\r\n");
            if (marker)
                write(f.startMarker, "");
            const std::vector<std::string> arguments =
                marker ? std::vector<std::string>{"/F"} : std::vector<std::string>{};
            velmo::TfmC21 window({f, velmo::parseLaunchOptions(arguments), ui, clock, sleeper});
            QCOMPARE(window.runSettings().settings().network.edtNetFolder,
                     std::string("/elsewhere/"));
            QVERIFY(!fs::exists(fs::path(f.startFolder) / "velnet.myc"));
        }
    }
};

QTEST_MAIN(FirstNetworkSetupTest)
#include "first_network_setup_test.moc"
