// The backup pages of the data dialog: save to a destination, change a day, restore.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "dialogs/data_dialog.h"
#include "store/cp932.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using velmo::testing::ScriptedUserInterface;
using velmo::testing::TempFolder;

void writeBytes(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

struct Installation {
    Installation() {
        writeBytes(month, velmo::cp932::encode("10,1,,部長会議,,,,,,\r\n"));
        writeBytes(start / "Data" / "CaMemo.myc", "memo\r\n");
        fs::create_directories(usb);
    }
    velmo::DataDialogContext context() {
        velmo::BackupFolders folders;
        folders.currentDataFolder = start / "Data" / "Files1";
        folders.commonDataFolder = start / "Data";
        folders.startFolder = start;
        folders.dataRoot = start;
        folders.backupRoot = root / "SafeGuard";
        return {ui,
                sleeper,
                clock,
                start / "Torka.ini",
                folders,
                [this] { ++saves; },
                [this] { ++ends; },
                {},
                [this](QWidget*, const QString&) { return std::optional(usb); },
                {}};
    }
    static void keepScreenshot(QWidget& widget, const char* name) {
        const QByteArray folder = qgetenv("VELMO_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            QVERIFY(widget.grab().save(QString::fromUtf8(folder) + "/" + name));
    }

    QTemporaryDir dir;
    fs::path root = dir.path().toStdString();
    fs::path start = root / "velmo";
    fs::path month = start / "Data" / "Files1" / "Ca202612.myc";
    fs::path usb = root / "usb";
    ScriptedUserInterface ui;
    velmo::testing::FakeClock clock{{2026, 12, 10, 20, 30, 0, 0}};
    velmo::testing::RecordingSleeper sleeper;
    int saves = 0;
    int ends = 0;
};

}  // namespace

class DataDialogTest : public QObject {
    Q_OBJECT

private slots:
    void saveThenRestoreBringsTheDayBack() {
        Installation office;
        const std::string before = TempFolder::read(office.month);
        {
            velmo::TfmSetup dialog(office.context());
            dialog.show();
            Installation::keepScreenshot(dialog, "data_dialog_save.png");
            office.ui.answer(true);  // add Velmobak below the chosen folder
            dialog.savePage()->pickDestination(1);
            QCOMPARE(dialog.savePage()->destinationBox(1)->text(),
                     QString::fromStdString((office.usb / "Velmobak").string()));
            QTest::mouseClick(dialog.findChild<QPushButton*>("btnTaihi1"), Qt::LeftButton);
            QCOMPARE(office.saves, 1);
            QCOMPARE(dialog.savePage()->destinationLabel(1)->text(),
                     QString("令和8年12月10日(木) 20:30 退避"));
            QVERIFY(fs::exists(office.usb / "Velmobak" / "Ca202612.myc"));
            dialog.accept();
        }
        const QString ini = QString::fromStdString(
            velmo::cp932::decode(TempFolder::read(office.start / "Torka.ini")));
        QVERIFY(ini.contains("[Setup]"));
        QVERIFY(ini.contains("lblCopy1=令和8年12月10日(木) 20:30 退避"));

        writeBytes(office.month, velmo::cp932::encode("10,1,,変更後,,,,,,\r\n"));

        velmo::TfmSetup dialog(office.context());
        dialog.show();
        dialog.showPage(velmo::TfmSetup::Page::Restore);
        velmo::BackupRestorePage* page = dialog.restorePage();
        QVERIFY(!page->restoreButton()->isEnabled());
        office.ui.answer(true);  // the warning: go on
        page->enableRestore();
        QVERIFY(page->restoreButton()->isEnabled());
        office.ui.answer(true);  // take the Velmobak folder below the chosen one
        page->pickSource();
        Installation::keepScreenshot(dialog, "data_dialog_restore.png");
        QCOMPARE(page->sourceBox()->text(),
                 QString::fromStdString((office.usb / "Velmobak").string()));
        office.ui.answer(true);  // データ回復を行いますか？
        page->restore();
        QCOMPARE(TempFolder::read(office.month), before);
        QCOMPARE(office.ends, 1);
        QVERIFY(office.ui.texts().back().starts_with("データ回復作業を終了しました。"));
    }

    void aDestinationInsideTheDataIsRefusedBeforeAnythingIsCopied() {
        Installation office;
        velmo::TfmSetup dialog(office.context());
        dialog.savePage()->destinationBox(2)->setText(
            QString::fromStdString((office.start / "Data" / "Files1").string()));
        dialog.savePage()->saveTo(2);
        QCOMPARE(office.ui.texts().back(),
                 std::string("データフォルダはデータの保存先に出来ません。\r\n中止します。"));
        QCOMPARE(dialog.savePage()->destinationLabel(2)->text(),
                 QString("バックアップされていません。"));
    }
};

QTEST_MAIN(DataDialogTest)
#include "data_dialog_test.moc"
