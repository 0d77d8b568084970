#include "shared/net_timer.h"

namespace velmo {

std::optional<std::chrono::milliseconds> netTimerInterval(int rbNetKoushin) {
    switch (rbNetKoushin) {
        case 1:
            return std::chrono::milliseconds{10'000};
        case 2:
            return std::chrono::milliseconds{60'000};
        default:
            return std::nullopt;
    }
}

bool netTickChecks(bool windowHidden, bool dayEditorOpen) {
    return !windowHidden && !dayEditorOpen;
}

}  // namespace velmo
