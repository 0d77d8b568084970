#include "monthview/month_interaction.h"

#include <gtest/gtest.h>

#include "monthview/month_grid.h"
#include "tests/support/scripted_user_interface.h"

namespace velmo {
namespace {

using testing::ScriptedUserInterface;
using P = KvMCalProperties;
using C = MonthMenuCommand;

std::int32_t jd(int y, int m, int d) {
    return ymdToJuliusDay(y, m, d);
}
std::int32_t sep(int d) {
    return jd(2024, 9, d);
}

std::string dateText(std::int32_t day) {
    const Ymd d = juliusDayToYmd(day);
    return std::to_string(d.month) + "/" + std::to_string(d.day);
}

// Records every call of the main window's side.
class RecordingHost final : public MonthViewHost {
public:
    void cancelAutoResident() override { ++autoResidentCancels; }
    void openDayEditor(std::int32_t day) override { calls.push_back("day " + dateText(day)); }
    void openMonthMemo() override { calls.push_back("memo"); }
    void openNewPeriod(const NewPeriodRange& r) override {
        calls.push_back("new " + dateText(r.startDay) + ":" + std::to_string(r.startThird) + "-" +
                        dateText(r.endDay) + ":" + std::to_string(r.endThird));
    }
    void openPeriod(int index) override { calls.push_back("period " + std::to_string(index)); }
    void showPopupMenu(PopupMenuKind kind, Point) override {
        calls.push_back(kind == PopupMenuKind::Month ? "menu" : "delete menu");
    }
    void editMemorialDay(std::int32_t day) override {
        calls.push_back("memorial " + dateText(day));
    }
    void copyDay(std::int32_t day) override { calls.push_back("copy " + dateText(day)); }
    void pasteDay(std::int32_t day) override { calls.push_back("paste " + dateText(day)); }
    void runMemoCommand() override { calls.push_back("memo command"); }
    void deleteSelectedPeriod() override { calls.push_back("delete"); }

    std::vector<std::string> take() { return std::exchange(calls, {}); }

    std::vector<std::string> calls;
    int autoResidentCancels = 0;
};

using Calls = std::vector<std::string>;

const std::string kHeader = "***** FromTo予定 [Data\\Files1\\]";

// September 2024 (slot 1) with today the 10th, in rows of 120 pixels. The grid starts on
// Sunday 25 August; row 6 holds 29, 30 September and 1..5 October. The 10th has one line, which the
// bottom packing puts into line position 5; a period runs from the 3rd to the 12th in line
// position 1.
class MonthInteractionTest : public ::testing::Test {
protected:
    MonthInteractionTest() : model(sep(10)), interaction(model, host, ui) {
        auto& slots = model.monthSlots();
        for (int i = 0; i < 5; ++i)
            slots[static_cast<std::size_t>(i)] = {2024, 8 + i, {}, 0, false, {}};
        slots[1].lines = {"10,1,,会議,,,,,,"};
        model.state().CurrentSlot = 1;
        // Rows tall enough for all five line positions (25 + 5 × 18).
        model.set(&P::LenDayH, 120);
        model.periods().lines = {kHeader,
                                 "2024, 9, 3,M,2024, 9,12,E,2024, 9, 3,1,clBlue,出張,PC-01,,,,,"};
        model.relayout();
    }

    // A point in the cell of a day: line position 1..5, or 6 for the date band; third 1..3.
    Point at(std::int32_t day, int linePosition = 3, int third = 2) const {
        const int index = day - model.firstCellDay();
        const int x = index % 7 * 128 + (third == 1 ? 10 : third == 2 ? 64 : 120);
        const int top = 24 + index / 7 * 120;
        const int y = linePosition == 6 ? top + 10 : top + 25 + (linePosition - 1) * 18 + 9;
        return {x, y};
    }
    void click(Point p, Modifiers m = kNoModifier, MouseButton b = MouseButton::Left) {
        interaction.press(p, b, m);
        interaction.release(p, b, m);
    }
    void doubleClick(Point p, Modifiers m = kNoModifier) {
        click(p, m);
        interaction.doubleClick(p, MouseButton::Left, m);
        interaction.release(p, MouseButton::Left, m);
    }
    void rightClick(Point p) { click(p, kNoModifier, MouseButton::Right); }
    void drag(Point from, Point to, Modifiers m) {
        interaction.press(from, MouseButton::Left, m);
        interaction.move(to, m);
        interaction.release(to, MouseButton::Left, m);
    }

