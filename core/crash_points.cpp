#include "core/crash_points.h"

#include <csignal>
#include <cstdlib>
#include <cstring>

namespace velmo {

void crashPoint(const char* name) {
    static const char* const wanted = std::getenv("VELMO_CRASH_POINT");
    if (!wanted || std::strcmp(wanted, name) != 0)
        return;
    static const char* const hitText = std::getenv("VELMO_CRASH_POINT_HIT");
    static const long stopAt = hitText ? std::strtol(hitText, nullptr, 10) : 0;
    static long hits = 0;
    if (stopAt <= 0 || ++hits == stopAt)
        std::raise(SIGSTOP);
}

}  // namespace velmo
