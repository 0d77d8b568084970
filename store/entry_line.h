#pragma once
// One entry line of a month file and the day editor's attribute record of it.
//
// An entry line is "day,position,,text,colour,aux1,time,aux2,aux3," with the day
// right-aligned in two characters. Texts never hold ",": it is stored as "，" and
// turned back for editing. The carried values are not used by this program; they
// are read into the record and written back as they came.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/colour_text.h"

namespace velmo {

// The system colour "window text": a line without a colour of its own.
inline constexpr Colour kClWindowText = kSystemColourFlag | 8u;

// Day numbers with a meaning of their own.
inline constexpr int kPlaceholderDay = 0;
inline constexpr int kMonthMemoDay = 77;

// Fields 4 to 8 of an entry line.
struct DayLineAttr {
    Colour color = kClWindowText;
    std::uint8_t aux1 = 0;
    // The carried time of day exactly as read (empty when none), so a file written
    // under another locale's time format comes back byte for byte.
    std::string auxTime;
    std::uint8_t aux2 = 0;
    std::int32_t aux3 = 0;

    bool operator==(const DayLineAttr&) const = default;
};

// The day field (field 0) as a number; nothing when it is not one.
std::optional<int> entryDay(std::string_view line);

// True for the placeholder line of an otherwise empty month (day field 0).
bool isPlaceholderLine(std::string_view line);

// The text field (field 3) as stored, "，" included; empty when the line has none.
std::string entryStoredText(std::string_view line);

// The attribute record of a line. Lines of five fields or fewer get the default.
// Fields are read in order; the first one that does not convert keeps its default
// and so do all after it. An empty colour field or "1" means no colour of its own.
DayLineAttr entryAttr(std::string_view line);

// "，" back to "," for the editor, and "," to "，" for the file.
std::string textForEditing(std::string_view stored);
std::string textForStorage(std::string_view edited);

// The entry line for one editor line: "%2d,%d,,%s,%s,%s,%s,%s,%s," with the text's
// commas made full-width, the colour empty for kClWindowText and every carried
// number empty when zero.
std::string formatEntryLine(int day, int position, std::string_view editorText,
                            const DayLineAttr& attr);

}  // namespace velmo
