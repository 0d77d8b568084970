#include "app/navigation/today_balloon.h"

#include <gtest/gtest.h>

#include "store/cp932.h"

namespace velmo {
namespace {

TEST(TodayBalloon, ListsTodaysTextsInFileOrderWithTheirCommas) {
    const LineList lines{" 0,0,9,2026/12 [Data\\Files1\\]", "10,1,,朝礼,,,,,,", " 9,1,,前日,,,,,,",
                         "10,2,,会議，資料,255,,,,,", "77,1,,月メモ,,,,,,"};
    EXPECT_EQ(todayBalloonText(lines, 10, true), "\r\n朝礼\r\n会議,資料\r\n");
    EXPECT_EQ(todayBalloonText(lines, 11, true), "\r\n");
}

TEST(TodayBalloon, AnotherMonthOnDisplayGivesNoLines) {
    EXPECT_EQ(todayBalloonText({"10,1,,朝礼,,,,,,"}, 10, false), "\r\n");
}

TEST(TodayBalloon, ALongTextStopsAt255BytesWithoutSplittingACharacter) {
    // "\r\n" + "ab" + 130 double-byte characters: the 255th byte would be the first
    // half of a character, so the text ends after 254 bytes.
    std::string text = "ab";
    for (int i = 0; i < 130; ++i)
        text += "予";
    const std::string balloon = todayBalloonText({"10,1,," + text + ",,,,,,"}, 10, true);
    EXPECT_EQ(cp932::byteLength(balloon), 254u);
    EXPECT_NO_THROW(cp932::encode(balloon));
    // One more single-byte character fills the 255th byte exactly.
    const std::string fuller = todayBalloonText({"10,1,,c" + text + ",,,,,,"}, 10, true);
    EXPECT_EQ(cp932::byteLength(fuller), 255u);
}

}  // namespace
}  // namespace velmo
