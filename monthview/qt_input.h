#pragma once
// Qt's mouse and key input in the toolkit-free terms of the calendars' interaction code.

#include <Qt>

#include "monthview/input_events.h"

namespace velmo {

Key keyOf(int qtKey);
Modifiers modifiersOf(Qt::KeyboardModifiers modifiers);
// Nothing for the buttons the calendars ignore (back, forward, …).
bool mouseButtonOf(Qt::MouseButton qtButton, MouseButton& button);

}  // namespace velmo
