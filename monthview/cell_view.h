#pragma once
// Everything the painter needs to draw one part of the month view, derived from the
// model: header cells, day cells (fill, day number, rokuyo, names), the day line and
// period bar of each line position, and the month memo area. Colours are velmo::Colour;
// a system colour (kClWindow, kClBtnShadow) is left for the painter to resolve, except
// where two colours are ORed, which needs real values and uses the model's resolver.
//
// Text measuring stays with the painter: where a position depends on a text's width the
// view gives the anchor (see grid_geometry.h placeDayNumber, PeriodBarShape::titleRight,
// DayLineView::markRight). "Text height" is the font's pixel size.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "monthview/month_grid.h"
#include "monthview/name_pieces.h"
#include "monthview/period_bar.h"

namespace velmo {

inline constexpr Colour kRangeColour = 0xFFFFB9;
inline constexpr Colour kClickMarkColour = 0xBBFDF8;
inline constexpr Colour kTodayColour = 0xD0FFD5;
inline constexpr Colour kDayGridColour = 0xC0C0C0;
inline constexpr Colour kHeaderGridColour = kClBtnShadow;
inline constexpr Colour kSelectedPeriodColour = 0xFF00FF;
inline constexpr int kSelectedPeriodPenWidth = 3;
// Behind a period title in a cell that was not filled.
inline constexpr Colour kUnfilledCellBackground = 0xFFFFFF;

struct HeaderCellView {
    Rect rect;
    Rect fillRect;  // inset by one pixel at left and top
    Colour fill = 0;
    std::string text;  // "日" .. "土", drawn centred, not clipped
    Colour textColour = 0;
    std::string face;
    int fontHeight = 0;
    GridLines grid;  // in kHeaderGridColour
};
HeaderCellView headerCellView(const TKvMCalModel& model, int column);

struct DayCellView {
    int index = 0;
    int row = 0;
    int column = 0;
    Rect rect;
    std::int32_t day = 0;
    Ymd date;
    bool neighbour = false;  // a day of a neighbour month
    // The cell is filled with this colour first; nothing means it keeps the control's Color.
    std::optional<Colour> fill;
    // False: after the fill nothing more is drawn in this cell, not even grid lines.
    bool drawContent = true;
    GridLines grid;  // in kDayGridColour
    // Behind period titles: the fill, or white when the cell was not filled.
    Colour titleBackground = kUnfilledCellBackground;

    TDayFlags flags = 0;
    bool hasSpecialDay = false;
    CalFont font;  // the day font; its colour is replaced by numberColour
    Colour numberColour = 0;
    bool numberBold = false;
    int numberFontHeight = 0;
    std::string numberText;

    int nameFontHeight = 0;
    int nameLift = 0;
    std::string rokuyoText;  // " 先勝 " etc.; empty without rokuyo
    Colour rokuyoColour = 0;
    std::vector<NamePiece> names;  // drawn one after another after the rokuyo

    bool overflow = false;  // the last drawn line position ends with the overflow mark
};
DayCellView dayCellView(const TKvMCalModel& model, int cellIndex);

struct DayLineView {
    std::string text;  // hidden parts, tags removed, tabs expanded, "，" back to ","
    Colour colour = 0;
    bool bold = false;
    bool strikeOut = false;
    std::string face;  // the DayOfWeek font's face
    int fontHeight = 0;
    Rect rect;  // left at the line margin, top from the line position, right/bottom the cell's
    // Overflow: shorten the text (shortenToWidth) below rect.width() − width(" /"), draw
    // it, then draw "/" with its left at markRight − width("/") and its top at markTop.
    bool overflow = false;
    int markRight = 0;
    int markTop = 0;
};
// The day line in a drawn line position (0 .. ItemGyo − 1), or nothing.
std::optional<DayLineView> dayLineView(const TKvMCalModel& model, int cellIndex, int slot);

struct PeriodBarView {
    PeriodBarShape shape;
    Colour colour = 0;  // text and pen
    int penWidth = 1;
    Colour titleBackground = kUnfilledCellBackground;
    bool selected = false;
};
// The period bar in a drawn line position, or nothing (also for a neighbour-month cell
// while ShowNeighbor is off).
std::optional<PeriodBarView> periodBarView(const TKvMCalModel& model, int cellIndex, int slot);

struct MemoAreaView {
    bool shown = false;
    Rect rect;
    Colour fill = kClWindow;
    Colour textColour = kStandardLineColour;
    int fontHeight = 0;
    int left = 0;
    struct Line {
        std::string text;  // plain: no tags, tabs or comma conversion
        int top = 0;
    };
    std::vector<Line> lines;
};
MemoAreaView memoAreaView(const TKvMCalModel& model);

// The month memo lines (field 3 of every day-77 line) of a month slot, in order.
std::vector<std::string> monthMemoTexts(const MonthSlot& slot);

}  // namespace velmo
