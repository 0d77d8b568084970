// Start position of the main window against the screens of the moment.

#include <QtTest>

#include "app/window_placement.h"

using velmo::PlacementSettings;
using velmo::startPosition;

class WindowPlacementTest : public QObject {
    Q_OBJECT

    const QRect primary{0, 0, 1920, 1040};
    const QRect right{1920, 0, 1280, 984};
    const QSize window{1000, 700};

private slots:
    void centresUnlessToldNotTo() {
        QCOMPARE(startPosition({0, false, {5, 5}}, window, {30, 40}, primary, {primary}),
                 QPoint(460, 170));
        QCOMPARE(startPosition({0, true, {5, 5}}, window, {30, 40}, primary, {primary}),
                 QPoint(30, 40));
    }

    void savedPositionOnAnyScreenIsKept() {
        QCOMPARE(startPosition({1, false, {2000, 100}}, window, {}, primary, {primary, right}),
                 QPoint(2000, 100));
        // Partly off the left edge, but the title strip can still be grabbed.
        QCOMPARE(startPosition({1, false, {-40, 10}}, window, {}, primary, {primary}),
                 QPoint(-40, 10));
    }

    void savedPositionOnNoScreenIsCentred() {
        // The second monitor is gone.
        QCOMPARE(startPosition({1, false, {2000, 100}}, window, {}, primary, {primary}),
                 QPoint(460, 170));
        // Title bar above the top of every screen.
        QCOMPARE(startPosition({1, false, {100, -500}}, window, {}, primary, {primary, right}),
                 QPoint(460, 170));
        QCOMPARE(startPosition({1, false, {1900, 2000}}, window, {}, primary, {primary, right}),
                 QPoint(460, 170));
    }
};

QTEST_MAIN(WindowPlacementTest)
#include "window_placement_test.moc"
