// The window bounds of the month, year and memo pages.

#include <QtTest>

#include "app/page_bounds.h"

using velmo::keptOnWorkArea;
using velmo::PageBounds;
using velmo::WindowBounds;

namespace {

constexpr int kMemoPage = 2;
const QMargins kFrame(4, 26, 4, 4);
const QRect kWorkArea(0, 0, 1280, 1024);
const QSize kYearSize(1010, 705);

}  // namespace

class PageBoundsTest : public QObject {
    Q_OBJECT

private slots:
    void theYearPageOpensCentredOverTheMonthButNeverOffTheWorkArea() {
        PageBounds bounds;
        // Centred over a 700-wide month window standing at the left edge, the year page
        // would start at x = -155; it is pushed onto the work area instead.
        const auto year = bounds.switchPage(velmo::kMonthPageIndex, velmo::kYearPageIndex,
                                            {{0, 10}, {700, 600}}, kFrame, kYearSize, kWorkArea);
        QVERIFY(year);
        QCOMPARE(year->clientSize, kYearSize);
        QCOMPARE(year->frameTopLeft, QPoint(0, 0));

        PageBounds middle;
        const auto centred =
            middle.switchPage(velmo::kMonthPageIndex, velmo::kYearPageIndex,
                              {{200, 200}, {700, 600}}, kFrame, kYearSize, kWorkArea);
        QCOMPARE(centred->frameTopLeft, QPoint(45, 147));
    }

    void yearThenMemoThenMonthRestoresTheMonthBounds() {
        PageBounds bounds;
        const WindowBounds month{{100, 80}, {700, 600}};
        const auto year = bounds.switchPage(velmo::kMonthPageIndex, velmo::kYearPageIndex, month,
                                            kFrame, kYearSize, kWorkArea);
        QVERIFY(year);
        QVERIFY(!bounds.switchPage(velmo::kYearPageIndex, kMemoPage, *year, kFrame, kYearSize,
                                   kWorkArea));
        // While the memo page is shown the settings keep the month page's place.
        QCOMPARE(bounds.monthTopLeft(kMemoPage, year->frameTopLeft), month.frameTopLeft);
        const auto back = bounds.switchPage(kMemoPage, velmo::kMonthPageIndex, *year, kFrame,
                                            kYearSize, kWorkArea);
        QVERIFY(back);
        QCOMPARE(*back, month);
        QCOMPARE(bounds.monthTopLeft(velmo::kMonthPageIndex, QPoint(5, 6)), QPoint(5, 6));
    }

    void theYearPageKeepsWhereTheUserMovedIt() {
        PageBounds bounds;
        const WindowBounds month{{100, 80}, {700, 600}};
        bounds.switchPage(velmo::kMonthPageIndex, velmo::kYearPageIndex, month, kFrame, kYearSize,
                          kWorkArea);
        const WindowBounds moved{{150, 120}, kYearSize};
        QCOMPARE(*bounds.switchPage(velmo::kYearPageIndex, velmo::kMonthPageIndex, moved, kFrame,
                                    kYearSize, kWorkArea),
                 month);
        QCOMPARE(*bounds.switchPage(velmo::kMonthPageIndex, velmo::kYearPageIndex, month, kFrame,
                                    kYearSize, kWorkArea),
                 moved);
    }

    void aWindowLargerThanTheWorkAreaKeepsItsCornerOnIt() {
        const WindowBounds kept =
            keptOnWorkArea({{-12, -4}, {1010, 705}}, kFrame, QRect(0, 0, 800, 600));
        QCOMPARE(kept.frameTopLeft, QPoint(0, 0));
        QCOMPARE(keptOnWorkArea({{900, 700}, {400, 300}}, kFrame, kWorkArea).frameTopLeft,
                 QPoint(1280 - 408, 1024 - 330));
        // A second monitor's work area is as good as the first.
        QCOMPARE(keptOnWorkArea({{1500, 50}, {400, 300}}, kFrame, QRect(1280, 0, 1920, 1080))
                     .frameTopLeft,
                 QPoint(1500, 50));
    }
};

QTEST_MAIN(PageBoundsTest)
#include "page_bounds_test.moc"
