#include "monthview/month_grid.h"

#include <gtest/gtest.h>

#include "store/cp932.h"
#include "store/entry_line.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

using testing::RecordingSleeper;
using testing::ScriptedUserInterface;
using testing::TempFolder;
using P = KvMCalProperties;

std::int32_t jd(int y, int m, int d) {
    return ymdToJuliusDay(y, m, d);
}

std::string line(int day, std::string_view text, std::string_view colour = "") {
    return std::to_string(day) + ",1,," + std::string(text) + "," + std::string(colour) + ",,,,,";
}

// A period line; the start and end fields are written as given.
std::string period(std::string_view start, std::string_view end, std::string_view title,
                   std::string_view colour = "clBlue") {
    return std::string(start) + ",M," + std::string(end) + ",E," + std::string(start) + ",1," +
           std::string(colour) + "," + std::string(title) + ",PC-01,,,,,";
}

std::string sep(int day) {
    return "2024, 9," + std::string(day < 10 ? " " : "") + std::to_string(day);
}

const std::string kHeader = "***** FromTo予定 [Data\\Files1\\]";

// September 2024 shown from slot 1, with August in slot 0 and October in slot 2.
class MonthGridTest : public ::testing::Test {
protected:
    MonthGridTest() : grid(jd(2024, 9, 10)) {
        auto& slots = grid.monthSlots();
        slots[0] = {2024, 8, {}, 0, false, {}};
        slots[1] = {2024, 9, {}, 0, false, {}};
        slots[2] = {2024, 10, {}, 0, false, {}};
        grid.state().CurrentSlot = 1;
        grid.periods().lines = {kHeader};
        grid.setOnRedraw([this] { ++redraws; });
    }

    int cellOf(int y, int m, int d) const { return jd(y, m, d) - grid.firstCellDay(); }
    const CellSlot& at(int y, int m, int d, int slot) const {
        return grid.cellSlot(cellOf(y, m, d), slot);
    }
    std::string periodAt(int d, int slot) const {
        const std::string* text = grid.periodLineOf(at(2024, 9, d, slot));
        return text ? *text : std::string();
    }
    std::vector<int> dayLinePositions(int y, int m, int d) const {
        std::vector<int> positions;
        for (int slot = 0; slot < kSlotsPerCell; ++slot) {
            if (at(y, m, d, slot).kind == SlotKind::DayLine)
                positions.push_back(slot);
        }
        return positions;
    }

    TKvMCalModel grid;
    int redraws = 0;
};

TEST_F(MonthGridTest, PeriodsTakeTheLowestLaneFreeOverTheirSpan) {
    const std::string first = period(sep(3), sep(12), "A");
    const std::string second = period(sep(10), sep(20), "B");
    const std::string third = period(sep(13), sep(15), "C");
    grid.periods().lines = {kHeader, first, second, third};
    grid.relayout();
    EXPECT_EQ(grid.firstCellDay(), jd(2024, 8, 25));
    EXPECT_EQ(periodAt(3, 0), first);
    EXPECT_EQ(periodAt(12, 0), first);
    EXPECT_EQ(periodAt(10, 1), second);
    EXPECT_EQ(periodAt(20, 1), second);
    EXPECT_EQ(periodAt(13, 0), third);
    EXPECT_EQ(at(2024, 9, 16, 0).kind, SlotKind::Free);
    EXPECT_EQ(at(2024, 9, 10, 0).kindText(), "F");
}

TEST_F(MonthGridTest, ALongPeriodKeepsOneLaneInEveryCell) {
    grid.periods().lines = {kHeader, period("2023,12, 1", "2025, 3,31", "長期")};
    grid.relayout();
    for (int cell = 0; cell < kCellCount; ++cell) {
        EXPECT_EQ(grid.cellSlot(cell, 0).kind, SlotKind::Period) << cell;
        EXPECT_EQ(grid.cellSlot(cell, 0).lineIndex, 1);
    }
}

TEST_F(MonthGridTest, DamagedAndUndrawnPeriodsAreSkippedOneByOne) {
    const std::string good = period(sep(5), sep(6), "ok");
    grid.periods().lines = {kHeader,
                            "2024, 9, 1,M,2024, 9, 9",            // too few fields
                            period("2024,?9, 1", sep(9), "bad"),  // not a number
                            period("1582,10, 5", "1582,10,20", "gap"),
                            period(sep(1), sep(30), "hidden", "D"),
                            good,
                            std::string(100000, 'z')};
    grid.relayout();
    EXPECT_EQ(periodAt(5, 0), good);
    EXPECT_EQ(at(2024, 9, 1, 0).kind, SlotKind::Free);
    EXPECT_EQ(at(2024, 9, 5, 1).kind, SlotKind::Free);
}

