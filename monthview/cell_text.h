#pragma once
// Text work on a schedule line before it is drawn in a day cell: inline tags, tabs and
// shortening before the overflow mark. Texts are UTF-8; tags are ASCII and compared
// without regard to ASCII case.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace velmo {

// The position of the first occurrence of an ASCII pattern at or after from, ignoring
// ASCII case; npos when there is none.
std::size_t findIgnoringCase(std::string_view text, std::string_view pattern, std::size_t from = 0);

// The text with every occurrence of the pattern removed, ignoring ASCII case.
std::string removeIgnoringCase(std::string_view text, std::string_view pattern);

// Every tab becomes count spaces (none when count is 0 or less).
std::string expandTabs(std::string_view text, int count);

// "<B>"/"</B>" anywhere make the whole line bold, "<S>"/"</S>" struck out; the tags are
// removed from the text.
struct TaggedLine {
    std::string text;
    bool bold = false;
    bool strikeOut = false;

    bool operator==(const TaggedLine&) const = default;
};
TaggedLine applyLineTags(std::string_view text);

// The text without its last character (a whole UTF-8 sequence).
std::string dropLastCharacter(std::string_view text);

// Shortens the text one character at a time until its measured width is below the
// limit; the text stays whole when it already fits.
std::string shortenToWidth(std::string_view text, int limit,
                           const std::function<int(std::string_view)>& measure);

}  // namespace velmo
