#include "store/cp932.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

// Decoding follows the C library's iconv "CP932", which is Windows code page 932 (see
// tools/gen_cp932_table). Several codes decode to the same character (NEC row 13 and the two
// copies of the IBM extensions, 398 codes in all); encoding takes the code Windows takes, so a
// file holding a non-preferred twin such as ED40 comes back as FA5C after an edit, exactly as a
// Windows program would write it. Only those codes are not reproduced byte for byte.

namespace velmo::cp932 {
namespace {

#include "store/cp932_table.inc"

constexpr char32_t kReplacement = 0xFFFD;

constexpr bool isLeadByte(unsigned byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

constexpr std::array<std::int8_t, 256> makeLeadRows() {
    std::array<std::int8_t, 256> rows{};
    int next = 0;
    for (unsigned b = 0; b < 256; ++b) {
        rows[b] = static_cast<std::int8_t>(isLeadByte(b) ? next++ : -1);
    }
    return rows;
}
constexpr std::array<std::int8_t, 256> kLeadRow = makeLeadRows();
static_assert(kLeadRow[0xFC] == kCp932LeadCount - 1);

constexpr std::array<std::uint8_t, 256> makeTrailColumns() {
    std::array<std::uint8_t, 256> columns{};
    int next = 0;
    for (unsigned b = 0; b < 256; ++b) {
        const bool trail = b >= 0x40 && b <= 0xFC && b != 0x7F;
        columns[b] = static_cast<std::uint8_t>(trail ? next++ : 0xFF);
    }
    return columns;
}
constexpr std::array<std::uint8_t, 256> kTrailColumn = makeTrailColumns();
static_assert(kTrailColumn[0xFC] == kCp932TrailCount - 1);

// Bytes that decode() can meet outside any character, and so may appear escaped.
constexpr bool isEscapableByte(unsigned byte) {
    return byte == 0x80 || byte == 0xA0 || byte >= 0xFD || isLeadByte(byte);
}

// The byte an escape code point stands for, or -1.
int escapedByte(char32_t codePoint) {
    if (codePoint < kEscapeBase || codePoint > kEscapeBase + 0xFF) {
        return -1;
    }
    const unsigned byte = codePoint - kEscapeBase;
    return isEscapableByte(byte) ? static_cast<int>(byte) : -1;
}

// Unicode (BMP) to CP932 code; 0 where CP932 has nothing. Codes below 0x100 are single bytes.
using EncodeTable = std::array<std::uint16_t, 0x10000>;

std::unique_ptr<EncodeTable> buildEncodeTable() {
    auto table = std::make_unique<EncodeTable>();
    table->fill(0);
    for (unsigned b = 0x80; b < 0x100; ++b) {
        if (kCp932SingleByte[b] != 0xFFFF) {
            (*table)[kCp932SingleByte[b]] = static_cast<std::uint16_t>(b);
        }
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isLeadByte(lead)) {
            continue;
        }
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (kTrailColumn[trail] == 0xFF) {
                continue;
            }
            const char16_t c = kCp932DoubleByte[kLeadRow[lead]][kTrailColumn[trail]];
            if (c != 0) {
                (*table)[c] = static_cast<std::uint16_t>(lead << 8 | trail);
            }
        }
    }
    // Characters with several codes: the later code won above, Windows' choice wins here.
    for (const auto& entry : kCp932Preferred) {
        (*table)[entry.character] = entry.code;
    }
    // Look-alikes typed by Linux input methods where Windows users get the CP932 character.
    constexpr std::pair<char16_t, std::uint16_t> kLookAlikes[] = {
        {0x301C, 0x8160},  // 〜 WAVE DASH → ～
        {0x2212, 0x817C},  // − MINUS SIGN → －
        {0x2016, 0x8161},  // ‖ DOUBLE VERTICAL LINE → ∥
        {0x00A2, 0x8191},  // ¢ → ￠
        {0x00A3, 0x8192},  // £ → ￡
        {0x00AC, 0x81CA},  // ¬ → ￢
        {0x2014, 0x815C},  // — EM DASH → ―
    };
    for (const auto& [character, code] : kLookAlikes) {
        (*table)[character] = code;
    }
    return table;
}

const EncodeTable& encodeTable() {
    static const std::unique_ptr<EncodeTable> table = buildEncodeTable();
    return *table;
}

// CP932 code of a code point: 0x00-0xFF for one byte, 0x8140-0xFCFC for two, -1 for none.
int codeOf(char32_t codePoint) {
    if (codePoint < 0x80) {
        return static_cast<int>(codePoint);
    }
    if (codePoint < 0x10000) {
        const std::uint16_t code = encodeTable()[codePoint];
        return code != 0 ? code : -1;
    }
    return escapedByte(codePoint);
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Writes a valid code point as UTF-8 and returns the end of what it wrote.
char* putUtf8(char* o, char32_t c) {
    if (c < 0x80) {
        *o++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *o++ = static_cast<char>(0xC0 | c >> 6);
        *o++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *o++ = static_cast<char>(0xE0 | c >> 12);
        *o++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
        *o++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *o++ = static_cast<char>(0xF0 | c >> 18);
        *o++ = static_cast<char>(0x80 | (c >> 12 & 0x3F));
        *o++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
        *o++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return o;
}

// Reads one UTF-8 sequence from s (left > 0 bytes); length receives the bytes taken.
// Malformed input yields U+FFFD with a length of one.
char32_t takeUtf8(const unsigned char* s, std::size_t left, std::size_t& length) {
    const unsigned char b0 = s[0];
    length = 1;
    if (b0 < 0x80) {
        return b0;
    }
    // Second-byte bounds reject overlong forms, surrogates and values above U+10FFFF.
    std::size_t size = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    char32_t value = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        size = 2;
        value = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        size = 3;
        value = b0 & 0x0F;
        low = b0 == 0xE0 ? 0xA0 : 0x80;
        high = b0 == 0xED ? 0x9F : 0xBF;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        size = 4;
        value = b0 & 0x07;
        low = b0 == 0xF0 ? 0x90 : 0x80;
        high = b0 == 0xF4 ? 0x8F : 0xBF;
    } else {
        return kReplacement;
    }
    if (left < size || s[1] < low || s[1] > high) {
        return kReplacement;
    }
    for (std::size_t i = 1; i < size; ++i) {
        if (!isContinuation(s[i])) {
            return kReplacement;
        }
        value = value << 6 | (s[i] & 0x3F);
    }
    length = size;
    return value;
}

// Length of the run of ASCII bytes at the start of [p, end).
std::size_t asciiRun(const unsigned char* p, const unsigned char* end) {
    const unsigned char* start = p;
    while (end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        if ((word & 0x8080808080808080ULL) != 0) {
            break;
        }
        p += 8;
    }
    while (p < end && *p < 0x80) {
        ++p;
    }
    return static_cast<std::size_t>(p - start);
}

std::string describeMessage(char32_t character) {
    return "CP932 cannot hold " + describe(character);
}

}  // namespace

EncodeError::EncodeError(char32_t character)
    : std::runtime_error(describeMessage(character)), character_(character) {}

std::string decode(std::string_view bytes) {
    // Written through a raw pointer into a buffer sized for the usual mix (three UTF-8 bytes
    // per two CP932 bytes); a text heavy in half-width katakana or escapes grows it.
    std::string out(bytes.size() + bytes.size() / 2 + 16, '\0');
    char* o = out.data();
    char* limit = o + out.size();
    auto reserve = [&](std::size_t needed) {
        if (static_cast<std::size_t>(limit - o) < needed) {
            const std::size_t used = static_cast<std::size_t>(o - out.data());
            out.resize(std::max(out.size() * 2, used + needed));
            o = out.data() + used;
            limit = out.data() + out.size();
        }
    };
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        const std::size_t run = asciiRun(p, end);
        if (run != 0) {
            reserve(run);
            std::memcpy(o, p, run);
            o += run;
            p += run;
            if (p == end) {
                break;
            }
        }
        reserve(4);
        const unsigned byte = *p;
        const int row = kLeadRow[byte];
        if (row >= 0) {
            if (end - p >= 2) {
                const unsigned column = kTrailColumn[p[1]];
                if (column != 0xFF) {
                    const char16_t c = kCp932DoubleByte[row][column];
                    if (c != 0) {
                        o = putUtf8(o, c);
                        p += 2;
                        continue;
                    }
                }
            }
            // Only the lead byte is escaped: the next byte starts afresh, so an ASCII byte
            // after a broken lead byte keeps its meaning.
            o = putUtf8(o, kEscapeBase + byte);
        } else if (kCp932SingleByte[byte] != 0xFFFF) {
            o = putUtf8(o, kCp932SingleByte[byte]);
        } else {
            o = putUtf8(o, kEscapeBase + byte);
        }
        ++p;
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

std::string encode(std::string_view utf8) {
    // No character takes more bytes in CP932 than in UTF-8, so the input size is enough.
    std::string out(utf8.size(), '\0');
    char* o = out.data();
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* end = p + utf8.size();
    while (p < end) {
        const std::size_t run = asciiRun(p, end);
        std::memcpy(o, p, run);
        o += run;
        p += run;
        if (p == end) {
            break;
        }
        std::size_t length = 0;
        const char32_t c = takeUtf8(p, static_cast<std::size_t>(end - p), length);
        p += length;
        const int code = codeOf(c);
        if (code < 0) {
            throw EncodeError(c);
        }
        if (code > 0xFF) {
            *o++ = static_cast<char>(code >> 8);
        }
        *o++ = static_cast<char>(code & 0xFF);
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

std::optional<char32_t> firstUnencodable(std::string_view utf8) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const char32_t c = nextCodePoint(utf8, pos);
        if (codeOf(c) < 0) {
            return c;
        }
    }
    return std::nullopt;
}

std::size_t byteLength(std::string_view utf8) {
    std::size_t length = 0;
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
            ++length;
            ++pos;
        } else {
            length += static_cast<std::size_t>(charWidth(nextCodePoint(utf8, pos)));
        }
    }
    return length;
}

int charWidth(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xFF61 && codePoint <= 0xFF9F) ||
        escapedByte(codePoint) >= 0) {
        return 1;
    }
    return 2;
}

char32_t nextCodePoint(std::string_view utf8, std::size_t& pos) {
    if (pos >= utf8.size()) {
        return kReplacement;
    }
    std::size_t length = 0;
    const char32_t c = takeUtf8(reinterpret_cast<const unsigned char*>(utf8.data()) + pos,
                                utf8.size() - pos, length);
    pos += length;
    return c;
}

void appendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        codePoint = kReplacement;
    }
    char buffer[4];
    out.append(buffer, static_cast<std::size_t>(putUtf8(buffer, codePoint) - buffer));
}

std::string describe(char32_t codePoint) {
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(codePoint));
    std::string text = number;
    // Controls, surrogates and out-of-range values have no glyph worth showing.
    const bool printable = codePoint >= 0x20 && !(codePoint >= 0x7F && codePoint <= 0x9F) &&
                           !(codePoint >= 0xD800 && codePoint <= 0xDFFF) && codePoint <= 0x10FFFF;
    if (printable) {
        text += " (";
        appendUtf8(text, codePoint);
        text += ")";
    }
    return text;
}

}  // namespace velmo::cp932
