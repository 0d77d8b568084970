#include "calendar/japanese_date_text.h"

#include <gtest/gtest.h>

#include "calendar/julius_day.h"

namespace velmo {
namespace {

TEST(JapaneseDigits, FullWidth) {
    const char* expected[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};
    for (int digit = 0; digit <= 9; ++digit)
        EXPECT_EQ(fullWidthDigit(digit), expected[digit]) << digit;
    EXPECT_EQ(fullWidthDigit(12), "９");
    EXPECT_EQ(fullWidthDigit(-1), "９");
    EXPECT_EQ(toFullWidthDigits("2003年12月メモ"), "２００３年１２月メモ");
    EXPECT_EQ(toFullWidthDigits("０a9/"), "０a９/");
    EXPECT_EQ(toFullWidthDigits(""), "");
}

TEST(JapaneseWeekdays, NamesAndNumbers) {
    const char* shortNames[] = {"日", "月", "火", "水", "木", "金", "土"};
    const char* longNames[] = {"日曜日", "月曜日", "火曜日", "水曜日",
                               "木曜日", "金曜日", "土曜日"};
    for (int weekday = 1; weekday <= 7; ++weekday) {
        EXPECT_EQ(youbiShortName(weekday), shortNames[weekday - 1]);
        EXPECT_EQ(youbiLongName(weekday), longNames[weekday - 1]);
        EXPECT_EQ(youbiNumberText(longNames[weekday - 1]), std::to_string(weekday));
    }
    for (int weekday : {0, 8, -1}) {
        EXPECT_EQ(youbiShortName(weekday), "不明");
        EXPECT_EQ(youbiLongName(weekday), "不明");
    }
    EXPECT_EQ(youbiNumberText("日曜"), "");
    EXPECT_EQ(youbiNumberText(" 日曜日"), "");
    EXPECT_EQ(youbiNumberText("不明"), "");
    EXPECT_EQ(youbiNumberText(""), "");
}

TEST(JapaneseEra, EachEraStartsOnItsDay) {
    struct Case {
        Ymd date;
        const char* text;
    };
    for (const Case& c : {
             Case{{1868, 1, 24}, "1868年1月24日"},
             Case{{1868, 1, 25}, "明治1年1月25日"},
             Case{{1912, 7, 29}, "明治45年7月29日"},
             Case{{1912, 7, 30}, "大正1年7月30日"},
             Case{{1926, 12, 24}, "大正15年12月24日"},
             Case{{1926, 12, 25}, "昭和1年12月25日"},
             Case{{1989, 1, 7}, "昭和64年1月7日"},
             Case{{1989, 1, 8}, "平成1年1月8日"},
             Case{{2019, 4, 30}, "平成31年4月30日"},
             Case{{2019, 5, 1}, "令和1年5月1日"},
             Case{{2024, 9, 10}, "令和6年9月10日"},
         }) {
        EXPECT_EQ(warekiDateText(ymdToJuliusDay(c.date.year, c.date.month, c.date.day)), c.text);
    }
    EXPECT_EQ(warekiOf(ymdToJuliusDay(1989, 1, 7)), (Wareki{"昭和", 64, 1, 7}));
    EXPECT_EQ(warekiYearText(ymdToJuliusDay(1989, 1, 8)), "平成1年");
    EXPECT_EQ(warekiDateYoubiText(ymdToJuliusDay(2013, 5, 1)), "平成25年5月1日(水)");
    EXPECT_THROW(warekiOf(kMaxJuliusDay + 1), EJuliusError);
}

}  // namespace
}  // namespace velmo