TEST_F(MonthGridTest, DayLinesPackAtTheBottomOrTheTop) {
    grid.monthSlots()[1].lines = {line(10, "一"), line(10, "二")};
    grid.relayout();
    EXPECT_EQ(dayLinePositions(2024, 9, 10), (std::vector<int>{3, 4}));
    EXPECT_EQ(at(2024, 9, 10, 3).kindText(), "1");
    EXPECT_FALSE(grid.cellOverflows(cellOf(2024, 9, 10)));

    grid.set(&P::UeTume, true);
    EXPECT_EQ(dayLinePositions(2024, 9, 10), (std::vector<int>{0, 1}));
}

TEST_F(MonthGridTest, ABarInTheLastPositionPushesALineIntoOverflow) {
    // Lanes 0..2 from three bars over the 10th and 11th, lane 3 from a bar on the 11th
    // only, so the last bar (sorted after the others by its "09") gets lane 4.
    grid.periods().lines = {kHeader,
                            period(sep(10), sep(11), "A"),
                            period(sep(10), sep(11), "B"),
                            period(sep(10), sep(11), "C"),
                            period(sep(11), sep(11), "D1"),
                            period("2024,09,10", "2024,09,11", "E")};
    grid.monthSlots()[1].lines = {line(10, "一"), line(10, "二")};
    grid.relayout();
    ASSERT_EQ(at(2024, 9, 10, 4).kind, SlotKind::Period);
    ASSERT_EQ(at(2024, 9, 10, 3).kind, SlotKind::DayLine);
    EXPECT_EQ(dayLinePositions(2024, 9, 10), (std::vector<int>{3, 5}));
    EXPECT_TRUE(grid.cellOverflows(cellOf(2024, 9, 10)));
}

