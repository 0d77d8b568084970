#include "platform/window_positions.h"

#include <QGuiApplication>

namespace velmo::platform {

bool positionsHonoured() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace velmo::platform
