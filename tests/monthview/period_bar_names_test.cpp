#include <gtest/gtest.h>

#include "monthview/name_pieces.h"
#include "monthview/period_bar.h"

namespace velmo {
namespace {

std::int32_t jd(int y, int m, int d) {
    return ymdToJuliusDay(y, m, d);
}

const std::string kLong = "2024, 3,10,A,2025, 4,20,M,2024, 3,12,2,clBlue,長期,PC-01,,,,,";

TEST(PeriodBar, ParsesTheDrawnFields) {
    const std::optional<PeriodBar> bar = parsePeriodBar(kLong);
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->startDay, jd(2024, 3, 10));
    EXPECT_EQ(bar->endDay, jd(2025, 4, 20));
    EXPECT_EQ(bar->titleDay, jd(2024, 3, 12));
    EXPECT_EQ(bar->record.drawnThickness(), 2);
    EXPECT_EQ(bar->record.colour(), Colour{0xFF0000});
}

TEST(PeriodBar, SkipsDamagedAndUndrawnLines) {
    EXPECT_FALSE(parsePeriodBar("2024, 3,10,A,2025, 4,20,M,2024, 3,12,2,clBlue"));  // 13 fields
    EXPECT_FALSE(parsePeriodBar("20x4, 3,10,A,2025, 4,20,M,2024, 3,12,2,clBlue,t,"));
    EXPECT_FALSE(parsePeriodBar("1582,10,10,A,1582,10,20,M,1582,10,20,2,clBlue,t,"));
    EXPECT_FALSE(parsePeriodBar("2024, 3,10,A,2024, 4,20,M,2024, 3,12,2,D,t,"));
    EXPECT_TRUE(parsePeriodBar("2024, 3,10,A,2024, 4,20,M,2024, 3,12,2,DD,t,"));
    // A title date that names no day leaves the bar without a title.
    const auto untitled = parsePeriodBar("2024, 3,10,A,2024, 4,20,M,,,,2,clBlue,t,");
    ASSERT_TRUE(untitled);
    EXPECT_FALSE(untitled->titleDay);
}

TEST(PeriodBar, DaysAreComparedByFullDate) {
    const PeriodBar bar = *parsePeriodBar(kLong);
    EXPECT_TRUE(isStartDay(jd(2024, 3, 10), bar));
    EXPECT_FALSE(isStartDay(jd(2025, 3, 10), bar));
    EXPECT_TRUE(isEndDay(jd(2025, 4, 20), bar));
    EXPECT_FALSE(isEndDay(jd(2024, 4, 20), bar));
    EXPECT_TRUE(isTitleDay(jd(2024, 3, 12), bar));
    EXPECT_FALSE(isTitleDay(jd(2025, 3, 12), bar));

    // A year later on the same month and day the bar just runs across, untitled.
    const Rect cell{0, 0, 128, 95};
    const PeriodBarShape later = periodBarShape(bar, jd(2025, 3, 10), cell, 40, 16);
    EXPECT_EQ(later.part, BarPart::Middle);
    EXPECT_FALSE(later.stroke);
    EXPECT_FALSE(periodBarShape(bar, jd(2025, 3, 12), cell, 40, 16).drawTitle);
}

TEST(PeriodBar, ShapesByPartOfDay) {
    const PeriodBar bar = *parsePeriodBar(kLong);
    const Rect cell{128, 24, 256, 119};
    const PeriodBarShape start = periodBarShape(bar, jd(2024, 3, 10), cell, 50, 16);
    EXPECT_EQ(start.part, BarPart::Start);
    EXPECT_EQ(start.line, (Segment{128 + 50, 57, 256, 57}));  // y = 50 + 8 - 1
    EXPECT_EQ(start.stroke, (Segment{178, 57, 193, 59}));
    const PeriodBarShape end = periodBarShape(bar, jd(2025, 4, 20), cell, 50, 16);
    EXPECT_EQ(end.line, (Segment{128, 57, 256 - 95, 57}));
    EXPECT_EQ(end.stroke, (Segment{256 - 110, 55, 256 - 95, 57}));
    const PeriodBarShape title = periodBarShape(bar, jd(2024, 3, 12), cell, 50, 16);
    EXPECT_TRUE(title.drawTitle);
    EXPECT_EQ(title.title, " 長期 ");
    EXPECT_EQ(title.titleRight, 252);

    // A one-day period is a start day; an unknown part code counts as evening.
    const PeriodBar oneDay = *parsePeriodBar("2024, 3,10,?,2024, 3,10,M,2024, 3,10,1,,x,");
    EXPECT_EQ(periodBarShape(oneDay, jd(2024, 3, 10), cell, 50, 16).line.x0, 128 + 95);
}

const NameColours kColours{0x008000, 0x0000FF, 0xC0C0C0};

TEST(NamePieces, SpecialAndHolidayNamesInTheirColours) {
    const DayNameList names{"記念A,記念B,祝日", "SSH"};
    EXPECT_EQ(
        namePieces(names, true, false, kColours),
        (std::vector<NamePiece>{{"記念A,", 0x008000}, {"記念B ", 0x008000}, {"祝日", 0x0000FF}}));
    // Neighbour months OR every colour with the neighbour colour.
    EXPECT_EQ(namePieces(names, true, true, kColours)[2].colour, 0xC0C0FFu);
}

TEST(NamePieces, OnePieceWithoutSpecialDayOrWithOneName) {
    EXPECT_EQ(namePieces({"元旦,祝日　二", "HH"}, false, false, kColours),
              (std::vector<NamePiece>{{"元旦,祝日 二", 0x0000FF}}));
    EXPECT_EQ(namePieces({"記念", "S"}, true, false, kColours),
              (std::vector<NamePiece>{{"記念", 0x008000}}));
    EXPECT_TRUE(namePieces({"", ""}, true, false, kColours).empty());
}

TEST(NamePieces, CommaTextNamesAndShortKinds) {
    // A quoted name holding a comma stays one name.
    EXPECT_EQ(namePieces({"\"A,B\",祝日", "SH"}, true, false, kColours),
              (std::vector<NamePiece>{{"A,B ", 0x008000}, {"祝日", 0x0000FF}}));
    // Names past the kind letters are not drawn, nor letters past the names.
    EXPECT_EQ(namePieces({"記念,祝日,余分", "SH"}, true, false, kColours).size(), 2u);
    EXPECT_EQ(namePieces({"記念,祝日", "SHHS"}, true, false, kColours).size(), 2u);
}

TEST(QueryNames, SpecialNamesJoinedAndTheLastHoliday) {
    EXPECT_EQ(queryNames({"記念A,記念B,祝日1,祝日2", "SSHH"}),
              (QueriedNames{"記念A，記念B ", "祝日2"}));
    EXPECT_EQ(queryNames({"記念A,記念B", "S"}), (QueriedNames{"記念A", ""}));
}

}  // namespace
}  // namespace velmo
