#include "monthview/context_menus.h"

namespace velmo {
namespace {

using C = MonthMenuCommand;

MenuItem item(C command, std::string caption, bool enabled, std::string shortcut = {}) {
    MenuItem entry;
    entry.command = command;
    entry.caption = std::move(caption);
    entry.shortcut = std::move(shortcut);
    entry.enabled = enabled;
    return entry;
}

MenuItem separator(bool visible = true) {
    MenuItem entry;
    entry.separator = true;
    entry.visible = visible;
    return entry;
}

}  // namespace

bool monthViewAllows(MonthMenuCommand command, const MonthViewMenuState& view) {
    const bool dayCommands = view.clickedInMonth && !view.rangeMarked;
    switch (command) {
        case C::EditDay:
            return !view.markingWaits && dayCommands;
        case C::Resident:
        case C::Memo:
        case C::Exit:
            return !view.markingWaits;
        case C::PeriodStart:
            return !view.markingWaits && !view.memoClicked;
        case C::PeriodEnd:
            return view.markingWaits && !view.memoClicked;
        case C::MemorialDay:
        case C::DayCopy:
        case C::DayPaste:
            return dayCommands;
        default:
            return true;
    }
}

std::vector<MenuItem> monthContextMenu(const MonthViewMenuState& view,
                                       const MainWindowMenuState& main) {
    auto enabled = [&](C command, bool mainAllows = true) {
        return mainAllows && monthViewAllows(command, view) && !main.unavailable.contains(command);
    };

    std::vector<MenuItem> items;
    items.push_back(item(C::EditDay, "予定編集(&E)", enabled(C::EditDay)));
    items.push_back(separator(!main.closeButton));
    MenuItem resident = item(C::Resident, "常駐(&J)", enabled(C::Resident));
    resident.visible = !main.closeButton;
    items.push_back(resident);
    items.push_back(separator());
    items.push_back(item(C::DayCopy, "Ｄａｙコピー(&C)", enabled(C::DayCopy, !main.networkMode)));
    items.push_back(item(C::DayPaste, "Ｄａｙペースト(&P)",
                         enabled(C::DayPaste, !main.networkMode && main.dayCopyPending)));
    items.push_back(separator());
    for (int set = 1; set <= 2; ++set) {
        const C command = set == 1 ? C::Files1 : C::Files2;
        MenuItem files =
            item(command, "Files" + std::to_string(set), enabled(command, !main.networkMode),
                 set == 1 ? "Ctrl+F5" : "Ctrl+F6");
        files.checkable = true;
        files.checked = main.dataSet == set;
        items.push_back(files);
    }
    items.push_back(item(C::NetOn, main.networkMode ? "ネットＯｆｆ" : "ネットＯｎ",
                         enabled(C::NetOn, main.networkAllowed), "Ctrl+Alt+N"));
    items.push_back(item(C::NetReload, "ネット読み直し",
                         enabled(C::NetReload, main.networkAllowed && main.networkMode), "Ctrl+N"));
    items.push_back(separator());
    items.push_back(item(C::PeriodStart, "期間予定開始(&A)", enabled(C::PeriodStart)));
    items.push_back(item(C::PeriodEnd, "期間予定終了(&Z)", enabled(C::PeriodEnd)));
    items.push_back(item(C::Print, "印刷(&P)", enabled(C::Print, main.printEnabled)));
    const bool editorCaption = main.editorCompanion && !main.editorMemoCaption;
    items.push_back(item(C::Memo, editorCaption ? "ルボン(&M)" : "メモ(&M)", enabled(C::Memo)));
    items.push_back(item(C::MemorialDay, "記念日編集(&K)", enabled(C::MemorialDay)));
    items.push_back(separator());
    items.push_back(item(C::Exit, "ベルモ終了(&X)", enabled(C::Exit)));
    return items;
}

std::vector<MenuItem> periodDeleteMenu(bool periodSelected) {
    return {item(C::CancelDelete, "キャンセル(&C)", true),
            item(C::DeletePeriod, "削除(&D)", periodSelected)};
}

const MenuItem* findMenuItem(const std::vector<MenuItem>& items, MonthMenuCommand command) {
    for (const MenuItem& entry : items) {
        if (!entry.separator && entry.command == command)
            return &entry;
    }
    return nullptr;
}

}  // namespace velmo
