#pragma once
// The text of today's schedule balloon (Alt+Down): the texts of today's lines of the
// month on display, each on a line of its own.

#include <string>
#include <string_view>

#include "store/line_file.h"

namespace velmo {

// The balloon holds at most this many bytes in the files' encoding.
inline constexpr std::size_t kBalloonTextBytes = 255;

// "\r\n" followed by the text (field 3, "，" shown as ",") of every line whose day field
// is `today`, each ended by "\r\n"; just "\r\n" when the month on display is not
// today's. Cut to kBalloonTextBytes, never in the middle of a character.
std::string todayBalloonText(const LineList& lines, int today, bool showsTodaysMonth);

// The text cut to at most `bytes` bytes of its CP932 form, at a character boundary.
std::string cutToEncodedBytes(std::string_view utf8, std::size_t bytes);

}  // namespace velmo
