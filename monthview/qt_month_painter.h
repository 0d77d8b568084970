#pragma once
// Draws the month view's picture: the header row, the day cells with their numbers,
// rokuyo, names, schedule lines and period bars, the grid lines and the month memo area,
// from the model's last layout (see cell_view.h for the per-part decisions).
//
// Text is placed by its pixel size, as the layout arithmetic expects: a text "of height h
// at top t" has its em box from t to t + h, whatever line spacing the font reports.

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPalette>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "monthview/cell_view.h"
#include "monthview/month_grid.h"

class QPainter;

namespace velmo {

// A colour 0x00BBGGRR as Qt's colour; the top byte is ignored.
QColor qColorOf(Colour resolved);

// A system colour (0x800000xx) taken from the palette; plain colours pass unchanged.
Colour paletteColour(const QPalette& palette, Colour colour);

// The text cut to at most maxCharacters characters (whole UTF-8 sequences).
std::string limitCharacters(std::string_view text, std::size_t maxCharacters);

// Copies the part of an off-screen image under a widget's update area to the screen;
// the image is drawn at its own device pixel ratio.
void drawImageArea(QPainter& painter, const QImage& image, const QRect& area);

class MonthPainter {
public:
    // An off-screen image for a control of the given logical size, at the pixel ratio.
    static QImage makeImage(Size size, qreal devicePixelRatio);

    // Paints the whole picture into the image, whose logical size (pixels divided by its
    // device pixel ratio) is the control size. One damaged cell or line is left out; the
    // rest is still drawn.
    void paint(const TKvMCalModel& model, QImage& image);

private:
    struct FontEntry {
        std::string face;
        int pixelSize = 0;
        bool bold = false;
        bool strikeOut = false;
        QFont font;
        QFontMetrics metrics;
        int baseline = 0;  // from the text's top to its baseline
    };

    const FontEntry& font(const std::string& face, int pixelSize, bool bold = false,
                          bool strikeOut = false);
    const QString& family(const std::string& face);
    int width(const FontEntry& font, std::string_view text) const;
    // Draws a single line with its em box's top at top; clipped to clip when given.
    void drawText(QPainter& painter, const FontEntry& font, const QString& text, int left, int top,
                  const QColor& colour, const Rect* clip) const;

    void paintHeader(QPainter& painter, const TKvMCalModel& model, int column);
    void paintDayCell(QPainter& painter, const TKvMCalModel& model, int cellIndex);
    void paintDayLine(QPainter& painter, const TKvMCalModel& model, const DayLineView& line);
    void paintPeriodBar(QPainter& painter, const TKvMCalModel& model, const PeriodBarView& bar);
    void paintMemoArea(QPainter& painter, const TKvMCalModel& model, const MemoAreaView& memo);

    std::map<std::string, QString> families_;
    std::vector<std::unique_ptr<FontEntry>> fonts_;
};

}  // namespace velmo
