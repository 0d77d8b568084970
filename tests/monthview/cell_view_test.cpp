#include "monthview/cell_view.h"

#include <gtest/gtest.h>

#include "calendar/lunisolar.h"

namespace velmo {
namespace {

using P = KvMCalProperties;

std::int32_t jd(int y, int m, int d) {
    return ymdToJuliusDay(y, m, d);
}

std::string line(int day, std::string_view text, std::string_view colour = "") {
    return std::to_string(day) + ",1,," + std::string(text) + "," + std::string(colour) + ",,,,,";
}

const std::string kHeader = "***** FromTo予定 [Data\\Files1\\]";

// September 2024 with today on the 10th; cell 0 is Sunday 25 August.
class CellViewTest : public ::testing::Test {
protected:
    CellViewTest() : grid(jd(2024, 9, 10)) {
        grid.monthSlots()[0] = {2024, 8, {}, 0, false, {}};
        grid.monthSlots()[1] = {2024, 9, {}, 0, false, {}};
        grid.state().CurrentSlot = 1;
        grid.periods().lines = {kHeader};
        grid.relayout();
    }
    int cellOf(int y, int m, int d) const { return jd(y, m, d) - grid.firstCellDay(); }
    DayCellView cell(int y, int m, int d) const { return dayCellView(grid, cellOf(y, m, d)); }

    TKvMCalModel grid;
};

TEST_F(CellViewTest, TodayIsFilledUnlessARangeOrTheClickMarkCoversIt) {
    EXPECT_EQ(cell(2024, 9, 10).fill, kTodayColour);
    EXPECT_EQ(cell(2024, 9, 11).fill, std::nullopt);
    EXPECT_EQ(cell(2024, 9, 11).titleBackground, kUnfilledCellBackground);

    grid.state().RangeStart = jd(2024, 9, 9);
    grid.state().RangeEnd = jd(2024, 9, 10);
    EXPECT_EQ(cell(2024, 9, 10).fill, kRangeColour);
    EXPECT_EQ(cell(2024, 9, 11).fill, kClWindow);
    EXPECT_EQ(cell(2024, 9, 11).titleBackground, kClWindow);

    grid.state().RangeStart = 0;
    grid.state().ClickedDay = jd(2024, 9, 10);
    grid.state().ClickMark = true;
    grid.redrawGrid();
    EXPECT_EQ(cell(2024, 9, 10).fill, kClickMarkColour);

    // Today in a neighbour month is not highlighted.
    grid.state().TodayDay = jd(2024, 8, 30);
    EXPECT_EQ(cell(2024, 8, 30).fill, std::nullopt);
}

TEST_F(CellViewTest, HiddenNeighboursShowOnlyARangeFill) {
    grid.set(&P::ShowNeighbor, false);
    const DayCellView hidden = cell(2024, 8, 25);
    EXPECT_FALSE(hidden.drawContent);
    EXPECT_EQ(hidden.fill, std::nullopt);
    EXPECT_EQ(hidden.grid, (GridLines{}));
    grid.state().RangeStart = jd(2024, 8, 25);
    grid.state().RangeEnd = jd(2024, 8, 26);
    EXPECT_EQ(cell(2024, 8, 25).fill, kRangeColour);
    EXPECT_FALSE(cell(2024, 8, 25).drawContent);
}

TEST_F(CellViewTest, NeighbourDayNumbersAreTinted) {
    EXPECT_EQ(cell(2024, 8, 25).numberColour, 0xC0C0FFu);  // a Sunday: red OR silver
    EXPECT_EQ(cell(2024, 8, 31).numberColour, 0xFFC0C0u);  // a Saturday: blue OR silver
    EXPECT_EQ(cell(2024, 8, 27).numberColour, 0xC0C0C0u);
    grid.rules().setHolidayList({"8,27,祝日"});
    EXPECT_EQ(cell(2024, 8, 27).numberColour, 0xC0C0C0u);  // a weekday holiday stays plain
    EXPECT_EQ(cell(2024, 9, 15).numberColour, 0x0000FFu);
    EXPECT_EQ(cell(2024, 9, 15).numberFontHeight, 18);
    EXPECT_EQ(cell(2024, 8, 27).numberFontHeight, 16);
    EXPECT_EQ(cell(2024, 8, 27).names, (std::vector<NamePiece>{{"祝日", 0xC0C0FFu}}));
}

TEST_F(CellViewTest, RokuyoOnlyWhenShown) {
    EXPECT_EQ(cell(2024, 9, 10).rokuyoText, "");
    grid.set(&P::ShowRokuyo, true);
    const DayCellView shown = cell(2024, 9, 10);
    EXPECT_EQ(shown.rokuyoText, " " + std::string(rokuyoName(rokuyoOf(jd(2024, 9, 10)))) + " ");
    EXPECT_EQ(cell(2024, 8, 27).rokuyoColour, 0xC0C0C0u);
}

TEST_F(CellViewTest, DayLinesCarryTextColourTagsAndPosition) {
    grid.monthSlots()[1].lines = {line(10, "<b>会議</B>\t１，２", "clRed"),
                                  line(10, "x<H>y", "bad colour")};
    grid.monthSlots()[0].lines = {line(30, "前月", "$00000080")};
    grid.relayout();
    const int c = cellOf(2024, 9, 10);
    const std::optional<DayLineView> first = dayLineView(grid, c, 3);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->text, "会議   １,２");
    EXPECT_TRUE(first->bold);
    EXPECT_FALSE(first->strikeOut);
    EXPECT_EQ(first->colour, 0x0000FFu);
    const Rect r = cellRectOfIndex(grid.properties(), c);
    // top = cell top + DateBand + 3 × LinePitch + LinePitch − text height
    EXPECT_EQ(first->rect, (Rect{r.left + 8, r.top + 25 + 3 * 18 + 18 - 16, r.right, r.bottom}));

