// Resident mode, the function timer and the timer alarm on the main window, with an
// injected clock. Offscreen there is no tray: going resident minimises the window.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/commands/main_commands.h"
#include "app/function_timer_actions.h"
#include "app/main_window.h"
#include "app/month_page.h"
#include "app/resident_actions.h"
#include "app/timer_actions.h"
#include "monthview/qt_month_view.h"
#include "tests/support/fake_clock.h"
#include "tests/support/local_start_folders.h"
#include "tests/support/scripted_user_interface.h"

namespace {

using velmo::testing::FakeClock;
using velmo::testing::RecordingSleeper;
using velmo::testing::ScriptedUserInterface;

QString panel(const velmo::TfmC21& window, int index) {
    return window.statusPanelText(index);
}

void writeSettings(const QTemporaryDir& dir, const QByteArray& settei) {
    QFile ini(dir.path() + "/Torka.ini");
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write("[Settei]\r\n" + settei);
}

// Closes the next modal dialog as soon as it shows, remembering its object name.
void closeNextDialog(QStringList& opened) {
    QTimer::singleShot(0, [&opened] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened << modal->objectName();
            static_cast<QDialog*>(modal)->reject();
        }
    });
}

velmo::LaunchOptions countdown(int seconds) {
    velmo::LaunchOptions options;
    options.autoResidentSeconds = seconds;
    return options;
}

bool activate(QWidget& window) {
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

}  // namespace

class ResidentTest : public QObject {
    Q_OBJECT

    struct Run {
        explicit Run(const QTemporaryDir& dir,
                     velmo::LocalDateTime now = {2024, 9, 10, 14, 5, 0, 0},
                     velmo::LaunchOptions options = {})
            : clock(now),
              window({velmo::testing::localStartFolders(dir.path().toStdString()),
                      std::move(options), ui, clock, sleeper}) {}
        ScriptedUserInterface ui;
        FakeClock clock;
        RecordingSleeper sleeper;
        velmo::TfmC21 window;
    };

private slots:
    void theFileMenuGoesResidentAndEverythingIsSavedFirst() {
        QTemporaryDir dir;
        Run run(dir);
        run.window.show();
        QMenu* file = run.window.menuBar()->actions().first()->menu();
        QCOMPARE(file->actions().first()->text(), QString("常駐(&J)"));
        QVERIFY(file->actions().at(1)->isSeparator());
        QVERIFY(!QFile::exists(dir.path() + "/Torka.ini"));
        file->actions().first()->trigger();
        // No tray offscreen: the window is minimised, never hidden out of reach.
        QVERIFY(run.window.isMinimized());
        QVERIFY(run.window.resident().resident());
        QVERIFY(QFile::exists(dir.path() + "/Torka.ini"));
        run.window.resident().restore();
        QVERIFY(!run.window.isMinimized());
        QVERIFY(run.window.isVisible());
        QVERIFY(run.ui.texts().empty());
    }

    void aResidentWindowChangesTheDayOnlyWhenRestored() {
        QTemporaryDir dir;
        Run run(dir, {2024, 9, 10, 23, 59, 0, 0});
        run.window.show();
        run.window.resident().goResident(velmo::ResidentRequest::Command);
        const std::int32_t before = run.window.monthPage()->session().runToday();
        run.clock.set({2024, 9, 11, 0, 0, 10, 0});
        run.window.functionTick();
        QCOMPARE(run.window.monthPage()->session().runToday(), before);
        run.window.resident().restore();
        QCOMPARE(run.window.monthPage()->session().runToday(), before + 1);
        QCOMPARE(panel(run.window, 0), QString("2024/9/11 (水) AM 12 : 0"));
    }

