#include "app/navigation/time_correction.h"

#include "calendar/julius_day.h"

namespace velmo {

namespace {

constexpr int kOnWeekday = 2;
constexpr int kEveryWeek = 1;
constexpr int kMonday = 2;

}  // namespace

std::int32_t lastWeekdayOnOrBefore(std::int32_t day, int weekday) {
    const int back = (weekdayOf(day) - weekday + 7) % 7;
    return day - back;
}

TimeCorrection::TimeCorrection(CorrectionKeys& keys, bool allowed, TimeCorrectionHooks hooks)
    : keys_(keys), allowed_(allowed), hooks_(std::move(hooks)) {}

void TimeCorrection::dateChanged() {
    attempts_ = 0;
    gaveUp_ = false;
}

bool TimeCorrection::due(std::int32_t today, const std::string& time, bool delayPassed) const {
    switch (keys_.pTAccess) {
        case kOnWeekday:
            return keys_.pTNini + 6 < today && time > keys_.pTTime;
        case kEveryWeek:
            return delayPassed && !(keys_.pTWeek + 6 >= today);
        default:
            return delayPassed && today != keys_.pTDay;
    }
}

bool TimeCorrection::attempt() {
    ++attempts_;
    if (attempts_ >= kCorrectionAttemptLimit) {
        gaveUp_ = true;
        return false;
    }
    if (running_ || hooks_.clockWindowExists()) {
        // Forgetting the last correction makes a later tick try again.
        keys_.pTDay = 0;
        keys_.pTWeek = 0;
        keys_.pTNini = 0;
        return false;
    }
    running_ = true;
    hooks_.startClock();
    running_ = false;
    return true;
}

void TimeCorrection::recordStart(std::int32_t today) {
    switch (keys_.pTAccess) {
        case kOnWeekday:
            keys_.pTNini =
                keys_.pTYoubi == 0 ? today - 6 : lastWeekdayOnOrBefore(today, keys_.pTYoubi);
            break;
        case kEveryWeek:
            keys_.pTWeek = lastWeekdayOnOrBefore(today, kMonday);
            keys_.pTDay = today;
            break;
        default:
            keys_.pTDay = today;
            break;
    }
}

bool TimeCorrection::startIfDue(std::int32_t today, const std::string& time, bool delayPassed) {
    if (!keys_.cbTShuusei || !allowed_ || gaveUp_)
        return false;
    if (!due(today, time, delayPassed) || !attempt())
        return false;
    recordStart(today);
    return true;
}

}  // namespace velmo
