#include "editor_models/timer_setup.h"

#include <algorithm>

namespace velmo {

namespace {

constexpr int kDaySeconds = 24 * 60 * 60;
constexpr int kHalfDaySeconds = kDaySeconds / 2;
// The alarm rings until this long after the set time plus the notice (see timer_alarm.h).
constexpr int kLateSeconds = 30 * 60;

int secondsOfDay(TimeOfDay t) {
    return t.hour * 3600 + t.minute * 60 + t.second;
}

TimeOfDay fromSecondsOfDay(int seconds) {
    seconds = ((seconds % kDaySeconds) + kDaySeconds) % kDaySeconds;
    return {seconds / 3600, seconds / 60 % 60, seconds % 60};
}

// From now forward to the set time, 0 .. 24 h - 1 s.
int secondsUntil(TimeOfDay now, TimeOfDay set) {
    return ((secondsOfDay(set) - secondsOfDay(now)) % kDaySeconds + kDaySeconds) % kDaySeconds;
}

// The set time relative to now on the nearer side of the circle, -12 h < ahead <= 12 h;
// the same reading the alarm check makes.
int signedSecondsAhead(TimeOfDay now, TimeOfDay set) {
    const int ahead = secondsUntil(now, set);
    return ahead > kHalfDaySeconds ? ahead - kDaySeconds : ahead;
}

// Begun minutes count whole, and are counted before splitting off the hours, so that
// 59 min 30 s reads one hour and never sixty minutes.
int startedMinutes(int seconds) {
    return (seconds + 59) / 60;
}

std::string number(int value) {
    return std::to_string(value);
}

std::string fullWidthDigit(int digit) {
    std::string text = "\xEF\xBC";
    text += static_cast<char>(0x90 + digit);
    return text;
}

std::optional<int> fieldValue(const std::string& text, int maximum) {
    // Nine digits stay well inside an int; anything longer is out of range anyway.
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int value = std::stoi(text);
    if (value > maximum)
        return std::nullopt;
    return value;
}

}  // namespace

TimerStartCheck checkTimerStart(TimeOfDay now, TimeOfDay set, int noticeMinutes) {
    const int notice = noticeMinutes * 60;
    const int ahead = signedSecondsAhead(now, set);
    // Allowed while the notice moment is still ahead, or once the alarm's window has
    // closed (the set time is then tomorrow's).
    if (ahead < notice && ahead > -(notice + kLateSeconds)) {
        return {TimerStartOutcome::Refused,
                ahead < 0 ? "時刻が既に過ぎています。\r\n中止いたします。"
                          : "時刻が過ぎようとしています。\r\n中止いたします。"};
    }
    const int wait = secondsUntil(now, set) + notice;
    if (wait >= kHalfDaySeconds) {
        return {TimerStartOutcome::NeedsConfirmation,
                "設定時刻が現時刻から１２時間以上（ " + number(wait / 3600) + " 時 " +
                    number(wait % 3600 / 60) + " 分）ありますが、\r\nこれで間違いないでしょうか？"};
    }
    return {TimerStartOutcome::Accepted, {}};
}

std::string timerStatusText(TimeOfDay now, TimeOfDay set) {
    const int ahead = signedSecondsAhead(now, set);
    if (ahead <= 0) {
        const int passed = -ahead;
        const int hours = passed / 3600;
        const int minutes = passed % 3600 / 60;
        if (hours > 0)
            return "設定時刻を、" + number(hours) + " 時間 " + number(minutes) +
                   " 分経過しています";
        if (minutes > 0)
            return "設定時刻を、" + number(minutes) + " 分経過しています";
        return "設定時刻です";
    }
    // Ahead, in begun minutes: three minutes before reads 3, and the last minute before
    // the set time is the set time itself. An hour or more ahead reads like the
    // countdown, in hours and minutes.
    const int minutes = startedMinutes(ahead);
    if (minutes >= 60)
        return "設定時刻、" + number(minutes / 60) + " 時間 " + number(minutes % 60) + " 分前です";
    if (minutes > 1)
        return "設定時刻、" + number(minutes) + " 分前です";
    return "設定時刻です";
}

std::string timerCountdownText(TimeOfDay now, TimeOfDay set, int noticeMinutes) {
    // At the set time itself the next one is a day away.
    int left = secondsUntil(now, set);
    if (left == 0)
        left = kDaySeconds;
    const int minutes = startedMinutes(left);
    std::string text = minutes >= 60 ? "設定時刻まで、" + number(minutes / 60) + " 時間 " +
                                           number(minutes % 60) + " 分"
                                     : "設定時刻まで、" + number(minutes) + " 分";
    if (noticeMinutes != 0)
        text += "（ " + fullWidthDigit(noticeMinutes) + "分前に通知します ）";
    return text;
}

TimeOfDay stepTimeField(TimeOfDay time, TimeField field, int direction) {
    switch (field) {
        case TimeField::Hour:
            time.hour = ((time.hour + direction) % 24 + 24) % 24;
            return time;
        case TimeField::Minute:
            return fromSecondsOfDay(secondsOfDay(time) + direction * 60);
        case TimeField::Second:
            break;
    }
    return fromSecondsOfDay(secondsOfDay(time) + direction);
}

std::optional<TimeOfDay> parseTimeFields(const std::string& hour, const std::string& minute,
                                         const std::string& second) {
    const auto h = fieldValue(hour, 23);
    const auto m = fieldValue(minute, 59);
    const auto s = fieldValue(second, 59);
    if (!h || !m || !s)
        return std::nullopt;
    return TimeOfDay{*h, *m, *s};
}

int shownNoticeMinutes(int stored) {
    return stored >= 0 && stored <= 9 ? stored : 3;
}

TimeOfDay timeOfDayOf(const LocalDateTime& moment) {
    return {moment.hour, moment.minute, moment.second};
}

}  // namespace velmo