    KvMCalState& s() { return model.state(); }

    TKvMCalModel model;
    RecordingHost host;
    ScriptedUserInterface ui;
    MonthInteraction interaction;
};

TEST_F(MonthInteractionTest, PressesSelectDaysOfTheMonthButNotTheHeader) {
    interaction.press({2 * 128 + 5, 10}, MouseButton::Left, kNoModifier);
    EXPECT_EQ(s().ClickedDay, jd(2024, 8, 20));
    EXPECT_EQ(model.juliusDay(), sep(10));
    EXPECT_FALSE(s().ClickedInMonth);
    interaction.release({2 * 128 + 5, 10}, MouseButton::Left, kCtrl);
    EXPECT_EQ(host.take(), Calls{});

    click(at(sep(20)));
    EXPECT_EQ(model.juliusDay(), sep(20));
    EXPECT_TRUE(s().ClickedInMonth);
    EXPECT_EQ(host.autoResidentCancels, 2);
    EXPECT_EQ(host.take(), Calls{});
}

TEST_F(MonthInteractionTest, NeighbourDaysMoveOnlyWithNeighborJumpAndTheLeftButton) {
    click(at(jd(2024, 8, 27)));
    EXPECT_EQ(model.juliusDay(), sep(10));
    EXPECT_FALSE(s().ClickedInMonth);

    model.set(&P::NeighborJump, true);
    rightClick(at(jd(2024, 8, 27)));
    EXPECT_EQ(model.juliusDay(), sep(10));
    EXPECT_EQ(host.take(), Calls{"menu"});

    // First row: one month back, into slot 0.
    click(at(jd(2024, 8, 27)));
    EXPECT_EQ(model.juliusDay(), jd(2024, 8, 27));
    EXPECT_EQ(s().CurrentSlot, 0);
    EXPECT_TRUE(s().JumpedToNeighbour);

    // Slot 0 is the window's first month: a further jump back leaves the window.
    click(at(jd(2024, 7, 30)));
    EXPECT_EQ(model.juliusDay(), jd(2024, 7, 30));
    EXPECT_EQ(s().CurrentSlot, 0);
    EXPECT_TRUE(s().OutOfWindow);

    // Row 6 of September jumps forward.
    s().OutOfWindow = false;
    s().CurrentSlot = 1;
    model.setJuliusDay(sep(10));
    click(at(jd(2024, 10, 2)));
    EXPECT_EQ(s().CurrentSlot, 2);
    EXPECT_TRUE(s().JumpForward);
    // A click that jumped opens nothing, even on a line or with Ctrl.
    EXPECT_EQ(host.take(), Calls{});
}

TEST_F(MonthInteractionTest, MonthMemoAreaOpensWithCtrlOrADoubleClick) {
    model.set(&P::TukiMemo, true);
    const Point memo = at(jd(2024, 10, 3));
    click(memo);
    EXPECT_TRUE(s().MemoClicked);
    EXPECT_EQ(model.juliusDay(), sep(10));
    EXPECT_TRUE(interaction.mouseState().memoPressed);
    EXPECT_EQ(host.take(), Calls{});
    interaction.doubleClick(memo, MouseButton::Left, kNoModifier);
    interaction.release(memo, MouseButton::Left, kNoModifier);
    EXPECT_EQ(host.take(), Calls{"memo"});

    // Ctrl+click opens at once; the double-click that may follow does not.
    click(memo, kCtrl);
    interaction.doubleClick(memo, MouseButton::Left, kCtrl);
    EXPECT_EQ(host.take(), Calls{"memo"});

    // Column 3 of the last row (2 October) is the memo too; column 2 is a day.
    click(at(jd(2024, 10, 2)), kCtrl);
    EXPECT_EQ(host.take(), Calls{"memo"});
    click(at(jd(2024, 10, 1)));
    EXPECT_FALSE(s().MemoClicked);
    EXPECT_FALSE(interaction.mouseState().memoPressed);

    model.set(&P::TukiMemo, false);
    click(memo, kCtrl);
    EXPECT_FALSE(s().MemoClicked);
    EXPECT_EQ(host.take(), Calls{});
}

TEST_F(MonthInteractionTest, ScheduleLinesOpenAtOnceEmptyPartsNeedCtrlOrADoubleClick) {
    click(at(sep(10), 5));
    EXPECT_EQ(host.take(), Calls{"day 9/10"});
    // The double-click that may follow the opening click is swallowed.
    interaction.doubleClick(at(sep(10), 5), MouseButton::Left, kNoModifier);
    EXPECT_EQ(host.take(), Calls{});

    click(at(sep(10), 2));
    EXPECT_EQ(host.take(), Calls{});
    click(at(sep(10), 6), kCtrl);
    EXPECT_EQ(host.take(), Calls{"day 9/10"});
    doubleClick(at(sep(20), 2));
    EXPECT_EQ(host.take(), Calls{"day 9/20"});

    // Pressing one day and letting go over another opens nothing.
    interaction.press(at(sep(11)), MouseButton::Left, kNoModifier);
    interaction.release(at(sep(10), 5), MouseButton::Left, kNoModifier);
    EXPECT_EQ(host.take(), Calls{});
    // Shift marks ranges: a Shift-click on a line marks a one-day period instead.
    click(at(sep(10), 5), kShift);
    EXPECT_EQ(host.take(), Calls{"new 9/10:2-9/10:2"});

    // An editor opened long ago does not swallow a later double-click.
    click(at(sep(10), 5));
    click(at(sep(20), 2));
    interaction.doubleClick(at(sep(20), 2), MouseButton::Left, kNoModifier);
    EXPECT_EQ(host.take(), (Calls{"day 9/10", "day 9/20"}));
}

TEST_F(MonthInteractionTest, ReleasesOffTheCellsOpenNothing) {
    const Point margin{7 * 128 + 1, at(sep(14), 5).y};
    // Pressed on the 10th's line, let go in the control's extra pixels.
    interaction.press(at(sep(10), 5), MouseButton::Left, kCtrl);
    interaction.release(margin, MouseButton::Left, kCtrl);
    // Pressed in the extra pixels, let go on a cell.
    interaction.press(margin, MouseButton::Left, kCtrl);
    EXPECT_EQ(model.juliusDay(), sep(10));
    interaction.release(at(sep(14), 5), MouseButton::Left, kCtrl);
    interaction.doubleClick(margin, MouseButton::Left, kNoModifier);
    interaction.release(margin, MouseButton::Left, kNoModifier);
    // A release with no press before it.
    interaction.release(at(sep(10), 5), MouseButton::Left, kCtrl);
    EXPECT_EQ(host.take(), Calls{});
}

TEST_F(MonthInteractionTest, RangeDragsWithAltOrShiftInBothDirections) {
    for (Modifiers m : {kAlt, kShift}) {
        interaction.press(at(sep(5), 3, 1), MouseButton::Left, m);
        interaction.move(at(sep(6)), m);
        interaction.move(at(sep(8), 2), m);
        EXPECT_EQ(s().RangeStart, sep(5));
        EXPECT_EQ(s().RangeEnd, sep(8));
        interaction.release(at(sep(8), 2, 3), MouseButton::Left, m);
        EXPECT_EQ(host.take(), Calls{"new 9/5:1-9/8:3"});
        EXPECT_EQ(s().RangeStart, 0);
    }

    // Backwards: highlighted and handed over in calendar order.
    interaction.press(at(sep(8), 3, 3), MouseButton::Left, kAlt);
    interaction.move(at(sep(5)), kAlt);
    EXPECT_EQ(s().RangeStart, sep(5));
    EXPECT_EQ(s().RangeEnd, sep(8));
    interaction.release(at(sep(5), 3, 1), MouseButton::Left, kAlt);
    EXPECT_EQ(host.take(), Calls{"new 9/5:1-9/8:3"});
    // Within one day, a right-to-left drag.
    drag(at(sep(17), 3, 3), at(sep(17), 3, 1), kAlt);
    EXPECT_EQ(host.take(), Calls{"new 9/17:1-9/17:3"});
}

TEST_F(MonthInteractionTest, RangeDragsEndingOffTheDaysCreateNothing) {
    // Over the header the range keeps its last end; a release there opens nothing.
    interaction.press(at(sep(5)), MouseButton::Left, kAlt);
    interaction.move(at(sep(6)), kAlt);
    interaction.move({3 * 128, 5}, kAlt);
    EXPECT_EQ(s().RangeEnd, sep(6));
    interaction.release({3 * 128, 5}, MouseButton::Left, kAlt);
    EXPECT_EQ(s().RangeStart, 0);

    // Dragged out of the control.
    drag(at(sep(5)), {2000, 100}, kAlt);
    EXPECT_EQ(host.take(), Calls{});

    // The used-up start is not taken up by a later Alt release without an Alt press.
    drag(at(sep(2)), at(sep(4)), kAlt);
    EXPECT_EQ(host.take(), Calls{"new 9/2:2-9/4:2"});
    interaction.press(at(sep(20), 2), MouseButton::Left, kNoModifier);
    interaction.release(at(sep(20), 2), MouseButton::Left, kAlt);
    EXPECT_EQ(host.take(), Calls{});

    // A plain press takes a highlight away.
    interaction.press(at(sep(5)), MouseButton::Left, kAlt);
    interaction.press(at(sep(7)), MouseButton::Left, kNoModifier);
    EXPECT_EQ(s().RangeStart, 0);
}

TEST_F(MonthInteractionTest, MenuMarkingOpensTheEditorOrComplainsAboutTheOrder) {
    rightClick(at(sep(12), 3, 1));
    EXPECT_EQ(host.take(), Calls{"menu"});
    EXPECT_FALSE(interaction.runMenuCommand(C::PeriodEnd));
    ASSERT_TRUE(interaction.runMenuCommand(C::PeriodStart));
    EXPECT_EQ(s().RangeStart, sep(12));
    EXPECT_TRUE(interaction.menuState().markingWaits);
    EXPECT_FALSE(interaction.runMenuCommand(C::EditDay));

    rightClick(at(sep(15), 3, 3));
    ASSERT_TRUE(interaction.runMenuCommand(C::PeriodEnd));
    EXPECT_EQ(host.take(), (Calls{"menu", "new 9/12:1-9/15:3"}));
    EXPECT_EQ(s().RangeStart, 0);
    EXPECT_FALSE(interaction.menuState().markingWaits);

    rightClick(at(sep(15)));
    interaction.runMenuCommand(C::PeriodStart);
    rightClick(at(sep(12)));
    interaction.runMenuCommand(C::PeriodEnd);
    EXPECT_EQ(host.take(), (Calls{"menu", "menu"}));
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].text, "初めと終わりが逆です。");
    EXPECT_EQ(ui.shown()[0].caption, "確認 -ベルモ-");
    EXPECT_EQ(s().RangeStart, 0);
    EXPECT_EQ(s().RangeEnd, 0);

