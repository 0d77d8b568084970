#include "calendar/day_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calendar/comma_text.h"
#include "calendar/julius_day.h"
#include "calendar/rule_list.h"

namespace velmo {
namespace {

using Lines = std::vector<std::string>;

TBinaryDayListItem ruleOf(const std::string& line) {
    const RuleListBuild build = buildRuleList({line});
    EXPECT_TRUE(build.clean()) << line;
    EXPECT_EQ(build.rules.size(), 1u) << line;
    return build.rules.empty() ? TBinaryDayListItem{} : build.rules.front();
}

// Every date of the years on which the rule holds, as "y-m-d".
std::vector<std::string> matchingDates(const TBinaryDayListItem& rule, int fromYear, int toYear) {
    std::vector<std::string> dates;
    for (std::int32_t n = ymdToJuliusDay(fromYear, 1, 1); n <= ymdToJuliusDay(toYear, 12, 31);
         ++n) {
        const Ymd d = juliusDayToYmd(n);
        if (rule.matches(d.year, d.month, d.day)) {
            dates.push_back(std::to_string(d.year) + "-" + std::to_string(d.month) + "-" +
                            std::to_string(d.day));
        }
    }
    return dates;
}

// ---------------------------------------------------------------------------------------
// Comma text

TEST(CommaText, SplitsLikeTheRuleFilesNeed) {
    EXPECT_EQ(splitCommaText("1948,,1,1,,,元旦"), (Lines{"1948", "", "1", "1", "", "", "元旦"}));
    EXPECT_EQ(splitCommaText("  a , b\t,c"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(splitCommaText("a b,c"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(splitCommaText("a,"), (Lines{"a"}));
    EXPECT_EQ(splitCommaText("a,,"), (Lines{"a", ""}));
    EXPECT_EQ(splitCommaText(",a"), (Lines{"", "a"}));
    EXPECT_EQ(splitCommaText("a, ,b"), (Lines{"a", "", "b"}));
    EXPECT_TRUE(splitCommaText("").empty());
    EXPECT_TRUE(splitCommaText(" \t ").empty());
    // A NUL byte (kept by the line reader) separates like any control character.
    EXPECT_EQ(splitCommaText(std::string("a\0b", 3)), (Lines{"a", "b"}));
}

TEST(CommaText, QuotedFields) {
    EXPECT_EQ(splitCommaText(R"(1,"a, b",c)"), (Lines{"1", "a, b", "c"}));
    EXPECT_EQ(splitCommaText(R"("say ""hi""",x)"), (Lines{R"(say "hi")", "x"}));
    EXPECT_EQ(splitCommaText(R"("",x)"), (Lines{"", "x"}));
    EXPECT_EQ(splitCommaText(R"(a"b,c)"), (Lines{R"(a"b)", "c"}));
    // Text right after a closing quote starts the next field.
    EXPECT_EQ(splitCommaText(R"("ab"cd,e)"), (Lines{"ab", "cd", "e"}));
    // A quote left open runs to the end of the line.
    EXPECT_EQ(splitCommaText(R"(1,2,"open, to the end)"), (Lines{"1", "2", "open, to the end"}));
}

TEST(CommaText, JoinQuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(joinCommaText({}), "");
    EXPECT_EQ(joinCommaText({""}), "\"\"");
    EXPECT_EQ(joinCommaText({"元日", "振替休日"}), "元日,振替休日");
    EXPECT_EQ(joinCommaText({"a b", "c,d", R"(e"f)", "g\th", ""}),
              "\"a b\",\"c,d\",\"e\"\"f\",\"g\th\",");
    for (const Lines& items : {Lines{"a b", R"(x"y)", "z"}, Lines{"", "q"}, Lines{"記念日"}})
        EXPECT_EQ(splitCommaText(joinCommaText(items)), items);
}

// ---------------------------------------------------------------------------------------
// Rule records

TEST(RuleRecord, NthWeekdayForms) {
    // Second Monday of January, every year.
    EXPECT_EQ(matchingDates(ruleOf("1,2,2,成人の日"), 2023, 2024), (Lines{"2023-1-9", "2024-1-8"}));
    const std::string name = ",1,2,2,成人の日";
    EXPECT_EQ(matchingDates(ruleOf("2000,2" + name), 1999, 2001), (Lines{"2000-1-10", "2001-1-8"}));
    EXPECT_EQ(matchingDates(ruleOf("2000,1" + name), 1999, 2001),
              (Lines{"1999-1-11", "2000-1-10"}));
    EXPECT_EQ(matchingDates(ruleOf("2000,0" + name), 1999, 2001), (Lines{"2000-1-10"}));
    // Any other mode sets no limit and leaves the year unread.
    EXPECT_EQ(matchingDates(ruleOf("xx,9" + name), 1999, 2000).size(), 2u);
}

TEST(RuleRecord, LastDayAndAnyDay) {
    EXPECT_EQ(matchingDates(ruleOf(",,12,33,,,大晦日"), 2023, 2024),
              (Lines{"2023-12-31", "2024-12-31"}));
    const TBinaryDayListItem february = ruleOf("2,33,月末");
    EXPECT_TRUE(february.matches(2023, 2, 28));
    EXPECT_TRUE(february.matches(2024, 2, 29));
    EXPECT_FALSE(february.matches(2024, 2, 28));
    // Month and day both 0: every day; a weekday alone: every such weekday.
    EXPECT_EQ(matchingDates(ruleOf("2024,2024,,,,,毎日"), 2024, 2024).size(), 366u);
    EXPECT_EQ(matchingDates(ruleOf("2024,2024,,,1,,日曜"), 2024, 2024).size(), 52u);
    // Fifth Friday of a month.
    EXPECT_EQ(matchingDates(ruleOf("2024,2024,3,,6,5,x"), 2024, 2024), (Lines{"2024-3-29"}));
}

TEST(RuleRecord, YearRanges) {
    const TBinaryDayListItem wrapped = ruleOf("1990,1980,5,1,,,x");
    EXPECT_TRUE(wrapped.matches(1980, 5, 1));
    EXPECT_TRUE(wrapped.matches(1900, 5, 1));
    EXPECT_TRUE(wrapped.matches(1990, 5, 1));
    for (int year = 1981; year <= 1989; ++year)
        EXPECT_FALSE(wrapped.matches(year, 5, 1)) << year;
    const TBinaryDayListItem upTo = ruleOf(",2000,5,1,,,x");
    EXPECT_TRUE(upTo.matches(2000, 5, 1));
    EXPECT_FALSE(upTo.matches(2001, 5, 1));
    const TBinaryDayListItem from = ruleOf("2000,,5,1,,,x");
    EXPECT_FALSE(from.matches(1999, 5, 1));
    EXPECT_TRUE(from.matches(3000, 5, 1));
}

// ---------------------------------------------------------------------------------------
// Building the rule list

TEST(RuleList, FieldCountsAndDefaults) {
    const RuleListBuild build = buildRuleList(
        {"", "1,2", "a,b,c,d,e,f,g,h", "5,5,こどもの日", R"(,,3,5,,,"name, with comma")"});
    EXPECT_TRUE(build.clean());
    ASSERT_EQ(build.rules.size(), 2u);
    EXPECT_EQ(build.rules[0].month, 5);
    EXPECT_EQ(build.rules[0].fromYear, kUnsetYear);
    EXPECT_EQ(build.rules[1].name, "name, with comma");
    EXPECT_EQ(build.rules[1].toYear, kUnsetYear);
    // Leading plus signs are numbers too; the 7-field weekday comes before the week.
    const TBinaryDayListItem rule = ruleOf("+2000,-5,+1,,2,3,x");
    EXPECT_EQ(rule.fromYear, 2000);
    EXPECT_EQ(rule.toYear, -5);
    EXPECT_EQ(rule.weekday, 2);
    EXPECT_EQ(rule.week, 3);
}

TEST(RuleList, NonNumberStopsAtThatLine) {
    // A name with a half-width space makes a 3-field line a 4-field one whose third
    // field is no number.
    const RuleListBuild build =
        buildRuleList({"1,1,元日", "12,24,クリスマス イブ", "12,25,クリスマス"});
    ASSERT_EQ(build.rules.size(), 1u);
    EXPECT_EQ(build.rules[0].name, "元日");
    ASSERT_TRUE(build.stoppedAt);
    EXPECT_EQ(*build.stoppedAt, 1u);
    EXPECT_FALSE(build.clean());
    for (const char* bad :
         {"x,1,n", "1,,n", "2000,0,1,x,n", "1,2,3,++4,n", "99999999999,,1,1,,,n", "1x,,1,1,,,n"}) {
        EXPECT_TRUE(buildRuleList({bad, "1,1,元日"}).stoppedAt) << bad;
    }
}

TEST(RuleList, ByteFieldsOutOfRangeAreLeftOutNotWrapped) {
    const RuleListBuild build =
        buildRuleList({"2,256,毎日?", ",,1,-1,,,x", "1,1,元日", "5,1,9,300,n", "3,3,雛祭り"});
    EXPECT_FALSE(build.stoppedAt);
    EXPECT_EQ(build.refusedLines, (std::vector<std::size_t>{0, 1, 3}));
    ASSERT_EQ(build.rules.size(), 2u);
    EXPECT_EQ(build.rules[1].name, "雛祭り");
    DayRules rules;
    rules.setSpecialDayList({"2,256,毎日?"});
    EXPECT_EQ(rules.dayFlags(2024, 2, 7) & dfSpecial, 0u);
}

// ---------------------------------------------------------------------------------------
// Day flags and names

TEST(DayFlags, WeekdaysEquinoxAndSubstitute) {
    DayRules rules;
    EXPECT_EQ(rules.dayFlags(2024, 9, 8), unsigned{dfSunday});
    EXPECT_EQ(rules.dayFlags(2024, 9, 7), unsigned{dfSaturday});
    EXPECT_EQ(rules.dayFlags(2024, 9, 22), dfSunday | dfHoliday);
    EXPECT_EQ(rules.dayFlags(2024, 9, 23), unsigned{dfSubstitute});
    EXPECT_EQ(rules.dayNames(2024, 9, 23), (DayNameList{"振替休日", "H"}));
    rules.setAutoEquinox(false);
    EXPECT_EQ(rules.dayFlags(2024, 9, 22), unsigned{dfSunday});
    EXPECT_EQ(rules.dayFlags(2024, 9, 23), 0u);
    EXPECT_EQ(rules.dayNames(2024, 9, 22).names, "");
}

TEST(DayFlags, SubstituteLooksBackOneDayOnly) {
    DayRules rules;
    rules.setAutoEquinox(false);
    // 2020-05-03 is a Sunday.
    rules.setHolidayList({"5,3,憲法記念日", "5,5,こどもの日"});
    EXPECT_EQ(rules.dayFlags(2020, 5, 4), unsigned{dfSubstitute});
    rules.setHolidayList({"5,3,憲法記念日", "5,4,みどりの日", "5,5,こどもの日"});
    EXPECT_EQ(rules.dayFlags(2020, 5, 4), unsigned{dfHoliday});
    EXPECT_EQ(rules.dayFlags(2020, 5, 6), 0u);
    // A Saturday holiday (2020-02-01) gives nothing on Monday.
    rules.setHolidayList({"2,1,x"});
    EXPECT_EQ(rules.dayFlags(2020, 2, 3), 0u);
    // Across a month and a year end: Sunday 2023-12-31, Monday 2024-01-01.
    rules.setHolidayList({"12,31,大晦日"});
    EXPECT_EQ(rules.dayFlags(2024, 1, 1), unsigned{dfSubstitute});
    // Special days never cause a substitute holiday.
    rules.setHolidayList({});
    rules.setSpecialDayList({"5,3,記念日"});
    EXPECT_EQ(rules.dayFlags(2020, 5, 3), dfSunday | dfSpecial);
    EXPECT_EQ(rules.dayFlags(2020, 5, 4), 0u);
    rules.setHolidayList({"5,3,憲法記念日"});
    rules.setAutoFurikae(false);
    EXPECT_EQ(rules.dayFlags(2020, 5, 4), 0u);
    EXPECT_EQ(rules.dayNames(2020, 5, 4).names, "");
}

TEST(DayFlags, SubstituteAsksTheOverriddenFlags) {
    // A calendar that declares every Sunday a holiday gets every Monday as substitute.
    class SundayHolidays : public DayRules {
    public:
        TDayFlags dayFlags(int year, int month, int day) const override {
            TDayFlags flags = DayRules::dayFlags(year, month, day);
            return (flags & dfSunday) ? flags | dfHoliday : flags;
        }
    };
    SundayHolidays rules;
    EXPECT_TRUE(rules.dayFlags(2024, 6, 10) & dfSubstitute);
    EXPECT_EQ(rules.holidayNames(2024, 6, 10), "振替休日");
}

TEST(DayNames, SpecialDaysFirstThenHolidaysInLineOrder) {
    DayRules rules;
    rules.setSpecialDayList({"2,11,結婚記念日", "9,22,誕生日", R"(,,9,22,,,"創立 記念日")"});
    rules.setHolidayList({"9,22,テスト祝日"});
    EXPECT_EQ(rules.dayNames(2024, 9, 22),
              (DayNameList{R"(誕生日,"創立 記念日",テスト祝日,秋分の日)", "SSHH"}));
    EXPECT_EQ(rules.holidayNames(2024, 9, 22), "テスト祝日,秋分の日");
    EXPECT_EQ(rules.dayFlags(2024, 9, 22), dfSunday | dfHoliday | dfSpecial);
    // Monday after: a substitute holiday, named after the special days.
    rules.setSpecialDayList({"9,23,記念日"});
    EXPECT_EQ(rules.dayNames(2024, 9, 23), (DayNameList{"記念日,振替休日", "SH"}));
    EXPECT_EQ(rules.dayNames(2024, 3, 20), (DayNameList{"春分の日", "H"}));
    rules.setSpecialDayList({R"(9,24,"")"});
    EXPECT_EQ(rules.dayNames(2024, 9, 24), (DayNameList{"\"\"", "S"}));
}

TEST(DayRulesLists, ChangesRebuildAndNotify) {
    DayRules rules;
    int changes = 0;
    rules.setOnChange([&] { ++changes; });
    rules.setHolidayList({"1,1,元日"});
    EXPECT_EQ(rules.holidayBuild().rules.size(), 1u);
    rules.setSpecialDayList({"x,1,bad", "1,2,later"});
    EXPECT_TRUE(rules.specialDayBuild().rules.empty());
    EXPECT_EQ(rules.specialDayList().size(), 2u);
    rules.setAutoFurikae(false);
    rules.setAutoEquinox(false);
    EXPECT_EQ(changes, 4);
}

TEST(DayRulesLists, BuiltInLinesOfTheDateDialog) {
    DayRules rules;
    EXPECT_TRUE(rules.setHolidayList(builtInHolidayLines()).clean());
    EXPECT_EQ(rules.holidayBuild().rules.size(), 18u);
    EXPECT_EQ(rules.dayNames(2024, 1, 1).names, "元旦");
    EXPECT_EQ(rules.dayNames(2024, 1, 8).names, "成人の日");
    EXPECT_EQ(rules.dayNames(2024, 10, 14).names, "体育の日");
    EXPECT_EQ(rules.dayNames(1985, 5, 4).names, "国民の休日");
}

}  // namespace
}  // namespace velmo
