#pragma once
// The main window's size around the month view. The differences between window, month
// panel and month view are measured once at start-up; every display preset then sizes
// the window from its view, so the window holds the view exactly.

#include "monthview/grid_geometry.h"

namespace velmo {

// Work areas this low get the compact margins, lose the year page and cannot print.
inline constexpr int kCompactWorkAreaMaxHeight = 610;

struct WindowDifferences {
    int panelHeight = 0;                // month panel height − view height
    int panelWidth = 0;                 // month panel width − view width
    int panelWidthWithoutButtons = 0;   // the same without the button column
    int clientHeight = 0;               // window client height − view height
    int clientWidth = 0;                // window client width − view width
    int clientWidthWithoutButtons = 0;  // the same without the button column
    int frameHeight = 0;                // whole window height − view height
    int frameWidth = 0;                 // F: whole window width − view width

    bool operator==(const WindowDifferences&) const = default;
};

bool compactWorkArea(int workAreaHeight);

// The compact margins of a low work area, wherever the layout can do with them: a margin
// below what the measured layout needs would clip the window, so that one stays.
WindowDifferences compactDifferences(const WindowDifferences& measured);

struct WindowFit {
    Size client;      // the window without its frame
    Size frame;       // the window with its frame
    Size monthPanel;  // the month page holding view and button column
    bool buttonColumnShown = true;

    bool operator==(const WindowFit&) const = default;
};

// The window around a view of the given size. While the button column hides itself
// (cbMonthBtn) the view takes its place and the window leaves no room for it.
WindowFit fitWindow(const WindowDifferences& differences, Size view, bool monthButtonsHide);

}  // namespace velmo
