#include "monthview/qt_input.h"

namespace velmo {

Key keyOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Left:
            return Key::Left;
        case Qt::Key_Right:
            return Key::Right;
        case Qt::Key_Up:
            return Key::Up;
        case Qt::Key_Down:
            return Key::Down;
        case Qt::Key_PageUp:
            return Key::PageUp;
        case Qt::Key_PageDown:
            return Key::PageDown;
        case Qt::Key_L:
            return Key::L;
        case Qt::Key_M:
            return Key::M;
        default:
            return Key::Other;
    }
}

Modifiers modifiersOf(Qt::KeyboardModifiers modifiers) {
    Modifiers result = kNoModifier;
    if (modifiers & Qt::ShiftModifier)
        result |= kShift;
    if (modifiers & Qt::ControlModifier)
        result |= kCtrl;
    if (modifiers & Qt::AltModifier)
        result |= kAlt;
    return result;
}

bool mouseButtonOf(Qt::MouseButton qtButton, MouseButton& button) {
    switch (qtButton) {
        case Qt::LeftButton:
            button = MouseButton::Left;
            return true;
        case Qt::RightButton:
            button = MouseButton::Right;
            return true;
        case Qt::MiddleButton:
            button = MouseButton::Middle;
            return true;
        default:
            return false;
    }
}

}  // namespace velmo