TEST_F(MonthGridTest, HiddenLinesTakeNoPosition) {
    grid.monthSlots()[1].lines = {line(10, "a<H>b"), line(10, "c"), line(10, "d</h>e"),
                                  line(10, "f"), line(11, "x<H>y</H>z")};
    grid.relayout();
    EXPECT_EQ(dayLinePositions(2024, 9, 10), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(at(2024, 9, 10, 2).lineIndex, 0);
    EXPECT_EQ(at(2024, 9, 10, 3).lineIndex, 2);
    EXPECT_TRUE(at(2024, 9, 10, 3).hideBlockOpen);
    EXPECT_EQ(at(2024, 9, 10, 4).lineIndex, 3);
    EXPECT_EQ(dayLinePositions(2024, 9, 11), (std::vector<int>{4}));
}

TEST_F(MonthGridTest, NeighbourCellsReadTheNeighbourSlots) {
    grid.monthSlots()[0].lines = {line(31, "八月")};
    grid.monthSlots()[2].lines = {line(1, "十月")};
    grid.monthSlots()[1].lines = {line(31, "wrong month"), line(77, "memo")};
    grid.relayout();
    EXPECT_EQ(at(2024, 8, 31, 4).kindText(), "0");
    EXPECT_EQ(at(2024, 10, 1, 4).kindText(), "2");
    // At the window's first slot the previous month has no slot: its cells stay empty.
    grid.monthSlots()[0] = grid.monthSlots()[1];
    grid.state().CurrentSlot = 0;
    grid.relayout();
    EXPECT_TRUE(dayLinePositions(2024, 8, 31).empty());
    // October now comes from slot 1, which holds September: no lines either.
    EXPECT_TRUE(dayLinePositions(2024, 10, 1).empty());
}

TEST_F(MonthGridTest, JanuaryFollowsDecemberAcrossTheYear) {
    grid.monthSlots()[1] = {2024, 12, {line(2, "十二月")}, 0, false, {}};
    grid.monthSlots()[2] = {2025, 1, {line(2, "一月")}, 0, false, {}};
    grid.showYmd(2024, 12, 1);
    EXPECT_EQ(at(2025, 1, 2, 4).kindText(), "2");
    EXPECT_EQ(at(2024, 12, 2, 4).kindText(), "1");
}

TEST_F(MonthGridTest, ItemGyoIsClampedAndRelayoutClearsEverySlot) {
    for (int i = 0; i < 12; ++i)
        grid.monthSlots()[1].lines.push_back(line(10, "l" + std::to_string(i)));
    grid.set(&P::ItemGyo, 40);
    EXPECT_EQ(grid.properties().ItemGyo, kMaxItemGyo);
    EXPECT_EQ(dayLinePositions(2024, 9, 10).size(), 10u);
    grid.set(&P::ItemGyo, 3);
    EXPECT_EQ(dayLinePositions(2024, 9, 10), (std::vector<int>{0, 1, 2, 3}));
    // Lines removed after the layout: the stale slot names nothing.
    grid.monthSlots()[1].lines.clear();
    EXPECT_EQ(grid.dayLineOf(at(2024, 9, 10, 0)), nullptr);
}

TEST_F(MonthGridTest, ByteSettersSaturate) {
    grid.set(&P::LenDayW, 300);
    EXPECT_EQ(grid.properties().LenDayW, 255);
    grid.set(&P::LenDayW, -5);
    EXPECT_EQ(grid.properties().LenDayW, 1);
    grid.set(&P::LenDayH, 0);
    EXPECT_EQ(grid.properties().LenDayH, 1);
}

TEST_F(MonthGridTest, SortingThePeriodLinesClearsTheSelectionWhenLinesMove) {
    const std::string late = period(sep(20), sep(21), "late");
    const std::string early = period(sep(2), sep(3), "early");
    grid.periods().lines = {kHeader, early, late};
    grid.periods().selectedPeriod = 2;
    grid.relayout();
    EXPECT_EQ(grid.periods().selectedPeriod, 2);
    grid.periods().lines = {kHeader, late, early};
    grid.relayout();
    EXPECT_EQ(grid.periods().lines, (LineList{kHeader, early, late}));
    EXPECT_EQ(grid.periods().selectedPeriod, 0);
}

TEST_F(MonthGridTest, SettersRelayoutUnlessSkipped) {
    grid.monthSlots()[1].lines = {line(10, "一")};
    grid.relayout();
    const int before = redraws;
    grid.set(&P::NeighborJump, true);
    grid.set(&P::ItemGyo, 5);  // unchanged
    EXPECT_EQ(redraws, before);

    grid.set(&P::SkipUpDate2, true);
    grid.set(&P::ItemGyo, 2);
    EXPECT_EQ(redraws, before);
    EXPECT_EQ(dayLinePositions(2024, 9, 10), (std::vector<int>{4}));  // old layout
    grid.set(&P::SkipUpDate2, false);
    EXPECT_EQ(redraws, before);
    grid.set(&P::UeTume, true);
    EXPECT_EQ(redraws, before + 1);
    EXPECT_EQ(dayLinePositions(2024, 9, 10), (std::vector<int>{0}));

    grid.state().Suspended = true;
    grid.set(&P::UeTume, false);
    EXPECT_EQ(redraws, before + 1);
}

TEST_F(MonthGridTest, MetricsChangeOnlyThroughUpdateMetrics) {
    grid.set(&P::LenFontYoteiH, 20);
    EXPECT_EQ(grid.metrics().LinePitch, 18);
    grid.updateMetrics();
    EXPECT_EQ(grid.metrics().LinePitch, 22);
    grid.set(&P::LenDayW, 90);
    grid.updateMetrics();
    EXPECT_EQ(grid.metrics().CellThird, 31);
}

TEST_F(MonthGridTest, DateSettersAndDayChangeEvent) {
    std::vector<Ymd> events;
    grid.setOnDayChange([&](int y, int m, int d) { events.push_back({y, m, d}); });
    grid.setJuliusDay(jd(2024, 9, 10));
    EXPECT_TRUE(events.empty());
    grid.setDay(31);  // 31 September does not exist
    EXPECT_TRUE(events.empty());
    grid.setMonth(10);
    grid.setYear(1582);  // 1582-10-10 lies in the gap
    grid.setMonth(6);
    EXPECT_EQ(events, (std::vector<Ymd>{{2024, 10, 10}, {2024, 6, 10}}));
    EXPECT_EQ(grid.firstCellDay(), jd(2024, 5, 26));
    grid.showYmd(2024, 2, 31);
    EXPECT_EQ(grid.juliusDay(), jd(2024, 2, 29));
    grid.showYmd(2024, 13, 5);
    EXPECT_EQ(grid.juliusDay(), jd(2025, 1, 5));
}

TEST_F(MonthGridTest, RelayoutClearsClickMarkAfterDrawingIt) {
    bool markSeen = false;
    grid.setOnRedraw([&] { markSeen = grid.state().ClickMark; });
    grid.state().ClickMark = true;
    grid.relayout();
    EXPECT_TRUE(markSeen);
    EXPECT_TRUE(grid.clickMarkDrawn());
    EXPECT_FALSE(grid.state().ClickMark);
    grid.redrawGrid();
    EXPECT_FALSE(grid.clickMarkDrawn());
}

TEST_F(MonthGridTest, DeletePeriodAsksFirst) {
    const std::string a = period(sep(2), sep(3), "a");
    const std::string b = period(sep(5), sep(6), "b");
    grid.periods().lines = {kHeader, a, b};
    grid.periods().selectedPeriod = 2;
    ScriptedUserInterface ui;
    LocalFolderHooks local;
    EXPECT_FALSE(grid.deletePeriod(0, ui, local).changed);
    EXPECT_FALSE(grid.deletePeriod(3, ui, local).changed);
    EXPECT_TRUE(ui.shown().empty());

    ui.answer(false);
    EXPECT_FALSE(grid.deletePeriod(2, ui, local).changed);
    EXPECT_EQ(grid.periods().lines.size(), 3u);
    ui.answer(true);
    EXPECT_TRUE(grid.deletePeriod(2, ui, local).changed);
    EXPECT_EQ(grid.periods().lines, (LineList{kHeader, a}));
    EXPECT_EQ(grid.periods().selectedPeriod, 0);
    EXPECT_EQ(at(2024, 9, 5, 0).kind, SlotKind::Free);

    ASSERT_EQ(ui.shown().size(), 2u);
    EXPECT_EQ(ui.shown()[0].text, "この予定を削除してもいいですか？");
    EXPECT_EQ(ui.shown()[0].caption, "確認");
    EXPECT_EQ(ui.shown()[0].defaultButton, DefaultButton::No);
}

TEST_F(MonthGridTest, QueryCellForTheExport) {
    grid.rules().setSpecialDayList({"9,10,記念A", "9,10,記念B"});
    grid.rules().setHolidayList({"9,10,祝日"});
    grid.monthSlots()[1].lines = {line(10, "一，二"), line(10, "三")};
    grid.relayout();
    // 10 September 2024: week row 3, column 2.
    const CellQuery query = grid.queryCell(2, 3);
    EXPECT_EQ(query.month, 9);
    EXPECT_EQ(query.day, 10);
    EXPECT_EQ(query.names, "記念A,記念B,祝日");
    EXPECT_EQ(query.specialNames, "記念A，記念B ");
    EXPECT_EQ(query.holidayName, "祝日");
    EXPECT_EQ(query.lines, (std::array<std::string, 5>{"", "", "", "一,二", "三"}));

    grid.set(&P::ShowRokuyo, true);
    const CellQuery rokuyo = grid.queryCell(2, 3);
    EXPECT_EQ(rokuyo.names, "記念A,記念B,祝日");
    EXPECT_TRUE(rokuyo.specialNames.empty());
    EXPECT_EQ(rokuyo.lines[3], "");
    EXPECT_EQ(grid.queryCell(2, 0).month, 0);
}

TEST_F(MonthGridTest, DataKyoFileReadsTheSpecialDays) {
    TempFolder folder;
    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    grid.rules().setSpecialDayList({"1,1,old"});
    // No Sday.myc there: the list stays.
    grid.setDataKyoFile(folder.path().string() + "/", ui, sleeper);
    EXPECT_EQ(grid.rules().specialDayList(), (std::vector<std::string>{"1,1,old"}));

    TempFolder other;
    other.write("sday.myc", cp932::encode("9,10,記念日\r\nx,1,bad\r\n"));
    grid.setDataKyoFile(other.path().string() + "/", ui, sleeper);
    EXPECT_EQ(grid.dayNames(2024, 9, 10).names, "記念日");
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{"スペシャルDayファイル読込ミス\r\n処理は続けます。"}));
}

