#include "monthview/context_menus.h"

#include <gtest/gtest.h>

#include "monthview/month_keys.h"

namespace velmo {
namespace {

using C = MonthMenuCommand;

const MenuItem& itemOf(const std::vector<MenuItem>& items, C command) {
    const MenuItem* item = findMenuItem(items, command);
    EXPECT_NE(item, nullptr);
    static const MenuItem kMissing;
    return item ? *item : kMissing;
}

bool enabled(const std::vector<MenuItem>& items, C command) {
    return itemOf(items, command).enabled;
}

MonthViewMenuState inMonth() {
    MonthViewMenuState view;
    view.clickedInMonth = true;
    return view;
}

TEST(MonthContextMenuTest, ItemsInOrderWithCaptionsAndShortcuts) {
    const std::vector<MenuItem> items = monthContextMenu(inMonth(), {});
    std::vector<std::string> captions;
    for (const MenuItem& item : items)
        captions.push_back(item.separator ? "-" : item.caption + " " + item.shortcut);
    EXPECT_EQ(captions, (std::vector<std::string>{
                            "予定編集(&E) ", "-", "常駐(&J) ", "-", "Ｄａｙコピー(&C) ",
                            "Ｄａｙペースト(&P) ", "-", "Files1 Ctrl+F5", "Files2 Ctrl+F6",
                            "ネットＯｎ Ctrl+Alt+N", "ネット読み直し Ctrl+N", "-",
                            "期間予定開始(&A) ", "期間予定終了(&Z) ", "印刷(&P) ", "メモ(&M) ",
                            "記念日編集(&K) ", "-", "ベルモ終了(&X) "}));
}

TEST(MonthContextMenuTest, MarkingRulesFollowTheStartCommand) {
    const auto plain = monthContextMenu(inMonth(), {});
    EXPECT_TRUE(enabled(plain, C::EditDay));
    EXPECT_TRUE(enabled(plain, C::PeriodStart));
    EXPECT_FALSE(enabled(plain, C::PeriodEnd));
    EXPECT_FALSE(enabled(plain, C::DayPaste));  // nothing copied yet

    MonthViewMenuState waiting = inMonth();
    waiting.markingWaits = true;
    waiting.rangeMarked = true;
    const auto marking = monthContextMenu(waiting, {});
    EXPECT_FALSE(enabled(marking, C::PeriodStart));
    EXPECT_TRUE(enabled(marking, C::PeriodEnd));
    for (C command : {C::EditDay, C::Resident, C::Exit, C::Memo, C::MemorialDay, C::DayCopy})
        EXPECT_FALSE(enabled(marking, command));
    EXPECT_TRUE(enabled(marking, C::Files1));

    // Right-clicked in the month memo area: no marking at all.
    waiting.memoClicked = true;
    EXPECT_FALSE(enabled(monthContextMenu(waiting, {}), C::PeriodEnd));
    MonthViewMenuState memo;
    memo.memoClicked = true;
    const auto memoMenu = monthContextMenu(memo, {});
    EXPECT_FALSE(enabled(memoMenu, C::PeriodStart));
    // A neighbour-month day (the memo area is one) has no day commands.
    EXPECT_FALSE(enabled(memoMenu, C::EditDay));
    EXPECT_FALSE(enabled(memoMenu, C::MemorialDay));
    EXPECT_TRUE(enabled(memoMenu, C::Memo));

    // A highlight left by a drag also blocks the day commands.
    MonthViewMenuState dragged = inMonth();
    dragged.rangeMarked = true;
    EXPECT_FALSE(enabled(monthContextMenu(dragged, {}), C::EditDay));
    EXPECT_TRUE(enabled(monthContextMenu(dragged, {}), C::PeriodStart));
}

TEST(MonthContextMenuTest, MainWindowStateShapesTheOtherItems) {
    MainWindowMenuState main;
    main.dayCopyPending = true;
    main.dataSet = 2;
    main.printEnabled = true;
    main.networkAllowed = true;
    auto items = monthContextMenu(inMonth(), main);
    EXPECT_TRUE(enabled(items, C::DayPaste));
    EXPECT_FALSE(itemOf(items, C::Files1).checked);
    EXPECT_TRUE(itemOf(items, C::Files2).checked);
    EXPECT_TRUE(enabled(items, C::Print));
    EXPECT_TRUE(enabled(items, C::NetOn));
    EXPECT_FALSE(enabled(items, C::NetReload));

    main.networkMode = true;
    items = monthContextMenu(inMonth(), main);
    for (C command : {C::Files1, C::Files2, C::DayCopy, C::DayPaste})
        EXPECT_FALSE(enabled(items, command));
    EXPECT_EQ(itemOf(items, C::NetOn).caption, "ネットＯｆｆ");
    EXPECT_TRUE(enabled(items, C::NetReload));

    main = {};
    main.closeButton = true;
    main.editorCompanion = true;
    main.editorMemoCaption = false;
    main.unavailable = {C::EditDay};
    items = monthContextMenu(inMonth(), main);
    EXPECT_FALSE(itemOf(items, C::Resident).visible);
    EXPECT_FALSE(items[1].visible);  // the separator after the first item goes with it
    EXPECT_EQ(itemOf(items, C::Memo).caption, "ルボン(&M)");
    EXPECT_FALSE(enabled(items, C::EditDay));
    EXPECT_FALSE(enabled(items, C::NetOn));
}

TEST(MonthKeysTest, KeyPreviewCommands) {
    const KeyPreviewContext month;
    KeyPreviewContext year;
    year.page = MainPage::Year;
    KeyPreviewContext entry;
    entry.yearMonthEntryOpen = true;
    KeyPreviewContext noYearTab;
    noYearTab.yearTabVisible = false;

    struct Case {
        Key key;
        Modifiers modifiers;
        KeyPreviewContext context;
        KeyCommand expected;
    };
    const Case cases[] = {
        {Key::Right, kCtrl | kShift, year, KeyCommand::WidenCells},
        {Key::Left, kCtrl | kShift, month, KeyCommand::NarrowCells},
        {Key::Right, kCtrl, month, KeyCommand::NextMonth},
        {Key::L, kCtrl, month, KeyCommand::QuickDayEntry},
        {Key::Right, kCtrl, year, KeyCommand::None},
        {Key::Right, kCtrl, entry, KeyCommand::None},
        {Key::Right, kCtrl | kAlt, month, KeyCommand::None},
        {Key::Right, kAlt, month, KeyCommand::NextPage},
        {Key::Left, kAlt, month, KeyCommand::MemoWindow},
        {Key::Right, kAlt, year, KeyCommand::MemoWindow},
        {Key::Left, kAlt, year, KeyCommand::PreviousPage},
        {Key::Right, kAlt, noYearTab, KeyCommand::None},
        {Key::M, kAlt, noYearTab, KeyCommand::MemoWindow},
        {Key::Right, kNoModifier, month, KeyCommand::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(previewKey(c.key, c.modifiers, c.context), c.expected)
            << static_cast<int>(c.key) << " " << c.modifiers;
    }
}

}  // namespace
}  // namespace velmo
