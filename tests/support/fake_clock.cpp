#include "tests/support/fake_clock.h"

namespace velmo::testing {

void FakeClock::advance(std::chrono::milliseconds duration) {
    long long ms = now_.millisecond + duration.count();
    long long seconds = now_.second + ms / 1000;
    now_.millisecond = static_cast<int>(ms % 1000);
    long long minutes = now_.minute + seconds / 60;
    now_.second = static_cast<int>(seconds % 60);
    long long hours = now_.hour + minutes / 60;
    now_.minute = static_cast<int>(minutes % 60);
    now_.hour = static_cast<int>(hours % 24);
}

}  // namespace velmo::testing
