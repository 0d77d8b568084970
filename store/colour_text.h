#pragma once
// Colours as the settings file stores them: a Delphi colour name ("clRed",
// "clWindowText"), "$" with eight hex digits in COLORREF byte order, or a number.

#include <cstdint>
#include <string>
#include <string_view>

namespace velmo {

// 0x00BBGGRR, or a system colour 0x800000xx (xx = Windows COLOR_* index), or one of
// the two special values below.
using Colour = std::uint32_t;

inline constexpr Colour kSystemColourFlag = 0x80000000u;
inline constexpr Colour kColourNone = 0x1FFFFFFFu;
inline constexpr Colour kColourDefault = 0x20000000u;

inline constexpr bool isSystemColour(Colour c) {
    return (c & 0xFFFFFF00u) == kSystemColourFlag;
}
// The COLOR_* index of a system colour (meaningful only when isSystemColour).
inline constexpr int systemColourIndex(Colour c) {
    return static_cast<int>(c & 0xFFu);
}

// The colour's name when it has one, else "$" and eight upper-case hex digits.
std::string colourToText(Colour value);

// A name (any letter case), "$hex", "0x" hex or a decimal number, surrounding spaces
// allowed; the default when none of these parses.
Colour textToColour(std::string_view text, Colour defaultValue);

}  // namespace velmo
