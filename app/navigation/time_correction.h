#pragma once
// When the function timer starts the clock companion to correct the computer's clock:
// every day, every week or on a weekday after a time, at most 12 attempts a day. The
// companion is started through a hook; the schedule keys live in the settings and reach
// the settings file at the next full save.

#include <cstdint>
#include <functional>
#include <string>

#include "store/settings_keys.h"

namespace velmo {

inline constexpr int kCorrectionAttemptLimit = 13;
inline constexpr const char* kClockCorrectionParameter = "-R";

struct TimeCorrectionHooks {
    // A window titled "ベル時計" exists: the companion is already at work.
    std::function<bool()> clockWindowExists;
    // Starts the clock companion with kClockCorrectionParameter.
    std::function<void()> startClock;
};

class TimeCorrection {
public:
    // allowed: false when the companion corrects the clock by itself at log-on.
    TimeCorrection(CorrectionKeys& keys, bool allowed, TimeCorrectionHooks hooks);

    // One tick: starts a correction when one is due. today: today's day number; time:
    // the current time as "hhmmss"; delayPassed: pTChien ticks have passed since start-up
    // or the timer switched to its chosen interval. True when the companion was started.
    bool startIfDue(std::int32_t today, const std::string& time, bool delayPassed);

    // The date changed: the attempts count from zero again.
    void dateChanged();

    int attempts() const { return attempts_; }
    bool gaveUp() const { return gaveUp_; }
    // Set while the companion is being started (the clock panel says so).
    bool running() const { return running_; }
    void setAllowed(bool allowed) { allowed_ = allowed; }

private:
    bool due(std::int32_t today, const std::string& time, bool delayPassed) const;
    bool attempt();
    void recordStart(std::int32_t today);

    CorrectionKeys& keys_;
    bool allowed_;
    TimeCorrectionHooks hooks_;
    int attempts_ = 0;
    bool gaveUp_ = false;
    bool running_ = false;
};

// The last day with the weekday (1 = Sunday … 7 = Saturday) on or before `day`.
std::int32_t lastWeekdayOnOrBefore(std::int32_t day, int weekday);

}  // namespace velmo
