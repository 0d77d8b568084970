#pragma once
// Mouse and key input as the calendars' interaction code sees it, free of any GUI
// toolkit: the widget translates its events into these and calls the plain code.

namespace velmo {

// A position in control pixels.
struct Point {
    int x = 0;
    int y = 0;

    bool operator==(const Point&) const = default;
};

enum class MouseButton { Left, Right, Middle };

enum Modifier : unsigned {
    kNoModifier = 0,
    kShift = 0x1,
    kCtrl = 0x2,
    kAlt = 0x4,
};
using Modifiers = unsigned;

// Linux window managers take Alt+drag for moving windows, so every Alt gesture of the
// month view also works with Shift.
inline constexpr bool rangeModifierHeld(Modifiers m) {
    return (m & (kAlt | kShift)) != 0;
}

// The keys the calendars and the month page react to; everything else is Other.
enum class Key { Left, Right, Up, Down, PageUp, PageDown, L, M, Other };

}  // namespace velmo
