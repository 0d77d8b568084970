#include "editor_models/period_form.h"

#include <gtest/gtest.h>

#include "tests/support/scripted_user_interface.h"

namespace velmo {
namespace {

using testing::ScriptedUserInterface;

constexpr Colour kStandard = 0x484848;
constexpr Colour kDefaultLine = 0xFF0000;

std::int32_t jd(int y, int m, int d) {
    return ymdToJuliusDay(y, m, d);
}

TEST(PeriodForm, ANewPeriodFromAMarkedRange) {
    const PeriodForm form = newPeriodForm(jd(2003, 3, 3), jd(2003, 3, 6), 2, 1, 2, 0x00FF00);
    EXPECT_TRUE(form.isNew);
    EXPECT_EQ(form.start, (Ymd{2003, 3, 3}));
    EXPECT_EQ(form.end, (Ymd{2003, 3, 6}));
    EXPECT_EQ(form.summaryDate, (Ymd{2003, 3, 4}));  // (s + e) / 2, truncated
    EXPECT_EQ(form.startPart, DayPart::Daytime);
    EXPECT_EQ(form.endPart, DayPart::Morning);
    EXPECT_EQ(form.thickness, 2);
    EXPECT_EQ(form.colour, 0x00FF00u);
    EXPECT_EQ(form.summary, "");
    EXPECT_EQ(startPartOfValue(0), DayPart::Morning);
    EXPECT_EQ(startPartOfValue(3), DayPart::Evening);
    EXPECT_EQ(endPartOfValue(0), DayPart::Evening);
    EXPECT_EQ(endPartOfValue(2), DayPart::Daytime);

    // Marked backwards: turned round with its parts, so the end never precedes the start.
    const PeriodForm back = newPeriodForm(jd(2003, 3, 6), jd(2003, 3, 3), 3, 1, 1, 0);
    EXPECT_EQ(back.start, (Ymd{2003, 3, 3}));
    EXPECT_EQ(back.end, (Ymd{2003, 3, 6}));
    EXPECT_EQ(back.startPart, DayPart::Morning);
    EXPECT_EQ(back.endPart, DayPart::Evening);
    EXPECT_FALSE(endsBeforeStart(back));
    const PeriodForm oneDay = newPeriodForm(jd(2003, 3, 6), jd(2003, 3, 6), 3, 1, 1, 0);
    EXPECT_FALSE(endsBeforeStart(oneDay));
}

TEST(PeriodForm, FieldsOfAStoredRecord) {
    PeriodForm form =
        periodFormOf("2024, 9,10,X,2024, 9,13,A,2024, 9,11,3,clBlue,1，000，000円,PC-01,,,,,",
                     kStandard, kDefaultLine);
    EXPECT_FALSE(form.isNew);
    EXPECT_EQ(form.start, (Ymd{2024, 9, 10}));
    EXPECT_EQ(form.startPart, DayPart::Morning);  // "X" shows as 朝
    EXPECT_EQ(form.endPart, DayPart::Daytime);
    EXPECT_EQ(form.summaryDate, (Ymd{2024, 9, 11}));
    EXPECT_EQ(form.summary, "1,000，000円");
    EXPECT_EQ(form.thickness, 3);
    EXPECT_EQ(form.colour, 0xFF0000u);
    EXPECT_EQ(form.owner, "PC-01");

    // Short colour field: the standard colour; a name that reads as none: the default.
    EXPECT_EQ(periodFormOf("2024,9,10,M,2024,9,13,E,2024,9,11,x,1,s,,", kStandard, 1).colour,
              kStandard);
    form = periodFormOf("2024,9,10,M,2024,9,13,E,2024,9,11,x,clNoSuch,s,", kStandard, 7);
    EXPECT_EQ(form.colour, 7u);
    EXPECT_EQ(form.thickness, 1);
    EXPECT_EQ(form.owner, "");  // fewer than 16 fields
}

TEST(PeriodForm, TheRecordBuilt) {
    PeriodForm form;
    form.start = {3, 3, 1};
    form.startPart = DayPart::Daytime;
    form.end = {2003, 12, 31};
    form.summaryDate = {2003, 3, 4};
    form.summary = "1,000円\r\n会議\n室\r";
    form.thickness = 2;
    form.colour = 0x0000FF;
    form.owner = "PC-01";
    EXPECT_EQ(formatPeriodRecord(periodRecordOf(form)),
              "   3, 3, 1,A,2003,12,31,E,2003, 3, 4,2,clRed,1，000円 会議 室 ,PC-01,,,,,");
    EXPECT_EQ(oneLineText("a\u2028b\u2029c"), "a b c");
}

TEST(PeriodForm, DatesAreCheckedBeforeAnyArithmetic) {
    PeriodForm form = newPeriodForm(jd(2024, 2, 1), jd(2024, 2, 29), 1, 3, 1, 0);
    EXPECT_EQ(firstInvalidDate(form), std::nullopt);
    form.end = {2023, 2, 29};
    EXPECT_EQ(firstInvalidDate(form), "2023/02/29");
    form.start = {1582, 10, 10};  // the days October 1582 skipped
    EXPECT_EQ(firstInvalidDate(form), "1582/10/10");
    form.start = {0, 1, 1};
    EXPECT_EQ(firstInvalidDate(form), "0000/01/01");
    form.start = {1582, 10, 4};
    form.end = {1582, 10, 15};
    form.summaryDate = {2024, 2, 31};
    EXPECT_EQ(firstInvalidDate(form), "2024/02/31");

    ScriptedUserInterface ui;
    EXPECT_FALSE(confirmPeriodDates(form, ui));
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{"不正な日付：2024/02/31", "登録いたしません。"}));
    form.summaryDate = {1582, 10, 4};
    EXPECT_TRUE(confirmPeriodDates(form, ui));
    EXPECT_EQ(ui.texts().size(), 2u);
}

