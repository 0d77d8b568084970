#include "store/colour_text.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

TEST(ColourText, NamesMapToTheirValuesBothWays) {
    const std::pair<const char*, Colour> named[] = {
        {"clBlack", 0x000000},        {"clMaroon", 0x000080},      {"clRed", 0x0000FF},
        {"clBlue", 0xFF0000},         {"clGreen", 0x008000},       {"clWhite", 0xFFFFFF},
        {"clMoneyGreen", 0xC0DCC0},   {"clSkyBlue", 0xF0CAA6},     {"clCream", 0xF0FBFF},
        {"clMedGray", 0xA4A0A0},      {"clScrollBar", 0x80000000}, {"clWindow", 0x80000005},
        {"clWindowText", 0x80000008}, {"clBtnFace", 0x8000000F},   {"cl3DDkShadow", 0x80000015},
        {"clInfoBk", 0x80000018},     {"clNone", 0x1FFFFFFF},      {"clDefault", 0x20000000},
    };
    for (const auto& [name, value] : named) {
        EXPECT_EQ(colourToText(value), name);
        EXPECT_EQ(textToColour(name, 1), value) << name;
    }
    EXPECT_TRUE(isSystemColour(textToColour("clWindowText", 0)));
    EXPECT_EQ(systemColourIndex(textToColour("clInfoBk", 0)), 24);
    EXPECT_FALSE(isSystemColour(textToColour("clNone", 0)));
}

TEST(ColourText, UnnamedColoursAreDollarHexInBgrOrder) {
    EXPECT_EQ(colourToText(0x00484848), "$00484848");
    EXPECT_EQ(colourToText(0x00ABCDEF), "$00ABCDEF");
    EXPECT_EQ(colourToText(0x80000019), "$80000019");  // beyond the named system colours
    EXPECT_EQ(colourToText(0xFFFFFFFF), "$FFFFFFFF");
}

TEST(ColourText, ReadsNamesAnyCaseAndNumbers) {
    const Colour fallback = 0x123456;
    EXPECT_EQ(textToColour("CLRED", fallback), 0x0000FFu);
    EXPECT_EQ(textToColour(" clwindowtext ", fallback), 0x80000008u);
    EXPECT_EQ(textToColour("$00484848", fallback), 0x00484848u);
    EXPECT_EQ(textToColour("0x00ff0000", fallback), 0x00FF0000u);
    EXPECT_EQ(textToColour("4737096", fallback), 0x00484848u);
    EXPECT_EQ(textToColour("-1", fallback), 0xFFFFFFFFu);
    EXPECT_EQ(textToColour("$80000005", fallback), 0x80000005u);
    for (const char* bad : {"", "clReddish", "red", "$", "$100000000", "#FF0000", "12px"}) {
        EXPECT_EQ(textToColour(bad, fallback), fallback) << bad;
    }
}

}  // namespace
}  // namespace velmo