    // One day, end third before the start third: the thirds are put in order.
    rightClick(at(sep(18), 3, 3));
    interaction.runMenuCommand(C::PeriodStart);
    rightClick(at(sep(18), 3, 1));
    interaction.runMenuCommand(C::PeriodEnd);
    EXPECT_EQ(host.take(), (Calls{"menu", "menu", "new 9/18:1-9/18:3"}));
}

TEST_F(MonthInteractionTest, PeriodBarsAreSelectedThenOpened) {
    click(at(sep(11), 1));
    EXPECT_EQ(model.periods().selectedPeriod, 1);
    EXPECT_EQ(interaction.popupMenu(), PopupMenuKind::DeletePeriod);
    EXPECT_EQ(host.take(), Calls{});
    click(at(sep(5), 1));
    EXPECT_EQ(host.take(), Calls{"period 1"});

    // Opening it made the month menu current again.
    rightClick(at(sep(5), 1));
    EXPECT_EQ(host.take(), Calls{"menu"});

    // While selected, the right button shows the delete menu without marking the day;
    // the next right click shows the month menu again.
    click(at(sep(6), 2));
    click(at(sep(11), 1));
    rightClick(at(sep(11), 1));
    EXPECT_FALSE(s().ClickMark);
    rightClick(at(sep(11), 1));
    EXPECT_TRUE(s().ClickMark);
    EXPECT_EQ(host.take(), (Calls{"delete menu", "menu"}));

    click(at(sep(6), 2));
    EXPECT_EQ(model.periods().selectedPeriod, 0);
    EXPECT_EQ(interaction.popupMenu(), PopupMenuKind::Month);
    EXPECT_FALSE(interaction.runMenuCommand(C::DeletePeriod));

    // A double-click on a bar selects it and opens it.
    doubleClick(at(sep(4), 1));
    EXPECT_EQ(host.take(), Calls{"period 1"});
    EXPECT_TRUE(interaction.runMenuCommand(C::DeletePeriod));
    EXPECT_TRUE(interaction.runMenuCommand(C::CancelDelete));
    EXPECT_EQ(host.take(), Calls{"delete"});

    // A bar in a neighbour cell that is not drawn cannot be clicked.
    model.periods().selectedPeriod = 0;
    model.periods().lines.push_back("2024, 8,26,M,2024, 9, 1,E,2024, 8,26,1,clRed,旅行,PC-01,,,,,");
    model.set(&P::ShowNeighbor, false);
    click(at(jd(2024, 8, 28), 1));
    EXPECT_EQ(model.periods().selectedPeriod, 0);
    click(at(sep(1), 1));
    EXPECT_GT(model.periods().selectedPeriod, 0);
}

