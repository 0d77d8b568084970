#include "store/period_record.h"

#include <gtest/gtest.h>

#include "store/text_helpers.h"

namespace velmo {
namespace {

PeriodRecord trip() {
    PeriodRecord r{.start = {2024, 9, 10},
                   .end = {2024, 9, 13},
                   .summaryDate = {2024, 9, 11},
                   .thickness = 2,
                   .summary = "出張,大阪",
                   .owner = "PC-01"};
    r.setColour(0xFF0000);
    return r;
}

TEST(PeriodRecordTest, FormatsTwentyFieldsWithPaddedDatesAndFullWidthCommas) {
    EXPECT_EQ(formatPeriodRecord(trip()),
              "2024, 9,10,M,2024, 9,13,E,2024, 9,11,2,clBlue,出張，大阪,PC-01,,,,,");

    PeriodRecord small = trip();
    small.start = {3, 3, 5};
    small.startPart = DayPart::Daytime;
    small.endPart = DayPart::Morning;
    small.owner = "a,b";  // a comma in a computer name must not add a field
    const std::vector<std::string> fields = splitFields(formatPeriodRecord(small), ',');
    EXPECT_EQ((std::vector<std::string>(fields.begin(), fields.begin() + 4)),
              (std::vector<std::string>{"   3", " 3", " 5", "A"}));
    EXPECT_EQ(fields[7], "M");
    EXPECT_EQ(fields.size(), 20u);
}

TEST(PeriodRecordTest, ReadingIsLenient) {
    EXPECT_EQ(startPartFromCode("A"), DayPart::Daytime);
    EXPECT_EQ(startPartFromCode("E"), DayPart::Evening);
    for (const char* other : {"M", "", "e", " E"})
        EXPECT_EQ(startPartFromCode(other), DayPart::Morning) << other;
    EXPECT_EQ(endPartFromCode("M"), DayPart::Morning);
    EXPECT_EQ(endPartFromCode("A"), DayPart::Daytime);
    for (const char* other : {"E", "", "a", "A "})
        EXPECT_EQ(endPartFromCode(other), DayPart::Evening) << other;

    const PeriodRecord r = parsePeriodRecord("  x , 9,10,Q,2024,,13,Q,2024, 9,11,thick,,text");
    EXPECT_EQ(r.start, (Ymd{0, 9, 10}));
    EXPECT_EQ(r.end, (Ymd{2024, 0, 13}));
    EXPECT_EQ(r.thickness, 1);
    EXPECT_EQ(r.summary, "text");
    // The owner counts only on a line of more than 15 fields.
    EXPECT_EQ(periodOwner("2024, 9,10,M,2024, 9,13,E,2024, 9,11,1,clRed,t,PC-02"), "");
    EXPECT_EQ(periodOwner("2024, 9,10,M,2024, 9,13,E,2024, 9,11,1,clRed,t,PC-02,"), "PC-02");
    for (int t : {0, 4, -1, 3})
        EXPECT_EQ(PeriodRecord{.thickness = t}.drawnThickness(), t == 3 ? 3 : 1) << t;
}

TEST(PeriodRecordTest, ColoursReadBackAndShortFieldsMeanTheStandardColour) {
    for (Colour c : {0x000000u, 0x484848u, 0x00ABCDEFu, 0x80000008u, kColourNone}) {
        PeriodRecord r = trip();
        r.setColour(c);
        const PeriodRecord back = parsePeriodRecord(formatPeriodRecord(r));
        EXPECT_FALSE(back.usesStandardColour() || back.hidden()) << back.colourText;
        EXPECT_EQ(back.colour(), c) << back.colourText;
    }
    for (const char* standard : {"", "12", "赤", "D"}) {
        const PeriodRecord r{.colourText = standard};
        EXPECT_TRUE(r.usesStandardColour()) << standard;
        EXPECT_EQ(r.colour(), std::nullopt);
        EXPECT_EQ(r.hidden(), r.colourText == "D");
    }
    EXPECT_FALSE(PeriodRecord{.colourText = "d"}.hidden());
    EXPECT_EQ(PeriodRecord{.colourText = "clNoSuchColour"}.colour(), std::nullopt);
}

TEST(PeriodRecordTest, RecordsRoundTripThroughTheirLines) {
    for (const char* line : {
             "2024, 9,10,M,2024, 9,13,E,2024, 9,11,2,clBlue,出張，大阪,PC-01,,,,,",
             "   3,12,31,A,   4, 1, 1,M,   3,12,31,3,$00484848,ｶﾅ　全角,,,,,,",
             "2025, 1, 5,E,2025, 2,28,A,2025, 1,20,1,D,隠す,PC-02,,,,,",
         })
        EXPECT_EQ(formatPeriodRecord(parsePeriodRecord(line)), line);

    // A summary typed with "," comes back as stored.
    PeriodRecord stored = trip();
    stored.summary = "出張，大阪";
    EXPECT_EQ(parsePeriodRecord(formatPeriodRecord(trip())), stored);
}

TEST(PeriodRecordTest, SummaryForEditingRestoresTheFirstCommaOfANumber) {
    EXPECT_EQ(periodSummaryForEditing("1，000円"), "1,000円");
    EXPECT_EQ(periodSummaryForEditing("1，000，000"), "1,000，000");
    EXPECT_EQ(periodSummaryForEditing("出張，大阪"), "出張，大阪");
    EXPECT_EQ(periodSummaryForEditing("，1"), "，1");
    // The condition looks at every comma, the replacement takes the first one.
    EXPECT_EQ(periodSummaryForEditing("A，B 2，5"), "A,B 2，5");
}

}  // namespace
}  // namespace velmo
