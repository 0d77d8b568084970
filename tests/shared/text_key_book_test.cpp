#include "shared/text_key_book.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "store/cp932.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

using testing::RecordingSleeper;
using testing::ScriptedUserInterface;
using testing::TempFolder;
using Fields = std::vector<std::string>;

TEST(TextKeyBook, TheTransformIsItsOwnInverseAndKeepsBytesThatWouldFallBelow32) {
    std::string every;
    for (int b = 0; b < 256; ++b)
        every += static_cast<char>(b);
    for (std::string_view key : {std::string_view(), std::string_view("QuarneloVimbeTarskOldruin")})
        EXPECT_EQ(transformText(transformText(every, key), key), every);
    // 'V' ^ 'V' is 0: the first byte stays; 'a' ^ 'V' is 0x37 ("7").
    EXPECT_EQ(transformText("Va"), "V" + std::string(1, static_cast<char>('a' ^ 'I')));
    EXPECT_EQ(transformText("a"), std::string(1, static_cast<char>('a' ^ 'V')));
    EXPECT_EQ(transformText("\x1f\r\n"), "\x1f\r\n");
    // A blank key is the default key; the key starts again after its last byte.
    EXPECT_EQ(transformText("aaaa", "   "), transformText("aaaa"));
    const std::string expected{char('a' ^ 'A'), char('a' ^ 'B'), char('a' ^ 'A')};
    EXPECT_EQ(transformText("aaa", "AB"), expected);
}

TEST(TextKeyBook, HeaderCodesHaveSixToNinetyNineDigits) {
    const auto fixed = [](std::uint32_t n, std::uint32_t v) {
        return [n, v](std::uint32_t bound) { return bound == 94 ? n : v; };
    };
    EXPECT_EQ(newHeaderCode(fixed(0, 0)), "111111");
    EXPECT_EQ(newHeaderCode(fixed(2, 41)), "42424242");
    const std::string longest = newHeaderCode(fixed(93, 999'999'999));
    EXPECT_EQ(longest.size(), 99u);
    EXPECT_EQ(longest.substr(0, 20), "10000000001000000000");
    EXPECT_EQ(halfCode("1234567"), "123");
    EXPECT_EQ(halfCode("7"), "7");
}

TEST(TextKeyBook, SavedFieldsLoadBackForAnyHeaderCode) {
    TempFolder dir;
    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    std::mt19937 generator(20261210);
    const RandomNumber random = [&](std::uint32_t bound) {
        return std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(generator);
    };
    const Fields fields{"a", "", "PC1", "0", "2456000"};
    for (int round = 0; round < 200; ++round) {
        ASSERT_TRUE(saveFramedFile(dir / "velnetid.myc", fields, random, ui, sleeper));
        ASSERT_EQ(loadFramedFile(dir / "velnetid.myc", 5, ui, sleeper), fields) << round;
    }
    const Fields japanese{"管理者　太郎", "暗証", "経理課-PC", "7", "2461385"};
    ASSERT_TRUE(saveFramedFile(dir / "velnet.myc", japanese, random, ui, sleeper));
    EXPECT_EQ(loadFramedFile(dir / "velnet.myc", 5, ui, sleeper), japanese);
    EXPECT_TRUE(ui.texts().empty());
}

TEST(TextKeyBook, AHandMadeFileLoadsAndABrokenFrameIsNeverUsed) {
    TempFolder dir;
    ScriptedUserInterface ui;
    RecordingSleeper sleeper;
    // Built by hand from the rules: header, fields, half code, each ended by 0x7F 0xFE.
    const std::string brk = "\x7F\xFE";
    const std::string frame = "123456" + brk + cp932::encode("名前") + brk + "pass" + brk + "PC9" +
                              brk + "0" + brk + "2460000" + brk + "123" + brk;
    dir.write("velnet.myc", transformText(frame) + "\r\n");
    EXPECT_EQ(loadFramedFile(dir / "velnet.myc", 5, ui, sleeper),
              (Fields{"名前", "pass", "PC9", "0", "2460000"}));

    const std::string wrongHalf =
        "123456\x7F\xFE"
        "a\x7F\xFE"
        "b\x7F\xFE"
        "c\x7F\xFE"
        "d\x7F\xFE"
        "e\x7F\xFE"
        "124\x7F\xFE";
    dir.write("bad.myc", transformText(wrongHalf) + "\r\n");
    EXPECT_FALSE(loadFramedFile(dir / "bad.myc", 5, ui, sleeper));
    // Four fields: a missing password is never read as an empty one.
    const std::string short4 =
        "123456\x7F\xFE"
        "a\x7F\xFE"
        "PC1\x7F\xFE"
        "0\x7F\xFE"
        "1\x7F\xFE"
        "123\x7F\xFE";
    dir.write("short.myc", transformText(short4) + "\r\n");
    EXPECT_FALSE(loadFramedFile(dir / "short.myc", 5, ui, sleeper));
    EXPECT_FALSE(loadFramedFile(dir / "missing.myc", 5, ui, sleeper));
    EXPECT_EQ(ui.texts(), (Fields{kCipherReadMessage, kCipherReadMessage, kCipherReadMessage}));

    EXPECT_FALSE(saveFramedFile(
        {}, {"a"}, [](std::uint32_t) { return 0u; }, ui, sleeper));
    EXPECT_EQ(ui.texts().back(), kNoCipherFileMessage);
}

}  // namespace
}  // namespace velmo
