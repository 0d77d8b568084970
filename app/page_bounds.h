#pragma once
// The window bounds of the main window's pages: the year page has its own size and
// place, every other page the month page's, and no switch puts the window where the
// user cannot reach it.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

namespace velmo {

inline constexpr int kMonthPageIndex = 0;
inline constexpr int kYearPageIndex = 1;
inline constexpr int kMemoPageIndex = 2;

// Where a window stands: QWidget::pos() (the frame's corner) and the client size.
struct WindowBounds {
    QPoint frameTopLeft;
    QSize clientSize;
    bool operator==(const WindowBounds&) const = default;
};

// Moves the window, frame included, into the work area; a window larger than the area
// keeps its top-left corner on it.
WindowBounds keptOnWorkArea(WindowBounds bounds, QMargins frame, QRect workArea);

class PageBounds {
public:
    // The page changes from `from` to `to` while the window stands at `current`; returns
    // the bounds the window takes for the new page, or nothing to leave it as it is.
    // The year page first opens at `yearClientSize`, centred over the month page and
    // kept on the work area; after that each page gets back the bounds it was left at.
    std::optional<WindowBounds> switchPage(int from, int to, WindowBounds current, QMargins frame,
                                           QSize yearClientSize, QRect workArea);

    // The position the settings keep: the month page's, whichever page is shown, since
    // the next start opens on the month page.
    QPoint monthTopLeft(int shownPage, QPoint current) const;

private:
    std::optional<WindowBounds> month_;
    std::optional<WindowBounds> year_;
};

}  // namespace velmo
