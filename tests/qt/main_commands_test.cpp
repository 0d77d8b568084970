// The main window's keys and the commands the walk cannot show whole: the quick day
// entry, Alt+M and Ctrl+H, the context menu of the header row, the data format
// conversion back, and the setup window's refused write.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "app/main_window.h"
#include "app/memo_actions.h"
#include "app/month_page.h"
#include "app/month_view_actions.h"
#include "app/setup_dialog.h"
#include "app/startup/run_settings.h"
#include "calendar/julius_day.h"
#include "dialogs/day_editor.h"
#include "dialogs/memo_window.h"
#include "monthview/qt_month_view.h"
#include "store/cp932.h"
#include "tests/support/cp932_file.h"
#include "tests/support/fake_clock.h"
#include "tests/support/local_start_folders.h"
#include "tests/support/scripted_user_interface.h"

using namespace velmo;
using velmo::testing::FakeClock;
using velmo::testing::RecordingSleeper;
using velmo::testing::ScriptedUserInterface;

namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& text) {
    testing::writeCp932File(path, text);
}

struct Run {
    Run(const QTemporaryDir& dir, LocalDateTime now)
        : clock(now),
          window({testing::localStartFolders(dir.path().toStdString()), {}, ui, clock, sleeper}) {
        window.show();
        window.activateWindow();
    }
    bool active() { return QTest::qWaitForWindowActive(&window); }
    TKvMCal* view() { return window.monthPage()->view(); }
    QLineEdit* quickEntry() { return window.findChild<QLineEdit*>("edtQuickDay"); }

    ScriptedUserInterface ui;
    FakeClock clock;
    RecordingSleeper sleeper;
    TfmC21 window;
};

// The item captions of the next month context menu, and which of them were disabled.
struct MenuSeen {
    QStringList disabled;
    QStringList enabled;
};
void recordMenus(MonthViewActions& actions, MenuSeen& seen) {
    actions.setMenuRunner([&seen](QMenu& menu, const QPoint&) -> QAction* {
        seen = {};
        for (const QAction* action : menu.actions()) {
            if (!action->isSeparator())
                (action->isEnabled() ? seen.enabled : seen.disabled) << action->text();
        }
        return nullptr;
    });
}

}  // namespace

class MainCommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;

