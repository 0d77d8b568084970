#pragma once
// A month's schedule entries as an iCalendar file that calendar programs accept: one
// all-day event per group of a day's entries, text escaped, lines folded, a time stamp,
// and UIDs that stay the same for a day and position yet differ between data sets.

#include <string>
#include <string_view>
#include <vector>

#include "core/clock.h"
#include "store/line_file.h"

namespace velmo {

// SUMMARY text: backslash, semicolon and comma escaped.
std::string escapeICalendarText(std::string_view text);

// A content line folded at 75 octets, never inside a UTF-8 character; the parts after
// the first start with a blank, and are joined with CR LF.
std::string foldICalendarLine(std::string_view line);

// "@" + data set + "." + computer + ".velmo", reduced to letters, digits and "-", so
// the UIDs of one computer's data set never meet those of another.
std::string iCalendarUidDomain(std::string_view dataSetName, std::string_view computerName);

// The day's events: entries of the day joined in file order, an entry ending with "　"
// closing its event; runs of full-width blanks removed inside. Each text is one event.
std::vector<std::string> iCalendarDayEvents(const LineList& monthLines, int day);

// The file's content lines, unfolded: the calendar, every event of every day of the
// month, the Tokyo time zone. now gives DTSTAMP (converted to UTC); each event names an
// organizer whose address (under ".invalid") never reaches anybody.
std::vector<std::string> iCalendarLines(int year, int month, const LineList& monthLines,
                                        const LocalDateTime& now, std::string_view uidDomain);

// The lines folded and joined with CR LF, ending with CR LF, as UTF-8; a byte the data
// file held that no character explains becomes U+FFFD.
std::string iCalendarFileBytes(const std::vector<std::string>& lines);

}  // namespace velmo
