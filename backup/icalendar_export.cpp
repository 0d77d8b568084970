#include "backup/icalendar_export.h"

#include <cctype>
#include <cstdio>
#include <ctime>

#include "backup/export_entry_format.h"
#include "calendar/julius_day.h"
#include "store/cp932.h"
#include "store/entry_line.h"
#include "store/text_helpers.h"

namespace velmo {
namespace {

constexpr std::string_view kFullWidthBlank = "　";
constexpr std::size_t kFoldOctets = 75;
constexpr std::string_view kReplacementCharacter = "\uFFFD";

std::string dateValue(const Ymd& d) {
    char text[48];
    std::snprintf(text, sizeof text, "%.4d%.2d%.2d", d.year, d.month, d.day);
    return text;
}

std::string utcStamp(const LocalDateTime& now) {
    const std::time_t seconds = secondsSinceEpoch(now);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
    return text;
}

std::string uidLabel(std::string_view text) {
    std::string label;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) != 0 || c == '-')
            label += static_cast<char>(std::tolower(u));
    }
    return label.empty() ? "local" : label;
}

// The pending text as its event's summary; empty when nothing remains of it.
std::string eventText(std::string text) {
    if (text.ends_with(kFullWidthBlank))
        text.resize(text.size() - kFullWidthBlank.size());
    if (text.find(kFullWidthBlank) != std::string::npos) {
        for (int run = 5; run >= 2; --run)
            text = replaceAll(text, repeatText(kFullWidthBlank, run), "");
    }
    return replaceAll(text, "，", ",");
}

}  // namespace

std::string escapeICalendarText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '\\' || c == ';' || c == ',')
            out += '\\';
        out += c;
    }
    return out;
}

std::string foldICalendarLine(std::string_view line) {
    std::string out;
    std::size_t room = kFoldOctets;
    std::size_t used = 0;
    for (std::size_t pos = 0; pos < line.size();) {
        std::size_t next = pos;
        cp932::nextCodePoint(line, next);
        if (used + (next - pos) > room) {
            out += "\r\n ";
            room = kFoldOctets - 1;
            used = 0;
        }
        out.append(line.substr(pos, next - pos));
        used += next - pos;
        pos = next;
    }
    return out;
}

std::string iCalendarUidDomain(std::string_view dataSetName, std::string_view computerName) {
    return "@" + uidLabel(dataSetName) + "." + uidLabel(computerName) + ".velmo";
}

std::vector<std::string> iCalendarDayEvents(const LineList& monthLines, int day) {
    std::vector<std::string> events;
    std::string pending;
    auto emit = [&] {
        std::string text = eventText(std::move(pending));
        pending.clear();
        if (!text.empty())
            events.push_back(std::move(text));
    };
    for (const std::string& line : monthLines) {
        if (entryDay(line) != day)
            continue;
        const std::string entry = formatExportEntry(entryStoredText(line), std::nullopt, false);
        pending += entry;
        if (entry.ends_with(kFullWidthBlank))
            emit();
    }
    emit();
    return events;
}

std::vector<std::string> iCalendarLines(int year, int month, const LineList& monthLines,
                                        const LocalDateTime& now, std::string_view uidDomain) {
    std::vector<std::string> lines{"BEGIN:VCALENDAR", "PRODID:Torka", "VERSION:2.0",
                                   "METHOD:PUBLISH", "CALSCALE:GREGORIAN"};
    const std::string stamp = utcStamp(now);
    // A published event must name its organizer; the address is one that never reaches
    // anybody. An empty DESCRIPTION is left out: readers refuse a property without value.
    const std::string organizer =
        "ORGANIZER;CN=Velmo:mailto:velmo" + std::string(uidDomain) + ".invalid";
    const int lastDay = lastDayOfMonth(year, month);
    for (int day = 1; day <= lastDay; ++day) {
        const Ymd date{year, month, day};
        const std::string start = dateValue(date);
        const std::string end = dateValue(juliusDayToYmd(ymdToJuliusDay(year, month, day) + 1));
        char uid[96];
        int counter = 0;
        for (const std::string& text : iCalendarDayEvents(monthLines, day)) {
            std::snprintf(uid, sizeof uid, "UID:torka%.4d/%.2d/%.2d_%.3d", year, month, day,
                          ++counter);
            lines.insert(lines.end(),
                         {"BEGIN:VEVENT", uid + std::string(uidDomain), "DTSTAMP:" + stamp,
                          organizer, "DTSTART;VALUE=DATE:" + start, "DTEND;VALUE=DATE:" + end,
                          "SUMMARY:" + escapeICalendarText(text), "END:VEVENT"});
        }
    }
    lines.insert(lines.end(), {"BEGIN:VTIMEZONE", "TZID:Asia/Tokyo", "BEGIN:STANDARD",
                               "DTSTART:19700101T000000", "TZOFFSETFROM:+0900", "TZOFFSETTO:+0900",
                               "END:STANDARD", "END:VTIMEZONE", "END:VCALENDAR"});
    return lines;
}

std::string iCalendarFileBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += foldICalendarLine(withStrayBytesReplaced(line, kReplacementCharacter)) + "\r\n";
    return bytes;
}

}  // namespace velmo
