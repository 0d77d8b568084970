#include "app/page_bounds.h"

#include <algorithm>

namespace velmo {

namespace {

// The start coordinate that keeps [start, start + length) inside [low, high), or low
// when it does not fit.
int keptInside(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length));
}

}  // namespace

WindowBounds keptOnWorkArea(WindowBounds bounds, QMargins frame, QRect workArea) {
    const QSize outer = bounds.clientSize.grownBy(frame);
    bounds.frameTopLeft = {keptInside(bounds.frameTopLeft.x(), outer.width(), workArea.left(),
                                      workArea.left() + workArea.width()),
                           keptInside(bounds.frameTopLeft.y(), outer.height(), workArea.top(),
                                      workArea.top() + workArea.height())};
    return bounds;
}

std::optional<WindowBounds> PageBounds::switchPage(int from, int to, WindowBounds current,
                                                   QMargins frame, QSize yearClientSize,
                                                   QRect workArea) {
    if (from == to)
        return std::nullopt;
    if (from == kMonthPageIndex)
        month_ = current;
    else if (from == kYearPageIndex)
        year_ = current;

    // Bounds the window had before come back as they were: the user chose them.
    if (to == kYearPageIndex && year_)
        return year_;
    if (to == kMonthPageIndex)
        return month_;
    if (to != kYearPageIndex)
        return std::nullopt;
    const QRect month(current.frameTopLeft, current.clientSize.grownBy(frame));
    QRect year(QPoint(), yearClientSize.grownBy(frame));
    year.moveCenter(month.center());
    return keptOnWorkArea({year.topLeft(), yearClientSize}, frame, workArea);
}

QPoint PageBounds::monthTopLeft(int shownPage, QPoint current) const {
    return shownPage != kMonthPageIndex && month_ ? month_->frameTopLeft : current;
}

}  // namespace velmo