private slots:
    void initTestCase() {
        // The setup window writes shortcuts into the desktop's folders.
        qputenv("HOME", home_.path().toUtf8());
        qputenv("XDG_DATA_HOME", (home_.path() + "/data").toUtf8());
        qputenv("XDG_CONFIG_HOME", (home_.path() + "/config").toUtf8());
    }

    void quickDayEntryOpensADayOrRefusesWhatIsNoDay() {
        QTemporaryDir dir;
        Run run(dir, {2024, 2, 10, 9, 0, 0, 0});
        QVERIFY(run.active());
        QLineEdit* box = run.quickEntry();
        QVERIFY(box && !box->isVisible());
        run.view()->setFocus();

        // February 2024 has 29 days.
        QTest::keyClick(run.view(), Qt::Key_Down, Qt::ControlModifier);
        QVERIFY(box->isVisible());
        QVERIFY(box->hasFocus());
        QTest::keyClicks(box, "31");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(run.ui.texts().back(), std::string("[ 31 ]日は、日付に出来ません。"));
        QVERIFY(!box->isVisible());
        QVERIFY(box->text().isEmpty());
        QVERIFY(run.view()->hasFocus());

        for (const char* typed : {"0", "ab"}) {
            QTest::keyClick(run.view(), Qt::Key_L, Qt::ControlModifier);
            QVERIFY(box->hasFocus());
            QTest::keyClicks(box, typed);
            QTest::keyClick(box, Qt::Key_Space);
            QCOMPARE(run.ui.texts().back(),
                     "[ " + std::string(typed) + " ]日は、日付に出来ません。");
        }

        // An empty box does nothing and stays; Esc gives up.
        const std::size_t shown = run.ui.texts().size();
        QTest::keyClick(run.view(), Qt::Key_Down, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Enter);
        QCOMPARE(run.ui.texts().size(), shown);
        QVERIFY(box->isVisible());
        QTest::keyClicks(box, "7");
        QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(!box->isVisible());
        QVERIFY(box->text().isEmpty());
        QVERIFY(run.view()->hasFocus());

        // Leaving the box empties it.
        QTest::keyClick(run.view(), Qt::Key_Down, Qt::ControlModifier);
        QTest::keyClicks(box, "12");
        run.view()->setFocus();
        QVERIFY(!box->isVisible());
        QVERIFY(box->text().isEmpty());

        // A day of the month opens in the day editor, trimmed, with Ctrl+Enter too.
        QTest::keyClick(run.view(), Qt::Key_Down, Qt::ControlModifier);
        box->setText(" 5 ");
        bool editorShown = false;
        QTimer::singleShot(0, [&] {
            editorShown = run.window.dayEditor()->isVisible();
            run.window.dayEditor()->cancelButton()->click();
        });
        QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(editorShown);
        QCOMPARE(run.view()->model().juliusDay(), ymdToJuliusDay(2024, 2, 5));
        QCOMPARE(run.ui.texts().size(), shown);
        QVERIFY(!box->isVisible());
    }

    void quickDayEntryIsNotOfferedOnTheYearPage() {
        QTemporaryDir dir;
        Run run(dir, {2024, 2, 10, 9, 0, 0, 0});
        QVERIFY(run.active());
        run.window.pages()->setCurrentIndex(1);
        QTest::keyClick(run.window.pages()->currentWidget(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(!run.quickEntry()->isVisible());
    }

    void altMOpensTheMemoWindowAndCtrlHSwitchesTheButtonColumn() {
        QTemporaryDir dir;
        Run run(dir, {2024, 2, 10, 9, 0, 0, 0});
        QVERIFY(run.active());
        run.view()->setFocus();
        QTest::keyClick(run.view(), Qt::Key_M, Qt::AltModifier);
        auto* memo = run.window.findChild<MemoActions*>();
        QVERIFY(memo->window() && memo->window()->isVisible());
        memo->closeWindow();

        QVERIFY(run.active());
        auto* column = run.window.monthPage()->findChild<QWidget*>("pnlMonthBtn");
        QVERIFY(column->isVisible());
        QTest::keyClick(run.view(), Qt::Key_H, Qt::ControlModifier);
        QVERIFY(run.window.runSettings().settings().display.cbMonthBtn);
        QVERIFY(!column->isVisible());
        QTest::keyClick(run.view(), Qt::Key_H, Qt::ControlModifier);
        QVERIFY(!run.window.runSettings().settings().display.cbMonthBtn);
        QVERIFY(column->isVisible());
    }

    void theHeaderRowOffersNoDayCommands() {
        QTemporaryDir dir;
        Run run(dir, {2024, 1, 15, 9, 0, 0, 0});
        MenuSeen seen;
        recordMenus(*run.window.monthViewActions(), seen);
        QTest::mouseClick(run.view(), Qt::RightButton, {}, QPoint(run.view()->width() / 2, 5));
        for (const char* day : {"予定編集(&E)", "記念日編集(&K)", "Ｄａｙコピー(&C)",
                                "Ｄａｙペースト(&P)", "期間予定終了(&Z)"})
            QVERIFY2(seen.disabled.contains(day), day);
        QVERIFY(seen.enabled.contains("期間予定開始(&A)"));
        QVERIFY(seen.enabled.contains("常駐(&J)"));

        QTest::mouseClick(run.view(), Qt::RightButton, {},
                          QPoint(run.view()->width() / 2, run.view()->height() / 2));
        QVERIFY(seen.enabled.contains("予定編集(&E)"));
        QVERIFY(seen.enabled.contains("Ｄａｙコピー(&C)"));
        QVERIFY(seen.disabled.contains("Ｄａｙペースト(&P)"));
    }

    void theDataIsCopiedBackIntoTheOlderLayoutAfterAQuestion() {
        QTemporaryDir dir;
        const fs::path start = dir.path().toStdString();
        writeFile(start / "Data/Files1/Ca202401.myc", "3,1,,予定,,,,,,\r\n");
        writeFile(start / "Data/Files2/Ca202402.myc", "4,1,,二の予定,,,,,,\r\n");
        writeFile(start / "Data/Sday.myc", "");
        Run run(dir, {2024, 1, 15, 9, 0, 0, 0});
        QCOMPARE(run.window.runSettings().dataFolders().dataFormat, 2);
        QAction* item = run.window.findChild<QAction*>("miDataFormBack");

        run.ui.answer(false);
        item->trigger();
        QVERIFY(!fs::exists(start / "Ca202401.myc"));

        run.ui.answer(true);
        item->trigger();
        QCOMPARE(run.ui.texts().back(), std::string("データ形式を戻しました。"));
        QVERIFY(fs::exists(start / "Ca202401.myc"));
        QVERIFY(fs::exists(start / "Files2/Ca202402.myc"));
        QVERIFY(fs::exists(start / "Sday.myc"));
        // The run goes on in the layout it started with.
        QCOMPARE(run.window.runSettings().dataFolders().current().folder(),
                 (start / "Data/Files1/").string());
    }

    void aShortcutThatCannotBeWrittenIsReportedAndItsBoxShowsWhatIsThere() {
        QTemporaryDir dir;
        StartFolders folders = testing::localStartFolders(dir.path().toStdString());
        // A file where the autostart folder belongs: nothing can be written there.
        writeFile(dir.path().toStdString() + "/autostart", "");
        folders.startupFolder = dir.path().toStdString() + "/autostart/";
        ScriptedUserInterface ui;
        SetupDialog dialog(folders, false, SetupMode::Normal, SetupPage::StartUp, ui);
        QCOMPARE(dialog.windowTitle(), QString("ベルモ -Velmo-"));
        QCOMPARE(dialog.pages()->currentIndex(), 0);
        auto* autostart = dialog.findChild<QCheckBox*>("cbStartup");
        QVERIFY(!autostart->isChecked());
        autostart->setChecked(true);
        dialog.findChild<QCheckBox*>("cbDesktop")->setChecked(false);
        dialog.findChild<QCheckBox*>("cbMenu")->setChecked(false);
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(ui.texts().size(), std::size_t{1});
        QVERIFY(QString::fromStdString(ui.texts().front()).contains("autostart/"));
        QVERIFY(!autostart->isChecked());
        QVERIFY(dialog.result() != QDialog::Accepted);

        // What can be written is, and the window closes.
        autostart->setChecked(false);
        dialog.findChild<QCheckBox*>("cbMenu")->setChecked(true);
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(dialog.result(), static_cast<int>(QDialog::Accepted));
        QCOMPARE(ui.texts().size(), std::size_t{1});
    }
};

QTEST_MAIN(MainCommandsTest)
#include "main_commands_test.moc"
