#pragma once
// The one place where text crosses between the CP932 bytes on disk and the UTF-8
// held in memory. Decoding is lossless: bytes that form no valid CP932 character
// become U+10FF00 + byte and encode back to that byte.

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velmo::cp932 {

// First code point of the escape range for bytes that are not valid CP932.
inline constexpr char32_t kEscapeBase = 0x10FF00;

// Decodes CP932 bytes to UTF-8, escaping invalid bytes.
std::string decode(std::string_view bytes);

// Thrown by encode() for a character CP932 cannot hold.
class EncodeError : public std::runtime_error {
public:
    explicit EncodeError(char32_t character);
    char32_t character() const { return character_; }

private:
    char32_t character_;
};

// Encodes UTF-8 to CP932. Look-alikes typed by Linux input methods (U+301C, U+2212,
// U+2016, U+00A2, U+00A3, U+00AC, U+2014) go to their Windows twins. Throws
// EncodeError for any other character CP932 lacks, and for malformed UTF-8.
std::string encode(std::string_view utf8);

// The first character of the text that CP932 cannot hold, if any.
std::optional<char32_t> firstUnencodable(std::string_view utf8);

// Number of bytes the text takes in CP932: one for ASCII, half-width katakana and
// escaped bytes, two for everything else. Unencodable characters count two.
std::size_t byteLength(std::string_view utf8);

// CP932 width (1 or 2) of one code point.
int charWidth(char32_t codePoint);

// Next code point of a UTF-8 text starting at pos; pos moves past it. Malformed
// sequences yield U+FFFD and advance by one byte.
char32_t nextCodePoint(std::string_view utf8, std::size_t& pos);

// Appends the UTF-8 form of a code point.
void appendUtf8(std::string& out, char32_t codePoint);

// "U+XXXX (c)" style description for messages about unencodable characters.
std::string describe(char32_t codePoint);

}  // namespace velmo::cp932