TEST(PeriodForm, SummaryDateAndOrder) {
    PeriodForm form = newPeriodForm(jd(2003, 3, 3), jd(2003, 3, 6), 1, 3, 1, 0);
    for (const Ymd& kept : {Ymd{2003, 3, 3}, Ymd{2003, 3, 6}, Ymd{2003, 3, 5}}) {
        form.summaryDate = kept;
        settleSummaryDate(form);
        EXPECT_EQ(form.summaryDate, kept);
    }
    for (const Ymd& outside : {Ymd{2003, 3, 2}, Ymd{2003, 3, 7}, Ymd{2002, 12, 31}}) {
        form.summaryDate = outside;
        settleSummaryDate(form);
        EXPECT_EQ(form.summaryDate, (Ymd{2003, 3, 4}));
    }
    // Across the calendar change: 1582-10-04 and 1582-10-15 are consecutive days.
    form.start = {1582, 10, 4};
    form.end = {1582, 10, 15};
    form.summaryDate = {1582, 9, 1};
    settleSummaryDate(form);
    EXPECT_EQ(form.summaryDate, (Ymd{1582, 10, 4}));

    form.end = {1582, 10, 4};
    form.startPart = DayPart::Evening;
    form.endPart = DayPart::Daytime;
    EXPECT_TRUE(endsBeforeStart(form));
    form.endPart = DayPart::Evening;
    EXPECT_FALSE(endsBeforeStart(form));
    form.end = {1582, 10, 3};
    EXPECT_TRUE(endsBeforeStart(form));
}

TEST(PeriodForm, DateSpinnersWrapAndCarry) {
    EXPECT_EQ(stepDateField({2003, 12, 31}, DateField::Day, 1), (Ymd{2004, 1, 1}));
    EXPECT_EQ(stepDateField({2004, 1, 1}, DateField::Day, -1), (Ymd{2003, 12, 31}));
    EXPECT_EQ(stepDateField({2003, 1, 31}, DateField::Day, 1), (Ymd{2003, 2, 1}));
    EXPECT_EQ(stepDateField({2003, 3, 1}, DateField::Day, -1), (Ymd{2003, 2, 31}));
    EXPECT_EQ(stepDateField({2003, 3, 14}, DateField::Day, 1), (Ymd{2003, 3, 15}));
    EXPECT_EQ(stepDateField({2003, 12, 5}, DateField::Month, 1), (Ymd{2004, 1, 5}));
    EXPECT_EQ(stepDateField({2003, 1, 5}, DateField::Month, -1), (Ymd{2002, 12, 5}));
    EXPECT_EQ(stepDateField({2003, 3, 30}, DateField::Day, 3), (Ymd{2003, 4, 2}));
    // The year stops at its limits, and so does a carry into it.
    EXPECT_EQ(stepDateField({9999, 5, 5}, DateField::Year, 1), (Ymd{9999, 5, 5}));
    EXPECT_EQ(stepDateField({0, 5, 5}, DateField::Year, -1), (Ymd{0, 5, 5}));
    EXPECT_EQ(stepDateField({9999, 12, 31}, DateField::Day, 1), (Ymd{9999, 12, 31}));
    EXPECT_EQ(stepDateField({0, 1, 1}, DateField::Month, -1), (Ymd{0, 1, 1}));
}

}  // namespace
}  // namespace velmo
