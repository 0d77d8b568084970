#include "app/window_placement.h"

#include <algorithm>

namespace velmo {

namespace {

// A strip this large of the title bar must be visible to drag the window back.
constexpr int kGrabWidth = 100;
constexpr int kGrabHeight = 24;

QPoint centred(QSize windowSize, QRect area) {
    return {area.left() + (area.width() - windowSize.width()) / 2,
            area.top() + (area.height() - windowSize.height()) / 2};
}

}  // namespace

bool reachableOnScreen(QPoint topLeft, QSize windowSize, const QList<QRect>& workAreas) {
    const QRect strip(topLeft, QSize(std::min(windowSize.width(), kGrabWidth), kGrabHeight));
    return std::any_of(workAreas.begin(), workAreas.end(), [&](const QRect& area) {
        const QRect visible = area.intersected(strip);
        return visible.width() >= strip.width() / 2 && visible.height() >= strip.height() / 2;
    });
}

QPoint startPosition(const PlacementSettings& settings, QSize windowSize, QPoint current,
                     QRect primaryWorkArea, const QList<QRect>& workAreas) {
    if (settings.hyoujiIchi == 0) {
        return settings.cbNotMannaka ? current : centred(windowSize, primaryWorkArea);
    }
    if (!reachableOnScreen(settings.saved, windowSize, workAreas)) {
        return centred(windowSize, primaryWorkArea);
    }
    return settings.saved;
}

}  // namespace velmo
