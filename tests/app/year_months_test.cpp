#include "app/navigation/year_months.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

TEST(YearMonths, StoredChoiceAndFirstMonth) {
    EXPECT_EQ(yearStartOf(0), YearStart::Standard);
    EXPECT_EQ(yearStartOf(1), YearStart::FiscalYear);
    EXPECT_EQ(yearStartOf(2), YearStart::Special);
    // A damaged settings file falls back to January.
    EXPECT_EQ(yearStartOf(7), YearStart::Standard);
    EXPECT_EQ(yearStartOf(-1), YearStart::Standard);

    EXPECT_EQ(firstMonthOf(YearStart::Standard, 9), 1);
    EXPECT_EQ(firstMonthOf(YearStart::FiscalYear, 9), 4);
    EXPECT_EQ(firstMonthOf(YearStart::Special, 9), 9);
    EXPECT_EQ(firstMonthOf(YearStart::Special, 13), 12);
    EXPECT_EQ(firstMonthOf(YearStart::Special, 0), 1);
}

TEST(YearMonths, YearFromTodayKeepsTodayInsideTheTwelveMonths) {
    EXPECT_EQ(yearFromToday(YearStart::Standard, 1, 2025, 2), 2025);
    EXPECT_EQ(yearFromToday(YearStart::Standard, 1, 2025, 12), 2025);
    // The fiscal year runs April to March: January to March belong to last year's.
    EXPECT_EQ(yearFromToday(YearStart::FiscalYear, 1, 2025, 2), 2024);
    EXPECT_EQ(yearFromToday(YearStart::FiscalYear, 1, 2025, 3), 2024);
    EXPECT_EQ(yearFromToday(YearStart::FiscalYear, 1, 2025, 4), 2025);
    EXPECT_EQ(yearFromToday(YearStart::Special, 10, 2025, 9), 2024);
    EXPECT_EQ(yearFromToday(YearStart::Special, 10, 2025, 10), 2025);
    EXPECT_EQ(yearFromToday(YearStart::Special, 1, 2025, 1), 2025);

    // Whatever the start, today's month is among the twelve calendars.
    for (const YearStart start : {YearStart::Standard, YearStart::FiscalYear, YearStart::Special}) {
        for (int month = 1; month <= 12; ++month) {
            const int first = firstMonthOf(start, 7);
            const int year = yearFromToday(start, 7, 2025, month);
            bool found = false;
            for (int tag = 1; tag <= 12; ++tag)
                found = found || calendarMonth(year, first, tag) == YearMonth{2025, month};
            EXPECT_TRUE(found) << static_cast<int>(start) << " " << month;
        }
    }
}

TEST(YearMonths, FiscalYearInFebruary2025RunsFromApril2024) {
    const int year = yearFromToday(YearStart::FiscalYear, 1, 2025, 2);
    const int first = firstMonthOf(YearStart::FiscalYear, 1);
    EXPECT_EQ(calendarMonth(year, first, 1), (YearMonth{2024, 4}));
    EXPECT_EQ(calendarMonth(year, first, 9), (YearMonth{2024, 12}));
    EXPECT_EQ(calendarMonth(year, first, 10), (YearMonth{2025, 1}));
    EXPECT_EQ(calendarMonth(year, first, 12), (YearMonth{2025, 3}));
    EXPECT_EQ(yearPageTitle(year, first), "2024/4 - 2025/3");
}

TEST(YearMonths, TitlesOfOtherStarts) {
    EXPECT_EQ(yearPageTitle(2025, 1), "2025/1 - 2025/12");
    EXPECT_EQ(yearPageTitle(2024, 11), "2024/11 - 2025/10");
    EXPECT_EQ(yearPageTitle(0, 1), "0/1 - 0/12");
    EXPECT_EQ(calendarMonth(9999, 12, 2), (YearMonth{10000, 1}));
}

TEST(YearMonths, QuestionNamesYearAndMonth) {
    EXPECT_EQ(monthViewQuestion(2024, 7), "2024 年 7 月のマンスリーカレンダーを表示しますか？");
}

}  // namespace
}  // namespace velmo
