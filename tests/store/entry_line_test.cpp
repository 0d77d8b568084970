#include "store/entry_line.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

DayLineAttr attr(Colour color, int aux1, std::string time, int aux2, int aux3) {
    return {color, static_cast<std::uint8_t>(aux1), std::move(time),
            static_cast<std::uint8_t>(aux2), aux3};
}

TEST(EntryLine, ReadsEveryFieldForm) {
    EXPECT_EQ(entryAttr(" 5,1,,t,clred,,,,,"), attr(0x0000FF, 0, "", 0, 0));
    EXPECT_EQ(entryAttr(" 5,1,,t,255,1,,,"), attr(0x0000FF, 1, "", 0, 0));
    EXPECT_EQ(entryAttr(" 5,1,,t,clBlue,7"), attr(0xFF0000, 7, "", 0, 0));
    EXPECT_EQ(entryAttr(" 5,1,,t,,300,,258,,"), attr(kClWindowText, 44, "", 2, 0));  // low byte
    // Five fields or fewer, an empty colour or "1": the default record.
    for (const char* line : {" 5,1,,t", " 5,1,,t,clBlue", " 5,1,,t,1,,,,,", " 5,1,,t,,,,,,"})
        EXPECT_EQ(entryAttr(line), DayLineAttr{}) << line;
    // The time text comes back exactly as it was read.
    for (const char* time : {"9:05", " 09:05", "0:00", "23:59:59.500"}) {
        const std::string line = std::string(" 5,1,,t,,1,") + time + ",2,3,";
        EXPECT_EQ(formatEntryLine(5, 1, "t", entryAttr(line)), line);
    }
}

TEST(EntryLine, AFieldThatDoesNotConvertStopsTheReading) {
    EXPECT_EQ(entryAttr(" 5,1,,t,clNoSuch,5,12:30,3,7,"), DayLineAttr{});
    // The first carried value is lenient: not a number is zero.
    EXPECT_EQ(entryAttr(" 5,1,,t,clRed,abc,12:30,3,7,"), attr(0x0000FF, 0, "12:30", 3, 7));
    for (const char* time : {"25:00", "12", "12:60", "noon"}) {
        EXPECT_EQ(entryAttr(std::string(" 5,1,,t,clRed,5,") + time + ",3,7,"),
                  attr(0x0000FF, 5, "", 0, 0))
            << time;
    }
    EXPECT_EQ(entryAttr(" 5,1,,t,clRed,5,12:30,x,7,"), attr(0x0000FF, 5, "12:30", 0, 0));
    EXPECT_EQ(entryAttr(" 5,1,,t,clRed,5,,3,99999999999,"), attr(0x0000FF, 5, "", 3, 0));
}

}  // namespace
}  // namespace velmo
