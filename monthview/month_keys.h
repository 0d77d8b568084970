#pragma once
// The keys of the month page. The month view asks for arrow keys and characters but acts
// on none itself; the main window looks at every key before the focused control and
// turns these into commands.

#include "monthview/input_events.h"

namespace velmo {

// The memo tab opens the memo window and never becomes the active page.
enum class MainPage { Month, Year };

struct KeyPreviewContext {
    MainPage page = MainPage::Month;
    bool yearTabVisible = true;
    bool yearMonthEntryOpen = false;  // the year-month entry box is shown
};

enum class KeyCommand {
    None,           // not a key of the main window: the focused control gets it
    WidenCells,     // Ctrl+Shift+Right, any page
    NarrowCells,    // Ctrl+Shift+Left, any page
    NextPage,       // Alt+Right
    PreviousPage,   // Alt+Left
    MemoWindow,     // Alt+M; Alt+Right on the year page, Alt+Left on the month page
    NextMonth,      // Ctrl+Right
    PreviousMonth,  // Ctrl+Left
    CurrentMonth,   // Ctrl+Up
    QuickDayEntry,  // Ctrl+Down, Ctrl+L
};

// Every command consumes its key.
KeyCommand previewKey(Key key, Modifiers modifiers, const KeyPreviewContext& context);

}  // namespace velmo