    void restoringReturnsToDataSet1() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("Data/Files1"));
        QVERIFY(QDir(dir.path()).mkpath("Data/Files2"));
        Run run(dir);
        run.window.show();
        if (run.window.runSettings().dataFolders().dataFormat != 2)
            QSKIP("the default start folder here is not in the data set layout");
        run.window.commands().run(velmo::MonthMenuCommand::Files2);
        QCOMPARE(run.window.runSettings().dataFolders().current().number(), 2);
        run.window.resident().goResident(velmo::ResidentRequest::Command);
        run.window.resident().restore();
        QCOMPARE(run.window.runSettings().dataFolders().current().number(), 1);
    }

    void theCloseButtonSettingEndsTheRunFromTheButtonButNotFromTheFileMenu() {
        QTemporaryDir dir;
        writeSettings(dir, "cbCloseBtn=1\r\n");
        Run run(dir);
        run.window.show();
        auto* button = run.window.findChild<QPushButton*>("btnJouchuu");
        QVERIFY(button);
        QCOMPARE(button->text(), QString("終了"));
        run.window.menuBar()->actions().first()->menu()->actions().first()->trigger();
        QVERIFY(run.window.isMinimized());
        run.window.resident().restore();
        run.window.commands().run(velmo::MonthMenuCommand::Resident);
        QVERIFY(!run.window.isVisible());
        QVERIFY(!run.window.isMinimized());
    }

    void theCountdownShowsInPanel2AndAPressInTheMonthViewEndsIt() {
        QTemporaryDir dir;
        writeSettings(dir, "cbShiyouchuu=0\r\n");
        Run run(dir, {2024, 9, 10, 14, 5, 0, 0}, countdown(5));
        run.window.show();
        // The countdown starts with the first activation.
        QCOMPARE(run.window.resident().countdownSeconds(), 0);
        QVERIFY(activate(run.window));
        QCOMPARE(panel(run.window, 2), QString("      自動常駐まであと  5 秒   "));
        QTest::mouseClick(run.window.monthPage()->view(), Qt::LeftButton, {}, QPoint(60, 60));
        QCOMPARE(run.window.resident().countdownSeconds(), 0);
        QCOMPARE(panel(run.window, 2), QString());
        QTest::qWait(1200);
        QVERIFY(!run.window.isMinimized());
    }

    void theCountdownEndsInResidentModeEvenWithTheCloseButtonSetting() {
        QTemporaryDir dir;
        writeSettings(dir, "cbCloseBtn=1\r\n");
        Run run(dir, {2024, 9, 10, 14, 5, 0, 0}, countdown(1));
        run.window.show();
        QVERIFY(activate(run.window));
        QTRY_VERIFY_WITH_TIMEOUT(run.window.isMinimized(), 3000);
        QVERIFY(run.window.isVisible());
    }

    void theTimerAlarmOpensOneNoticeInItsWindow() {
        QTemporaryDir dir;
        Run run(dir, {2024, 9, 10, 11, 56, 59, 0});
        run.window.show();
        velmo::TimerState& state = run.window.timer().state();
        state = {{12, 0, 0}, true, 3};
        QStringList opened;
        run.window.functionTick();
        QVERIFY(state.running);
        run.clock.set({2024, 9, 10, 11, 57, 0, 0});
        closeNextDialog(opened);
        run.window.functionTick();
        QCOMPARE(opened, QStringList{"fmNichiji"});
        QVERIFY(!state.running);
        // The notice came once: later ticks leave the stopped timer alone.
        run.clock.set({2024, 9, 10, 11, 58, 0, 0});
        run.window.functionTick();
        QCOMPARE(opened.size(), 1);

        // A first tick 30 minutes after the notice still rings; one later does not.
        state = {{12, 0, 0}, true, 3};
        run.clock.set({2024, 9, 10, 12, 32, 59, 0});
        closeNextDialog(opened);
        run.window.functionTick();
        QCOMPARE(opened.size(), 2);
        state = {{12, 0, 0}, true, 3};
        run.clock.set({2024, 9, 10, 12, 33, 0, 0});
        run.window.functionTick();
        QCOMPARE(opened.size(), 2);
        QVERIFY(state.running);
    }

    void closingWhileTheTimerRunsAsksFirst() {
        QTemporaryDir dir;
        Run run(dir);
        run.window.show();
        run.window.timer().state() = {{18, 0, 0}, true, 3};
        run.ui.answer(false);
        QVERIFY(!run.window.close());
        QCOMPARE(run.ui.texts(),
                 (std::vector<std::string>{velmo::kTimerRunningAtExitQuestion, "終了しません。"}));
        run.ui.answer(true);
        QVERIFY(run.window.close());
    }

    void theSetTimeAndNoticeSurviveARestartButTheTimerDoesNotRun() {
        QTemporaryDir dir;
        {
            Run run(dir);
            run.window.show();
            velmo::TimerState& state = run.window.timer().state();
            state = {{17, 30, 0}, true, 5};
            QStringList opened;
            // The dialog hands the state back into the settings whichever way it closes.
            closeNextDialog(opened);
            run.window.timer().open(1);
            run.ui.answer(true);
            QVERIFY(run.window.close());
        }
        Run again(dir);
        const velmo::TimerState& state = again.window.timer().state();
        QCOMPARE(state.setTime.hour, 17);
        QCOMPARE(state.setTime.minute, 30);
        QCOMPARE(state.noticeMinutes, 5);
        QVERIFY(!state.running);
    }

    void whileTheTimeAdjustCompanionRunsATickOnlyBlinksPanel2() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("autostart"));
        QFile entry(dir.path() + "/autostart/Orvan.desktop");
        QVERIFY(entry.open(QIODevice::WriteOnly));
        entry.close();
        writeSettings(dir, "cbShiyouchuu=0\r\n");
        ScriptedUserInterface ui;
        FakeClock clock({2024, 9, 10, 23, 59, 0, 0});
        RecordingSleeper sleeper;
        velmo::StartFolders folders = velmo::testing::localStartFolders(dir.path().toStdString());
        folders.startupFolder = dir.path().toStdString() + "/autostart/";
        velmo::TfmC21 window({folders, {}, ui, clock, sleeper});
        window.show();
        auto* indicator = window.findChild<QWidget*>("shpIndicator");
        QVERIFY(indicator);
        const std::int32_t today = window.monthPage()->session().runToday();
        clock.set({2024, 9, 11, 0, 0, 5, 0});
        QList<QColor> colours;
        for (int i = 0; i < 2; ++i) {
            window.functionTick();
            QCOMPARE(panel(window, 2), QString("<オルバン>によって時刻変更中"));
            colours << indicator->palette().color(QPalette::Window);
        }
        QVERIFY(colours.contains(QColor(Qt::red)));
        QVERIFY(colours[0] != colours[1]);
        // The tick ended there: no date change while the companion sets the clock.
        QCOMPARE(window.monthPage()->session().runToday(), today);
    }

    void theFunctionTimerSwitchesToTheChosenIntervalAfter300Ticks() {
        QTemporaryDir dir;
        writeSettings(dir, "cbTimerNo=0\r\n");
        Run run(dir);
        run.window.show();
        QTimer& timer = run.window.functionTimer().qtimer();
        QCOMPARE(timer.interval(), 10000);
        for (int i = 0; i < 299; ++i)
            run.window.functionTick();
        QCOMPARE(timer.interval(), 10000);
        run.window.functionTick();
        QCOMPARE(timer.interval(), 1000);
        QVERIFY(timer.isActive());
    }
};

QTEST_MAIN(ResidentTest)
#include "resident_test.moc"