TEST(TKvMCalModelDefaults, FontsAndState) {
    TKvMCalModel grid(ymdToJuliusDay(2024, 6, 15));
    EXPECT_EQ(grid.state().TodayDay, grid.juliusDay());
    EXPECT_EQ(grid.firstCellDay(), ymdToJuliusDay(2024, 5, 26));
    EXPECT_EQ(grid.fonts().font(cfSunday).size, 12);
    EXPECT_EQ(grid.fonts().font(cfSunday).colour, 0x0000FFu);
    EXPECT_EQ(grid.fonts().font(cfSpecialDay).colour, 0x008000u);
    EXPECT_EQ(grid.fonts().font(cfRokuyo).size, 10);
    EXPECT_EQ(grid.controlSize(), (Size{899, 597}));
    // A special day keeps its weekday's font in the month view.
    EXPECT_EQ(grid.dayFontIndex(dfSunday | dfSpecial), cfSunday);
    EXPECT_EQ(grid.dayFontIndex(dfSaturday | dfHoliday), cfHoliday);

    int redraws = 0;
    grid.setOnRedraw([&] { ++redraws; });
    CalFont font = grid.fonts().font(cfWeekday);
    font.colour = 0x123456;
    grid.fonts().setSynchronize(true);
    grid.fonts().setFont(cfWeekday, font);
    EXPECT_EQ(grid.fonts().font(cfRokuyo), font);
    EXPECT_EQ(redraws, 1);
}

}  // namespace
}  // namespace velmo
