#include "store/colour_text.h"

#include <array>
#include <cstdio>

#include "store/profile_file.h"

namespace velmo {
namespace {

struct NamedColour {
    Colour value;
    const char* name;
};

constexpr Colour sys(int index) {
    return kSystemColourFlag | static_cast<Colour>(index);
}

// Same names and values as the Delphi VCL's colour map, so files written by either
// program read the same in both.
constexpr std::array<NamedColour, 47> kNamedColours{{
    {0x000000, "clBlack"},
    {0x000080, "clMaroon"},
    {0x008000, "clGreen"},
    {0x008080, "clOlive"},
    {0x800000, "clNavy"},
    {0x800080, "clPurple"},
    {0x808000, "clTeal"},
    {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},
    {0x0000FF, "clRed"},
    {0x00FF00, "clLime"},
    {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},
    {0xFF00FF, "clFuchsia"},
    {0xFFFF00, "clAqua"},
    {0xFFFFFF, "clWhite"},
    {0xC0DCC0, "clMoneyGreen"},
    {0xF0CAA6, "clSkyBlue"},
    {0xF0FBFF, "clCream"},
    {0xA4A0A0, "clMedGray"},
    {sys(0), "clScrollBar"},
    {sys(1), "clBackground"},
    {sys(2), "clActiveCaption"},
    {sys(3), "clInactiveCaption"},
    {sys(4), "clMenu"},
    {sys(5), "clWindow"},
    {sys(6), "clWindowFrame"},
    {sys(7), "clMenuText"},
    {sys(8), "clWindowText"},
    {sys(9), "clCaptionText"},
    {sys(10), "clActiveBorder"},
    {sys(11), "clInactiveBorder"},
    {sys(12), "clAppWorkSpace"},
    {sys(13), "clHighlight"},
    {sys(14), "clHighlightText"},
    {sys(15), "clBtnFace"},
    {sys(16), "clBtnShadow"},
    {sys(17), "clGrayText"},
    {sys(18), "clBtnText"},
    {sys(19), "clInactiveCaptionText"},
    {sys(20), "clBtnHighlight"},
    {sys(21), "cl3DDkShadow"},
    {sys(22), "cl3DLight"},
    {sys(23), "clInfoText"},
    {sys(24), "clInfoBk"},
    {kColourNone, "clNone"},
    {kColourDefault, "clDefault"},
}};

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace

std::string colourToText(Colour value) {
    for (const NamedColour& named : kNamedColours) {
        if (named.value == value)
            return named.name;
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "$%08X", static_cast<unsigned>(value));
    return buffer;
}

Colour textToColour(std::string_view text, Colour defaultValue) {
    const std::string_view name = trimmed(text);
    for (const NamedColour& named : kNamedColours) {
        if (equalsIgnoringAsciiCase(name, named.name))
            return named.value;
    }
    if (const auto number = parseDelphiInteger(name))
        return static_cast<Colour>(*number);
    return defaultValue;
}

}  // namespace velmo
