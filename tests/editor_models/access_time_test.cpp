#include "editor_models/access_time.h"

#include <gtest/gtest.h>

#include "tests/support/fake_clock.h"

namespace velmo {
namespace {

TimeOfDay at(int hour, int minute, int second = 0) {
    return {hour, minute, second};
}

class AccessTimeTest : public ::testing::Test {
protected:
    testing::FakeClock clock{{2024, 9, 10, 7, 41, 12, 0}};
    TimeOfDay parsed(const std::string& vTime) const { return parseAccessTime(vTime, clock); }
};

TEST_F(AccessTimeTest, ShortAndFullTextsGiveTheirTime) {
    EXPECT_EQ(parsed("0930"), at(9, 30));
    EXPECT_EQ(parsed("093"), at(9, 3));
    EXPECT_EQ(parsed("235959"), at(23, 59, 59));
    EXPECT_EQ(parsed("000000"), at(0, 0));
    // Characters past the sixth are not read.
    EXPECT_EQ(parsed("1234567"), at(12, 34, 56));
}

TEST_F(AccessTimeTest, ANonNumericPieceTakesItsOwnDefault) {
    EXPECT_EQ(parsed("xx3000"), at(15, 30));
    EXPECT_EQ(parsed("08xx15"), at(8, 0, 15));
    EXPECT_EQ(parsed("0810ab"), at(8, 10));
    EXPECT_EQ(parsed("x"), at(15, 0));
}

TEST_F(AccessTimeTest, NumbersThatMakeNoTimeOfDayGiveThreeOClock) {
    EXPECT_EQ(parsed("2561"), at(15, 0));
    EXPECT_EQ(parsed("240000"), at(15, 0));
    EXPECT_EQ(parsed("1260"), at(15, 0));
    EXPECT_EQ(parsed("101099"), at(15, 0));
    // A sign makes a piece a number, and a negative one is no time of day.
    EXPECT_EQ(parsed("-1"), at(15, 0));
    EXPECT_EQ(parsed("+9"), at(9, 0));
}

TEST_F(AccessTimeTest, AMissingTextGivesTheTimeOfDayNow) {
    EXPECT_EQ(parsed(""), at(7, 41, 12));
    clock.set({2024, 9, 10, 23, 5, 59, 0});
    EXPECT_EQ(parsed(""), at(23, 5, 59));
}

TEST(AccessTimeFormatTest, TwoDigitsEachAndReadBackAlike) {
    EXPECT_EQ(formatAccessTime(at(9, 5, 7)), "090507");
    EXPECT_EQ(formatAccessTime(at(15, 0)), "150000");
    const testing::FakeClock clock;
    EXPECT_EQ(parseAccessTime(formatAccessTime(at(23, 59, 1)), clock), at(23, 59, 1));
}

TEST(AccessTimeStepTest, EachFieldGoesRoundOnItsOwn) {
    EXPECT_EQ(stepAccessTime(at(23, 59, 59), TimeField::Hour, +1), at(0, 59, 59));
    EXPECT_EQ(stepAccessTime(at(0, 0, 0), TimeField::Hour, -1), at(23, 0, 0));
    EXPECT_EQ(stepAccessTime(at(10, 59, 0), TimeField::Minute, +1), at(10, 0, 0));
    EXPECT_EQ(stepAccessTime(at(10, 0, 0), TimeField::Minute, -1), at(10, 59, 0));
    EXPECT_EQ(stepAccessTime(at(10, 0, 59), TimeField::Second, +1), at(10, 0, 0));
    EXPECT_EQ(stepAccessTime(at(10, 0, 0), TimeField::Second, -1), at(10, 0, 59));
    EXPECT_EQ(stepAccessTime(at(10, 20, 30), TimeField::Minute, +1), at(10, 21, 30));
}

TEST(AccessTimeInputTest, TheHourBoxRefusesTwentyFour) {
    EXPECT_FALSE(parseTimeFields("24", "0", "0"));
    EXPECT_FALSE(parseTimeFields("", "0", "0"));
    EXPECT_EQ(parseTimeFields("23", "5", "9"), at(23, 5, 9));
}

}  // namespace
}  // namespace velmo
