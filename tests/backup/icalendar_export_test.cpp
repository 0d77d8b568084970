// The month as iCalendar: how entries join into events, and the details that make
// calendar programs accept the file (all-day dates, escapes, folding, UTF-8, UIDs).

#include "backup/icalendar_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "store/cp932.h"

namespace velmo {
namespace {

const LocalDateTime kNow{2026, 12, 10, 9, 30, 15, 0};

std::vector<std::string> eventsOf(const std::vector<std::string>& lines, std::string_view key) {
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        if (line.starts_with(key))
            found.push_back(line.substr(key.size()));
    }
    return found;
}

TEST(ICalendarEvents, EntriesOfADayJoinUntilOneEndsWithAFullWidthBlank) {
    EXPECT_EQ(iCalendarDayEvents({"3,1,0,A", "3,2,0,B"}, 3), (std::vector<std::string>{"AB"}));
    EXPECT_EQ(iCalendarDayEvents({"3,1,0,A　", "4,1,0,X", "3,2,0,B"}, 3),
              (std::vector<std::string>{"A", "B"}));
    // Runs of blanks go; a single blank stays; "，" is a comma again; tags go.
    EXPECT_EQ(iCalendarDayEvents({"3,1,0,朝　　　会　議，<B>了</B>"}, 3),
              (std::vector<std::string>{"朝会　議,了"}));
    // An entry of only a blank closes an empty event, which is not written.
    EXPECT_TRUE(iCalendarDayEvents({"3,1,0,　"}, 3).empty());
}

TEST(ICalendarLines, EventsAreAllDayWithStampUidAndEscapedSummary) {
    const LineList month{"31,1,0,A　", "31,2,0,B;C\\D，E"};
    const auto lines = iCalendarLines(2026, 12, month, kNow, "@datafiles1.pc01.velmo");
    EXPECT_EQ(eventsOf(lines, "UID:"),
              (std::vector<std::string>{"torka2026/12/31_001@datafiles1.pc01.velmo",
                                        "torka2026/12/31_002@datafiles1.pc01.velmo"}));
    EXPECT_EQ(eventsOf(lines, "DTSTART;VALUE=DATE:"),
              (std::vector<std::string>{"20261231", "20261231"}));
    // The next day, across the year's end.
    EXPECT_EQ(eventsOf(lines, "DTEND;VALUE=DATE:")[0], "20270101");
    EXPECT_EQ(eventsOf(lines, "SUMMARY:"), (std::vector<std::string>{"A", "B\\;C\\\\D\\,E"}));
    const auto stamps = eventsOf(lines, "DTSTAMP:");
    ASSERT_EQ(stamps.size(), 2u);
    EXPECT_EQ(stamps[0].size(), 16u);
    EXPECT_TRUE(stamps[0].ends_with("Z"));
    EXPECT_EQ(lines.front(), "BEGIN:VCALENDAR");
    EXPECT_EQ(lines[1], "PRODID:Torka");
    EXPECT_EQ(lines[3], "METHOD:PUBLISH");
    EXPECT_EQ(lines.back(), "END:VCALENDAR");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "TZID:Asia/Tokyo"), lines.end());
}

TEST(ICalendarLines, AMonthWithoutEntriesHasNoEvents) {
    const auto lines =
        iCalendarLines(2024, 2, {" 0,0,9,2024/ 2 [Data\\Files1\\]"}, kNow, "@x.y.velmo");
    EXPECT_TRUE(eventsOf(lines, "BEGIN:VEVENT").empty());
}

TEST(ICalendarLines, TheStampIsUniversalTime) {
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
    const auto lines = iCalendarLines(2026, 12, {"1,1,0,A"}, kNow, "@x.y.velmo");
    if (old)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
    EXPECT_EQ(eventsOf(lines, "DTSTAMP:"), (std::vector<std::string>{"20261210T003015Z"}));
}

TEST(ICalendarUid, DomainsDifferBetweenDataSetsAndComputersAndStayPlain) {
    EXPECT_EQ(iCalendarUidDomain("Data\\Files1\\", "PC-01"), "@datafiles1.pc-01.velmo");
    EXPECT_NE(iCalendarUidDomain("Data\\Files1\\", "PC-01"),
              iCalendarUidDomain("Data\\Files2\\", "PC-01"));
    EXPECT_EQ(iCalendarUidDomain("", "経理"), "@local.local.velmo");
}

TEST(ICalendarFile, LongLinesFoldAt75OctetsOnCharacterBoundaries) {
    std::string summary = "SUMMARY:";
    for (int i = 0; i < 100; ++i)
        summary += (i % 3 == 0) ? "a" : "会";
    const std::string bytes = iCalendarFileBytes({summary});
    std::string unfolded;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        const std::string part = bytes.substr(start, end - start);
        EXPECT_LE(part.size(), 75u);
        // No part starts inside a character (a continuation byte after the blank).
        const std::size_t first = start == 0 ? 0 : 1;
        if (part.size() > first) {
            EXPECT_NE(static_cast<unsigned char>(part[first]) & 0xC0, 0x80);
        }
        unfolded += start == 0 ? part : part.substr(1);
        start = end + 2;
    }
    EXPECT_EQ(unfolded, summary);
}

TEST(ICalendarFile, IsValidUtf8WithStrayBytesReplaced) {
    std::string text = "SUMMARY:";
    cp932::appendUtf8(text, cp932::kEscapeBase + 0x80);
    cp932::appendUtf8(text, U'\U00020BB7');
    const std::string bytes = iCalendarFileBytes({text});
    EXPECT_EQ(bytes, "SUMMARY:\xEF\xBF\xBD\xF0\xA0\xAE\xB7\r\n");
}

}  // namespace
}  // namespace velmo
