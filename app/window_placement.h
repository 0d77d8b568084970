#pragma once
// Where the main window appears at start: centred, or where it was saved, but never
// somewhere no screen shows (a monitor since unplugged, a resolution since lowered).

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace velmo {

struct PlacementSettings {
    int hyoujiIchi = 0;         // 0 = centre in the work area
    bool cbNotMannaka = false;  // do not centre
    QPoint saved;               // fmC21Left / fmC21Top
};

// The top-left corner for the window. `current` is where the window system put it.
QPoint startPosition(const PlacementSettings& settings, QSize windowSize, QPoint current,
                     QRect primaryWorkArea, const QList<QRect>& workAreas);

// True when enough of the window's title strip lies on one of the work areas for the
// user to grab it.
bool reachableOnScreen(QPoint topLeft, QSize windowSize, const QList<QRect>& workAreas);

}  // namespace velmo
