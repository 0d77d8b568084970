#pragma once
// The small pair of arrow buttons beside a number box, stepping the box's value by one;
// what a step means (carry, wrap) belongs to the caller. It keeps its place when hidden,
// so the fields beside it do not move.

#include <QWidget>
#include <functional>

namespace velmo {

// `step` receives +1 for the upper arrow and -1 for the lower one; the arrows repeat
// while held and never take the focus from the box.
QWidget* makeUpDownArrows(const QString& objectName, QWidget* parent,
                          const std::function<void(int direction)>& step);

}  // namespace velmo