    const std::optional<DayLineView> second = dayLineView(grid, c, 4);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->text, "x");
    EXPECT_EQ(second->colour, kStandardLineColour);  // an unreadable colour
    EXPECT_FALSE(dayLineView(grid, c, 0));
    EXPECT_FALSE(dayLineView(grid, c, 5));  // the overflow slot is never drawn

    const std::optional<DayLineView> neighbour = dayLineView(grid, cellOf(2024, 8, 30), 4);
    ASSERT_TRUE(neighbour);
    EXPECT_EQ(neighbour->colour, 0x800000u | 0xC0C0C0u);
}

TEST_F(CellViewTest, OverflowMarkOnTheLastDrawnLine) {
    grid.set(&P::ItemGyo, 3);
    for (int i = 0; i < 5; ++i)
        grid.monthSlots()[1].lines.push_back(line(10, "l" + std::to_string(i)));
    grid.relayout();
    const int c = cellOf(2024, 9, 10);
    EXPECT_FALSE(dayLineView(grid, c, 1)->overflow);
    const DayLineView last = *dayLineView(grid, c, 2);
    EXPECT_TRUE(last.overflow);
    EXPECT_EQ(last.text, "l2");
    EXPECT_EQ(last.markRight, last.rect.right - 2);
    EXPECT_EQ(last.markTop, last.rect.bottom - 16 - 1);
    EXPECT_TRUE(dayCellView(grid, c).overflow);
}

TEST_F(CellViewTest, PeriodBarsAndTheSelectedPeriod) {
    grid.periods().lines = {kHeader, "2024, 8,30,A,2024, 9,11,M,2024, 9, 2,5,clBlue,旅行,PC,,,,,"};
    grid.relayout();
    const std::optional<PeriodBarView> start = periodBarView(grid, cellOf(2024, 8, 30), 0);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->colour, 0xFF0000u | 0xC0C0C0u);  // neighbour month
    EXPECT_EQ(start->penWidth, 1);                    // 5 is not a drawn width
    EXPECT_EQ(start->shape.part, BarPart::Start);
    EXPECT_TRUE(periodBarView(grid, cellOf(2024, 9, 2), 0)->shape.drawTitle);
    EXPECT_EQ(periodBarView(grid, cellOf(2024, 9, 11), 0)->shape.part, BarPart::End);

    grid.periods().selectedPeriod = 1;
    grid.redrawGrid();
    const PeriodBarView selected = *periodBarView(grid, cellOf(2024, 9, 5), 0);
    EXPECT_TRUE(selected.selected);
    EXPECT_EQ(selected.colour, kSelectedPeriodColour);
    EXPECT_EQ(selected.penWidth, 3);

    grid.set(&P::ShowNeighbor, false);
    EXPECT_FALSE(periodBarView(grid, cellOf(2024, 8, 30), 0));
}

TEST_F(CellViewTest, HeaderCells) {
    const HeaderCellView sunday = headerCellView(grid, 0);
    EXPECT_EQ(sunday.text, "日");
    EXPECT_EQ(sunday.textColour, 0x0000FFu);
    EXPECT_EQ(sunday.fillRect, (Rect{1, 1, 128, 24}));
    EXPECT_EQ(sunday.fill, 0xE1E1E1u);
    EXPECT_EQ(headerCellView(grid, 6).textColour, 0xFF0000u);
    grid.set(&P::FirstDayOfWeek, dowMon);
    EXPECT_EQ(headerCellView(grid, 0).text, "月");
    EXPECT_EQ(headerCellView(grid, 0).textColour, 0x000000u);
}

TEST_F(CellViewTest, MonthMemoArea) {
    grid.monthSlots()[1].lines = {line(77, "メモ1"), line(3, "予定"), line(77, "メモ<b>2")};
    EXPECT_FALSE(memoAreaView(grid).shown);
    grid.set(&P::TukiMemo, true);
    EXPECT_TRUE(grid.memoShown());
    MemoAreaView memo = memoAreaView(grid);
    ASSERT_EQ(memo.lines.size(), 2u);
    EXPECT_EQ(memo.lines[1].text, "メモ<b>2");
    const int base = memo.rect.top + 23 + 2 - 18;
    EXPECT_EQ(memo.lines[0].top, base + 18 - 16);
    EXPECT_EQ(memo.left, 3 * 128 + 8);

    grid.set(&P::TukiMUeTume, false);  // packed at the bottom of ItemGyo + 1 lines
    memo = memoAreaView(grid);
    EXPECT_EQ(memo.lines[0].top, base + 18 * 4 + 18 - 16);
}

}  // namespace
}  // namespace velmo
