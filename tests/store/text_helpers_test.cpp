#include "store/text_helpers.h"

#include <gtest/gtest.h>

#include <set>

#include "store/cp932.h"

namespace velmo {
namespace {

using Fields = std::vector<std::string>;

TEST(TextTrailing, EnsureAppendsOnlyWhenMissingAndTrims) {
    EXPECT_EQ(ensureTrailing("  /home/a  ", "/"), "/home/a/");
    EXPECT_EQ(ensureTrailing("/home/a/", "/"), "/home/a/");
    EXPECT_EQ(ensureTrailing("   ", "/"), "");
    EXPECT_EQ(ensureTrailing("", "\\"), "");
    // 表 is 0x95 0x5C in CP932: its trail byte is "\" but the character is not.
    EXPECT_EQ(ensureTrailing("C:\\表", "\\"), "C:\\表\\");
    EXPECT_EQ(ensureTrailing("ソ", "\\"), "ソ\\");  // 0x83 0x5C
}

TEST(TextTrailing, StripRemovesOneWholeCharacter) {
    EXPECT_EQ(stripTrailing(" /home/a/ ", "/"), "/home/a");
    EXPECT_EQ(stripTrailing("/home/a//", "/"), "/home/a/");
    EXPECT_EQ(stripTrailing("/home/a", "/"), "/home/a");
    EXPECT_EQ(stripTrailing("表", "\\"), "表");
    EXPECT_EQ(stripTrailing("予定表\\", "\\"), "予定表");
    EXPECT_EQ(stripTrailing("メモ。", "。"), "メモ");
}

TEST(TextTrailing, TrimKeepsFullWidthSpace) {
    EXPECT_EQ(trimSpaces("\t a b \r\n"), "a b");
    EXPECT_EQ(trimSpaces("　予定　"), "　予定　");
}

TEST(TextReplaceAll, WorksOnCharactersNotCp932Bytes) {
    // メ is 0x83 0x81 in CP932, so "メC" holds the bytes 0x81 0x43 of "，" by accident.
    EXPECT_EQ(replaceAll("メC，メC", "，", ","), "メC,メC");
    EXPECT_EQ(replaceAll("a,b,,c", ",", "，"), "a，b，，c");
    EXPECT_EQ(replaceAll("表\\", "\\", "/"), "表/");
}

TEST(TextReplaceAll, ScansLeftToRightWithoutRescanning) {
    EXPECT_EQ(replaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(replaceAll("aXa", "a", "aa"), "aaXaa");
    EXPECT_EQ(replaceAll("AbAB", "ab", "x"), "AbAB");  // case-sensitive
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(replaceAll("", "a", "x"), "");
}

TEST(TextRepeat, CountsOfZeroAndMore) {
    EXPECT_EQ(repeatText("ab", 3), "ababab");
    EXPECT_EQ(repeatText("ab", 0), "");
    EXPECT_EQ(repeatText("ab", -2), "");
    EXPECT_EQ(repeatText("─", 2), "──");
}

TEST(TextPadding, WidthsCountCp932BytesAndCutCharactersBecomeSpaces) {
    EXPECT_EQ(padRight("ab", 5), "ab   ");
    EXPECT_EQ(padRight("abcdef", 3), "abc");
    EXPECT_EQ(padRight("予定", 5), "予定 ");
    EXPECT_EQ(padRight("予定", 3), "予 ");
    EXPECT_EQ(padRight("ｱｲｳ", 2), "ｱｲ");  // half-width katakana is one byte
    EXPECT_EQ(padRight("abc", 0), "");

    EXPECT_EQ(padLeft("ab", 5), "   ab");
    EXPECT_EQ(padLeft("abcdef", 3), "def");
    EXPECT_EQ(padLeft("予定", 3), " 定");
    EXPECT_EQ(padLeft("12月", 6), "  12月");

    for (const char* text : {"a表b予c", "表表表", "ｱ表ｲ"}) {
        for (int width = 0; width < 9; ++width) {
            SCOPED_TRACE(std::string(text) + " " + std::to_string(width));
            EXPECT_EQ(cp932::byteLength(padRight(text, width)), static_cast<std::size_t>(width));
            EXPECT_EQ(cp932::byteLength(padLeft(text, width)), static_cast<std::size_t>(width));
        }
    }
}

TEST(TextPadding, LeftAndRightPartsKeepShortTextsWhole) {
    EXPECT_EQ(rightPart("abc", 2), "bc");
    EXPECT_EQ(rightPart("abc", 10), "abc");
    EXPECT_EQ(rightPart("表a", 2), " a");
    EXPECT_EQ(rightPart("a表", 2), "表");
    EXPECT_EQ(leftPart("a表", 2), "a ");
    EXPECT_EQ(leftPart("a表", 3), "a表");
    EXPECT_EQ(rightPart("abc", 0), "");
}

TEST(TextSafePart, PositionsAreOneBasedCp932Bytes) {
    EXPECT_EQ(safePart("abcdef", 2, 3), "bcd");
    EXPECT_EQ(safePart("abcdef", 5, 10), "ef");
    // "a予定b": a=1, 予=2-3, 定=4-5, b=6
    EXPECT_EQ(safePart("a予定b", 2, 2), "予");
    EXPECT_EQ(safePart("a予定b", 2, 3), "予");  // 定 would keep only its lead byte
    EXPECT_EQ(safePart("a予定b", 3, 2), "定");  // start on a trail byte moves forward
    EXPECT_EQ(safePart("a予定b", 3, 3), "定b");
    EXPECT_EQ(safePart("a予定b", 1, 1), "a");
}

TEST(TextSafePart, EmptyOutsideTheText) {
    EXPECT_EQ(safePart("abc", 0, 2), "");
    EXPECT_EQ(safePart("abc", 4, 2), "");
    EXPECT_EQ(safePart("abc", 1, 0), "");
    EXPECT_EQ(safePart("予", 2, 5), "");  // only the trail byte is left
    EXPECT_EQ(safePart("", 1, 1), "");
}

TEST(TextSafePart, NeverEndsWithHalfACharacter) {
    const std::string text = "A表ｱ予定,b一二三";
    const int length = static_cast<int>(cp932::byteLength(text));
    for (int start = 1; start <= length; ++start) {
        for (int count = 1; count <= length + 1; ++count) {
            SCOPED_TRACE(std::to_string(start) + "," + std::to_string(count));
            const std::string bytes = cp932::encode(text);
            const std::string piece = cp932::encode(safePart(text, start, count));
            const auto from = static_cast<std::size_t>(start - 1);
            // Whole characters taken from the start, or one byte later when the start
            // fell on a trail byte; at most count bytes, and at most one byte short.
            const bool atStart = bytes.compare(from, piece.size(), piece) == 0;
            const bool moved = bytes.compare(from + 1, piece.size(), piece) == 0;
            ASSERT_TRUE(atStart || moved);
            EXPECT_LE(piece.size(), static_cast<std::size_t>(count));
            const std::size_t left = bytes.size() - from - (atStart ? 0 : 1);
            EXPECT_GE(piece.size() + 1, std::min(left, static_cast<std::size_t>(count)));
        }
    }
}

TEST(TextSpaceCoding, RoundTrip) {
    EXPECT_EQ(spaceEncode("/home/a b/c d.myc"), "/home/a_\\Sp\\_b/c_\\Sp\\_d.myc");
    EXPECT_EQ(spaceDecode("/home/a_\\Sp\\_b/c_\\Sp\\_d.myc"), "/home/a b/c d.myc");
    EXPECT_EQ(spaceEncode("表　x"), "表　x");  // the full-width space stays
}

TEST(TextSplitFields, CountsSeparatorsPlusOne) {
    EXPECT_EQ(splitFields(" 0,0,9,2024/ 3 [Data\\Files1\\]", ','),
              (Fields{" 0", "0", "9", "2024/ 3 [Data\\Files1\\]"}));
    EXPECT_EQ(splitFields("a,", ','), (Fields{"a", ""}));
    EXPECT_EQ(splitFields("", ','), (Fields{""}));
    EXPECT_EQ(splitFields(",,", ','), (Fields{"", "", ""}));
    EXPECT_EQ(splitFields("予定，表,x", ','), (Fields{"予定，表", "x"}));
    EXPECT_EQ(splitFields("a\tb", '\t'), (Fields{"a", "b"}));
}

TEST(TextRandomDigits, LengthWithinLimitAndDigitsOnly) {
    std::mt19937 random(42);
    std::set<std::size_t> lengths;
    for (int i = 0; i < 500; ++i) {
        const std::string text = randomDigits(20, random);
        lengths.insert(text.size());
        ASSERT_GE(text.size(), 6u);
        ASSERT_LE(text.size(), 20u);
        ASSERT_EQ(text.find_first_not_of("0123456789"), std::string::npos) << text;
    }
    EXPECT_EQ(lengths.size(), 15u);  // every length from 6 to 20 turns up
    EXPECT_EQ(randomDigits(6, random).size(), 6u);
    EXPECT_EQ(randomDigits(3, random).size(), 6u);
}

TEST(TextRandomDigits, LongTextsRepeatTheNumber) {
    std::mt19937 random(7);
    const std::string text = randomDigits(200, random);
    // The digits are one number doubled until long enough, so the text is periodic.
    std::size_t period = 1;
    while (period < text.size() &&
           text.compare(period, std::string::npos, text, 0, text.size() - period) != 0) {
        ++period;
    }
    EXPECT_LE(period, 10u) << text;
}

TEST(TextRecentList, MovesOrInsertsAtTopWithinLimit) {
    std::vector<std::string> list{"b", "c", "d"};
    recentListInsert(list, "c", 3);
    EXPECT_EQ(list, (Fields{"c", "b", "d"}));
    recentListInsert(list, "a", 3);
    EXPECT_EQ(list, (Fields{"a", "c", "b"}));
    recentListInsert(list, "  ", 3);
    recentListInsert(list, "", 3);
    EXPECT_EQ(list, (Fields{"a", "c", "b"}));
    recentListInsert(list, "z", 1);
    EXPECT_EQ(list, (Fields{"z"}));
}

TEST(TextColourBytes, SplitsBgrValue) {
    EXPECT_EQ(colourBytes(0x00FF8040), (ColourBytes{0x40, 0x80, 0xFF}));
    EXPECT_EQ(colourBytes(0x000000FF), (ColourBytes{0xFF, 0, 0}));
}

}  // namespace
}  // namespace velmo