TEST_F(MonthInteractionTest, RightClickMarksTheDayAndCommandsActOnIt) {
    int redraws = 0;
    model.setOnRedraw([&] { ++redraws; });
    interaction.press(at(sep(10), 2, 3), MouseButton::Right, kNoModifier);
    EXPECT_TRUE(s().ClickMark);
    EXPECT_EQ(redraws, 1);  // the selected day: no relayout follows, so it redraws itself
    interaction.release(at(sep(10), 2, 3), MouseButton::Right, kNoModifier);
    EXPECT_EQ(interaction.mouseState().rightClickedDay, sep(10));
    EXPECT_EQ(interaction.mouseState().rightClickedThird, 3);

    for (C command : {C::EditDay, C::MemorialDay, C::DayCopy, C::DayPaste, C::Memo})
        EXPECT_TRUE(interaction.runMenuCommand(command));
    EXPECT_FALSE(s().ClickMark);
    EXPECT_FALSE(interaction.runMenuCommand(C::Files1));
    EXPECT_EQ(host.take(), (Calls{"menu", "day 9/10", "memorial 9/10", "copy 9/10", "paste 9/10",
                                  "memo command"}));

    // A neighbour-month day: the day commands are refused.
    rightClick(at(jd(2024, 8, 28)));
    EXPECT_TRUE(s().ClickMark);
    EXPECT_FALSE(interaction.runMenuCommand(C::EditDay));
    EXPECT_FALSE(interaction.runMenuCommand(C::DayCopy));
    EXPECT_TRUE(interaction.runMenuCommand(C::Memo));
    EXPECT_EQ(host.take(), (Calls{"menu", "memo command"}));

    // Focus leaving takes the mark away; a right release off the cells shows no menu.
    interaction.press(at(sep(10)), MouseButton::Right, kNoModifier);
    interaction.focusLost();
    EXPECT_FALSE(s().ClickMark);
    interaction.release({-5, 40}, MouseButton::Right, kNoModifier);
    EXPECT_EQ(host.take(), Calls{});

    // A plain press clears the mark.
    interaction.press(at(sep(10)), MouseButton::Right, kNoModifier);
    interaction.release(at(sep(10)), MouseButton::Right, kNoModifier);
    click(at(sep(10), 2));
    EXPECT_FALSE(s().ClickMark);
}

}  // namespace
}  // namespace velmo
