#include "app/commands/day_clipboard.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

const std::string kMarker(kDayCopyMarker);

MonthSlot december() {
    MonthSlot slot;
    slot.year = 2026;
    slot.month = 12;
    slot.lines = {" 0,0,9,2026/12 [Data\\Files1\\]",
                  " 3,0,5,会議，本社,clRed,1,10:00,2,3,",
                  "12,0,,既存1,,,,,,",
                  " 3,2,,昼食,,,,,,",
                  " 3,4,,,$000000FF,,,,,,extra,more",
                  "12,1,,既存2,,,,,,",
                  " 4,0,,,,,,,,",
                  " 4,1,,,clRed,,,,,"};
    return slot;
}

std::string copyOf(std::initializer_list<std::string> lines) {
    std::string text = kMarker + "\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

TEST(DayClipboard, CopiedDayPastesOntoAnotherDayAfterItsLines) {
    MonthSlot slot = december();
    const std::optional<std::string> text = dayCopyText(slot, {2026, 12, 3});
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, copyOf({" 3,0,5,会議，本社,clRed,1,10:00,2,3,", " 3,2,,昼食,,,,,,",
                             " 3,4,,,$000000FF,,,,,,extra,more"}));

    const DayPaste paste = readDayPaste(text, 12);
    ASSERT_FALSE(paste.refused()) << paste.refusal;
    slot.lines.insert(slot.lines.end(), paste.lines.begin(), paste.lines.end());
    std::vector<std::string> day12;
    for (const std::string& line : slot.lines)
        if (line.starts_with("12,"))
            day12.push_back(line);
    EXPECT_EQ(day12, (std::vector<std::string>{"12,0,,既存1,,,,,,", "12,1,,既存2,,,,,,",
                                               "12,0,,会議，本社,clRed,1,10:00,2,3,",
                                               "12,2,,昼食,,,,,,", "12,4,,,$000000FF,,,,,"}));

    // A one-digit day is right-aligned, as the month file stores it.
    EXPECT_EQ(readDayPaste(text, 7).lines.front(), " 7,0,,会議，本社,clRed,1,10:00,2,3,");
}

TEST(DayClipboard, NothingIsCopiedWithoutATextOrFromAnotherMonth) {
    const MonthSlot slot = december();
    EXPECT_FALSE(dayCopyText(slot, {2026, 12, 4}));   // lines without a text
    EXPECT_FALSE(dayCopyText(slot, {2026, 12, 20}));  // no lines at all
    EXPECT_FALSE(dayCopyText(slot, {2026, 11, 3}));   // the slot holds December
}

TEST(DayClipboard, ClipboardsThatAreNoDayCopyAreRefused) {
    EXPECT_EQ(readDayPaste(std::nullopt, 5).refusal, kPasteNoText);
    EXPECT_EQ(readDayPaste(std::string(), 5).refusal, kPasteNoData);
    EXPECT_EQ(readDayPaste(std::string("買い物メモ\r\n 3,0,,牛乳,,,,,,\r\n"), 5).refusal,
              kPasteForeign);
    EXPECT_EQ(readDayPaste(" " + kMarker + "\r\n 3,0,,a,,,,,,", 5).refusal, kPasteForeign);
    EXPECT_EQ(readDayPaste("\r\n" + copyOf({" 3,0,,a,,,,,,"}), 5).refusal, kPasteForeign);
    EXPECT_EQ(readDayPaste(kMarker, 5).refusal, kPasteBadLines);
    EXPECT_EQ(readDayPaste(kMarker + "\r\n", 5).refusal, kPasteBadLines);
    for (const DayPaste& paste : {readDayPaste(kMarker, 5), readDayPaste(std::nullopt, 5)})
        EXPECT_TRUE(paste.lines.empty());
}

TEST(DayClipboard, OneLineThatIsNoEntryRefusesTheWholePaste) {
    const std::string good = " 3,1,,会議,,,,,,";
    const char* const bad[] = {
        " 3,1,,短い,,,,",                // eight fields
        " 0,1,,日なし,,,,,,",            // day 0
        "32,1,,日,,,,,,",                // day past 31
        "77,1,,月メモ,,,,,,",            // the month memo is no day
        " x,1,,日,,,,,,",                // day not a number
        " 3,-1,,位置,,,,,,",             // position below 0
        " 3,1000,,位置,,,,,,",           // position past 999
        " 3,a,,位置,,,,,,",              // position not a number
        " 3,1,,色,clNoSuchColour,,,,,",  // a colour nobody reads
        " 3,1,,制御\x01文字,,,,,,",      // C0 control
        " 3,1,,\x1b[31m,,,,,,",          // escape sequence
        " 3,1,,削除\x7f,,,,,,",          // DEL
        " 3,1,,C1\xc2\x85,,,,,,",        // C1 control U+0085
        " 3,1,,絵文字😀,,,,,,",           // beyond CP932
        " 3,1,,한글,,,,,,",              // Hangul, beyond CP932
    };
    for (const char* line : bad) {
        for (const std::string& text : {copyOf({good, line}), copyOf({line, good})}) {
            const DayPaste paste = readDayPaste(text, 9);
            EXPECT_EQ(paste.refusal, kPasteBadLines) << line;
            EXPECT_TRUE(paste.lines.empty()) << line;
        }
    }
}

TEST(DayClipboard, EntryLinesOfEveryKindAreAccepted) {
    const std::string text = kMarker + "\n" +
                             "31,999,x,タブ\tあり,1,,,,,\n"
                             " 1,0,,名前色,clBlue,,,,,\n"
                             " 2,7,,十六進,$00FF0000,,,,,\r\n"
                             " 3, 5,,十進,255,,,,,";
    const DayPaste paste = readDayPaste(text, 20);
    ASSERT_FALSE(paste.refused()) << paste.refusal;
    EXPECT_EQ(paste.lines,
              (std::vector<std::string>{"20,999,,タブ\tあり,1,,,,,", "20,0,,名前色,clBlue,,,,,",
                                        "20,7,,十六進,$00FF0000,,,,,", "20,5,,十進,255,,,,,"}));
}

TEST(DayClipboard, OnlyADayCopyMayBeTakenOffTheClipboard) {
    EXPECT_TRUE(holdsDayCopy(copyOf({" 3,0,,a,,,,,,"})));
    EXPECT_TRUE(holdsDayCopy(kMarker));
    EXPECT_TRUE(holdsDayCopy(kMarker + "\n 3,0,,a,,,,,,"));
    EXPECT_FALSE(holdsDayCopy(kMarker + " 他のアプリ"));
    EXPECT_FALSE(holdsDayCopy("他のアプリのテキスト\r\n" + kMarker));
    EXPECT_FALSE(holdsDayCopy(""));
}

}  // namespace
}  // namespace velmo
