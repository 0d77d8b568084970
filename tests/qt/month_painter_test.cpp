// The month view's picture, checked by probing pixels of the painted image: fills, day
// numbers and names in their colours, schedule lines, period bars, the overflow mark,
// the month memo area and the grid lines; and the widget that keeps the image.

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>
#include <cstdio>
#include <functional>

#include "monthview/qt_month_painter.h"
#include "monthview/qt_month_view.h"
#include "platform/dialog_fonts.h"

using namespace velmo;

namespace {

std::int32_t jd(int year, int month, int day) {
    return ymdToJuliusDay(year, month, day);
}

std::string entry(int day, const std::string& text, const std::string& colour = "") {
    char head[16];
    std::snprintf(head, sizeof head, "%2d,1,,", day);
    return head + text + "," + colour + ",,,,,";
}

// A period line: the first 13 fields as given, then the owner and the reserved fields.
std::string period(const std::string& fields) {
    return fields + ",PC-01,,,,,";
}

const QColor kWhite(255, 255, 255);
const QColor kSilver(192, 192, 192);
const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kStandard(0x48, 0x48, 0x48);
const QColor kMagenta(255, 0, 255);
const QColor kRange = qColorOf(kRangeColour);
const QColor kToday = qColorOf(kTodayColour);
const QColor kClickMark = qColorOf(kClickMarkColour);

QRect qRect(const Rect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

bool hasColour(const QImage& image, const QRect& area, const QColor& colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

int countWhere(const QImage& image, const QRect& area, const std::function<bool(QColor)>& test) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += test(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

int inkCount(const QImage& image, const QRect& area, const QColor& background) {
    return countWhere(image, area, [&](QColor c) { return c != background; });
}

// The rightmost column of the area holding a pixel other than the background; -1 if none.
int inkRight(const QImage& image, const QRect& area, const QColor& background) {
    for (int x = area.right(); x >= area.left(); --x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (image.pixelColor(x, y) != background)
                return x;
    return -1;
}

// September 2024 (top-left cell 25 August, a Sunday) with today the 10th, three line
// positions per cell and the classic system colours.
class Scene {
public:
    explicit Scene(std::int32_t today = jd(2024, 9, 10)) : model(today) {
        model.state().Suspended = true;
        model.set(&KvMCalProperties::ItemGyo, 3);
        model.monthSlots()[0] = {2024, 8, {}, 0, false, {}};
        model.monthSlots()[1] = {2024, 9, {}, 0, false, {}};
        model.monthSlots()[2] = {2024, 10, {}, 0, false, {}};
        model.state().CurrentSlot = 1;
        model.periods().lines = {"***** FromTo予定 [Data\\Files1\\]"};
        model.setOnRedraw([this] {
            image = MonthPainter::makeImage(model.controlSize(), ratio);
            painter.paint(model, image);
        });
    }

    void addLine(int month, const std::string& line) {
        model.monthSlots()[static_cast<std::size_t>(month - 8)].lines.push_back(line);
    }
    // Lays out and paints.
    void draw() {
        model.state().Suspended = false;
        model.updateMetrics();
    }
    Rect cell(int month, int day) const {
        return cellRectOfIndex(model.properties(), jd(2024, month, day) - model.firstCellDay());
    }
    // The rectangle of line position slot in a cell, from the line margin to the grid line.
    QRect lineArea(int month, int day, int slot) const {
        const Rect c = cell(month, day);
        const int top = slotTextTop(model.metrics(), c, slot, model.properties().LenFontYoteiH);
        return QRect(c.left + model.properties().LenItemLeftM, top,
                     c.right - 1 - c.left - model.properties().LenItemLeftM,
                     model.properties().LenFontYoteiH);
    }
    // A point in the lower right of a cell, clear of numbers, names and grid lines.
    QColor fillOf(int month, int day) const {
        const Rect c = cell(month, day);
        return image.pixelColor(c.right - 4, c.bottom - 4);
    }
    // The band that carries the day number.
    QRect numberArea(int month, int day) const {
        const Rect c = cell(month, day);
        const KvMCalProperties& p = model.properties();
        return QRect(c.left, c.top, p.LenHidukeW + p.LenYohaku, p.LenHidukeH + 1);
    }
    // The y of a bar in line position slot, from its text top as the view computes it.
    int barY(int month, int day, int slot) const {
        const int height = model.properties().LenFontYoteiH;
        return slotTextTop(model.metrics(), cell(month, day), slot, height) + height / 2 - 1;
    }

    TKvMCalModel model;
    MonthPainter painter;
    QImage image;
    qreal ratio = 1.0;
};

}  // namespace

class MonthPainterTest : public QObject {
    Q_OBJECT

private slots:
    void headerCellsGridLinesAndSystemColours() {
        Scene scene;
        QPalette palette;
        palette.setColor(QPalette::Base, QColor(250, 250, 240));
        palette.setColor(QPalette::Dark, QColor(0x12, 0x34, 0x56));
        scene.model.setColourResolver(
            [palette](Colour colour) { return paletteColour(palette, colour); });
        scene.draw();
        const QImage& image = scene.image;

        // Header: filled inset by one pixel at left and top, button shadow grid lines.
        QCOMPARE(image.pixelColor(1, 1), QColor(0xE1, 0xE1, 0xE1));
        QCOMPARE(image.pixelColor(129, 1), QColor(0xE1, 0xE1, 0xE1));
        QCOMPARE(image.pixelColor(0, 5), QColor(250, 250, 240));
        QCOMPARE(image.pixelColor(128, 0), QColor(250, 250, 240));
        QCOMPARE(image.pixelColor(127, 10), QColor(0x12, 0x34, 0x56));
        QCOMPARE(image.pixelColor(60, 23), QColor(0x12, 0x34, 0x56));
        QVERIFY(hasColour(image, QRect(0, 0, 127, 23), kRed));                     // 日
        QVERIFY(hasColour(image, QRect(6 * 128, 0, 127, 23), QColor(0, 0, 255)));  // 土
        QVERIFY(!hasColour(image, QRect(128, 0, 127, 23), kRed));                  // 月

        // Day cells: silver lines at right − 1 and bottom − 1, none within 4 pixels of
        // the control's right or bottom edge; the background is the palette's window colour.
        QCOMPARE(image.pixelColor(127, 24 + 50), kSilver);
        QCOMPARE(image.pixelColor(50, 24 + 95 - 1), kSilver);
        QCOMPARE(image.pixelColor(7 * 128 - 1, 24 + 50), QColor(250, 250, 240));
        QCOMPARE(image.pixelColor(50, 24 + 6 * 95 - 1), QColor(250, 250, 240));
        QCOMPARE(scene.fillOf(9, 11), QColor(250, 250, 240));
    }

    void backgroundsOfTodayRangeAndClickMark() {
        {
            Scene scene;
            scene.draw();
            QCOMPARE(scene.fillOf(9, 10), kToday);
            QCOMPARE(scene.fillOf(9, 11), kWhite);
        }
        {
            // Today in a neighbour month is not highlighted.
            Scene scene;
            scene.model.state().TodayDay = jd(2024, 8, 27);
            scene.draw();
            QCOMPARE(scene.fillOf(8, 27), kWhite);
        }
        {
            // A range wins over today and covers neighbour days too.
            Scene scene;
            scene.model.state().RangeStart = jd(2024, 8, 30);
            scene.model.state().RangeEnd = jd(2024, 9, 10);
            scene.draw();
            QCOMPARE(scene.fillOf(9, 10), kRange);
            QCOMPARE(scene.fillOf(8, 30), kRange);
            QCOMPARE(scene.fillOf(9, 11), kWhite);
            QVERIFY(inkCount(scene.image, scene.numberArea(8, 30), kRange) > 0);
        }
        {
            // The clicked cell's mark wins over today, for one redraw.
            Scene scene;
            scene.draw();
            scene.model.state().ClickedDay = jd(2024, 9, 10);
            scene.model.state().ClickMark = true;
            scene.model.redrawGrid();
            QCOMPARE(scene.fillOf(9, 10), kClickMark);
            scene.model.relayout();
            QCOMPARE(scene.fillOf(9, 10), kClickMark);
            scene.model.relayout();
            QCOMPARE(scene.fillOf(9, 10), kToday);
        }
    }

    void hiddenNeighbourCellsShowOnlyTheBackground() {
        Scene scene;
        scene.model.set(&KvMCalProperties::ShowNeighbor, false);
        scene.model.state().RangeStart = jd(2024, 8, 28);
        scene.model.state().RangeEnd = jd(2024, 9, 2);
        scene.addLine(8, entry(25, "■■"));
        scene.addLine(8, entry(28, "■■"));
        scene.draw();
        const QImage& image = scene.image;
        const QRect plain = qRect(scene.cell(8, 25));
        QCOMPARE(inkCount(image, plain, kWhite), 0);  // no number, line or grid line
        const QRect ranged = qRect(scene.cell(8, 28));
        QCOMPARE(inkCount(image, ranged, kRange), 0);  // filled but empty
        QVERIFY(inkCount(image, scene.numberArea(9, 2), kRange) > 0);
        QCOMPARE(image.pixelColor(scene.cell(9, 2).right - 1, scene.cell(9, 2).top + 50), kSilver);
    }

    void dayNumbersOfNeighbourDays() {
        Scene scene;
        scene.model.rules().setHolidayList({"8,27,テスト休日"});
        scene.draw();
        const QImage& image = scene.image;
        auto reddish = [](QColor c) { return c.red() > c.green() + 8; };
        // A neighbour Sunday keeps a reddish number: red OR silver.
        QVERIFY(hasColour(image, scene.numberArea(8, 25), QColor(255, 192, 192)));
        // A neighbour weekday holiday is plain silver.
        QVERIFY(hasColour(image, scene.numberArea(8, 27), kSilver));
        QCOMPARE(countWhere(image, scene.numberArea(8, 27), reddish), 0);
        // The displayed month's Sunday is pure red.
        QVERIFY(hasColour(image, scene.numberArea(9, 1), kRed));
    }

    void namesInTheColoursOfTheirKinds() {
        Scene scene;
        scene.model.rules().setHolidayList({"9,16,敬老の日", "9,24,二つ目", "9,24,三つ目"});
        scene.model.rules().setSpecialDayList({"9,16,記念"});
        scene.draw();
        const QImage& image = scene.image;
        // The names start right of the day number's rectangle.
        auto band = [&](int day) {
            const Rect c = scene.cell(9, day);
            const KvMCalProperties& p = scene.model.properties();
            const int left = p.LenHidukeW + p.LenYohaku;
            return QRect(c.left + left, c.top, c.width() - 1 - left, p.LenHidukeH);
        };
        // A special day, a space and the holiday, each in its colour, in that order.
        // Small text has few fully covered pixels: judge by hue.
        const auto greenish = [](QColor c) {
            return c.green() > c.red() + 40 && c.green() > c.blue() + 40;
        };
        const auto reddish = [](QColor c) {
            return c.red() > c.green() + 60 && c.red() > c.blue() + 60;
        };
        auto firstX = [&](const QRect& area, const std::function<bool(QColor)>& test) {
            for (int x = area.left(); x <= area.right(); ++x)
                if (countWhere(image, QRect(x, area.top(), 1, area.height()), test) > 0)
                    return x;
            return -1;
        };
        const int green = firstX(band(16), greenish);
        const int red = firstX(band(16), reddish);
        QVERIFY(green > 0);
        QVERIFY(red > green + 20);
        // Two holidays and no special day: one text in the holiday colour.
        QVERIFY(countWhere(image, band(24), reddish) > 20);
        QCOMPARE(countWhere(image, band(24), greenish), 0);
    }

    void lineTagsAndTabs() {
        Scene scene;
        scene.model.set(&KvMCalProperties::TabMojiSuu, 4);
        scene.model.set(&KvMCalProperties::TabChousei, 100);
        scene.addLine(9, entry(2, "<b>ＡＢＣ"));
        scene.addLine(9, entry(2, "ＡＢＣ"));
        scene.addLine(9, entry(3, "ab\tcd"));
        scene.addLine(9, entry(4, "ab    cd"));
        scene.addLine(9, entry(5, "ab   cd"));
        scene.draw();
        const QImage& image = scene.image;

        // Two lines packed at the bottom: positions 1 and 2. Only the tagged one is bold,
        // and the tag itself is not shown.
        const QRect bold = scene.lineArea(9, 2, 1);
        const QRect plain = scene.lineArea(9, 2, 2);
        QVERIFY(inkCount(image, plain, kWhite) > 0);
        QVERIFY(inkCount(image, bold, kWhite) > inkCount(image, plain, kWhite) * 11 / 10);
        QVERIFY(inkRight(image, bold, kWhite) <= inkRight(image, plain, kWhite) + 6);

        // A tab is four spaces here.
        const QImage tab = image.copy(scene.lineArea(9, 3, 2));
        QVERIFY(inkCount(tab, tab.rect(), kWhite) > 0);
        QCOMPARE(tab, image.copy(scene.lineArea(9, 4, 2)));
        QVERIFY(tab != image.copy(scene.lineArea(9, 5, 2)));
    }

    void overflowMarkAfterTheLastLinePosition() {
        Scene scene;
        const std::string longText = "予定の長いテキストがセルの幅を超える";
        for (int i = 0; i < 5; ++i)
            scene.addLine(9, entry(11, longText));
        scene.draw();
        const QImage& image = scene.image;
        const Rect c = scene.cell(9, 11);
        const QFont font = mappedFont(QString::fromUtf8(kDefaultCalFontFace), 16);
        const QFontMetrics metrics(font);
        const int slashWidth = metrics.horizontalAdvance(QStringLiteral("/"));
        const int markLeft = c.right - 2 - slashWidth;
        const int markTop = c.bottom - 16 - 1;
        const QRect mark(markLeft, markTop, slashWidth, 16);

        QVERIFY(hasColour(image, mark, kStandard) || inkCount(image, mark, kWhite) > 4);
        // Lines 1 and 2 reach the cell's edge; line 3 is shortened to leave room for " /".
        QCOMPARE(inkRight(image, scene.lineArea(9, 11, 0), kWhite), c.right - 2);
        const QRect line3 = scene.lineArea(9, 11, 2);
        const QRect third(line3.left(), line3.top(), markLeft - line3.left(), line3.height());
        const int limit = c.right - c.left - 8 - metrics.horizontalAdvance(QStringLiteral(" /"));
        const int thirdRight = inkRight(image, third, kWhite);
        QVERIFY(thirdRight > third.left());
        QVERIFY(thirdRight < c.left + 8 + limit);
        // Nothing of lines 4 and 5 below the third position, apart from the mark.
        const QRect below(c.left, line3.bottom() + 1, markLeft - c.left - 1,
                          c.bottom - 2 - line3.bottom());
        QCOMPARE(inkCount(image, below, kWhite), 0);
    }

    void overflowMarkInACellTooNarrowForAnyText() {
        Scene scene;
        scene.model.set(&KvMCalProperties::LenDayW, 24);
        for (int i = 0; i < 5; ++i)
            scene.addLine(9, entry(11, "あいう"));
        scene.draw();
        const Rect c = scene.cell(9, 11);
        const QRect mark(c.left + 8, c.bottom - 17, c.width() - 8, 16);
        QVERIFY(inkCount(scene.image, mark, kWhite) > 0);
        // The shortened text is empty: no ink left of the mark in the last position.
        const QRect third = scene.lineArea(9, 11, 2);
        QCOMPARE(inkCount(scene.image, QRect(third.left(), third.top(), 2, third.height()), kWhite),
                 0);
    }

    void periodBarsStrokesAndSelection() {
        for (int width : {128, 200}) {
            Scene scene;
            scene.model.set(&KvMCalProperties::LenDayW, width);
            scene.model.periods().lines.push_back(
                period("2024, 9, 4,A,2024, 9, 6,E,2024, 9, 5,2,clRed,出張"));
            scene.draw();
            const Rect start = scene.cell(9, 4);
            const int y = scene.barY(9, 4, 0);
            // An afternoon start begins 50 pixels into the cell, whatever its width.
            QCOMPARE(scene.image.pixelColor(start.left + 49, y), kWhite);
            QCOMPARE(scene.image.pixelColor(start.left + 50, y), kRed);
            QCOMPARE(scene.image.pixelColor(start.right - 2, y), kRed);
            // An evening end stops 5 pixels before the cell's right edge.
            const Rect end = scene.cell(9, 6);
            QCOMPARE(scene.image.pixelColor(end.left + 10, y), kRed);
            QCOMPARE(scene.image.pixelColor(end.right - 3, y), kWhite);
            // The title sits on its day at the right, over a white background.
            const Rect title = scene.cell(9, 5);
            QVERIFY(hasColour(scene.image, QRect(title.right - 40, y - 8, 36, 16), kRed));
            QCOMPARE(scene.image.pixelColor(title.left + 10, y), kRed);
        }

        Scene scene;
        scene.model.periods().lines.push_back(
            period("2024, 9, 4,A,2024, 9, 6,E,2024, 9, 5,1,clRed,出張"));
        scene.model.periods().lines.push_back(
            period("2024, 9,16,M,2024, 9,18,E,2024, 9,16,0,clBlue,幅0"));
        scene.draw();
        // A pen width of 0 draws one pixel wide.
        const int thinY = scene.barY(9, 17, 0);
        const int x = scene.cell(9, 17).left + 60;
        QCOMPARE(scene.image.pixelColor(x, thinY), QColor(0, 0, 255));
        QCOMPARE(scene.image.pixelColor(x, thinY - 1), kWhite);
        QCOMPARE(scene.image.pixelColor(x, thinY + 1), kWhite);

        // The selected period is magenta and three pixels wide in every cell it covers.
        scene.model.periods().selectedPeriod = 1;
        scene.model.redrawGrid();
        const int y = scene.barY(9, 4, 0);
        for (int day : {4, 5, 6}) {
            const int probe = scene.cell(9, day).left + (day == 4 ? 70 : 30);
            QCOMPARE(scene.image.pixelColor(probe, y - 1), kMagenta);
            QCOMPARE(scene.image.pixelColor(probe, y), kMagenta);
            QCOMPARE(scene.image.pixelColor(probe, y + 1), kMagenta);
            QCOMPARE(scene.image.pixelColor(probe, y - 2), kWhite);
            QCOMPARE(scene.image.pixelColor(probe, y + 2), kWhite);
        }
        QCOMPARE(scene.image.pixelColor(x, thinY), QColor(0, 0, 255));
    }

    void damagedLinesLeaveTheRestDrawn() {
        Scene scene;
        std::string huge;
        for (int i = 0; i < 100000; ++i)
            huge += "■";
        scene.addLine(9, entry(12, "■■", "xyz"));  // not a colour: the standard colour
        scene.addLine(9, entry(12, huge, "clRed"));
        scene.addLine(9, "12,1,,■■");  // too few fields for a colour
        scene.addLine(9, "12");        // no text at all
        scene.addLine(9, entry(13, "■■", "clBlue"));
        scene.model.periods().lines.push_back("2024, 9,12");
        scene.model.periods().lines.push_back(
            period("2024,13,40,M,2024, 9,12,E,2024, 9,12,1,clRed,壊れた日付"));
        scene.draw();
        const QImage& image = scene.image;
        QVERIFY(hasColour(image, scene.lineArea(9, 12, 0), kStandard));
        QVERIFY(hasColour(image, scene.lineArea(9, 12, 1), kRed));
        QCOMPARE(inkRight(image, scene.lineArea(9, 12, 1), kWhite), scene.cell(9, 12).right - 2);
        QVERIFY(hasColour(image, scene.lineArea(9, 12, 2), kStandard));
        QVERIFY(hasColour(image, scene.lineArea(9, 13, 2), QColor(0, 0, 255)));
        QVERIFY(inkCount(image, scene.numberArea(9, 14), kWhite) > 0);
    }

    void monthMemoArea() {
        Scene scene;
        scene.model.set(&KvMCalProperties::TukiMemo, true);
        scene.model.set(&KvMCalProperties::TukiMUeTume, false);
        scene.addLine(9, entry(77, "■■"));
        scene.addLine(9, entry(77, "<B>■"));
        scene.addLine(10, entry(2, "■■"));
        scene.addLine(10, entry(3, "■■"));
        scene.draw();
        const QImage& image = scene.image;
        const Rect memo = memoAreaRect(scene.model.properties(), 7, scene.model.controlSize());
        QCOMPARE(memo.left, 3 * 128);
        QVERIFY(scene.model.memoShown());
        // Two lines packed at the bottom of four places (ItemGyo + 1) in the standard
        // colour, tags shown as written.
        const KvMCalProperties& p = scene.model.properties();
        const int pitch = scene.model.metrics().LinePitch;
        const int firstTop = memo.top + p.LenHidukeH + p.LenTopItem + 2 * pitch - p.LenFontYoteiH;
        QVERIFY(hasColour(image, QRect(memo.left + 8, firstTop, 40, 16), kStandard));
        QVERIFY(inkCount(image, QRect(memo.left + 8, firstTop + pitch, 60, 16), kWhite) > 0);
        QCOMPARE(inkCount(image, QRect(memo.left, memo.top, memo.width() - 4, 40), kWhite), 0);
        // No day cell is drawn there: no day line of 3 October, no grid line.
        QCOMPARE(inkCount(image, QRect(4 * 128, firstTop, 120, 2 * pitch), kWhite), 0);
        QCOMPARE(image.pixelColor(5 * 128 - 1, memo.top + 60), kWhite);
        QCOMPARE(image.pixelColor(3 * 128 - 1, memo.top + 60), kSilver);
    }

    void drawnAtTheDevicePixelRatio() {
        Scene scene;
        scene.ratio = 2.0;
        scene.draw();
        const QImage& image = scene.image;
        QCOMPARE(image.size(), QSize(2 * 899, 2 * 597));
        QCOMPARE(image.deviceIndependentSize().toSize(), QSize(899, 597));
        const Rect today = scene.cell(9, 10);
        QCOMPARE(image.pixelColor(2 * (today.right - 4), 2 * (today.bottom - 4)), kToday);
        // A grid line is one logical pixel: two device pixels.
        const int y = 2 * (today.top + 50);
        QCOMPARE(image.pixelColor(2 * (today.right - 1), y), kSilver);
        QCOMPARE(image.pixelColor(2 * (today.right - 1) + 1, y), kSilver);
        QCOMPARE(image.pixelColor(2 * (today.right - 1) - 1, y), kToday);
    }

    void helpers() {
        QCOMPARE(qColorOf(0x00D0FFD5), QColor(0xD5, 0xFF, 0xD0));
        QCOMPARE(qColorOf(0xFF0000FF), QColor(255, 0, 0));
        QPalette palette;
        palette.setColor(QPalette::Base, QColor(1, 2, 3));
        palette.setColor(QPalette::Text, QColor(4, 5, 6));
        QCOMPARE(paletteColour(palette, kClWindow), Colour{0x030201});
        QCOMPARE(paletteColour(palette, kSystemColourFlag | 8u), Colour{0x060504});
        QCOMPARE(paletteColour(palette, 0x123456), Colour{0x123456});
        QCOMPARE(limitCharacters("aあbい", 3), std::string("aあb"));
        QCOMPARE(limitCharacters("あい", 5), std::string("あい"));
        QCOMPARE(limitCharacters("あい", 0), std::string());
    }

    void widgetCopiesItsOneImage() {
        TKvMCal view(jd(2024, 9, 10));
        QCOMPARE(view.sizeHint(), QSize(899, 597));
        view.resize(view.sizeHint());
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QCOMPARE(view.image().deviceIndependentSize().toSize(), QSize(899, 597));
        TKvMCalModel& model = view.model();
        const uchar* bits = view.image().constBits();

        // Redraws reuse the image.
        const Rect cell =
            cellRectOfIndex(model.properties(), jd(2024, 9, 11) - model.firstCellDay());
        model.state().RangeStart = jd(2024, 9, 11);
        model.state().RangeEnd = jd(2024, 9, 11);
        model.redrawGrid();
        QCOMPARE(view.image().constBits(), bits);
        QCOMPARE(view.image().pixelColor(cell.right - 4, cell.bottom - 4), kRange);

        // The screen shows the image.
        const QImage shown = view.grab().toImage();
        QCOMPARE(shown.pixelColor(cell.right - 4, cell.bottom - 4), kRange);

        // System colours follow the widget's palette.
        QPalette palette = view.palette();
        palette.setColor(QPalette::Base, QColor(250, 250, 240));
        view.setPalette(palette);
        QCOMPARE(view.image().pixelColor(cell.right - 4 + 128, cell.bottom - 4),
                 QColor(250, 250, 240));
        QCOMPARE(view.image().pixelColor(cell.right - 4, cell.bottom - 4), kRange);

        // A new size gives a new image of that size.
        view.resize(700, 500);
        QCOMPARE(view.image().deviceIndependentSize().toSize(), QSize(700, 500));
        QVERIFY(model.controlSize() == (Size{700, 500}));

        QSignalSpy spy(&view, &TKvMCal::dayChanged);
        model.setJuliusDay(jd(2024, 10, 3));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 2024);
        QCOMPARE(spy.at(0).at(1).toInt(), 10);
        QCOMPARE(spy.at(0).at(2).toInt(), 3);
    }
};

QTEST_MAIN(MonthPainterTest)
#include "month_painter_test.moc"
