#include "store/cp932.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velmo::cp932 {
namespace {

// The C library's converter is the reference the codec's table must agree with.
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok()) {
            iconv_close(cd_);
        }
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    std::optional<std::string> operator()(std::string input) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char out[64];
        char* inPtr = input.data();
        std::size_t inLeft = input.size();
        char* outPtr = out;
        std::size_t outLeft = sizeof out;
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
            inLeft != 0) {
            return std::nullopt;
        }
        return std::string(out, outPtr);
    }

private:
    iconv_t cd_;
};

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) {
        s.push_back(static_cast<char>(v));
    }
    return s;
}

std::string utf8(char32_t c) {
    std::string s;
    appendUtf8(s, c);
    return s;
}

std::string escaped(int byte) {
    return utf8(kEscapeBase + static_cast<char32_t>(byte));
}

bool isLead(int b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

std::vector<int> trailBytes() {
    std::vector<int> trails;
    for (int t = 0x40; t <= 0xFC; ++t) {
        if (t != 0x7F) {
            trails.push_back(t);
        }
    }
    return trails;
}

// Windows' choice among codes of one character: JIS X 0208, then NEC row 13, then the IBM
// extensions FA-FC, then the NEC-selected IBM extensions ED-EE.
int windowsRank(int code) {
    const int lead = code >> 8;
    if (lead == 0x87) {
        return 1;
    }
    if (lead >= 0xFA) {
        return 2;
    }
    if (lead == 0xED || lead == 0xEE) {
        return 3;
    }
    return 0;
}

class Cp932Table : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(toUtf8.ok());
        ASSERT_TRUE(fromUtf8.ok());
    }
    Iconv toUtf8{"UTF-8", "CP932"};
    Iconv fromUtf8{"CP932", "UTF-8"};
};

TEST_F(Cp932Table, EverySingleByteDecodesAsIconvAndRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        SCOPED_TRACE(b);
        const std::string input = bytes({b});
        const auto reference = toUtf8(input);
        if (isLead(b)) {
            EXPECT_FALSE(reference);
            EXPECT_EQ(decode(input), escaped(b));  // lone lead byte at the end
        } else if (reference) {
            EXPECT_EQ(decode(input), *reference);
        } else {
            EXPECT_EQ(decode(input), escaped(b));
        }
        EXPECT_EQ(encode(decode(input)), input);
    }
    EXPECT_EQ(decode(bytes({0xB1})), "ｱ");
    for (int b : {0x80, 0xA0, 0xFD, 0xFE, 0xFF}) {
        EXPECT_EQ(decode(bytes({b})), escaped(b));
    }
}

TEST_F(Cp932Table, EveryPairDecodesAsIconvAndRoundTripsOrEncodesToWindowsChoice) {
    std::map<std::string, std::vector<int>> codesOf;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isLead(lead)) {
            continue;
        }
        for (int trail : trailBytes()) {
            const std::string input = bytes({lead, trail});
            SCOPED_TRACE(testing::Message() << std::hex << lead << ' ' << trail);
            if (const auto reference = toUtf8(input)) {
                ASSERT_EQ(decode(input), *reference);
                codesOf[*reference].push_back(lead << 8 | trail);
            } else {
                // Unmapped pair: the lead byte is escaped and the trail byte read afresh.
                EXPECT_EQ(decode(input), escaped(lead) + decode(bytes({trail})));
                EXPECT_EQ(encode(decode(input)), input);
            }
        }
    }
    int duplicateCodes = 0;
    for (const auto& [character, codes] : codesOf) {
        int preferred = codes.front();
        for (int code : codes) {
            if (windowsRank(code) < windowsRank(preferred)) {
                preferred = code;
            }
        }
        const std::string expected = bytes({preferred >> 8, preferred & 0xFF});
        SCOPED_TRACE(character);
        EXPECT_EQ(encode(character), expected);
        EXPECT_EQ(fromUtf8(character), expected);
        duplicateCodes += static_cast<int>(codes.size()) - 1;
    }
    EXPECT_EQ(duplicateCodes, 398);
}

