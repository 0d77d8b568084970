#include "editor_models/day_editor_lines.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

MonthSlot slotWith(std::vector<std::string> lines) {
    MonthSlot slot;
    slot.year = 2024;
    slot.month = 3;
    slot.lines = std::move(lines);
    slot.loadedCount = static_cast<int>(slot.lines.size());
    return slot;
}

std::vector<std::string> roundTrip(const std::vector<std::string>& lines, int day) {
    MonthSlot slot = slotWith(lines);
    const DayEditorLines edited = readDayEditorLines(slot, day);
    LocalFolderHooks local;
    writeBackDayEditorLines(slot, 0, 2024, 3, day, edited.texts, edited.records, false, local);
    return slot.lines;
}

TEST(DayEditorLines, FieldsThatDoNotConvertAreWrittenBackAsRead) {
    const std::vector<std::string> kept = {
        " 5,1,,a,clNoSuch,5,12:30,3,7,",  // unknown colour name
        " 5,2,,b,clRed,abc,12:30,3,7,",   // first value not a number
        " 5,3,,c,clRed,300,,,,",          // first value beyond a byte
        " 5,4,,d,clBlue,5,25:00,3,7,",    // no time of day
        " 5,5,,e,,5,9:05,x,7,",           // second value not a number
        " 5,6,,f,clRed,,,,99999999999,",  // third value beyond 32 bits
    };
    EXPECT_EQ(roundTrip(kept, 5), kept);

    // Values that convert keep the usual written form.
    EXPECT_EQ(roundTrip({" 5,1,,t,1,0,,0,0,"}, 5), (std::vector<std::string>{" 5,1,,t,,,,,,"}));
    EXPECT_EQ(roundTrip({" 5,1,,t,clred,5,12:30:00,3,70000,"}, 5),
              (std::vector<std::string>{" 5,1,,t,clRed,5,12:30:00,3,70000,"}));
}

TEST(DayEditorLines, ReadingAndWritingADay) {
    MonthSlot slot =
        slotWith({" 0,0,9,2024/ 3 [Data\\Files1\\]", " 5,1,,A，B,clRed,,,,,", " 6,1,,other,,,,,,",
                  " 5,2,,second,clBlue,1,,,,", "77,1,,memo,clRed,,,,,"});
    DayEditorLines day = readDayEditorLines(slot, 5);
    EXPECT_EQ(day.texts, (std::vector<std::string>{"A,B", "second"}));
    ASSERT_EQ(day.records.size(), 2u);
    EXPECT_EQ(day.records[1].attr.color, 0xFF0000u);

    // Month memo lines carry no colour; a day without entries is one empty line.
    EXPECT_EQ(readDayEditorLines(slot, kMonthMemoDay).records, std::vector<DayLineRecord>(1));
    const DayEditorLines empty = readDayEditorLines(slot, 9);
    EXPECT_EQ(empty.texts, std::vector<std::string>(1));
    EXPECT_EQ(empty.records.size(), 1u);

    // Records are cut or padded to the lines: none lands on another line or is lost.
    LocalFolderHooks local;
    DayLineRecord kept = day.records[0];
    kept.keptFrom = 8;
    kept.keptFields = {"x"};
    writeBackDayEditorLines(slot, 0, 2024, 3, 5, {"one", "two", "three"}, {kept}, false, local);
    writeBackDayEditorLines(slot, 0, 2024, 3, 6, {"six"}, {{}, kept}, false, local);
    EXPECT_EQ(slot.lines,
              (std::vector<std::string>{" 0,0,9,2024/ 3 [Data\\Files1\\]", "77,1,,memo,clRed,,,,,",
                                        " 5,1,,one,clRed,,,,x,", " 5,2,,two,,,,,,",
                                        " 5,3,,three,,,,,,", " 6,1,,six,,,,,,"}));
}

TEST(DayEditorLines, NamesTheFirstCharacterThatCannotBeStored) {
    EXPECT_EQ(unencodableLinesMessage({"予定", "〜と−", "é"}),
              "保存できない文字があります： U+00E9 (é)\r\n（3行目）\r\n"
              "別の文字に置き換えてください。");
    EXPECT_EQ(unencodableLinesMessage({"予定", "", "1,000円"}), std::nullopt);
    EXPECT_EQ(unencodableTextMessage("会議😀"),
              "保存できない文字があります： U+1F600 (😀)\r\n別の文字に置き換えてください。");
    EXPECT_EQ(unencodableTextMessage("会議"), std::nullopt);
}

}  // namespace
}  // namespace velmo
