#include "core/clock.h"

#include <ctime>
#include <thread>

namespace velmo {

std::time_t secondsSinceEpoch(const LocalDateTime& t) {
    std::tm local{};
    local.tm_year = t.year - 1900;
    local.tm_mon = t.month - 1;
    local.tm_mday = t.day;
    local.tm_hour = t.hour;
    local.tm_min = t.minute;
    local.tm_sec = t.second;
    local.tm_isdst = -1;  // whatever daylight saving time says on that day
    return std::mktime(&local);
}

LocalDateTime SystemClock::now() const {
    const auto stamp = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(stamp);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto sinceEpoch = stamp.time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch) -
                    std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch);
    return {local.tm_year + 1900,
            local.tm_mon + 1,
            local.tm_mday,
            local.tm_hour,
            local.tm_min,
            local.tm_sec,
            static_cast<int>(ms.count())};
}

void ThreadSleeper::sleep(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

}  // namespace velmo
