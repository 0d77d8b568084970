// The small calendar widget driven by real mouse and key events, offscreen.

#include <QSignalSpy>
#include <QtTest>

#include "monthview/qt_small_calendar.h"

using velmo::TKvMCalendar;

namespace {

std::int32_t jd(int y, int m, int d) {
    return velmo::ymdToJuliusDay(y, m, d);
}

// Column edges 0, 26, 52, 78, 105, 131, 157, 184; row edges 0, 17, 35, 53, 71, 89, 107, 125.
// September 2024: the first row is 25..31 August.
QPoint centreOf(int row, int column) {
    const int left = 184 * column / 7;
    const int right = 184 * (column + 1) / 7;
    const int top = 125 * row / 7;
    const int bottom = 125 * (row + 1) / 7;
    return {(left + right) / 2, (top + bottom) / 2};
}

QRgb rgbOf(velmo::Colour colour) {
    return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

}  // namespace

class SmallCalendarWidgetTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TKvMCalendar> calendar;

private slots:
    void init() {
        calendar = std::make_unique<TKvMCalendar>(jd(2024, 9, 10));
        calendar->resize(184, 125);
        calendar->show();
        QVERIFY(QTest::qWaitForWindowExposed(calendar.get()));
    }
    void cleanup() { calendar.reset(); }

    void pressesSelectDaysAndReportInOrder() {
        QSignalSpy changed(calendar.get(), &TKvMCalendar::dayChanged);
        QSignalSpy clicked(calendar.get(), &TKvMCalendar::clicked);
        std::vector<std::int32_t> dateAtPress;
        connect(calendar.get(), &TKvMCalendar::mousePressed, this,
                [&] { dateAtPress.push_back(calendar->model().juliusDay()); });

        QTest::mouseClick(calendar.get(), Qt::LeftButton, {}, centreOf(3, 6));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0), (QList<QVariant>{2024, 9, 14}));
        QCOMPARE(clicked.count(), 1);
        // OnMouseDown comes before the date moves.
        QCOMPARE(dateAtPress, std::vector<std::int32_t>{jd(2024, 9, 10)});

        // The header and, without NeighborJump, a neighbour day leave the date; both
        // still click.
        QTest::mouseClick(calendar.get(), Qt::LeftButton, {}, centreOf(0, 3));
        QTest::mouseClick(calendar.get(), Qt::LeftButton, {}, centreOf(1, 0));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(clicked.count(), 3);

        // The last pixel column and row belong to the corner cell (5 October).
        calendar->model().set(&velmo::SmallCalendarProperties::NeighborJump, true);
        QTest::mouseClick(calendar.get(), Qt::LeftButton, {}, QPoint(183, 124));
        QCOMPARE(calendar->model().juliusDay(), jd(2024, 10, 5));

        // A right-button press selects too but is no click.
        QTest::mouseClick(calendar.get(), Qt::RightButton, {}, centreOf(3, 0));
        QCOMPARE(calendar->model().juliusDay(), jd(2024, 10, 13));
        QCOMPARE(clicked.count(), 4);
    }

    void keysMoveTheSelectionAndArePassedOn() {
        QSignalSpy keys(calendar.get(), &TKvMCalendar::keyPressed);
        QTest::keyClick(calendar.get(), Qt::Key_Up);
        QCOMPARE(calendar->model().juliusDay(), jd(2024, 9, 3));
        calendar->model().setJuliusDay(jd(2024, 3, 31));
        QTest::keyClick(calendar.get(), Qt::Key_PageUp);
        QCOMPARE(calendar->model().juliusDay(), jd(2024, 2, 29));
        QTest::keyClick(calendar.get(), Qt::Key_A);
        QCOMPARE(calendar->model().juliusDay(), jd(2024, 2, 29));
        QCOMPARE(keys.count(), 3);
        QCOMPARE(keys.last().at(0).toInt(), int(Qt::Key_A));
    }

    void picturesTodayTheCursorAndTheGrid() {
        // 10 September, away from its centred number.
        const QPoint today(54, 55);
        const QPoint other(80, 55);
        QCOMPARE(calendar->image().pixel(today), rgbOf(velmo::kSmallTodayColour));

        auto& model = calendar->model();
        model.set(&velmo::SmallCalendarProperties::IsCursor, true);
        model.setJuliusDay(jd(2024, 9, 11));
        QCOMPARE(calendar->image().pixel(other), rgbOf(velmo::kSmallCursorColour));
        QCOMPARE(calendar->image().pixel(today), rgbOf(velmo::kSmallTodayColour));

        // Grid lines only with Keisen: the right edge of column 0 and the header fill.
        const QPoint line(25, 40);
        QVERIFY(calendar->image().pixel(line) != rgbOf(velmo::kSmallDayGridColour));
        model.set(&velmo::SmallCalendarProperties::Keisen, true);
        QCOMPARE(calendar->image().pixel(line), rgbOf(velmo::kSmallDayGridColour));
        QCOMPARE(calendar->image().pixel(QPoint(2, 2)), rgbOf(0xE1E1E1));

        if (qEnvironmentVariableIsSet("VELMO_SMALL_CALENDAR_PNG")) {
            model.set(&velmo::SmallCalendarProperties::ShowRokuyo, true);
            calendar->resize(260, 200);
            calendar->grab().save(qEnvironmentVariable("VELMO_SMALL_CALENDAR_PNG"));
        }
    }
};

QTEST_MAIN(SmallCalendarWidgetTest)
#include "small_calendar_widget_test.moc"
