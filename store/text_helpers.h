#pragma once
// Small text helpers shared by the data files, the folders and the dialogs.
//
// Text is UTF-8 in memory. Where a width or a position is counted in bytes, it is
// the number of bytes the text takes in CP932 (see cp932::byteLength), because that
// is what the files and the fixed-width columns count. Search, replace and trimming
// work on whole characters, so a CP932 trail byte can never be mistaken for "\" or
// for half of "，".

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

// Removes ASCII spaces and control characters (bytes up to 0x20) from both ends,
// as the Windows trim did. The full-width space U+3000 is data and is kept.
std::string trimSpaces(std::string_view text);

// Trims spaces; when the result is not empty and its last character differs from
// the one-character suffix, appends the suffix.
std::string ensureTrailing(std::string_view text, std::string_view suffix);

// Trims spaces; when the last character equals the given one, removes it.
std::string stripTrailing(std::string_view text, std::string_view suffix);

// Replaces every occurrence, case-sensitively, scanning left to right over the rest
// of the text (a replacement is never searched again). An empty pattern changes nothing.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);

// The text repeated count times; zero or less gives an empty text.
std::string repeatText(std::string_view text, int count);

// Exactly width CP932 bytes: the text followed by spaces, cut after width bytes.
std::string padRight(std::string_view text, int width);

// Exactly width CP932 bytes: spaces followed by the text, keeping its last width bytes.
std::string padLeft(std::string_view text, int width);

// The first / last count CP932 bytes of a text (the whole text when it is shorter).
// A double-byte character cut in two becomes a space so the width holds.
std::string leftPart(std::string_view text, int count);
std::string rightPart(std::string_view text, int count);

// The part from CP932 byte position start (1-based) for up to count bytes, never
// cutting a double-byte character: a start inside a character moves to the next
// character, and a character that would not fit whole is left out. Empty when
// start < 1, start > length or count < 1.
std::string safePart(std::string_view text, int start, int count);

// Every " " becomes "_\Sp\_" and back; paths travel this way in companion command lines.
std::string spaceEncode(std::string_view text);
std::string spaceDecode(std::string_view text);

// Cuts a line at every separator: separators + 1 fields, empty ones included, no quoting.
std::vector<std::string> splitFields(std::string_view line, char separator);

// A text of random decimal digits whose length is from 6 to limit.
std::string randomDigits(int limit, std::mt19937& random);

// Moves or inserts a non-blank text at the top of a most-recent list and drops the
// entries beyond the limit.
void recentListInsert(std::vector<std::string>& list, const std::string& text, int limit);

struct ColourBytes {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const ColourBytes&) const = default;
};

// The red, green and blue bytes of a colour value 0x00BBGGRR.
ColourBytes colourBytes(std::uint32_t colour);

// The message naming the first character of a one-line field that CP932 cannot store;
// nothing when the field can be stored.
std::optional<std::string> unencodableTextMessage(std::string_view text);

}  // namespace velmo
