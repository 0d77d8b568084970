#pragma once
// Time and waiting are injected so that retry loops and date changes can be tested
// without real pauses.

#include <chrono>
#include <ctime>

namespace velmo {

// A local civil date and time, as the user's wall clock shows it.
struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    bool operator==(const LocalDateTime&) const = default;
};

struct LocalDate {
    int year = 0;
    int month = 0;
    int day = 0;

    bool operator==(const LocalDate&) const = default;
};

// Seconds since the epoch of a local date and time (milliseconds dropped), for comparing
// a clock's time with file times.
std::time_t secondsSinceEpoch(const LocalDateTime& local);

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
    LocalDate today() const {
        const LocalDateTime t = now();
        return {t.year, t.month, t.day};
    }
};

class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void sleep(std::chrono::milliseconds duration) = 0;
};

// The real wall clock in the local time zone.
class SystemClock final : public Clock {
public:
    LocalDateTime now() const override;
};

// Really blocks the calling thread.
class ThreadSleeper final : public Sleeper {
public:
    void sleep(std::chrono::milliseconds duration) override;
};

}  // namespace velmo
