#include "editor_models/jump_marks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmo {
namespace {

TEST(JumpMarks, MarkIsReadFromTheTwoBytesAfterTheAmpersand) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"&3 text", 3},
        {"＆３見出し", 3},  // full-width ampersand and digit
        {"&９", 9},         // ASCII ampersand, full-width digit
        {"＆０", 0},
        {"＆5", 5},
        {"& 7", 7},  // trimmed of spaces
        {"&4\t", 4},
        {"&x", 0},  // no number
        {"&0", 0},
        {"&", 0},     // nothing after it
        {"&1あ", 0},  // "1" and half a character is no number
        {"&12", -1},  // a number, but not 0..9
        {"&-1", -1},
        {"&123", -1},    // only two bytes count: "12"
        {"見出し", -1},  // not a mark line
        {" &3", -1},
        {"", -1},
        {"&\xF0\x9F\x98\x80", 0},  // a character CP932 lacks counts as two bytes
    };
    for (const auto& [line, mark] : cases) {
        SCOPED_TRACE(line);
        EXPECT_EQ(jumpMarkOf(line), mark);
    }
}

TEST(JumpMarks, TheLastLineOfAMarkCountsAndBothScansAgree) {
    const std::vector<std::string> lines = {"&2 first", "text", "&5", "&2 second", "&12", "&x"};
    JumpMarks expected;
    expected.fill(-1);
    expected[2] = 3;
    expected[5] = 2;
    expected[0] = 5;
    EXPECT_EQ(scanJumpMarks(lines), expected);

    const JumpMarks fromStarts = scanJumpMarks(static_cast<int>(lines.size()), [&](int row) {
        return lines[static_cast<std::size_t>(row)].substr(0, 4);
    });
    EXPECT_EQ(fromStarts, expected);

    JumpMarks none;
    none.fill(-1);
    EXPECT_EQ(scanJumpMarks(std::vector<std::string>{"a", "b"}), none);
}

TEST(JumpMarks, TopRowAboveTheMarkOrFromTheBottom) {
    constexpr int kVisible = 20;
    EXPECT_EQ(jumpTopRow(40, false, false, 2, 3, kVisible), 38);
    EXPECT_EQ(jumpTopRow(40, true, false, 2, 3, kVisible), 40 + 3 - kVisible);
    // Swapped: Shift gives the plain jump and no Shift the one from the bottom.
    EXPECT_EQ(jumpTopRow(40, true, true, 2, 3, kVisible), 38);
    EXPECT_EQ(jumpTopRow(40, false, true, 2, 3, kVisible), 23);
    // Never above the first row.
    EXPECT_EQ(jumpTopRow(1, false, false, 2, 3, kVisible), 0);
    EXPECT_EQ(jumpTopRow(5, true, false, 2, 3, kVisible), 0);
}

}  // namespace
}  // namespace velmo
