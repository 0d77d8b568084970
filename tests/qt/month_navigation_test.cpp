// The month page as a user drives it: buttons, tabs, keys and the year-month entry, the
// date change at midnight, the data sets and the close query, on a real main window.

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>

#include "app/main_window.h"
#include "app/month_page.h"
#include "app/navigation/data_set_switch.h"
#include "app/navigation/date_change.h"
#include "calendar/julius_day.h"
#include "editor_models/day_editor_lines.h"
#include "store/cp932.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"

using namespace velmo;
using velmo::testing::FakeClock;
using velmo::testing::RecordingSleeper;
using velmo::testing::ScriptedUserInterface;

namespace {

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList tabTexts(const QTabBar* tabs) {
    QStringList texts;
    for (int i = 0; i < tabs->count(); ++i)
        texts << tabs->tabText(i);
    return texts;
}

// A start folder in data set format (Data/Files1/) with one month file.
struct Home {
    QTemporaryDir dir;

    Home() {
        std::filesystem::create_directories(path("Data/Files1").toStdString());
        QFile file(path("Data/Files1/Ca202401.myc"));
        file.open(QIODevice::WriteOnly);
        file.write(QByteArray::fromStdString(cp932::encode("15,1,,定例会議,,,,,,\r\n")));
        QFile periods(path("Data/Files1/CaFromTo.myc"));
        periods.open(QIODevice::WriteOnly);
        periods.write(
            QByteArray::fromStdString(cp932::encode("***** FromTo予定 [Data\\Files1\\]\r\n")));
    }
    QString path(const QString& relative = {}) const {
        return relative.isEmpty() ? dir.path() + "/" : dir.path() + "/" + relative;
    }
    StartFolders folders() const {
        StartFolders f;
        f.startFolder = path().toStdString();
        f.settingsFolder = f.startFolder;
        f.settingsFile = f.startFolder + "Torka.ini";
        f.localOperation = true;
        f.computerName = "PC-01";
        return f;
    }
};

struct Run {
    explicit Run(const Home& home, LocalDateTime now = {2024, 1, 15, 9, 0, 0, 0})
        : clock(now), window({home.folders(), {}, ui, clock, sleeper}) {}

    MonthPage& page() { return *window.monthPage(); }
    TKvMCalModel& model() { return page().view()->model(); }
    QStringList tabs() { return tabTexts(page().tabs()); }
    QString shown() { return QString::fromStdString(page().session().shownYearMonth()); }
    void click(const char* button) { QTest::mouseClick(page().button(button), Qt::LeftButton); }

    ScriptedUserInterface ui;
    FakeClock clock;
    RecordingSleeper sleeper;
    TfmC21 window;
};

}  // namespace

class MonthNavigationTest : public QObject {
    Q_OBJECT

private slots:
    void windowAroundTodayAndTheStepCommands() {
        Home home;
        Run run(home);
        QCOMPARE(run.tabs(), (QStringList{"１２月", "１月", "２月", "３月", "４月"}));
        const MonthTable& table = run.page().session().table();
        QCOMPARE(table.windowStart(), ymdToJuliusDay(2023, 12, 1));
        QCOMPARE(table.windowEnd(), ymdToJuliusDay(2024, 4, 30));
        QCOMPARE(run.model().state().TodayDay, ymdToJuliusDay(2024, 1, 15));

        run.click("btnNextMonth");
        QCOMPARE(run.shown(), QString("202402"));
        QCOMPARE(run.page().tabs()->currentIndex(), 2);
        // A step also fills the entry box.
        QCOMPARE(run.page().yearMonthEntry()->text(), QString("202402"));
        run.click("btnPrevMonth");
        run.click("btnPrevMonth");
        QCOMPARE(run.page().tabs()->currentIndex(), 0);
        // Before the window's first month: a free month with its own two tabs.
        run.click("btnPrevMonth");
        QVERIFY(run.page().session().freeMonthMode());
        QCOMPARE(run.tabs(), (QStringList{"2023.11", "今月"}));
        QCOMPARE(run.model().state().CurrentSlot, kFreeSlot);
        // The second tab leads back to the current month.
        run.page().tabs()->setCurrentIndex(1);
        QVERIFY(!run.page().session().freeMonthMode());
        QCOMPARE(run.shown(), QString("202401"));
        QCOMPARE(run.tabs().size(), 5);

        run.click("btnNextYear");
        QCOMPARE(run.shown(), QString("202501"));
        run.click("btnKongetu");
        QCOMPARE(run.shown(), QString("202401"));
        run.click("btnPrevYear");
        QCOMPARE(run.shown(), QString("202301"));
        // 標準表示 returns from the free month to the slot shown before it.
        run.click("btnHyoujun");
        QCOMPARE(run.shown(), QString("202401"));
        QVERIFY(run.ui.texts().empty());
    }

