#include "editor_models/access_time.h"

#include <cstdio>
#include <optional>
#include <string_view>

namespace velmo {

namespace {

constexpr TimeOfDay kFallbackTime{15, 0, 0};

// A signed decimal number and nothing else; the stored text is cut in two-character
// pieces, so a piece may be empty, a sign alone or hold letters.
std::optional<int> numberIn(std::string_view piece) {
    const bool negative = !piece.empty() && piece.front() == '-';
    if (!piece.empty() && (piece.front() == '+' || negative))
        piece.remove_prefix(1);
    if (piece.empty())
        return std::nullopt;
    int value = 0;
    for (const char c : piece) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::optional<int> pieceAt(const std::string& text, std::size_t start) {
    if (start >= text.size())
        return std::nullopt;
    return numberIn(std::string_view(text).substr(start, 2));
}

bool isTimeOfDay(TimeOfDay time) {
    return time.hour >= 0 && time.hour < 24 && time.minute >= 0 && time.minute < 60 &&
           time.second >= 0 && time.second < 60;
}

int wrapped(int value, int direction, int last) {
    const int next = value + direction;
    if (next > last)
        return 0;
    if (next < 0)
        return last;
    return next;
}

}  // namespace

TimeOfDay parseAccessTime(const std::string& vTime, const Clock& clock) {
    if (vTime.empty())
        return timeOfDayOf(clock.now());
    const TimeOfDay parsed{pieceAt(vTime, 0).value_or(15), pieceAt(vTime, 2).value_or(0),
                           pieceAt(vTime, 4).value_or(0)};
    return isTimeOfDay(parsed) ? parsed : kFallbackTime;
}

std::string formatAccessTime(TimeOfDay time) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%02d", time.hour, time.minute, time.second);
    return text;
}

TimeOfDay stepAccessTime(TimeOfDay time, TimeField field, int direction) {
    switch (field) {
        case TimeField::Hour:
            time.hour = wrapped(time.hour, direction, 23);
            break;
        case TimeField::Minute:
            time.minute = wrapped(time.minute, direction, 59);
            break;
        case TimeField::Second:
            time.second = wrapped(time.second, direction, 59);
            break;
    }
    return time;
}

}  // namespace velmo
