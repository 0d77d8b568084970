// The year page inside the whole main window, with a fixed clock and scripted answers.

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "app/day_count_panel.h"
#include "app/main_window.h"
#include "app/month_page.h"
#include "app/navigation/day_count.h"
#include "app/page_bounds.h"
#include "app/year_page.h"
#include "calendar/julius_error.h"
#include "monthview/qt_month_view.h"
#include "monthview/qt_small_calendar.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"

using namespace velmo;
using velmo::testing::ScriptedUserInterface;

namespace {

// The centre of a cell of a 184 × 125 small calendar with seven rows; row 0 the header.
QPoint centreOf(int row, int column) {
    return {(184 * column / 7 + 184 * (column + 1) / 7) / 2,
            (125 * row / 7 + 125 * (row + 1) / 7) / 2};
}

void keepScreenshot(QWidget& widget, const char* name) {
    const QByteArray folder = qgetenv("VELMO_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        QVERIFY(widget.grab().save(QString::fromUtf8(folder) + "/" + name));
}

template <typename Widget>
Widget* withText(QWidget& parent, const char* text) {
    for (Widget* widget : parent.findChildren<Widget*>()) {
        if (widget->text() == QString::fromUtf8(text))
            return widget;
    }
    return nullptr;
}

}  // namespace

class YearPageTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<ScriptedUserInterface> ui;
    std::unique_ptr<velmo::testing::FakeClock> clock;
    velmo::testing::RecordingSleeper sleeper;
    std::unique_ptr<TfmC21> window;

    YearPage& page() { return *static_cast<YearPage*>(window->pages()->widget(kYearPageIndex)); }
    DayCountPanel& panel() { return *page().dayCount(); }
    QSpinBox* spin(const char* name) { return panel().findChild<QSpinBox*>(name); }
    Ymd fields(const char* prefix) {
        const QString p = QString::fromLatin1(prefix);
        return {panel().findChild<QSpinBox*>(p + "Year")->value(),
                panel().findChild<QSpinBox*>(p + "Month")->value(),
                panel().findChild<QSpinBox*>(p + "Day")->value()};
    }
    void clickDay(int tag, QPoint at) {
        QTest::mouseClick(page().calendar(tag), Qt::LeftButton, {}, at);
    }

    void open(velmo::LocalDateTime now) {
        StartFolders f;
        f.startFolder = dir->path().toStdString() + "/";
        f.settingsFolder = f.startFolder;
        f.settingsFile = f.startFolder + "Torka.ini";
        f.localOperation = true;
        f.computerName = "PC-01";
        clock = std::make_unique<velmo::testing::FakeClock>(now);
        window = std::make_unique<TfmC21>(MainWindowContext{f, {}, *ui, *clock, sleeper});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        ui = std::make_unique<ScriptedUserInterface>();
        open({2025, 2, 10, 9, 0, 0, 0});
    }
    void cleanup() {
        window.reset();
        ui.reset();
        dir.reset();
    }

    void standardAndFiscalYear() {
        window->pages()->setCurrentIndex(kYearPageIndex);
        QTRY_VERIFY(page().isVisible());
        auto* title = page().findChild<QLabel*>("lblYM");
        QCOMPARE(title->text(), QString("2025/1 - 2025/12"));
        for (int tag = 1; tag <= kYearCalendarCount; ++tag) {
            QCOMPARE(page().calendar(tag)->model().month(), tag);
            QCOMPARE(page().calendar(tag)->model().year(), 2025);
            QCOMPARE(page().findChild<QLabel*>(QString("Label%1").arg(tag))->text(),
                     QString::number(tag));
        }
        QCOMPARE(page().calendar(2)->model().todayDay(), ymdToJuliusDay(2025, 2, 10));
        QCOMPARE(page().calendar(5)->geometry(), QRect(293, 203, 184, 125));
        keepScreenshot(page(), "year_page_standard.png");

        auto* starts = page().findChild<QGroupBox*>("rgYFirstMonth");
        withText<QRadioButton>(*starts, "年度")->click();
        QCOMPARE(title->text(), QString("2024/4 - 2025/3"));
        QCOMPARE(page().calendar(1)->model().year(), 2024);
        QCOMPARE(page().calendar(1)->model().month(), 4);
        QCOMPARE(page().calendar(12)->model().year(), 2025);
        QCOMPARE(page().calendar(12)->model().month(), 3);
        QCOMPARE(page().findChild<QLabel*>("Label10")->text(), QString("1"));
        QCOMPARE(window->runSettings().settings().calendar.rgYFirstMonth, 1);
        keepScreenshot(page(), "year_page_fiscal.png");

        // The year buttons keep the first month.
        page().findChild<QPushButton*>("btnZennen")->click();
        QCOMPARE(title->text(), QString("2023/4 - 2024/3"));
        page().findChild<QSpinBox*>("udYear")->setValue(1999);
        QCOMPARE(title->text(), QString("2023/4 - 2024/3"));
        page().findChild<QPushButton*>("btnHenkou")->click();
        QCOMPARE(title->text(), QString("1999/4 - 2000/3"));
        page().findChild<QPushButton*>("btnKotoshi")->click();
        QCOMPARE(title->text(), QString("2024/4 - 2025/3"));
        QVERIFY(ui->texts().empty());
    }

