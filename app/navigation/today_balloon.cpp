#include "app/navigation/today_balloon.h"

#include "store/cp932.h"
#include "store/entry_line.h"

namespace velmo {

std::string cutToEncodedBytes(std::string_view utf8, std::size_t bytes) {
    std::size_t used = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t next = pos;
        const char32_t c = cp932::nextCodePoint(utf8, next);
        const auto width = static_cast<std::size_t>(cp932::charWidth(c));
        if (used + width > bytes)
            break;
        used += width;
        pos = next;
    }
    return std::string(utf8.substr(0, pos));
}

std::string todayBalloonText(const LineList& lines, int today, bool showsTodaysMonth) {
    std::string text = "\r\n";
    if (showsTodaysMonth) {
        for (const std::string& line : lines) {
            if (entryDay(line) == today)
                text += textForEditing(entryStoredText(line)) + "\r\n";
        }
    }
    return cutToEncodedBytes(text, kBalloonTextBytes);
}

}  // namespace velmo