TEST(Cp932, DuplicatesEncodeToTheCodeWindowsWrites) {
    const std::map<std::string, std::string> cases = {
        {bytes({0xED, 0x40}), bytes({0xFA, 0x5C})},  // 纊: NEC-selected → IBM
        {bytes({0xEE, 0xEF}), bytes({0xFA, 0x40})},  // ⅰ
        {bytes({0xFA, 0x4A}), bytes({0x87, 0x54})},  // Ⅰ: IBM → NEC row 13
        {bytes({0x87, 0x90}), bytes({0x81, 0xE0})},  // ≒: NEC row 13 → JIS X 0208
        {bytes({0x87, 0x9A}), bytes({0x81, 0xE6})},  // ∵
        {bytes({0xFA, 0x5B}), bytes({0x81, 0xE6})},  // ∵
        {bytes({0xEE, 0xF9}), bytes({0x81, 0xCA})},  // ￢
        {bytes({0xFA, 0x54}), bytes({0x81, 0xCA})},  // ￢
    };
    for (const auto& [input, written] : cases) {
        EXPECT_EQ(encode(decode(input)), written);
    }
}

TEST(Cp932, UserDefinedAreaMapsToPrivateUse) {
    EXPECT_EQ(decode(bytes({0xF0, 0x40})), utf8(0xE000));
    EXPECT_EQ(decode(bytes({0xF9, 0xFC})), utf8(0xE757));
    EXPECT_EQ(encode(utf8(0xE0BC)), bytes({0xF1, 0x40}));
    EXPECT_THROW(encode(utf8(0xE758)), EncodeError);
}

TEST(Cp932, BrokenBytesSurviveARoundTrip) {
    const std::vector<std::string> inputs = {
        bytes({0x81, 0x20}),              // lead byte before an ASCII byte that is no trail
        bytes({'a', 0x81}),               // lone lead byte at the end
        bytes({0x85, 0x40, 'x'}),         // lead row without characters
        bytes({0x85, 0x81, 0x40}),        // unmapped pair whose trail starts a valid pair
        bytes({0xFC, 0xFD, 0xFF, 0x80}),  // invalid trail, then invalid single bytes
        bytes({0xA0, 0xB1, 0xFE, 0x0D, 0x0A}),
    };
    for (const std::string& input : inputs) {
        EXPECT_EQ(encode(decode(input)), input);
    }
    EXPECT_EQ(decode(bytes({0x81, 0x20})), escaped(0x81) + " ");
    EXPECT_EQ(decode(bytes({0x85, 0x81, 0x40})), escaped(0x85) + "　");
    EXPECT_EQ(decode(bytes({0x85, 0x40})), escaped(0x85) + "@");
    EXPECT_EQ(decode(bytes({0xFC, 0xFD})), escaped(0xFC) + escaped(0xFD));
}

TEST(Cp932, DecodesMixedText) {
    EXPECT_EQ(decode(bytes({'1', ',', 0x95, 0x5C, 0x81, 0x43, 0xB1, 0x0D, 0x0A})), "1,表，ｱ\r\n");
    EXPECT_EQ(decode(std::string("\0a", 2)), std::string("\0a", 2));
    EXPECT_EQ(decode(""), "");
    EXPECT_EQ(encode("2024/09/10,会議，ｶﾅ\\~"),
              bytes({'2',  '0',  '2',  '4',  '/',  '0',  '9',  '/',  '1',  '0', ',',
                     0x89, 0xEF, 0x8B, 0x63, 0x81, 0x43, 0xB6, 0xC5, '\\', '~'}));
}

TEST(Cp932, LookAlikesEncodeToTheirWindowsTwins) {
    const std::vector<std::pair<char32_t, std::string>> cases = {
        {0x301C, bytes({0x81, 0x60})}, {0xFF5E, bytes({0x81, 0x60})}, {0x2212, bytes({0x81, 0x7C})},
        {0xFF0D, bytes({0x81, 0x7C})}, {0x2016, bytes({0x81, 0x61})}, {0x2225, bytes({0x81, 0x61})},
        {0x00A2, bytes({0x81, 0x91})}, {0x00A3, bytes({0x81, 0x92})}, {0x00AC, bytes({0x81, 0xCA})},
        {0x2014, bytes({0x81, 0x5C})}, {0x2015, bytes({0x81, 0x5C})},
    };
    for (const auto& [character, code] : cases) {
        SCOPED_TRACE(describe(character));
        EXPECT_EQ(encode(utf8(character)), code);
        EXPECT_FALSE(firstUnencodable(utf8(character)));
    }
    // Decoding gives the Windows characters, not the look-alikes.
    EXPECT_EQ(decode(bytes({0x81, 0x60})), utf8(0xFF5E));
    EXPECT_EQ(decode(bytes({0x81, 0x5C})), utf8(0x2015));
}