    void ctrlArrowsGoThroughTheKeyPreview() {
        Home home;
        Run run(home);
        TKvMCal* view = run.page().view();
        run.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&run.window));
        QTest::keyClick(view, Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(run.shown(), QString("202402"));
        QTest::keyClick(view, Qt::Key_Right, Qt::ControlModifier);
        QTest::keyClick(view, Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(run.shown(), QString("202402"));
        QTest::keyClick(view, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(run.shown(), QString("202401"));
        // While the year-month entry is open the keys belong to the box.
        run.click("btnNengetu");
        QTest::keyClick(run.page().yearMonthEntry(), Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(run.shown(), QString("202401"));
        // The menu shortcuts move as well.
        QTest::keyClick(view, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(run.shown(), QString("202402"));
    }

    void altArrowsSwitchPagesAndEachKeepsItsBounds() {
        Home home;
        Run run(home);
        run.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&run.window));
        const QSize monthSize = run.window.size();
        QTest::keyClick(run.page().view(), Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(run.window.pages()->currentIndex(), 1);
        QCOMPARE(run.window.width(), 1010);
        // The 移動 menu belongs to the month page.
        QVERIFY(!run.window.findChild<QMenu*>("miIdou")->isEnabled());
        QTest::keyClick(run.window.pages(), Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(run.window.pages()->currentIndex(), 0);
        QCOMPARE(run.window.size(), monthSize);
        // Alt+Left on the month page stays there (it is the memo window's key).
        QTest::keyClick(run.page().view(), Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(run.window.pages()->currentIndex(), 0);
    }

    void yearMonthEntry() {
        Home home;
        Run run(home);
        QLineEdit* entry = run.page().yearMonthEntry();
        QPushButton* button = run.page().button("btnNengetu");
        run.click("btnNengetu");
        QVERIFY(run.page().yearMonthEntryOpen());
        QCOMPARE(button->text(), QString("Cancel"));
        QCOMPARE(run.window.statusPanelText(2),
                 QString("YYYYMM形式で指定してください。決定は、年月の設定後[Enter]キー。"));
        run.click("btnNengetu");
        QVERIFY(!run.page().yearMonthEntryOpen());
        QCOMPARE(button->text(), QString("年月指定"));
        QVERIFY(run.window.statusPanelText(2).contains("起動フォルダ"));

        const auto enter = [&](const QString& text) {
            run.click("btnNengetu");
            entry->setText(text);
            QTest::keyClick(entry, Qt::Key_Return);
        };
        enter("202413");
        QCOMPARE(run.ui.texts().back(), std::string("[YYYYMM]形式で、指定してください。"));
        QVERIFY(run.page().yearMonthEntryOpen());
        run.click("btnNengetu");
        enter("000101");
        QCOMPARE(run.ui.texts().back(), std::string("日付がむかしすぎます。"));
        QCOMPARE(run.shown(), QString("202401"));
        QVERIFY(!run.page().session().freeMonthMode());
        // Window end 2024-04-30: 299 years on is shown, 301 years on is refused.
        enter("232304");
        QCOMPARE(run.shown(), QString("232304"));
        QCOMPARE(run.tabs(), (QStringList{"2323. 4", "今月"}));
        enter("232505");
        QCOMPARE(run.ui.texts().back(), std::string("日付が未来すぎます。"));
        QCOMPARE(run.shown(), QString("232304"));
        QVERIFY(!run.page().yearMonthEntryOpen());

        // Digits overwrite from the caret, which opens after the year.
        run.click("btnKongetu");
        run.click("btnNextMonth");
        run.click("btnNengetu");
        QCOMPARE(entry->cursorPosition(), 4);
        QTest::keyClicks(entry, "07");
        QCOMPARE(entry->text(), QString("202407"));
        QTest::keyClicks(entry, "x");
        QCOMPARE(entry->text(), QString("202407"));
        QTest::keyClick(entry, Qt::Key_Return);
        QCOMPARE(run.shown(), QString("202407"));
    }

    void midnightBeforeTheFirstSavesAndRebuildsTheWindow() {
        Home home;
        Run run(home, {2024, 1, 31, 23, 59, 50, 0});
        run.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&run.window));
        // An edit of the day that is still to be saved.
        MonthSlot& january = run.model().monthSlots()[kCurrentMonthSlot];
        writeBackDayEditorLines(january, kCurrentMonthSlot, 2024, 1, 31, {"月末締め"}, {}, false,
                                LocalFolderHooks{});
        // Nothing happens while the day is the same.
        run.window.functionTick();
        QCOMPARE(run.tabs(), (QStringList{"１２月", "１月", "２月", "３月", "４月"}));

        run.clock.set({2024, 2, 1, 0, 0, 5, 0});
        run.sleeper.pauses();
        const std::size_t pausesBefore = run.sleeper.pauses().size();
        run.window.functionTick();
        QVERIFY(readBytes(home.path("Data/Files1/Ca202401.myc"))
                    .contains(QByteArray::fromStdString(cp932::encode("31,1,,月末締め"))));
        QCOMPARE(run.tabs(), (QStringList{"１月", "２月", "３月", "４月", "５月"}));
        QCOMPARE(run.shown(), QString("202402"));
        QCOMPARE(run.page().session().runToday(), ymdToJuliusDay(2024, 2, 1));
        QCOMPARE(run.model().state().TodayDay, ymdToJuliusDay(2024, 2, 1));
        // The edit is still there after the reload, now in the window's first slot.
        QCOMPARE(run.model().monthSlots()[0].month, 1);
        QVERIFY(run.sleeper.pauses().size() >= pausesBefore + 2);
        QVERIFY(run.window.isEnabled());
        QVERIFY(run.window.statusPanelText(2).contains("起動フォルダ"));

        // Another midnight inside the month only moves today.
        const QByteArray saved = readBytes(home.path("Data/Files1/Ca202402.myc"));
        run.click("btnNextMonth");
        run.clock.set({2024, 2, 2, 0, 0, 5, 0});
        run.window.functionTick();
        QCOMPARE(run.model().state().TodayDay, ymdToJuliusDay(2024, 2, 2));
        QCOMPARE(run.tabs(), (QStringList{"１月", "２月", "３月", "４月", "５月"}));
        QCOMPARE(run.shown(), QString("202402"));
        QCOMPARE(readBytes(home.path("Data/Files1/Ca202402.myc")), saved);
    }

    void missingFiles2KeepsFiles1AndAnExistingOneIsUsed() {
        Home home;
        Run run(home);
        run.click("btnFiles2");
        QCOMPARE(run.ui.texts().back(),
                 dataSetFolderMissingMessage(home.path("Data/Files2/").toStdString()));
        QCOMPARE(run.window.runSettings().dataFolders().current().number(), 1);
        QCOMPARE(run.model().monthSlots()[kCurrentMonthSlot].lines.at(0),
                 std::string("15,1,,定例会議,,,,,,"));

        std::filesystem::create_directories(home.path("Data/Files2").toStdString());
        run.click("btnNextMonth");
        run.click("btnFiles2");
        QCOMPARE(run.window.runSettings().dataFolders().current().number(), 2);
        // The month shown before is shown again, now from data set 2.
        QCOMPARE(run.shown(), QString("202402"));
        QCOMPARE(run.model().monthSlots()[kCurrentMonthSlot].lines.size(), std::size_t{1});
        QVERIFY(run.page().button("btnFiles2")->autoFillBackground());
        // Ctrl+F5 goes back to data set 1.
        run.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&run.window));
        QTest::keyClick(run.page().view(), Qt::Key_F5, Qt::ControlModifier);
        QCOMPARE(run.window.runSettings().dataFolders().current().number(), 1);
        QVERIFY(!run.page().button("btnFiles2")->autoFillBackground());
    }

    void closeIsRefusedWhileTheDataCannotBeSaved() {
        Home home;
        Run run(home);
        MonthSlot& january = run.model().monthSlots()[kCurrentMonthSlot];
        writeBackDayEditorLines(january, kCurrentMonthSlot, 2024, 1, 20, {"出張"}, {}, false,
                                LocalFolderHooks{});
        // The data folder is gone and a file stands in its place.
        std::filesystem::rename(home.path("Data/Files1").toStdString(),
                                home.path("Data/Moved").toStdString());
        QFile blocker(home.path("Data/Files1"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        run.window.show();
        QVERIFY(!run.window.close());
        QVERIFY(run.window.isVisible());
        QVERIFY(run.ui.texts().back().find("終了を取り止めました") != std::string::npos);

        // Once the folder is back the close saves the edit.
        QFile::remove(home.path("Data/Files1"));
        std::filesystem::rename(home.path("Data/Moved").toStdString(),
                                home.path("Data/Files1").toStdString());
        QVERIFY(run.window.close());
        QVERIFY(readBytes(home.path("Data/Files1/Ca202401.myc"))
                    .contains(QByteArray::fromStdString(cp932::encode("20,1,,出張"))));
    }
};

QTEST_MAIN(MonthNavigationTest)
#include "month_navigation_test.moc"
