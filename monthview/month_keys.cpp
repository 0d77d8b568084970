#include "monthview/month_keys.h"

namespace velmo {

KeyCommand previewKey(Key key, Modifiers modifiers, const KeyPreviewContext& context) {
    const Modifiers held = modifiers & (kShift | kCtrl | kAlt);
    if (held == (kCtrl | kShift)) {
        if (key == Key::Right)
            return KeyCommand::WidenCells;
        if (key == Key::Left)
            return KeyCommand::NarrowCells;
        return KeyCommand::None;
    }
    if (held == kAlt) {
        if (key == Key::M)
            return KeyCommand::MemoWindow;
        if (!context.yearTabVisible)
            return KeyCommand::None;
        if (key == Key::Right)
            return context.page == MainPage::Year ? KeyCommand::MemoWindow : KeyCommand::NextPage;
        if (key == Key::Left)
            return context.page == MainPage::Month ? KeyCommand::MemoWindow
                                                   : KeyCommand::PreviousPage;
        return KeyCommand::None;
    }
    if (held == kCtrl && context.page == MainPage::Month && !context.yearMonthEntryOpen) {
        switch (key) {
            case Key::Right:
                return KeyCommand::NextMonth;
            case Key::Left:
                return KeyCommand::PreviousMonth;
            case Key::Up:
                return KeyCommand::CurrentMonth;
            case Key::Down:
            case Key::L:
                return KeyCommand::QuickDayEntry;
            default:
                break;
        }
    }
    return KeyCommand::None;
}

}  // namespace velmo