TEST(Cp932, UnencodableCharactersThrowWithTheCharacter) {
    const std::vector<char32_t> characters = {
        0x1F600,   // emoji
        0x20BB7,   // 𠮷
        0x00E9,    // é
        0x00A5,    // ¥: iconv maps it to 0x5C, which reads back as a backslash
        0x203E,    // ‾: likewise to 0x7E
        0xE0041,   // tag character, silently dropped by iconv
        0xFFFD,    // replacement character
        0x10FF41,  // escape of a byte that decoding never escapes
    };
    for (char32_t character : characters) {
        SCOPED_TRACE(describe(character));
        const std::string text = "予定" + utf8(character) + "x";
        try {
            encode(text);
            ADD_FAILURE() << "no EncodeError";
        } catch (const EncodeError& error) {
            EXPECT_EQ(error.character(), character);
        }
        EXPECT_EQ(firstUnencodable(text), character);
    }
    EXPECT_FALSE(firstUnencodable("予定ｱ" + escaped(0xFF)));
}

TEST(Cp932, MalformedUtf8IsRefused) {
    for (const std::string& text :
         {bytes({'a', 0xFF}), bytes({0xC0, 0x80}), bytes({0xED, 0xA0, 0x80}),
          bytes({0xF4, 0x90, 0x80, 0x80}), bytes({0xE8, 0xA1}), bytes({0x80})}) {
        try {
            encode(text);
            ADD_FAILURE() << "no EncodeError";
        } catch (const EncodeError& error) {
            EXPECT_EQ(error.character(), 0xFFFDU);
        }
    }
}

TEST(Cp932, NextCodePointStepsOverMalformedBytesOneAtATime) {
    const std::string text = "a" + bytes({0xE8, 0xA1}) + "表" + bytes({0xC0, 0xAF}) + "😀";
    std::vector<char32_t> got;
    for (std::size_t pos = 0; pos < text.size();) {
        got.push_back(nextCodePoint(text, pos));
    }
    const std::vector<char32_t> expected = {U'a', 0xFFFD, 0xFFFD, U'表', 0xFFFD, 0xFFFD, 0x1F600};
    EXPECT_EQ(got, expected);
}

TEST(Cp932, ByteLengthCountsCp932Bytes) {
    EXPECT_EQ(byteLength("abc"), 3U);
    EXPECT_EQ(byteLength("表"), 2U);
    EXPECT_EQ(byteLength("ｱ"), 1U);
    EXPECT_EQ(byteLength(escaped(0x81)), 1U);
    EXPECT_EQ(byteLength("a表ｱ　😀"), 8U);
    EXPECT_EQ(byteLength(""), 0U);
    EXPECT_EQ(charWidth(U'~'), 1);
    EXPECT_EQ(charWidth(0xFF61), 1);
    EXPECT_EQ(charWidth(0xFF9F), 1);
    EXPECT_EQ(charWidth(0xFF60), 2);
    EXPECT_EQ(charWidth(0xFFA0), 2);
    EXPECT_EQ(charWidth(0xE9), 2);
    EXPECT_EQ(charWidth(kEscapeBase + 0xFD), 1);
    EXPECT_EQ(charWidth(kEscapeBase + 0x41), 2);
    // Every decoded text takes as many bytes as it was read from.
    const std::string file = bytes({'a', 0x95, 0x5C, 0xB1, 0x81, 0x20, 0xFF, 0xEB});
    EXPECT_EQ(byteLength(decode(file)), file.size());
}

TEST(Cp932, DescribeNamesTheCharacter) {
    EXPECT_EQ(describe(0x1F600), "U+1F600 (😀)");
    EXPECT_EQ(describe(0xE9), "U+00E9 (é)");
    EXPECT_EQ(describe(0x07), "U+0007");
    EXPECT_EQ(describe(0x85), "U+0085");
    const EncodeError error(0x20BB7);
    EXPECT_NE(std::string(error.what()).find("U+20BB7 (𠮷)"), std::string::npos);
}

}  // namespace
}  // namespace velmo::cp932