    void fiscalYearStoredIsShownAtTheNextStart() {
        window.reset();
        QFile ini(dir->path() + "/Torka.ini");
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Settei]\r\nrgYFirstMonth=2\r\nSpHajimariTuki=10\r\n");
        ini.close();
        open({2025, 9, 30, 9, 0, 0, 0});
        QCOMPARE(page().year(), 2024);
        window->pages()->setCurrentIndex(kYearPageIndex);
        QCOMPARE(page().findChild<QLabel*>("lblYM")->text(), QString("2024/10 - 2025/9"));
    }

    void dateChangeMovesTodayAndTheYear() {
        window.reset();
        open({2025, 3, 31, 23, 59, 0, 0});
        window->pages()->setCurrentIndex(kYearPageIndex);
        QTRY_VERIFY(page().isVisible());
        withText<QRadioButton>(*page().findChild<QGroupBox*>("rgYFirstMonth"), "年度")->click();
        auto* title = page().findChild<QLabel*>("lblYM");
        QCOMPARE(title->text(), QString("2024/4 - 2025/3"));

        // The new month reads the settings again: the kept choice must survive that.
        clock->set({2025, 4, 1, 0, 0, 10, 0});
        window->functionTick();
        QCOMPARE(title->text(), QString("2025/4 - 2026/3"));
        QCOMPARE(page().calendar(1)->model().todayDay(), ymdToJuliusDay(2025, 4, 1));
        QCOMPARE(page().calendar(12)->model().todayDay(), ymdToJuliusDay(2025, 4, 1));

        clock->set({2025, 4, 2, 0, 0, 10, 0});
        window->functionTick();
        QCOMPARE(page().calendar(1)->model().todayDay(), ymdToJuliusDay(2025, 4, 2));
        QCOMPARE(title->text(), QString("2025/4 - 2026/3"));
        QVERIFY(ui->texts().empty());
    }

    void clickOnADayAsksForTheMonthView() {
        window->pages()->setCurrentIndex(kYearPageIndex);
        QTRY_VERIFY(page().isVisible());
        ui->answer(false);
        clickDay(3, centreOf(3, 3));
        QCOMPARE(ui->questions(),
                 std::vector<std::string>{"2025 年 3 月のマンスリーカレンダーを表示しますか？"});
        QCOMPARE(ui->shown().back().caption, std::string("確認"));
        QCOMPARE(window->pages()->currentIndex(), kYearPageIndex);

        ui->answer(true);
        clickDay(7, centreOf(4, 2));
        QCOMPARE(window->pages()->currentIndex(), kMonthPageIndex);
        QCOMPARE(window->monthPage()->view()->model().year(), 2025);
        QCOMPARE(window->monthPage()->view()->model().month(), 7);
    }

    void clicksThatSelectNoDayDoNothing() {
        window->pages()->setCurrentIndex(kYearPageIndex);
        QTRY_VERIFY(page().isVisible());
        // The header row, and 23 February shown before 1 March (a Saturday).
        clickDay(3, centreOf(0, 2));
        clickDay(3, centreOf(1, 0));
        QVERIFY(ui->questions().empty());
        QCOMPARE(window->pages()->currentIndex(), kYearPageIndex);

        page().subPages()->setCurrentIndex(kYearDayCountPage);
        const Ymd before = fields("udSt");
        clickDay(3, centreOf(0, 2));
        clickDay(3, centreOf(1, 0));
        QCOMPARE(fields("udSt"), before);
        QVERIFY(ui->texts().empty());
    }

    void dayCountFromTheMenuAndClicks() {
        // Start-up computed with today at both ends.
        QCOMPARE(fields("udSt"), (Ymd{2025, 2, 10}));
        QCOMPARE(fields("udEd"), (Ymd{2025, 2, 10}));
        QCOMPARE(spin("udDay")->value(), 0);
        QVERIFY(!panel().findChild<QPushButton*>("btnKeisan")->isEnabled());

        auto* end = panel().findChild<QRadioButton*>("rbEd");
        end->click();
        QAction* item = window->findChild<QAction*>("miNissuuKeisan");
        QVERIFY(item);
        QCOMPARE(item->text(), QString("日数計算(&N)"));
        item->trigger();
        QCOMPARE(window->pages()->currentIndex(), kYearPageIndex);
        QCOMPARE(page().subPages()->currentIndex(), kYearDayCountPage);
        QCOMPARE(page().subPages()->tabText(kYearDayCountPage), QString("日数計算"));
        QVERIFY(panel().findChild<QRadioButton*>("rbSt")->isChecked());
        QTRY_VERIFY(page().isVisible());

        // March 2025 row 3, column 3 is Wednesday the 12th.
        clickDay(3, centreOf(3, 3));
        QCOMPARE(fields("udSt"), (Ymd{2025, 3, 12}));
        QCOMPARE(spin("udDay")->value(), -30);
        end->click();
        clickDay(12, centreOf(3, 3));
        QCOMPARE(fields("udEd"), (Ymd{2025, 12, 17}));
        QCOMPARE(spin("udDay")->value(), 280);
        QCOMPARE(window->runSettings().settings().dayCount.pcNen, kYearDayCountPage);
        QCOMPARE(window->runSettings().settings().dayCount.udDay, 280);
        keepScreenshot(page(), "year_page_day_count.png");
        QVERIFY(ui->questions().empty());
    }

    void upDownsWrapAndResultsAreNotCut() {
        page().subPages()->setCurrentIndex(kYearDayCountPage);
        spin("udStDay")->setValue(31);
        spin("udStMonth")->setValue(1);
        spin("udStDay")->stepBy(1);
        QCOMPARE(fields("udSt"), (Ymd{2025, 2, 1}));
        QCOMPARE(spin("udDay")->value(), 9);
        spin("udEdMonth")->setValue(1);
        spin("udEdMonth")->stepBy(-1);
        QCOMPARE(fields("udEd"), (Ymd{2024, 12, 10}));
        QCOMPARE(spin("udDay")->value(), -53);

        // The end from a count far beyond the old ±32767.
        withText<QRadioButton>(*panel().findChild<QGroupBox*>("rgKekka"), "終了日")->click();
        QVERIFY(panel().findChild<QRadioButton*>("rbSt")->isChecked());
        QVERIFY(!spin("udEdYear")->isEnabled());
        QCOMPARE(panel().findChild<QRadioButton*>("rbEd")->text(), QString("終了日（計算結果）"));
        QVERIFY(panel().findChild<QRadioButton*>("rbEd")->font().bold());
        spin("udStYear")->setValue(2000);
        spin("udStMonth")->setValue(1);
        spin("udStDay")->setValue(1);
        spin("udDay")->setValue(100000);
        QTest::keyClick(spin("udDay"), Qt::Key_Return);
        QCOMPARE(fields("udEd"), (Ymd{2273, 10, 16}));

        // Past 9999 the result is refused and nothing moves.
        spin("udDay")->setValue(kDayCountMaxDays);
        QTest::keyClick(spin("udDay"), Qt::Key_Return);
        QCOMPARE(fields("udEd"), (Ymd{2273, 10, 16}));
        QCOMPARE(spin("udDay")->value(), kDayCountMaxDays);
        QCOMPARE(ui->texts(), std::vector<std::string>{kDayCountOutOfRangeMessage});

        // A start in the 1582 gap is refused too.
        ui->clearShown();
        spin("udStYear")->setValue(1582);
        spin("udStMonth")->setValue(10);
        spin("udStDay")->setValue(9);
        spin("udStDay")->stepBy(1);
        QCOMPARE(fields("udSt"), (Ymd{1582, 10, 10}));
        QCOMPARE(fields("udEd"), (Ymd{2273, 10, 16}));
        QCOMPARE(ui->texts(), std::vector<std::string>{kJuliusGapMessage});
    }

    void withoutAutomaticComputationChangesWait() {
        page().subPages()->setCurrentIndex(kYearDayCountPage);
        window->pages()->setCurrentIndex(kYearPageIndex);
        QTRY_VERIFY(page().isVisible());
        auto* automatic = panel().findChild<QCheckBox*>("cbKeisan");
        auto* compute = panel().findChild<QPushButton*>("btnKeisan");
        auto* notComputed = panel().findChild<QLabel*>("lblMikeisan");
        automatic->click();
        QVERIFY(compute->isEnabled());
        QVERIFY(!notComputed->isVisible());

        spin("udEdDay")->setFocus();
        spin("udEdDay")->findChild<QLineEdit*>()->selectAll();
        QTest::keyClicks(spin("udEdDay"), "20");
        QVERIFY(notComputed->isVisible());
        QCOMPARE(notComputed->text(), QString("未計算([Return]キーにて計算)"));
        QTest::keyClick(spin("udEdDay"), Qt::Key_Return);
        QCOMPARE(spin("udDay")->value(), 0);
        QVERIFY(panel().model().pending());
        QVERIFY(!compute->styleSheet().isEmpty());

        withText<QRadioButton>(*panel().findChild<QGroupBox*>("rgNissuu"), "期間(両端入)")->click();
        QCOMPARE(spin("udDay")->value(), 0);
        compute->click();
        QCOMPARE(spin("udDay")->value(), 11);
        QCOMPARE(panel().findChild<QLabel*>("lblDays")->text(), QString("期間（計算結果）"));
        QVERIFY(!notComputed->isVisible());
        QVERIFY(compute->styleSheet().isEmpty());
        QCOMPARE(window->runSettings().settings().dayCount.cbKeisan, false);
        QCOMPARE(window->runSettings().settings().dayCount.rgNissuu, 1);
    }
};

QTEST_MAIN(YearPageTest)
#include "year_page_test.moc"
