// The main window as the process entry builds it, with a scripted user interface.

#include <QAction>
#include <QLabel>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "app/main_window.h"
#include "app/month_page.h"
#include "app/status_texts.h"
#include "monthview/qt_month_view.h"
#include "tests/support/fake_clock.h"
#include "tests/support/local_start_folders.h"
#include "tests/support/scripted_user_interface.h"

namespace {

using velmo::testing::ScriptedUserInterface;

// Every text the user interface showed, in order.
QStringList texts(const ScriptedUserInterface& ui) {
    QStringList result;
    for (const std::string& text : ui.texts())
        result << QString::fromStdString(text);
    return result;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    velmo::StartFolders folders(const QString& start) {
        return velmo::testing::localStartFolders(start.toStdString());
    }

private slots:
    void windowHasTitlePagesAndStatusPanels() {
        QTemporaryDir dir;
        ScriptedUserInterface ui;
        velmo::testing::FakeClock clock({2024, 9, 10, 14, 5, 0, 0});
        velmo::testing::RecordingSleeper sleeper;
        velmo::TfmC21 window({folders(dir.path()), {}, ui, clock, sleeper});
        QCOMPARE(window.windowTitle(), QString("ベルモ - Velmo -"));
        QCOMPARE(window.pages()->count(), 3);
        QCOMPARE(window.pages()->tabText(0), QString("月"));
        QCOMPARE(window.pages()->tabText(1), QString("年"));
        QCOMPARE(window.pages()->tabText(2), QString("メモ"));
        QCOMPARE(window.statusPanelText(0), QString("2024/9/10 (火) PM 2 : 5"));
        auto* monthTabs = window.findChild<QTabBar*>("tsMonthTabs");
        QVERIFY(monthTabs);
        QCOMPARE(monthTabs->count(), 5);
        QCOMPARE(monthTabs->tabText(0), QString("８月"));
        QCOMPARE(monthTabs->tabText(4), QString("１２月"));
        QCOMPARE(monthTabs->currentIndex(), 1);
        QCOMPARE(window.statusPanelText(2),
                 QString("     【 起動フォルダ 】   ") + dir.path() + "/  ");
    }

    void firstCloseWritesACompleteSettingsFile() {
        QTemporaryDir dir;
        ScriptedUserInterface ui;
        velmo::testing::FakeClock clock;
        velmo::testing::RecordingSleeper sleeper;
        {
            velmo::TfmC21 window({folders(dir.path()), {}, ui, clock, sleeper});
            QVERIFY(!QFile::exists(dir.path() + "/Torka.ini"));
            window.show();
            QVERIFY(window.close());
        }
        QFile file(dir.path() + "/Torka.ini");
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(texts(ui).join("|")));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("[Header]\r\nVersion=Ver9.1.1\r\nFolder=" + dir.path().toUtf8() +
                                 "/\r\n"));
        for (const char* line : {"\r\nUseFolNo=1\r\n", "\r\ncbMemo=1\r\n", "\r\nvCalGyou=5\r\n",
                                 "\r\nedtCSun=clRed\r\n", "\r\nedtPrintFolder=\r\n"}) {
            QVERIFY2(bytes.contains(line), line);
        }
        QVERIFY(texts(ui).isEmpty());
    }

    void storedOptionsReachTheStatusBar() {
        QTemporaryDir dir;
        QFile ini(dir.path() + "/Torka.ini");
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[SETTEI]\r\ncb24JI=1\r\ncbShiyouchuu=0\r\ncbMemo=0\r\nedFolder=D:\\Data\r\n");
        ini.close();
        ScriptedUserInterface ui;
        velmo::testing::FakeClock clock({2024, 9, 10, 14, 5, 0, 0});
        velmo::testing::RecordingSleeper sleeper;
        velmo::TfmC21 window({folders(dir.path()), {}, ui, clock, sleeper});
        QCOMPARE(window.statusPanelText(0), QString("2024/9/10 (火) 14 : 5"));
        QCOMPARE(window.statusPanelText(2), QString());
        QVERIFY(!window.pages()->isTabVisible(2));
        // A folder written on Windows cannot be used here; the user hears of it once.
        QCOMPARE(texts(ui).size(), 1);
        QVERIFY(texts(ui)[0].contains("D:\\Data"));
        QCOMPARE(window.runSettings().dataFolders().dataRoot, dir.path().toStdString() + "/");
    }

    void killedRunIsReportedAtTheNextStart() {
        QTemporaryDir dir;
        QFile ini(dir.path() + "/Torka.ini");
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Settei]\r\ncbKidouKiroku=1\r\ncbKirokuHyouji=1\r\n");
        ini.close();
        velmo::testing::FakeClock clock({2024, 9, 10, 9, 0, 0, 0});
        velmo::testing::RecordingSleeper sleeper;
        {
            ScriptedUserInterface ui;
            velmo::TfmC21 killed({folders(dir.path()), {}, ui, clock, sleeper});
            // Gone without its close query, as after a crash or a power cut.
        }
        QFile log(dir.path() + "/TorkaSte.myd");
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().endsWith("S:2024/09/10 9:00:00\r\n"));
        log.close();

        ScriptedUserInterface ui;
        velmo::TfmC21 window({folders(dir.path()), {}, ui, clock, sleeper});
        window.show();
        QApplication::setActiveWindow(&window);
        QTRY_VERIFY(texts(ui).contains("前回は不正終了しました。"));
        QVERIFY(window.close());
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().endsWith("E:2024/09/10 9:00:00\r\n"));
    }

    void clockTextBothForms() {
        using velmo::clockPanelText;
        QCOMPARE(clockPanelText({2024, 9, 10, 14, 5, 0, 0}, true),
                 QString("2024/9/10 (火) 14 : 5"));
        QCOMPARE(clockPanelText({2024, 1, 7, 0, 30, 0, 0}, false),
                 QString("2024/1/7 (日) AM 12 : 30"));
        QCOMPARE(clockPanelText({2024, 1, 6, 12, 0, 0, 0}, false),
                 QString("2024/1/6 (土) PM 12 : 0"));
        QCOMPARE(velmo::countdownPanelText(5, false), QString("      自動常駐まであと  5 秒   "));
    }

    void firstRunAsksOnceAndNoKeepsTheWindow() {
        QTemporaryDir dir;
        ScriptedUserInterface ui;
        ui.answer(false);
        velmo::testing::FakeClock clock;
        velmo::testing::RecordingSleeper sleeper;
        velmo::StartFolders f = folders(dir.path());
        f.firstRun = true;
        velmo::TfmC21 window({f, {}, ui, clock, sleeper});
        window.show();
        QTRY_COMPARE(texts(ui).size(), 1);
        QVERIFY(texts(ui)[0].startsWith("「ベルモ」Ver9.1.1 のセットアップを行いますか？"));
        window.hide();
        window.show();
        QTest::qWait(50);
        QCOMPARE(texts(ui).size(), 1);
    }

    void firstNetworkSetupSuppressesTheQuestion() {
        QTemporaryDir dir;
        ScriptedUserInterface ui;
        velmo::testing::FakeClock clock;
        velmo::testing::RecordingSleeper sleeper;
        velmo::StartFolders f = folders(dir.path());
        f.firstRun = true;
        velmo::TfmC21 window({f, velmo::parseLaunchOptions({"/F"}), ui, clock, sleeper});
        window.show();
        QTest::qWait(50);
        QVERIFY(texts(ui).isEmpty());
    }

    void closeQueryCanRefuseAndShutdownStepsRunOnce() {
        QTemporaryDir dir;
        ScriptedUserInterface ui;
        velmo::testing::FakeClock clock;
        velmo::testing::RecordingSleeper sleeper;
        velmo::TfmC21 window({folders(dir.path()), {}, ui, clock, sleeper});
        bool allow = false;
        int shutdowns = 0;
        window.addCloseCheck([&] { return allow; });
        window.addShutdownStep([&] { ++shutdowns; });
        window.show();
        QVERIFY(!window.close());
        QVERIFY(window.isVisible());
        QCOMPARE(shutdowns, 0);
        allow = true;
        QVERIFY(window.close());
        QCOMPARE(shutdowns, 1);
    }

    void rokuyoMenuItemShowsAndHidesTheRokuyoAndIsRemembered() {
        QTemporaryDir dir;
        ScriptedUserInterface ui;
        velmo::testing::FakeClock clock({2024, 9, 10, 14, 5, 0, 0});
        velmo::testing::RecordingSleeper sleeper;
        {
            velmo::TfmC21 window({folders(dir.path()), {}, ui, clock, sleeper});
            auto* item = window.findChild<QAction*>("miRokuyou");
            QVERIFY(item);
            QCOMPARE(item->text(), QString("六曜表示(&R)"));
            QVERIFY(item->isCheckable());
            // New settings show memorial days, not the rokuyo.
            QVERIFY(!item->isChecked());
            QVERIFY(!window.monthPage()->view()->model().properties().ShowRokuyo);
            window.show();
            const QImage before = window.monthPage()->view()->image();
            item->trigger();
            QVERIFY(item->isChecked());
            QVERIFY(window.monthPage()->view()->model().properties().ShowRokuyo);
            QVERIFY(window.monthPage()->view()->image() != before);
            QVERIFY(window.close());
        }
        QFile ini(dir.path() + "/Torka.ini");
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(ini.readAll().contains("\r\nrbKinenbi=0\r\n"));
        velmo::TfmC21 again({folders(dir.path()), {}, ui, clock, sleeper});
        QVERIFY(again.findChild<QAction*>("miRokuyou")->isChecked());
        QVERIFY(again.monthPage()->view()->model().properties().ShowRokuyo);
    }

    void pageSwitchesStayOnTheWorkAreaAndTheMonthPageGetsItsBoundsBack() {
        QTemporaryDir dir;
        ScriptedUserInterface ui;
        velmo::testing::FakeClock clock;
        velmo::testing::RecordingSleeper sleeper;
        {
            velmo::TfmC21 window({folders(dir.path()), {}, ui, clock, sleeper});
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            window.move(30, 20);
            const QRect month = window.geometry();
            const QRect workArea = window.screen()->availableGeometry();
            window.pages()->setCurrentIndex(1);
            QVERIFY(workArea.contains(window.frameGeometry().topLeft()));
            QCOMPARE(window.width(), 1010);
            window.pages()->setCurrentIndex(2);
            window.pages()->setCurrentIndex(0);
            QCOMPARE(window.geometry(), month);
            // Closing on the year page keeps the month page's place for the next start.
            window.pages()->setCurrentIndex(1);
            QVERIFY(window.close());
        }
        QFile ini(dir.path() + "/Torka.ini");
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QByteArray bytes = ini.readAll();
        QVERIFY2(bytes.contains("\r\nfmC21Left=30\r\n"), bytes.constData());
        QVERIFY(bytes.contains("\r\nfmC21Top=20\r\n"));
    }

    void aShownWindowIsDestroyedWithTheFocusInTheMonthView() {
        // Destroying the window hides it, which takes the focus from the month view after
        // the window's own parts are gone (a use after free under AddressSanitizer).
        QTemporaryDir dir;
        ScriptedUserInterface ui;
        velmo::testing::FakeClock clock;
        velmo::testing::RecordingSleeper sleeper;
        auto window = std::make_unique<velmo::TfmC21>(
            velmo::MainWindowContext{folders(dir.path()), {}, ui, clock, sleeper});
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->monthPage()->view()->setFocus();
        QTRY_VERIFY(window->monthPage()->view()->hasFocus());
        window->pages()->setCurrentIndex(1);
        window->pages()->setCurrentIndex(0);
        window.reset();
        QVERIFY(texts(ui).isEmpty());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
